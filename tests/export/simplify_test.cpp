#include "export/simplify.h"

#include <cmath>
#include <random>

#include "export_support.h"

namespace export_test {
namespace {

using exporting::StreamSimplifier;

long double SegmentDistance(const ScreenPoint& p, const ScreenPoint& a, const ScreenPoint& b) {
  const long double dx = b.x - a.x, dy = b.y - a.y;
  const long double length = dx * dx + dy * dy;
  long double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
  t = std::clamp(t, 0.0L, 1.0L);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool Same(const ScreenPoint& a, const ScreenPoint& b) {
  return a.x == b.x && a.y == b.y;
}

// `kept` is an ordered subset of `points` with both ends, and every dropped
// point lies within `tolerance` of the segment between its kept neighbours.
// Matching is by index, so that repeated points are told apart.
void ExpectSimplification(const std::vector<ScreenPoint>& points,
                          const std::vector<size_t>& keptIndices, long double tolerance) {
  ASSERT_FALSE(keptIndices.empty());
  EXPECT_EQ(keptIndices.front(), 0u);
  EXPECT_EQ(keptIndices.back(), points.size() - 1);
  for (size_t k = 1; k < keptIndices.size(); ++k) {
    ASSERT_LT(keptIndices[k - 1], keptIndices[k]);
    for (size_t i = keptIndices[k - 1] + 1; i < keptIndices[k]; ++i)
      ASSERT_LE(SegmentDistance(points[i], points[keptIndices[k - 1]], points[keptIndices[k]]),
                tolerance)
          << i;
  }
}

std::vector<size_t> Simplify(const std::vector<ScreenPoint>& points, long double tolerance,
                             size_t chunk) {
  std::vector<ScreenPoint> kept;
  auto keep = [&](const ScreenPoint& p) { kept.push_back(p); };
  StreamSimplifier<decltype(keep)> simplifier(tolerance, keep, chunk);
  for (const ScreenPoint& p : points) simplifier.Add(p);
  simplifier.Finish();
  // Kept points in order: find each at or after the previous one.
  std::vector<size_t> indices;
  size_t at = 0;
  for (const ScreenPoint& p : kept) {
    while (at < points.size() && !Same(points[at], p)) ++at;
    EXPECT_LT(at, points.size()) << "a kept point that is not an input point, in order";
    indices.push_back(at++);
  }
  return indices;
}

std::vector<ScreenPoint> Walk(size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> step(0, 1);
  std::vector<ScreenPoint> points(n);
  for (size_t i = 1; i < n; ++i)
    points[i] = {points[i - 1].x + step(random), points[i - 1].y + step(random)};
  return points;
}

TEST(Simplify, KeepsAnOrderedSubsetWithinTheTolerance) {
  for (const size_t chunk : {size_t{2}, size_t{7}, size_t{100}, size_t{100000}}) {
    for (const long double tolerance : {0.0L, 0.5L, 3.0L, 50.0L}) {
      SCOPED_TRACE(testing::Message() << chunk << " " << static_cast<double>(tolerance));
      const std::vector<ScreenPoint> points = Walk(5000, 1);
      ExpectSimplification(points, Simplify(points, tolerance, chunk), tolerance);
    }
  }
}

TEST(Simplify, OnTheTracersPoints) {
  const std::vector<ScreenPoint> points = ExactPoints(Initial());
  for (const long double tolerance : {0.01L, 0.1L, 1.0L}) {
    const std::vector<size_t> kept = Simplify(points, tolerance, 1000);
    ExpectSimplification(points, kept, tolerance);
    if (tolerance >= 1) {
      EXPECT_LT(kept.size(), points.size() / 2);
    }
  }
}

TEST(Simplify, ZeroToleranceKeepsAPathWithoutCollinearPoints) {
  std::vector<ScreenPoint> circle;
  for (int i = 0; i < 2000; ++i)
    circle.push_back({100 + 80 * std::cos(i * 0.003L), 100 + 80 * std::sin(i * 0.003L)});
  EXPECT_EQ(Simplify(circle, 0, 300).size(), circle.size());
  // Collinear points are dropped at 0: they lie on the line.
  const std::vector<ScreenPoint> line = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
  EXPECT_EQ(Simplify(line, 0, 100), (std::vector<size_t>{0, 3}));
  // A negative tolerance keeps every point.
  EXPECT_EQ(Simplify(line, -1, 100).size(), 4u);
}

TEST(Simplify, ShortPaths) {
  EXPECT_EQ(Simplify({{1, 2}}, 1, 100), (std::vector<size_t>{0}));
  EXPECT_EQ(Simplify({{1, 2}, {1, 2}}, 1, 100), (std::vector<size_t>{0, 1}));
  // A chunk that ends on the last point passes that point on once.
  const std::vector<ScreenPoint> points = Walk(201, 3);
  const std::vector<size_t> kept = Simplify(points, 1, 100);
  ExpectSimplification(points, kept, 1);
}

}  // namespace
}  // namespace export_test
