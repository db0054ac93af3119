#include "raster/merge_scan.h"

namespace {

bool Lengthens(double x, double y, double ax, double ay, double bx, double by) {
  const double dx = x - ax, dy = y - ay, squared = dx * dx + dy * dy;
  const double cross = (bx - ax) * dy - (by - ay) * dx;
  // Each comparison is false for NaN.
  return (x != bx || y != by) && squared <= kMergeLength * kMergeLength &&
         cross * cross <= kMergeTolerance * kMergeTolerance * squared;
}

}  // namespace

size_t LengtheningPoints(const float* xy, size_t count, const LinePlacement& placement, double ax,
                         double ay, double bx, double by) {
  const double scale = placement.scale, ox = placement.originX, oy = placement.originY;
  size_t k = 0;
  // A dense trace lengthens tens of segments in a row: four at a time, with
  // no branch between them and each point's B known without waiting for
  // the point before to be decided.
  for (; k + 4 <= count; k += 4) {
    const float* p = xy + 2 * k;
    double x[4], y[4];
    for (int j = 0; j < 4; ++j) {
      x[j] = Placed(p[2 * j], scale, ox);
      y[j] = Placed(p[2 * j + 1], scale, oy);
    }
    const bool first = Lengthens(x[0], y[0], ax, ay, bx, by);
    const bool second = Lengthens(x[1], y[1], ax, ay, x[0], y[0]);
    const bool third = Lengthens(x[2], y[2], ax, ay, x[1], y[1]);
    const bool fourth = Lengthens(x[3], y[3], ax, ay, x[2], y[2]);
    if (!(first & second & third & fourth)) {
      return k + (!first ? 0 : !second ? 1 : !third ? 2 : 3);
    }
    bx = x[3], by = y[3];
  }
  for (; k < count; ++k) {
    const double x = Placed(xy[2 * k], scale, ox), y = Placed(xy[2 * k + 1], scale, oy);
    if (!Lengthens(x, y, ax, ay, bx, by)) break;
    bx = x, by = y;
  }
  return k;
}
