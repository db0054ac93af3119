#include "engine/ring_shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/curve.h"
#include "engine/parallel_trace.h"
#include "engine/shaped_pen.h"

using namespace engine;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kNear = 1e-9;

PatternRecord Design(int32_t fixed, int32_t moving, int32_t mode, int32_t top, int32_t hole,
                     int32_t step, int32_t size, int32_t x, int32_t y) {
  return {0, fixed, moving, mode, top, hole, step, size, x, y};
}

void ExpectContact(const PitchCurve& ring, double sigma, double x, double y, double tau) {
  SCOPED_TRACE("sigma " + std::to_string(sigma));
  const PitchCurve::Contact c = ring.At(sigma);
  EXPECT_NEAR(c.x, x, kNear);
  EXPECT_NEAR(c.y, y, kNear);
  // The normal angle counts from side 0, modulo one turn.
  EXPECT_NEAR(std::remainder(c.tau - tau, 2 * kPi), 0, kNear);
  EXPECT_NEAR(c.sinTau, std::sin(tau), kNear);
  EXPECT_NEAR(c.cosTau, std::cos(tau), kNear);
}

std::vector<std::pair<Pixel, Pixel>> Segments(const Curve& curve) {
  std::vector<std::pair<Pixel, Pixel>> out;
  curve.TraceScreen([&](Pixel a, Pixel b) { out.emplace_back(a, b); });
  return out;
}

TEST(RingShape, ProblemsAreNamedAsTheFileRefusalSaysThem) {
  EXPECT_EQ(RingProblem({9, 40}, 96, 60, false), "sides 9 is not 0, 2, 3, 4, 5 or 6");
  EXPECT_EQ(RingProblem({1, 40}, 96, 60, false), "sides 1 is not 0, 2, 3, 4, 5 or 6");
  EXPECT_EQ(RingProblem({-2, 40}, 96, 60, false), "sides -2 is not 0, 2, 3, 4, 5 or 6");
  EXPECT_EQ(RingProblem({4, 97}, 96, 60, false), "corner 97 is above the fixed gear's 96 teeth");
  EXPECT_EQ(RingProblem({4, 30}, 96, 60, false), "corner 30 is below the moving gear's 60 teeth");
  EXPECT_EQ(RingProblem({4, 0}, 96, 60, false), "corner 0 is below 1");
  EXPECT_EQ(RingProblem({4, 0}, 96, 60, true), "corner 0 is below 1");
  // Outside the ring the gear need not fit the corners.
  EXPECT_EQ(RingProblem({4, 30}, 96, 60, true), std::nullopt);
  EXPECT_EQ(RingProblem({2, 1}, 96, 60, true), std::nullopt);
  // The limits themselves are valid, and a circle ignores its corner.
  for (int sides : {2, 3, 4, 5, 6}) {
    EXPECT_EQ(RingProblem({sides, 60}, 96, 60, false), std::nullopt);
    EXPECT_EQ(RingProblem({sides, 96}, 96, 60, false), std::nullopt);
  }
  EXPECT_EQ(RingProblem({0, 0}, 96, 60, false), std::nullopt);
  EXPECT_EQ(RingProblem({0, 500}, 96, 60, false), std::nullopt);
}

// A square of 96 teeth with corners of 40: L = 2 pi 56 / 4 = 28 pi, d = L /
// (2 sin 45°), so the corner centres are (±14 pi, ±14 pi) and side 0 lies at
// y = 14 pi + 40.
TEST(PitchCurve, SquareWorkedByHand) {
  const PitchCurve square({4, 40}, 96);
  EXPECT_NEAR(square.Perimeter(), 192 * kPi, kNear);
  EXPECT_NEAR(square.SideLength(), 28 * kPi, kNear);
  EXPECT_NEAR(square.CornerTurn(), kPi / 2, kNear);
  EXPECT_NEAR(square.CornerDistance(), 14 * kPi * std::numbers::sqrt2, kNear);
  const double side = 14 * kPi + 40;
  ExpectContact(square, 0, 0, side, 0);                                 // the middle of side 0
  ExpectContact(square, 10, 10, side, 0);                               // along it, clockwise
  ExpectContact(square, 14 * kPi, 14 * kPi, side, 0);                   // the start of corner 0
  ExpectContact(square, 14 * kPi + 20 * kPi, side, 14 * kPi, kPi / 2);  // its end
  // Half-way round corner 0, 45° from both sides.
  ExpectContact(square, 14 * kPi + 10 * kPi, 14 * kPi + 40 * std::sin(kPi / 4),
                14 * kPi + 40 * std::cos(kPi / 4), kPi / 4);
  // The middle of side 1 (the right one) and of side 3, before side 0.
  ExpectContact(square, 48 * kPi, side, 0, kPi / 2);
  ExpectContact(square, -10, -10, side, 0);
  // One full lap later: the same point.
  ExpectContact(square, 192 * kPi + 10, 10, side, 0);
  ExpectContact(square, 192 * kPi, 0, side, 0);
}

