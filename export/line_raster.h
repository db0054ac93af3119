#pragma once
#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/colour.h"

class QPainter;

namespace exporting {

// Lines drawn into an image the way the drawing area draws them: a 1-pixel
// pen sets the nearest pixel of each major step, the end pixel left out;
// wider pens are QPainter's aliased round-capped lines, a far end first cut
// at a box well beyond the image. Coordinates may go beyond 32 bits, as a
// large export's scaled pixels do.
class LineRaster {
 public:
  // Wide pens: exactly the drawing area's QPainter lines, or the 1-pixel line
  // widened by a disc of the pen's width, which costs a few pixels a step
  // whatever the width and so suits large images.
  enum class WidePen { Screen, Disc };

  // `image` is Format_RGB32 or Format_ARGB32_Premultiplied, and outlives this.
  explicit LineRaster(QImage& image);
  ~LineRaster();
  LineRaster(const LineRaster&) = delete;
  LineRaster& operator=(const LineRaster&) = delete;

  void SetPen(Colour colour, int width, WidePen widePen = WidePen::Screen);
  int PenWidth() const { return penWidth_; }

  void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1);

  // Ends the painter, so that the image holds everything drawn.
  void Finish();

 private:
  void ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  void WideLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  void DiscLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
  void Stamp(int64_t x, int64_t y);
  QPainter& Painter();

  // A pen's disc as rows of pixels [from, to) about its centre pixel, and
  // for each of the eight neighbouring steps the rows it adds.
  struct Disc {
    struct Span {
      int64_t dy, from, to;
    };
    int64_t reach = 0;
    std::vector<Span> full;
    std::array<std::vector<Span>, 9> added;
    void Make(int width);
  };

  QImage& image_;
  std::unique_ptr<QPainter> painter_;
  uint32_t* bits_ = nullptr;
  int64_t width_ = 0, height_ = 0;
  int64_t stride_ = 0;  // in pixels
  uint32_t argb_ = 0xFF000000;
  int penWidth_ = 1;
  WidePen widePen_ = WidePen::Screen;
  Disc disc_;
  bool haveLast_ = false;
  int64_t lastX_ = 0, lastY_ = 0;
};

// 0xFFrrggbb of a colour value 0x00BBGGRR.
inline uint32_t OpaqueArgb(Colour colour) {
  return 0xFF000000u | (static_cast<uint32_t>(RedOf(colour)) << 16) |
         (static_cast<uint32_t>(GreenOf(colour)) << 8) | static_cast<uint32_t>(BlueOf(colour));
}

}  // namespace exporting
