#include "export/line_raster.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>

#include "export/clip.h"

namespace exporting {

namespace {

using Wide = __int128;

Wide CeilDiv(Wide a, Wide b) {  // b > 0
  Wide q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return q;
}

}  // namespace

LineRaster::LineRaster(QImage& image) : image_(image) {
  width_ = image_.width();
  height_ = image_.height();
  stride_ = image_.bytesPerLine() / 4;
  bits_ = reinterpret_cast<uint32_t*>(image_.bits());
}

LineRaster::~LineRaster() {
  Finish();
}

void LineRaster::Finish() {
  painter_.reset();
}

void LineRaster::SetPen(Colour colour, int width) {
  argb_ = OpaqueArgb(colour);
  penWidth_ = width < 1 ? 1 : width;
}

void LineRaster::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (penWidth_ <= 1)
    ThinLine(x0, y0, x1, y1);
  else
    WideLine(x0, y0, x1, y1);
}

// Pixel i (0 <= i < n, n the longer of |dx| and |dy|) lies i steps along the
// major axis and floor((2*i*a + n) / (2*n)) steps along the minor one, a the
// shorter extent: the nearest pixel, ties away from the start. Only the
// pixels inside the image are visited.
void LineRaster::ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const int64_t width = width_, height = height_;
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady;
  const int64_t a = xMajor ? ady : adx;
  if (n == 0 || width == 0 || height == 0) return;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;

  int64_t first = 0, count = n;  // the visible pixels i in [first, first + count)
  int64_t k = 0, r = n;          // minor steps at `first` and the remainder, out of 2n
  const bool inside = uint64_t(x0) < uint64_t(width) && uint64_t(y0) < uint64_t(height) &&
                      uint64_t(x1) < uint64_t(width) && uint64_t(y1) < uint64_t(height);
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
  uint32_t* bits = bits_;
  const uint32_t colour = argb_;
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

QPainter& LineRaster::Painter() {
  if (painter_ == nullptr) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  QPainter& painter = *painter_;
  const QPen pen(QColor::fromRgb(argb_), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  if (painter.pen() != pen) painter.setPen(pen);
  return painter;
}

void LineRaster::WideLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (image_.isNull()) return;
  QPainter& painter = Painter();
  const int64_t margin = 1024 + penWidth_;
  const int64_t left = -margin, top = -margin;
  const int64_t right = width_ + margin, bottom = height_ + margin;
  auto within = [&](int64_t x, int64_t y) {
    return x >= left && x <= right && y >= top && y <= bottom;
  };
  if (within(x0, y0) && within(x1, y1)) {
    painter.drawLine(QPoint(static_cast<int>(x0), static_cast<int>(y0)),
                     QPoint(static_cast<int>(x1), static_cast<int>(y1)));
    return;
  }
  double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
  if (!ClipToBox(fx0, fy0, fx1, fy1, left, top, right, bottom)) return;
  painter.drawLine(QLineF(fx0, fy0, fx1, fy1));
}

void LineRaster::Polyline(const std::vector<QPointF>& points) {
  if (image_.isNull() || points.size() < 2) return;
  QPainter& painter = Painter();
  painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

}  // namespace exporting
