#pragma once

// The drawing area is a square of this many pixels; the curve's origin sits
// at its centre.
inline constexpr int kDrawingAreaSize = 640;
