#include "raster/merged_strokes.h"

#include <utility>

namespace {
// Joins sharper than this (the cosine of the turn) are cut square.
constexpr double kLeastCosine = 0.1;
}  // namespace

SmoothLine::Cut CutBetween(double ax, double ay, double bx, double by, double cx, double cy) {
  const double abx = bx - ax, aby = by - ay, bcx = cx - bx, bcy = cy - by;
  const double ab = std::sqrt(abx * abx + aby * aby), bc = std::sqrt(bcx * bcx + bcy * bcy);
  SmoothLine::Cut cut;
  if (abx * bcx + aby * bcy >= kLeastCosine * ab * bc)
    cut = {abx / ab + bcx / bc, aby / ab + bcy / bc, false};
  return cut;
}

void StrokeWriter::Add(const float* xy, size_t count) {
  if (count == 0) return;
  scan_.Add(xy, count);
  given_ += count;
  lastX_ = xy[2 * count - 2], lastY_ = xy[2 * count - 1];
}

std::vector<float> StrokeWriter::Take(std::vector<float> storage) {
  scan_.Flush();
  storage.clear();
  std::vector<float> strokes = std::exchange(strokes_, std::move(storage));
  given_ = 0;
  const float last[2] = {lastX_, lastY_};
  scan_.Add(last, 1);
  return strokes;
}

void StrokeWriter::Open(const ScanPoint& a) {
  if (open_) return;
  Put(a.givenX, a.givenY);
  open_ = true;
}

SmoothLine::Cut StrokeWriter::Turn(const ScanPoint& a, const ScanPoint& b, const ScanPoint& c,
                                   const SmoothLine::Cut&) {
  Open(a);
  Put(b.givenX, b.givenY);
  Put(c.givenX, c.givenY);
  return {};
}

void StrokeWriter::End(const ScanPoint& a, const ScanPoint& b, const SmoothLine::Cut&) {
  Open(a);
  Put(b.givenX, b.givenY);
  Put(kBreak, kBreak);
  open_ = false;
}

void DrawStrokes(SmoothLine& line, const float* xy, size_t count, const LinePlacement& placement) {
  const double scale = placement.scale, ox = placement.originX, oy = placement.originY;
  size_t first = 0;
  while (first < count) {
    size_t end = first;
    while (end < count && !std::isnan(xy[2 * end])) ++end;
    const float* s = xy + 2 * first;
    const size_t n = end - first;
    if (n >= 2) {
      double ax = Placed(s[0], scale, ox), ay = Placed(s[1], scale, oy);
      SmoothLine::Cut start;
      for (size_t k = 1; k + 1 < n; k += 2) {
        const double bx = Placed(s[2 * k], scale, ox), by = Placed(s[2 * k + 1], scale, oy);
        const double cx = Placed(s[2 * k + 2], scale, ox), cy = Placed(s[2 * k + 3], scale, oy);
        const SmoothLine::Cut cut = CutBetween(ax, ay, bx, by, cx, cy);
        line.Segment(ax, ay, bx, by, start, cut);
        start = cut;
        ax = bx, ay = by;
      }
      line.Segment(ax, ay, Placed(s[2 * n - 2], scale, ox), Placed(s[2 * n - 1], scale, oy), start,
                   {});
    }
    first = end + 1;
  }
}