// The stadium: two sides of L = 56 pi at y = ±40, half-circles round
// (±28 pi, 0).
TEST(PitchCurve, OvalWorkedByHand) {
  const PitchCurve oval({2, 40}, 96);
  EXPECT_NEAR(oval.CornerDistance(), 28 * kPi, kNear);
  ExpectContact(oval, 0, 0, 40, 0);
  ExpectContact(oval, 28 * kPi, 28 * kPi, 40, 0);                       // start of corner 0
  ExpectContact(oval, 28 * kPi + 20 * kPi, 28 * kPi + 40, 0, kPi / 2);  // its rightmost point
  ExpectContact(oval, 28 * kPi + 40 * kPi, 28 * kPi, -40, kPi);         // its end
  ExpectContact(oval, 96 * kPi, 0, -40, kPi);                           // the middle of side 1
  ExpectContact(oval, 192 * kPi + 28 * kPi, 28 * kPi, 40, 0);           // a lap on
}

// The middle of side j of every shape lies on its outward normal j * 360° / k,
// at d cos(180° / k) + C from the centre; and C = F is a circle of F.
TEST(PitchCurve, MiddleOfEverySideAndTheCircle) {
  for (int k : {2, 3, 4, 5, 6}) {
    SCOPED_TRACE("sides " + std::to_string(k));
    const PitchCurve ring({k, 25}, 105);
    const double apothem = ring.CornerDistance() * std::cos(kPi / k) + 25;
    EXPECT_NEAR(ring.CornerDistance(), ring.SideLength() / (2 * std::sin(kPi / k)), kNear);
    for (int j = 0; j < k; ++j) {
      const double tau = j * 2 * kPi / k;
      ExpectContact(ring, j * (ring.SideLength() + 25 * 2 * kPi / k), apothem * std::sin(tau),
                    apothem * std::cos(tau), tau);
    }
    const PitchCurve circle({k, 105}, 105);
    for (double sigma : {0.0, 1.0, 100.0, 330.0, 659.0}) {
      const double tau = sigma / 105;
      ExpectContact(circle, sigma, 105 * std::sin(tau), 105 * std::cos(tau), tau);
    }
  }
  EXPECT_THROW(PitchCurve({4, 0}, 96), std::invalid_argument);
  EXPECT_THROW(PitchCurve({7, 40}, 96), std::invalid_argument);
}

// At θ = 0 the gear touches the middle of side 0: the pen is straight above
// the centre, M q from the gear's centre, which is M inside (or outside) the
// side. The square above, M = 30, hole 8 (q = 8 / 30 * 10 * 0.01), top 0.
TEST(ShapedPen, PenAtTheStartWorkedByHand) {
  const double side = 14 * kPi + 40;
  const double reach = 14 * kPi * std::numbers::sqrt2 + 40;
  const double penRadius = 30 * (8.0 / 30 * 10 * 0.01);  // 0.8
  const RingShape square{4, 40};
  const PatternRecord inside = Design(96, 30, 0, 0, 8, 1, 1000, 0, 0);
  const ShapedPen in(inside, DerivedValues{32, 10, 3600}, square);
  ShapedPen::Point p = in.PointAt<false>(0);
  EXPECT_NEAR(p.column, 320, kNear);
  EXPECT_NEAR(p.row, 640 - (600 / (2 * reach) * (side - 30 + penRadius) + 320), kNear);
  EXPECT_NEAR(p.row, 159.1914767943543, kNear);

  const ShapedPen out(Design(96, 30, 1, 0, 8, 1, 1000, 0, 0), DerivedValues{32, 10, 3600}, square);
  p = out.PointAt<true>(0);
  EXPECT_NEAR(p.column, 320, kNear);
  EXPECT_NEAR(p.row, 640 - (300 / (2 * reach) * (side + 30 - penRadius) + 320), kNear);
  EXPECT_NEAR(p.row, 153.88175556207034, kNear);

  // The curve starts there too, and maps it as the circle's trace does.
  const Curve curve(inside, square);
  ASSERT_TRUE(curve.Shaped());
  const CurvePoint first = curve.PointAtAngle(0);
  EXPECT_EQ(first.row, in.PointAt<false>(0).row);
  EXPECT_EQ(curve.ScreenPixel(first), (Pixel{320, 159}));
  const Curve moved(Design(96, 30, 0, 0, 8, 1, 1000, 23, -33), square);
  EXPECT_EQ(moved.ScreenPixel(moved.PointAtAngle(0)), (Pixel{322, 162}));
  EXPECT_EQ(moved.PrinterPixel(moved.PointAtAngle(0), 200), (Pixel{649, 331}));
}

