#include "ui/canvas.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "raster/thin_line.h"
#include "raster/wide_line.h"

namespace ui {

QRgb ToQRgb(Colour colour) {
  return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

Colour FromQRgb(QRgb rgb) {
  return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

ImageCanvas::ImageCanvas(int width, int height, Colour fill)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32), log_(fill) {
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
  ++edits_;
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
  RestoreImage(snapshot.image, snapshot.log);
  penColour_ = snapshot.pen;
  brushColour_ = snapshot.brush;
  SetPenWidth(snapshot.penWidth);
}

void ImageCanvas::RestoreImage(const QImage& image, const std::optional<TraceLog>& log) {
  EndPainting();
  ++edits_;
  image_ = image.convertToFormat(QImage::Format_RGB32);
  bits_ = reinterpret_cast<uint32_t*>(image_.bits());
  logValid_ = log.has_value();
  if (log) log_ = *log;
  logEdits_ = edits_;
}

std::optional<TraceLog> ImageCanvas::HeldLog() const {
  if (!logValid_) return std::nullopt;
  if (tracing_ ? !tracingLive_ : logEdits_ != edits_) return std::nullopt;
  return log_;
}

void ImageCanvas::BeginTrace(bool shownLive) {
  logValid_ = HeldLog().has_value();
  tracing_ = true;
  tracingLive_ = shownLive;
}

void ImageCanvas::EndTrace(const LoggedTrace& trace) {
  tracing_ = false;
  if (!logValid_) return;
  log_ = log_.With(trace);
  logEdits_ = edits_;
}

void ImageCanvas::DrawLineTo(int x, int y) {
  if (penWidth_ <= 1)
    ThinLine(penX_, penY_, x, y);
  else
    WideLine(penX_, penY_, x, y);
  penX_ = x;
  penY_ = y;
}

void ImageCanvas::ThinLine(int x0, int y0, int x1, int y1) {
  ThinLineRun run;
  if (!VisibleThinLine(x0, y0, x1, y1, 0, 0, Width(), Height(), run)) return;
  PaintThinLine(run, Bits(), stride_, ToQRgb(penColour_));
}

void ImageCanvas::WideLine(int x0, int y0, int x1, int y1) {
  if (image_.isNull()) return;
  ++edits_;
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
  DrawWideLine(painter, penWidth_, image_.width(), image_.height(), x0, y0, x1, y1);
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
  if (left == 0 && top == 0 && right == width_ && bottom == height_) {
    log_ = TraceLog(brushColour_);
    logValid_ = true;
    logEdits_ = edits_;
  }
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
  if (left == 0 && top == 0 && right == width_ && bottom == height_ && width_ == source.Width() &&
      height_ == source.Height()) {
    const std::optional<TraceLog> log = source.HeldLog();
    logValid_ = log.has_value();
    if (log) log_ = *log;
    logEdits_ = edits_;
  }
}

Colour ImageCanvas::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return FromQRgb(Image().pixel(x, y));
}

}  // namespace ui
