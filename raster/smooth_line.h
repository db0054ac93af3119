#pragma once
#include <cstdint>

// Antialiased lines of any width with flat ends, drawn source-over onto the
// rows [top, bottom) of an opaque 32-bit image (0xFFRRGGBB). A pixel's
// coverage is the box filter across the line times ownership along it: the
// pixel belongs to the segment whose stretch [0, length) its centre falls
// in, so segments joined end to end share no pixel and leave no dots at
// the joins. Each pixel's value depends only on the segments, never on the
// rows drawn, so bands drawn apart make the same picture.
class SmoothLine {
 public:
  // `bits` is the image's first row, `stride` its row length in pixels.
  SmoothLine(uint32_t* bits, int stride, int width, int top, int bottom)
      : bits_(bits), stride_(stride), width_(width), top_(top), bottom_(bottom) {}

  // An opaque colour 0xFFRRGGBB and the line's width in device pixels.
  void SetPen(uint32_t colour, double width);
  // Device pixels; a segment of length 0 draws nothing.
  void Segment(double x0, double y0, double x1, double y1);

 private:
  void Blend(uint32_t& pixel, float coverage) const;

  uint32_t* bits_;
  int stride_, width_, top_, bottom_;
  uint32_t colour_ = 0xFF000000u;
  double halfWidth_ = 0.5;
};