// A quarter of the way round the square's centre line, the gear has rolled
// through side 0 and corner 0 (sigma = 48 pi) to the middle of side 1: the
// pen's angle psi is sigma / M -/+ 90°.
TEST(ShapedPen, PenAtTheMiddleOfTheNextSide) {
  const RingShape square{4, 40};
  const double side = 14 * kPi + 40;
  const double theta = 48 * kPi / 96;
  for (int mode : {0, 1}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    const PatternRecord pattern = Design(96, 30, mode, 0, 8, 1, 1000, 0, 0);
    const ShapedPen pen(pattern, DerivedValues{32, 10, 3600}, square);
    const ShapedPen::Point p = mode == 1 ? pen.PointAt<true>(theta) : pen.PointAt<false>(theta);
    const double psi = 48 * kPi / 30 + (mode == 1 ? kPi / 2 : -kPi / 2);
    const double a = mode == 1 ? side + 30 - 0.8 * std::sin(psi) : side - 30 - 0.8 * std::sin(psi);
    const double b = mode == 1 ? -0.8 * std::cos(psi) : 0.8 * std::cos(psi);
    const double s = (mode == 1 ? 300 : 600) / (2 * (14 * kPi * std::numbers::sqrt2 + 40));
    EXPECT_NEAR(p.column, s * a + 320, 1e-9);
    EXPECT_NEAR(p.row, 640 - (s * b + 320), 1e-9);
  }
}

// A ring whose corners are the whole ring is a circle: on every shape, each
// segment is the circle's within a pixel, and there are as many.
TEST(ShapedCurve, CornersOfTheWholeRingDrawTheCircle) {
  const std::vector<PatternRecord> designs = {
      Design(96, 60, 0, 0, 480, 5, 1000, 0, 0),     // the initial design
      Design(105, 32, 0, 30, 200, 1, 1000, 0, 0),   // 124,031 segments
      Design(96, 45, 1, 50, 300, 2, 800, 20, -30),  // outside, moved, turned
      Design(144, 100, 0, 900, 90, 1, 700, -40, 10),
  };
  int64_t total = 0;
  for (const PatternRecord& design : designs) {
    const auto circle = Segments(Curve(design));
    for (int k : {2, 3, 4, 5, 6}) {
      SCOPED_TRACE("fixed " + std::to_string(design.FixedTeeth) + " sides " + std::to_string(k));
      const auto shape = Segments(Curve(design, RingShape{k, design.FixedTeeth}));
      ASSERT_EQ(shape.size(), circle.size());
      int worst = 0;
      for (size_t i = 0; i < shape.size(); ++i) {
        for (const auto& [c, s] : {std::pair(circle[i].first, shape[i].first),
                                   std::pair(circle[i].second, shape[i].second)}) {
          worst = std::max({worst, std::abs(c.x - s.x), std::abs(c.y - s.y)});
        }
      }
      EXPECT_LE(worst, 1);
      total += static_cast<int64_t>(shape.size());
    }
  }
  EXPECT_GT(total, 750000);
}

