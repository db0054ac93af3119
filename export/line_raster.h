#pragma once
#include <QImage>
#include <QPointF>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/colour.h"

class QPainter;

namespace exporting {

// Lines drawn into an image exactly as the drawing area draws them: a 1-pixel
// pen sets the nearest pixel of each major step, the end pixel left out;
// wider pens are QPainter's aliased round-capped lines, a far end first cut
// at a box well beyond the image. Coordinates may go beyond 32 bits, as a
// large export's scaled pixels do.
class LineRaster {
 public:
  // `image` is Format_RGB32 or Format_ARGB32_Premultiplied, and outlives this.
  explicit LineRaster(QImage& image);
  ~LineRaster();
  LineRaster(const LineRaster&) = delete;
  LineRaster& operator=(const LineRaster&) = delete;

  void SetPen(Colour colour, int width);
  int PenWidth() const { return penWidth_; }

  void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  // One stroke along the points, with round joins: far quicker than a line a
  // segment for a wide pen, though not the same pixels at the joins. The
  // points must lie within the box of WideLineMargin().
  void Polyline(const std::vector<QPointF>& points);
  // Wide lines are cut at this box: [-margin, side + margin] both ways.
  double WideLineMargin() const { return 1024.0 + penWidth_; }

  // Ends the painter, so that the image holds everything drawn.
  void Finish();

 private:
  void ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  void WideLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  QPainter& Painter();

  QImage& image_;
  std::unique_ptr<QPainter> painter_;
  uint32_t* bits_ = nullptr;
  int64_t width_ = 0, height_ = 0;
  int64_t stride_ = 0;  // in pixels
  uint32_t argb_ = 0xFF000000;
  int penWidth_ = 1;
};

// 0xFFrrggbb of a colour value 0x00BBGGRR.
inline uint32_t OpaqueArgb(Colour colour) {
  return 0xFF000000u | (static_cast<uint32_t>(RedOf(colour)) << 16) |
         (static_cast<uint32_t>(GreenOf(colour)) << 8) | static_cast<uint32_t>(BlueOf(colour));
}

}  // namespace exporting
