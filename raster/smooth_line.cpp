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

void SmoothLine::Segment(double x0, double y0, double x1, double y1) {
  // Most segments of a band's neighbours miss it: leave them at once.
  const double margin = halfWidth_ + 1;
  if (std::max(y0, y1) + margin < top_ || std::min(y0, y1) - margin > bottom_) return;
  const double dx = x1 - x0, dy = y1 - y0;
  const double length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length) || halfWidth_ <= 0) return;
  const double ux = dx / length, uy = dy / length;
  // Pixel centres nearer the line's middle than `reach` get some coverage.
  const double reach = halfWidth_ + 0.5;
  const double spreadY = std::abs(ux) * reach;
  const double minY = std::min(y0, y1) - spreadY, maxY = std::max(y0, y1) + spreadY;
  const int firstRow = std::max<double>(top_, std::ceil(minY - 0.5));
  const int lastRow = std::min<double>(bottom_ - 1, std::floor(maxY - 0.5));
  const double spreadX = std::abs(uy) * reach;
  const int minColumn = std::max<double>(0, std::ceil(std::min(x0, x1) - spreadX - 0.5));
  const int maxColumn = std::min<double>(width_ - 1, std::floor(std::max(x0, x1) + spreadX - 0.5));
  if (firstRow > lastRow || minColumn > maxColumn) return;
  const float h = static_cast<float>(halfWidth_);
  for (int row = firstRow; row <= lastRow; ++row) {
    const double cy = row + 0.5 - y0;
    // The centres of this row within `reach` of the line and along its
    // stretch: both conditions are linear in x, so they cut out one run.
    double from = minColumn + 0.5 - x0, to = maxColumn + 0.5 - x0;
    auto within = [&](double a, double b, double lo, double hi) {
      // lo <= a * x + b <= hi
      if (a == 0) {
        if (b < lo || b > hi) from = 1, to = 0;
        return;
      }
      double p = (lo - b) / a, q = (hi - b) / a;
      if (p > q) std::swap(p, q);
      from = std::max(from, p - 1e-9);
      to = std::min(to, q + 1e-9);
    };
    within(-uy, cy * ux, -reach, reach);
    within(ux, cy * uy, 0, length);
    if (from > to) continue;
    const int begin = std::max<double>(minColumn, std::ceil(x0 + from - 0.5));
    const int end = std::min<double>(maxColumn, std::floor(x0 + to - 0.5));
    uint32_t* const line = bits_ + static_cast<std::ptrdiff_t>(row) * stride_;
    for (int column = begin; column <= end; ++column) {
      const double cx = column + 0.5 - x0;
      const double along = cx * ux + cy * uy;
      if (along < 0 || along >= length) continue;
      const float across = static_cast<float>(std::abs(cx * -uy + cy * ux));
      const float coverage = std::min(across + 0.5f, h) - std::max(across - 0.5f, -h);
      if (coverage > 0) Blend(line[column], coverage);
    }
  }
}