// A circle is the circle's trace whatever its corner; a bad ring never traces.
TEST(ShapedCurve, CirclesUntouchedAndBadRingsRefused) {
  const PatternRecord design = Design(105, 32, 0, 30, 200, 3, 900, 7, 0);
  const Curve plain(design);
  for (int corner : {0, 40, 1000}) {
    const Curve circle(design, RingShape{0, corner});
    EXPECT_FALSE(circle.Shaped());
    EXPECT_EQ(Segments(circle), Segments(plain));
    EXPECT_EQ(circle.EndAngle(), plain.EndAngle());
  }
  EXPECT_THROW(Curve(design, RingShape{9, 40}), std::invalid_argument);
  EXPECT_THROW(Curve(design, RingShape{4, 20}), std::invalid_argument);  // below the gear
  EXPECT_THROW(Curve(design, RingShape{4, 106}), std::invalid_argument);
  EXPECT_NO_THROW(Curve(Design(105, 32, 1, 0, 200, 3, 900, 0, 0), RingShape{4, 20}));
  EXPECT_THROW(Curve(Design(105, 0, 1, 0, 200, 3, 900, 0, 0), RingShape{4, 20}), RunTimeError);
}

// The shape's θ is a double sum: its count is the estimate's, and a step of
// nothing never ends.
TEST(ShapedCurve, SegmentCountsAndTheEstimate) {
  for (const PatternRecord& design :
       {Design(96, 60, 0, 0, 480, 5, 1000, 0, 0), Design(105, 32, 1, 30, 200, 1, 1000, 0, 0),
        Design(150, 47, 0, 0, 123, 7, 1000, 0, 0)}) {
    const Curve curve(design, RingShape{3, 60});
    const int64_t segments = curve.TraceScreen([](Pixel, Pixel) {});
    EXPECT_EQ(curve.EstimatedSegments(), segments);
    EXPECT_TRUE(curve.PixelsFit());
    double theta = 0;
    int64_t loop = 0;
    do {
      theta += curve.Shape().StepAngle();
      ++loop;
    } while (!(theta > curve.EndAngle()));
    EXPECT_EQ(loop, segments);
    EXPECT_EQ(curve.NextAngle(theta), theta + curve.Shape().StepAngle());
  }
  EXPECT_FALSE(Curve(Design(96, 60, 0, 0, 480, 5, 900000000, 0, 0), RingShape{4, 60}).PixelsFit());
}

// Threads split the points of a shape, never change them: every segment, the
// screen's and the printer's, equals the serial trace's.
TEST(ShapedCurve, ParallelTraceEqualsTheSerialOne) {
  for (const auto& [design, ring] :
       {std::pair(Design(105, 32, 0, 30, 200, 1, 1000, 12, -7), RingShape{5, 33}),
        std::pair(Design(96, 45, 1, 50, 300, 2, 800, 0, 0), RingShape{2, 10})}) {
    const Curve curve(design, ring);
    const auto serial = Segments(curve);
    std::vector<CurvePoint> serialPoints;
    curve.Trace([&](const CurvePoint& a, const CurvePoint&) { serialPoints.push_back(a); });
    std::vector<std::pair<Pixel, Pixel>> screen;
    TraceControl control;
    TraceOptions options;
    options.threads = 2;
    options.blockSegments = 1000;
    options.serialBelow = 0;
    const TraceResult result = TraceScreenParallel(
        curve, [&](Pixel a, Pixel b) { screen.emplace_back(a, b); }, control, [] {}, options);
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(screen, serial);

    const auto printer = [&](const CurvePoint& p) { return curve.PrinterPixel(p, 300); };
    std::vector<std::pair<Pixel, Pixel>> serialPrinted, parallelPrinted;
    curve.TraceMapped(printer, [&](Pixel a, Pixel b) { serialPrinted.emplace_back(a, b); });
    TraceControl control2;
    TraceParallel(
        curve, printer, [&](Pixel a, Pixel b) { parallelPrinted.emplace_back(a, b); }, control2,
        [] {}, options);
    EXPECT_EQ(parallelPrinted, serialPrinted);
    EXPECT_EQ(parallelPrinted.size(), serial.size());

    // The pixel with its unrounded point, as the live view has them.
    size_t i = 0, mismatches = 0;
    curve.TraceMapped(Curve::ScreenPointMap{&curve}, [&](const Curve::ScreenPointPixel& a,
                                                         const Curve::ScreenPointPixel& b) {
      const CurvePoint& plain = serialPoints[i];
      const ShapedPen::ScreenPoint exact =
          curve.Shape().Screen(static_cast<double>(plain.column), static_cast<double>(plain.row));
      if (a.pixel != serial[i].first || b.pixel != serial[i].second ||
          a.x != static_cast<float>(exact.x) || a.y != static_cast<float>(exact.y))
        ++mismatches;
      ++i;
    });
    EXPECT_EQ(i, serial.size());
    EXPECT_EQ(mismatches, 0u);
  }
}

}  // namespace
