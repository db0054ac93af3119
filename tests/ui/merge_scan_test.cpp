// The bands skip four points at a time through a dense trace's sub-pixel
// segments; the points they skip, and where they stop, must be those of
// taking the points one by one, in the same single-precision arithmetic.
#include "raster/merge_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

size_t OneByOne(const float* xy, size_t count, float scale, float ax, float ay, float bx,
                float by) {
  for (size_t k = 0; k < count; ++k) {
    const float x = xy[2 * k], y = xy[2 * k + 1];
    if (x == bx && y == by) return k;
    const float dx = (x - ax) * scale, dy = (y - ay) * scale;
    const float squared = dx * dx + dy * dy;
    if (!(squared <= static_cast<float>(kMergeLength * kMergeLength))) return k;
    const float cross = (bx - ax) * scale * dy - (by - ay) * scale * dx;
    if (!(cross * cross <= static_cast<float>(kMergeTolerance * kMergeTolerance) * squared))
      return k;
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
    const float scale = trial % 3 == 0 ? 1.0f : 2.25f;
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
    const float ax = startX, ay = startY, bx = ax + 0.005f, by = ay;
    const size_t count = xy.size() / 2;
    const size_t expected = OneByOne(xy.data(), count, scale, ax, ay, bx, by);
    ASSERT_EQ(LengtheningPoints(xy.data(), count, scale, ax, ay, bx, by), expected)
        << "trial " << trial;
    if (expected == count) {
      ++stops[4];
    } else {
      const float* p = xy.data() + 2 * expected;
      const float dx = (p[0] - ax) * scale, dy = (p[1] - ay) * scale;
      ++stops[std::isnan(p[0]) || std::isnan(p[1])             ? 3
              : dx * dx + dy * dy > 1                          ? 0
              : expected > 0 && p[0] == p[-2] && p[1] == p[-1] ? 2
                                                               : 1];
    }
    for (size_t k = 0; k < count; ++k) {
      const float* p = xy.data() + 2 * k;
      const float* before = k > 0 ? p - 2 : nullptr;
      EXPECT_EQ(
          Lengthens(p[0], p[1], ax, ay, before ? before[0] : bx, before ? before[1] : by, scale),
          OneByOne(p, 1, scale, ax, ay, before ? before[0] : bx, before ? before[1] : by) == 1)
          << "trial " << trial << " point " << k;
    }
  }
  // Every way to stop came up, and stopping at the end.
  for (int why = 0; why < 5; ++why) EXPECT_GT(stops[why], 20) << "stop " << why;
}

}  // namespace
