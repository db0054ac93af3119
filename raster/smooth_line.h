#pragma once
#include <cstdint>

// Antialiased lines of any width with flat ends, drawn source-over onto the
// rows [top, bottom) of an opaque 32-bit image (0xFFRRGGBB). A pixel's
// coverage is the box filter across the line times ownership along it: the
// pixel belongs to the segment between whose ends its centre lies, so
// segments joined end to end with a shared cut share no pixel and leave no
// dots at the joins. Each pixel's value depends only on the segments, never on the
// rows drawn, so bands drawn apart make the same picture.
class SmoothLine {
 public:
  // `bits` is the image's first row, `stride` its row length in pixels.
  SmoothLine(uint32_t* bits, int stride, int width, int top, int bottom)
      : bits_(bits), stride_(stride), width_(width), top_(top), bottom_(bottom) {}

  // An opaque colour 0xFFRRGGBB and the line's width in device pixels.
  void SetPen(uint32_t colour, double width);
  // Where a segment ends: square to it, or along a line shared with the
  // segment joined there, whose normal (x, y) points along the line drawn.
  // Two segments that share a cut share no pixel and leave none out, however
  // sharply the line turns there (within 90 degrees).
  struct Cut {
    double x = 0, y = 0;
    bool square = true;
  };
  // Device pixels; a segment of length 0 draws nothing.
  void Segment(double x0, double y0, double x1, double y1);
  void Segment(double x0, double y0, double x1, double y1, const Cut& start, const Cut& end);

 private:
  void Blend(uint32_t& pixel, float coverage) const;

  uint32_t* bits_;
  int stride_, width_, top_, bottom_;
  uint32_t colour_ = 0xFF000000u;
  double halfWidth_ = 0.5;
};
