#pragma once
#include <algorithm>
#include <cstdint>

// The drawing area's 1-pixel line, shared by the picture and the exports
// that must match it. Pixel i (0 <= i < n, n the longer of |dx| and |dy|)
// lies i steps along the major axis and floor((2*i*a + n) / (2*n)) steps along
// the minor one, a the shorter extent: the nearest pixel, ties away from the
// start. The end pixel is left out. Coordinates may go beyond 32 bits, as a
// large export's scaled pixels do.

// The pixels of a line that fall in a box: `count` of them from (x, y), in
// steps of the major axis, `r` counting towards the next minor step.
struct ThinLineRun {
  bool xMajor = true;
  int sx = 1, sy = 1;
  int64_t x = 0, y = 0, count = 0, r = 0, twoA = 0, twoN = 0;
};

namespace thin_line_detail {
using Wide = __int128;

inline Wide CeilDiv(Wide a, Wide b) {  // b > 0
  Wide q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return q;
}
}  // namespace thin_line_detail

// The run of the line from (x0, y0) to (x1, y1) inside the box
// [left, left + width) x [top, top + height); false when none of it is.
inline bool VisibleThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t left,
                            int64_t top, int64_t width, int64_t height, ThinLineRun& run) {
  using thin_line_detail::CeilDiv;
  using thin_line_detail::Wide;
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady;
  const int64_t a = xMajor ? ady : adx;
  if (n == 0 || width <= 0 || height <= 0) return false;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;

  int64_t first = 0, count = n;  // the visible pixels i in [first, first + count)
  int64_t k = 0, r = n;          // minor steps at `first` and the remainder, out of 2n
  const int64_t bx0 = x0 - left, by0 = y0 - top, bx1 = x1 - left, by1 = y1 - top;
  const bool inside = uint64_t(bx0) < uint64_t(width) && uint64_t(by0) < uint64_t(height) &&
                      uint64_t(bx1) < uint64_t(width) && uint64_t(by1) < uint64_t(height);
  if (!inside) {
    const int64_t p0 = xMajor ? bx0 : by0, m0 = xMajor ? by0 : bx0;
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
    if (lo > hi) return false;
    // The minor steps k(i) that stay inside, k(i) being nondecreasing.
    const int64_t kLo = minorSign > 0 ? -m0 : m0 - (minorSize - 1);
    const int64_t kHi = minorSign > 0 ? minorSize - 1 - m0 : m0;
    if (a == 0) {
      if (kLo > 0 || kHi < 0) return false;
    } else {
      const Wide twoN = Wide{2} * n, twoA = Wide{2} * a;
      // k(i) >= kLo  <=>  i >= (2n*kLo - n) / 2a
      const Wide iLo = CeilDiv(twoN * kLo - n, twoA);
      // k(i) <= kHi  <=>  i < (2n*kHi + n) / 2a
      const Wide iHi = CeilDiv(twoN * kHi + n, twoA) - 1;
      if (iLo > lo) lo = iLo > hi ? hi + 1 : static_cast<int64_t>(iLo);
      if (iHi < hi) hi = iHi < lo ? lo - 1 : static_cast<int64_t>(iHi);
      if (lo > hi) return false;
    }
    first = lo;
    count = hi - lo + 1;
    const Wide numerator = Wide{2} * first * a + n;
    k = static_cast<int64_t>(numerator / (Wide{2} * n));
    r = static_cast<int64_t>(numerator % (Wide{2} * n));
  }
  run.xMajor = xMajor;
  run.sx = sx;
  run.sy = sy;
  run.x = x0 + (xMajor ? first : k) * sx;
  run.y = y0 + (xMajor ? k : first) * sy;
  run.count = count;
  run.r = r;
  run.twoA = 2 * a;
  run.twoN = 2 * n;
  return true;
}

// Sets a run's pixels, all inside the image, in 32-bit pixels `stride` a row.
inline void PaintThinLine(const ThinLineRun& run, uint32_t* bits, int64_t stride, uint32_t colour) {
  const int64_t majorStep = run.xMajor ? run.sx : run.sy * stride;
  const int64_t minorStep = run.xMajor ? run.sy * stride : run.sx;
  const int64_t twoA = run.twoA, twoN = run.twoN;
  int64_t r = run.r;
  int64_t offset = run.y * stride + run.x;
  for (int64_t c = run.count; c > 0; --c) {
    bits[offset] = colour;
    offset += majorStep;
    r += twoA;
    const bool carry = r >= twoN;
    r -= carry ? twoN : 0;
    offset += carry ? minorStep : 0;
  }
}
