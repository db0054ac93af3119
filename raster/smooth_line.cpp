#include "raster/smooth_line.h"

#include <algorithm>
#include <cmath>

void SmoothLine::SetPen(uint32_t colour, double width) {
  colour_ = colour;
  halfWidth_ = std::max(0.0, width) / 2;
}

void SmoothLine::Blend(uint32_t& pixel, float coverage) const {
  const int alpha = std::min(256, static_cast<int>(coverage * 256.0f + 0.5f));
  if (alpha <= 0) return;
  const uint32_t p = pixel, s = colour_;
  auto channel = [&](int shift) {
    const int d = static_cast<int>((p >> shift) & 0xFF), c = static_cast<int>((s >> shift) & 0xFF);
    return static_cast<uint32_t>(d + (((c - d) * alpha) >> 8)) << shift;
  };
  pixel = 0xFF000000u | channel(16) | channel(8) | channel(0);
}

namespace {
// floor(v) and ceil(v) held to [lo, hi], without a library call; NaN gives lo.
int FloorWithin(double v, int lo, int hi) {
  if (!(v > lo)) return lo;
  if (v >= hi) return hi;
  const int i = static_cast<int>(v);
  return i > v ? i - 1 : i;
}
int CeilWithin(double v, int lo, int hi) {
  if (!(v > lo)) return lo;
  if (v >= hi) return hi;
  const int i = static_cast<int>(v);
  return i < v ? i + 1 : i;
}
// The least cosine between a slanted cut's normal and its segment.
constexpr double kLeastCosine = 0.7;
}  // namespace

void SmoothLine::Segment(double x0, double y0, double x1, double y1) {
  Segment(x0, y0, x1, y1, {}, {});
}

void SmoothLine::Segment(double x0, double y0, double x1, double y1, const Cut& start,
                         const Cut& end) {
  // Most segments of a band's neighbours miss it: leave them at once.
  const double reach = halfWidth_ + 0.5;
  const double margin = reach + reach / kLeastCosine + 1;
  if (!(std::max(y0, y1) + margin >= top_ && std::min(y0, y1) - margin <= bottom_)) return;
  const double dx = x1 - x0, dy = y1 - y0;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0) || !(length < 1e300) || halfWidth_ <= 0) return;
  const double inverse = 1 / length;
  const double ux = dx * inverse, uy = dy * inverse;
  // The directions the ends face: past the start, not yet past the end. A
  // cut slanted further than the segment's own bounds allow is cut square.
  auto slanted = [&](const Cut& cut) {
    const double along = cut.x * ux + cut.y * uy;
    return !cut.square && along > 0 &&
           along * along > kLeastCosine * kLeastCosine * (cut.x * cut.x + cut.y * cut.y);
  };
  const bool slantedStart = slanted(start), slantedEnd = slanted(end);
  const double sx = slantedStart ? start.x : ux, sy = slantedStart ? start.y : uy;
  const double ex = slantedEnd ? end.x : ux, ey = slantedEnd ? end.y : uy;
  // Pixel centres nearer the line's middle than `reach` get some coverage;
  // a slanted cut reaches at most `reach` / kLeastCosine further along.
  const double pad = slantedStart || slantedEnd ? reach / kLeastCosine : 0;
  const double spreadY = std::abs(ux) * reach + pad, spreadX = std::abs(uy) * reach + pad;
  const int firstRow = CeilWithin(std::min(y0, y1) - spreadY - 0.5, top_, bottom_);
  const int lastRow = FloorWithin(std::max(y0, y1) + spreadY - 0.5, top_ - 1, bottom_ - 1);
  const int firstColumn = CeilWithin(std::min(x0, x1) - spreadX - 0.5, 0, width_);
  const int lastColumn = FloorWithin(std::max(x0, x1) + spreadX - 0.5, -1, width_ - 1);
  if (firstRow > lastRow || firstColumn > lastColumn) return;
  const float h = static_cast<float>(halfWidth_);
  for (int row = firstRow; row <= lastRow; ++row) {
    const double cy = row + 0.5 - y0, cy1 = row + 0.5 - y1;
    // The centres of this row within `reach` of the line and between its
    // ends: each condition is linear in x, so together they cut out one run.
    double from = firstColumn + 0.5 - x0 - 1e-6, to = lastColumn + 0.5 - x0 + 1e-6;
    // a * x + b >= 0, x measured from x0.
    auto atLeast = [&](double a, double b) {
      if (a > 0) {
        from = std::max(from, -b / a - 1e-6);
      } else if (a < 0) {
        to = std::min(to, -b / a + 1e-6);
      } else if (b < -1e-9) {
        from = 1, to = 0;
      }
    };
    const double across = cy * ux;  // the distance is across - x * uy
    atLeast(-uy, across + reach);
    atLeast(uy, reach - across);
    atLeast(sx, cy * sy);
    atLeast(-ex, -(cy1 * ey - dx * ex));
    if (from > to) continue;
    const int begin = CeilWithin(x0 + from - 0.5, firstColumn, lastColumn + 1);
    const int finish = FloorWithin(x0 + to - 0.5, firstColumn - 1, lastColumn);
    uint32_t* const line = bits_ + static_cast<std::ptrdiff_t>(row) * stride_;
    const double startY = cy * sy, endY = cy1 * ey;
    for (int column = begin; column <= finish; ++column) {
      // Measured from each end as the neighbour sharing it measures, so
      // that a pixel falls on exactly one side of a shared cut.
      const double cx = column + 0.5 - x0, cx1 = column + 0.5 - x1;
      if (cx * sx + startY < 0 || cx1 * ex + endY >= 0) continue;
      const float distance = static_cast<float>(std::abs(across - cx * uy));
      const float coverage = std::min(distance + 0.5f, h) - std::max(distance - 0.5f, -h);
      if (coverage > 0) Blend(line[column], coverage);
    }
  }
}
