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
// Columns beyond which a row's run is cut to the line rather than the box.
constexpr int kNarrowBox = -1;
}  // namespace

void SmoothLine::Segment(double x0, double y0, double x1, double y1) {
  // Most segments of a band's neighbours miss it: leave them at once.
  const double margin = halfWidth_ + 1;
  if (!(std::max(y0, y1) + margin >= top_ && std::min(y0, y1) - margin <= bottom_)) return;
  const double dx = x1 - x0, dy = y1 - y0;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0) || !(length < 1e300) || halfWidth_ <= 0) return;
  const double inverse = 1 / length;
  const double ux = dx * inverse, uy = dy * inverse;
  // Pixel centres nearer the line's middle than `reach` get some coverage.
  const double reach = halfWidth_ + 0.5;
  const double spreadY = std::abs(ux) * reach, spreadX = std::abs(uy) * reach;
  const int firstRow = CeilWithin(std::min(y0, y1) - spreadY - 0.5, top_, bottom_);
  const int lastRow = FloorWithin(std::max(y0, y1) + spreadY - 0.5, top_ - 1, bottom_ - 1);
  const int firstColumn = CeilWithin(std::min(x0, x1) - spreadX - 0.5, 0, width_);
  const int lastColumn = FloorWithin(std::max(x0, x1) + spreadX - 0.5, -1, width_ - 1);
  if (firstRow > lastRow || firstColumn > lastColumn) return;
  const float h = static_cast<float>(halfWidth_);
  const bool narrow = lastColumn - firstColumn <= kNarrowBox;
  const double acrossPerX = uy != 0 ? 1 / -uy : 0, alongPerX = ux != 0 ? 1 / ux : 0;
  for (int row = firstRow; row <= lastRow; ++row) {
    const double cy = row + 0.5 - y0;
    int begin = firstColumn, end = lastColumn;
    if (!narrow) {
      // The centres of this row within `reach` of the line and along its
      // stretch: both conditions are linear in x, so they cut out one run.
      double from = begin + 0.5 - x0, to = end + 0.5 - x0;
      auto within = [&](double per, double at, double lo, double hi) {
        // lo <= (x - at) / per <= hi
        const double p = at + lo * per, q = at + hi * per;
        from = std::max(from, std::min(p, q) - 1e-6);
        to = std::min(to, std::max(p, q) + 1e-6);
      };
      if (uy != 0) within(acrossPerX, -cy * ux * acrossPerX, -reach, reach);
      if (ux != 0) within(alongPerX, -cy * uy * alongPerX, 0, length);
      if (from > to) continue;
      begin = CeilWithin(x0 + from - 0.5, firstColumn, lastColumn + 1);
      end = FloorWithin(x0 + to - 0.5, firstColumn - 1, lastColumn);
    }
    uint32_t* const line = bits_ + static_cast<std::ptrdiff_t>(row) * stride_;
    const double alongY = cy * uy, acrossY = cy * ux;
    for (int column = begin; column <= end; ++column) {
      const double cx = column + 0.5 - x0;
      const double along = cx * ux + alongY;
      if (along < 0 || along >= length) continue;
      const float across = static_cast<float>(std::abs(acrossY - cx * uy));
      const float coverage = std::min(across + 0.5f, h) - std::max(across - 0.5f, -h);
      if (coverage > 0) Blend(line[column], coverage);
    }
  }
}
