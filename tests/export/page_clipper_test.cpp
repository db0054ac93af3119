// The page clipper on hand-worked polylines: what each stretch holds and
// where a crossing lands.
#include "export/page_clipper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ScreenPoint = engine::Curve::ScreenPoint;
using exporting::PageClipper;

struct Recorder {
  std::vector<std::vector<ScreenPoint>> stretches;
  bool open = false;
  void Point(const ScreenPoint& p) {
    if (!open) stretches.emplace_back();
    open = true;
    stretches.back().push_back(p);
  }
  void EndStretch() {
    EXPECT_TRUE(open) << "a stretch ended that never began";
    open = false;
  }
};

std::vector<std::vector<ScreenPoint>> Clip(const std::vector<ScreenPoint>& line,
                                           long double side = 10) {
  Recorder recorder;
  PageClipper<Recorder> page(side, recorder);
  for (const ScreenPoint& p : line) page.Add(p);
  page.Finish();
  EXPECT_FALSE(recorder.open);
  return recorder.stretches;
}

void ExpectPoint(const ScreenPoint& p, long double x, long double y) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
}

TEST(PageClipper, PointsOnThePageGoOnUnchanged) {
  const std::vector<ScreenPoint> line = {{0, 0}, {10, 0}, {10, 10}, {3.25L, 7.125L}, {0, 10}};
  const auto stretches = Clip(line);
  ASSERT_EQ(stretches.size(), 1u);
  ASSERT_EQ(stretches[0].size(), line.size());
  for (size_t i = 0; i < line.size(); ++i) ExpectPoint(stretches[0][i], line[i].x, line[i].y);
}

// Out through the right edge, back through the corner at (0, 10): the
// segment (12, 8) - (-2, 12) crosses x = 10 at y = 8 + 2/14 * 4 and leaves
// through x = 0 at y = 8 + 12/14 * 4, past the bottom edge, so it ends at
// the bottom edge where t = 2/4.
TEST(PageClipper, ASegmentLeavingEndsAtTheEdgeAndTheLineResumesWhereItReturns) {
  const auto stretches = Clip({{5, 5}, {15, 5}, {12, 8}, {-2, 12}, {5, 15}, {5, 9}, {6, 9}});
  ASSERT_EQ(stretches.size(), 3u);
  ASSERT_EQ(stretches[0].size(), 2u);
  ExpectPoint(stretches[0][0], 5, 5);
  ExpectPoint(stretches[0][1], 10, 5);
  // Enters through the right edge and leaves through the bottom one.
  ASSERT_EQ(stretches[1].size(), 2u);
  EXPECT_EQ(stretches[1][0].x, 10);
  EXPECT_NEAR(stretches[1][0].y, 8 + 4.0L * 2 / 14, 1e-15L);
  EXPECT_NEAR(stretches[1][1].x, 12 - 14.0L * 2 / 4, 1e-15L);
  EXPECT_EQ(stretches[1][1].y, 10);
  // Back in from below.
  ASSERT_EQ(stretches[2].size(), 3u);
  ExpectPoint(stretches[2][0], 5, 10);
  ExpectPoint(stretches[2][1], 5, 9);
  ExpectPoint(stretches[2][2], 6, 9);
}

TEST(PageClipper, ACornerCrossingLandsOnTheCorner) {
  // Through (10, 10) exactly, from outside to outside.
  const auto stretches = Clip({{12, 8}, {8, 12}, {-1, -1}, {5, -3}});
  ASSERT_EQ(stretches.size(), 2u);
  ASSERT_EQ(stretches[0].size(), 2u);
  ExpectPoint(stretches[0][0], 10, 10);
  ExpectPoint(stretches[0][1], 10, 10);
  // (8, 12) - (-1, -1) comes in at y = 10 and leaves at x = 0.
  ASSERT_EQ(stretches[1].size(), 2u);
  EXPECT_EQ(stretches[1][0].y, 10);
  EXPECT_EQ(stretches[1][1].x, 0);
}

TEST(PageClipper, ACrossingThatRoundsOutwardsIsHeldOnThePage) {
  // Crossings worked out in extended precision from points far off the page
  // still lie on it.
  const long double side = 640;
  const auto stretches = Clip({{-1e9L, 0.3L}, {1e9L, 639.7L}, {640.0000001L, -7e8L}}, side);
  ASSERT_FALSE(stretches.empty());
  for (const auto& stretch : stretches)
    for (const ScreenPoint& p : stretch) {
      EXPECT_GE(p.x, 0);
      EXPECT_LE(p.x, side);
      EXPECT_GE(p.y, 0);
      EXPECT_LE(p.y, side);
    }
}

TEST(PageClipper, AlongTheEdgeIsOnThePageAndJustBeyondItIsNot) {
  const auto on = Clip({{-5, 10}, {15, 10}});
  ASSERT_EQ(on.size(), 1u);
  ExpectPoint(on[0][0], 0, 10);
  ExpectPoint(on[0][1], 10, 10);
  EXPECT_TRUE(Clip({{-5, 10.0000001L}, {15, 10.0000001L}, {15, 20}}).empty());
}

TEST(PageClipper, ALineEntirelyOffThePageGivesNothing) {
  EXPECT_TRUE(Clip({{-1, -1}, {-5, 3}, {-2, 12}, {30, 30}, {12, 40}}).empty());
  EXPECT_TRUE(Clip({{20, 20}}).empty());
  EXPECT_TRUE(Clip({}).empty());
  const auto single = Clip({{4, 4}});
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].size(), 1u);
}

}  // namespace
