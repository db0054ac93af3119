#include "ui/canvas.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/clip_to_box.h"

namespace ui {

namespace {

using Wide = __int128;

Wide CeilDiv(Wide a, Wide b) {  // b > 0
  Wide q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return q;
}


}  // namespace

QRgb ToQRgb(Colour colour) {
  return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

Colour FromQRgb(QRgb rgb) {
  return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

ImageCanvas::ImageCanvas(int width, int height, Colour fill)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32) {
  image_.fill(ToQRgb(fill));
  width_ = image_.width();
  height_ = image_.height();
  stride_ = image_.bytesPerLine() / 4;
  bits_ = reinterpret_cast<uint32_t*>(image_.bits());
}

ImageCanvas::~ImageCanvas() {
  EndPainting();
}

uint32_t* ImageCanvas::Bits() {
  if (!image_.isDetached()) bits_ = reinterpret_cast<uint32_t*>(image_.bits());
  return bits_;
}

void ImageCanvas::EndPainting() const {
  if (painter_ != nullptr) painter_.reset();
}

const QImage& ImageCanvas::Image() const {
  EndPainting();
  return image_;
}

void ImageCanvas::Restore(const CanvasSnapshot& snapshot) {
  RestoreImage(snapshot.image);
  penColour_ = snapshot.pen;
  brushColour_ = snapshot.brush;
  SetPenWidth(snapshot.penWidth);
}

void ImageCanvas::RestoreImage(const QImage& image) {
  EndPainting();
  image_ = image.convertToFormat(QImage::Format_RGB32);
  bits_ = reinterpret_cast<uint32_t*>(image_.bits());
}

void ImageCanvas::LineTo(int x, int y) {
  if (penWidth_ <= 1)
    ThinLine(penX_, penY_, x, y);
  else
    WideLine(penX_, penY_, x, y);
  penX_ = x;
  penY_ = y;
}

// Pixel i (0 <= i < n, n the longer of |dx| and |dy|) lies i steps along the
// major axis and floor((2*i*a + n) / (2*n)) steps along the minor one, a the
// shorter extent: the nearest pixel, ties away from the start. Only the
// pixels inside the image are visited.
void ImageCanvas::ThinLine(int x0, int y0, int x1, int y1) {
  const int width = Width(), height = Height();
  const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady;
  const int64_t a = xMajor ? ady : adx;
  if (n == 0 || width == 0 || height == 0) return;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;

  int64_t first = 0, count = n;  // the visible pixels i in [first, first + count)
  int64_t k = 0, r = n;          // minor steps at `first` and the remainder, out of 2n
  const bool inside = unsigned(x0) < unsigned(width) && unsigned(y0) < unsigned(height) &&
                      unsigned(x1) < unsigned(width) && unsigned(y1) < unsigned(height);
  if (!inside) {
    const int64_t p0 = xMajor ? x0 : y0, m0 = xMajor ? y0 : x0;
    const int64_t majorSize = xMajor ? width : height, minorSize = xMajor ? height : width;
    const int majorSign = xMajor ? sx : sy, minorSign = xMajor ? sy : sx;
    int64_t lo = 0, hi = n - 1;
    if (majorSign > 0) {
      lo = std::max(lo, -p0);
      hi = std::min(hi, majorSize - 1 - p0);
    } else {
      lo = std::max(lo, p0 - (majorSize - 1));
      hi = std::min(hi, p0);
    }
    if (lo > hi) return;
    // The minor steps k(i) that stay inside, k(i) being nondecreasing.
    const int64_t kLo = minorSign > 0 ? -m0 : m0 - (minorSize - 1);
    const int64_t kHi = minorSign > 0 ? minorSize - 1 - m0 : m0;
    if (a == 0) {
      if (kLo > 0 || kHi < 0) return;
    } else {
      const Wide twoN = Wide{2} * n, twoA = Wide{2} * a;
      // k(i) >= kLo  <=>  i >= (2n*kLo - n) / 2a
      const Wide iLo = CeilDiv(twoN * kLo - n, twoA);
      // k(i) <= kHi  <=>  i < (2n*kHi + n) / 2a
      const Wide iHi = CeilDiv(twoN * kHi + n, twoA) - 1;
      if (iLo > lo) lo = iLo > hi ? hi + 1 : static_cast<int64_t>(iLo);
      if (iHi < hi) hi = iHi < lo ? lo - 1 : static_cast<int64_t>(iHi);
      if (lo > hi) return;
    }
    first = lo;
    count = hi - lo + 1;
    const Wide numerator = Wide{2} * first * a + n;
    k = static_cast<int64_t>(numerator / (Wide{2} * n));
    r = static_cast<int64_t>(numerator % (Wide{2} * n));
  }

  const int64_t stride = stride_;
  const int64_t majorStep = xMajor ? sx : sy * stride;
  const int64_t minorStep = xMajor ? sy * stride : sx;
  const int64_t x = x0 + (xMajor ? first : k) * sx;
  const int64_t y = y0 + (xMajor ? k : first) * sy;
  uint32_t* bits = Bits();
  const uint32_t colour = ToQRgb(penColour_);
  const int64_t twoA = 2 * a, twoN = 2 * n;
  int64_t offset = y * stride + x;
  for (int64_t c = count; c > 0; --c) {
    bits[offset] = colour;
    offset += majorStep;
    r += twoA;
    const bool carry = r >= twoN;
    r -= carry ? twoN : 0;
    offset += carry ? minorStep : 0;
  }
}

void ImageCanvas::WideLine(int x0, int y0, int x1, int y1) {
  if (image_.isNull()) return;
  if (painter_ == nullptr) {
    painter_ = std::make_unique<QPainter>(&image_);
    // Beginning to paint detaches a shared image.
    bits_ = reinterpret_cast<uint32_t*>(image_.bits());
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  QPainter& painter = *painter_;
  const QPen pen(QColor::fromRgb(ToQRgb(penColour_)), penWidth_, Qt::SolidLine, Qt::RoundCap,
                 Qt::RoundJoin);
  if (painter.pen() != pen) painter.setPen(pen);
  // Far-away ends are brought into a box well beyond the image, where the
  // cut end's cap cannot show, keeping the rasteriser in a safe range.
  const int margin = 1024 + penWidth_;
  const int left = -margin, top = -margin;
  const int right = image_.width() + margin, bottom = image_.height() + margin;
  auto within = [&](int x, int y) { return x >= left && x <= right && y >= top && y <= bottom; };
  if (within(x0, y0) && within(x1, y1)) {
    painter.drawLine(QPoint(x0, y0), QPoint(x1, y1));
    return;
  }
  double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
  if (!ClipToBox(fx0, fy0, fx1, fy1, left, top, right, bottom)) return;
  painter.drawLine(QLineF(fx0, fy0, fx1, fy1));
}

void ImageCanvas::FillRect(int left, int top, int right, int bottom) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return;
  const uint32_t colour = ToQRgb(brushColour_);
  uint32_t* bits = Bits();
  for (int y = top; y < bottom; ++y) std::fill_n(bits + y * stride_ + left, right - left, colour);
}

void ImageCanvas::CopyRect(const ImageCanvas& source, int left, int top, int right, int bottom) {
  if (&source == this) return;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min({right, width_, source.Width()});
  bottom = std::min({bottom, height_, source.Height()});
  if (left >= right || top >= bottom) return;
  const QImage& from = source.Image();
  uint32_t* bits = Bits();
  for (int y = top; y < bottom; ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(from.constScanLine(y));
    std::memcpy(bits + y * stride_ + left, in + left, sizeof(uint32_t) * (right - left));
  }
}

Colour ImageCanvas::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return FromQRgb(Image().pixel(x, y));
}

}  // namespace ui
