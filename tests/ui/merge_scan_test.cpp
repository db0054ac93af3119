// The bands skip four points at a time through a dense trace's sub-pixel
// segments; the points they skip, and where they stop, must be those of
// taking the points one by one.
#include "raster/merge_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

size_t OneByOne(const float* xy, size_t count, const LinePlacement& placement, double ax, double ay,
                double bx, double by) {
  for (size_t k = 0; k < count; ++k) {
    const double x = placement.originX + xy[2 * k] * placement.scale;
    const double y = placement.originY + xy[2 * k + 1] * placement.scale;
    if (x == bx && y == by) return k;
    const double dx = x - ax, dy = y - ay, squared = dx * dx + dy * dy;
    if (!(squared <= kMergeLength * kMergeLength)) return k;
    const double cross = (bx - ax) * dy - (by - ay) * dx;
    if (!(cross * cross <= kMergeTolerance * kMergeTolerance * squared)) return k;
    bx = x, by = y;
  }
  return count;
}

TEST(MergeScan, StopsWhereTakingThePointsOneByOneStops) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<float> unit(0, 1);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  int stops[5] = {};  // by why: length, bend, repeat, NaN, end
  for (int trial = 0; trial < 5000; ++trial) {
    const LinePlacement placement{trial % 3 == 0 ? 1.0 : 2.25, trial % 2 ? 0.5 : 30.0, 7.0};
    // A bending walk from A in steps of 1/200 picture pixel, which after
    // some steps leaves the merge length, steps aside, repeats a point or
    // breaks.
    std::vector<float> xy;
    const float startX = 100 + 50 * unit(random), startY = 80 + 50 * unit(random);
    float heading = 6.28f * unit(random), x = startX, y = startY;
    const float bend = trial % 4 == 0 ? 0.2f : 0.002f;
    const size_t length = 1 + random() % 300;
    // A step aside, after which the point before lies off the chord.
    const size_t aside = trial % 5 == 3 ? 20 + random() % 60 : length;
    for (size_t k = 0; k < length; ++k) {
      heading += bend * (unit(random) - 0.5f);
      x += 0.005f * std::cos(heading), y += 0.005f * std::sin(heading);
      if (k == aside) x -= 0.1f * std::sin(heading), y += 0.1f * std::cos(heading);
      xy.insert(xy.end(), {x, y});
    }
    const size_t at = random() % length;
    switch (trial % 5) {
      case 1:  // a repeated point
        if (at > 0) xy[2 * at] = xy[2 * at - 2], xy[2 * at + 1] = xy[2 * at - 1];
        break;
      case 2:
        xy[2 * at + (trial & 1)] = nan;
        break;
      default:
        break;
    }
    const double ax = placement.originX + startX * placement.scale;
    const double ay = placement.originY + startY * placement.scale;
    const double bx = ax + 0.01, by = ay;
    const size_t count = xy.size() / 2;
    const size_t expected = OneByOne(xy.data(), count, placement, ax, ay, bx, by);
    ASSERT_EQ(LengtheningPoints(xy.data(), count, placement, ax, ay, bx, by), expected)
        << "trial " << trial;
    if (expected == count) {
      ++stops[4];
    } else {
      const float* p = xy.data() + 2 * expected;
      const double px = placement.originX + p[0] * placement.scale;
      const double dx = px - ax, dy = placement.originY + p[1] * placement.scale - ay;
      ++stops[std::isnan(p[0]) || std::isnan(p[1])             ? 3
              : dx * dx + dy * dy > 1                          ? 0
              : expected > 0 && p[0] == p[-2] && p[1] == p[-1] ? 2
                                                               : 1];
    }
  }
  // Every way to stop came up, and stopping at the end.
  for (int why = 0; why < 5; ++why) EXPECT_GT(stops[why], 20) << "stop " << why;
}

}  // namespace
