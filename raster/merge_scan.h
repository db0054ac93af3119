#pragma once
#include <cstddef>

#include "raster/banded_lines.h"

// Segments much shorter than a pixel (a dense pattern at Fit) cost their
// setup many times over what they draw: consecutive ones are drawn as one
// while together they stay shorter than kMergeLength device pixels and the
// points between stay within kMergeTolerance of the chord.
inline constexpr double kMergeLength = 1.0;
inline constexpr double kMergeTolerance = 1.0 / 32;

// Where a run's coordinate lands, in device pixels.
inline double Placed(float v, double scale, double origin) {
  return origin + v * scale;
}

// Whether P lengthens the pending segment from A to B: P differs from B,
// lies within kMergeLength of A, and B lies within kMergeTolerance of the
// chord A-P. Points as given (picture pixels); `scale` device pixels to
// one. Worked in single precision, as LengtheningPoints does it.
bool Lengthens(float px, float py, float ax, float ay, float bx, float by, float scale);

// How many of the points from `xy` on (at most `count`) lengthen the pending
// segment from A to B one after another, each becoming the new B. A NaN
// point, or one equal to B, ends the count. Four points are tried at a time,
// each against the point before it, with the arithmetic of Lengthens.
size_t LengtheningPoints(const float* xy, size_t count, float scale, float ax, float ay, float bx,
                         float by);
