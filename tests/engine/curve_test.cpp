#include "engine/curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/gear_math.h"

using namespace engine;

namespace {

PatternRecord Design(int32_t fixed, int32_t moving, int32_t mode, int32_t top, int32_t hole,
                     int32_t step, int32_t size, int32_t x, int32_t y) {
  return {0, fixed, moving, mode, top, hole, step, size, x, y};
}

PatternRecord InitialDesign() {
  return Design(96, 60, 0, 0, 480, 5, 1000, 0, 0);
}

struct Traced {
  std::vector<CurvePoint> from, to;
};

Traced TraceAll(const Curve& curve) {
  Traced t;
  curve.Trace([&](const CurvePoint& a, const CurvePoint& b) {
    t.from.push_back(a);
    t.to.push_back(b);
  });
  return t;
}

Pixel FirstScreenPixel(const PatternRecord& p) {
  Pixel first{-1, -1};
  bool seen = false;
  Curve(p).TraceScreen([&](Pixel from, Pixel) {
    if (!seen) first = from;
    seen = true;
  });
  return first;
}

Pixel FirstPrinterPixel(const PatternRecord& p, int32_t factor) {
  const Curve curve(p);
  Pixel first{-1, -1};
  bool seen = false;
  curve.Trace([&](const CurvePoint& from, const CurvePoint&) {
    if (!seen) first = curve.PrinterPixel(from, factor);
    seen = true;
  });
  return first;
}

TEST(Curve, InitialDesignWorkedExample) {
  const Curve curve(InitialDesign());
  EXPECT_EQ(curve.derived().ReducedFixed, 8);
  EXPECT_EQ(curve.derived().ReducedMoving, 5);
  EXPECT_EQ(curve.derived().TraceSpanDeg, 2880);

  const Traced t = TraceAll(curve);
  ASSERT_EQ(t.to.size(), 921u);
  // (a, b) = (0, 84) at θ = 0, so (u, w) = (0, 262.5).
  EXPECT_EQ(t.from[0].column, 320.0L);
  EXPECT_EQ(t.from[0].row, 57.5L);
  EXPECT_EQ(curve.ScreenPixel(t.from[0]), (Pixel{320, 58}));
  EXPECT_EQ(curve.ScreenPixel(t.to[0]), (Pixel{321, 58}));
  EXPECT_EQ(curve.ScreenPixel(t.to.back()), (Pixel{460, 164}));
  // Each segment starts where the one before ended.
  for (size_t i = 1; i < t.to.size(); ++i) {
    ASSERT_EQ(t.from[i].column, t.to[i - 1].column);
    ASSERT_EQ(t.from[i].row, t.to[i - 1].row);
  }
}

// The tracer's quick path against the plain one, on patterns that send
// points down every side road: half-way cases, tiny and huge values, u and w
// near 0, points outside the area, turned and offset designs.
TEST(Curve, QuickPathMatchesThePlainOne) {
  const PatternRecord patterns[] = {
      InitialDesign(),
      Design(96, 60, 1, 0, 480, 5, 1000, 0, 0),
      Design(96, 60, 0, 37, 480, 5, 1000, -555, 421),
      Design(53, 1, 0, 0, 8, 3, 1000, 0, 0),
      Design(120, 7, 1, -1234, 140, 3, 1999, 3200, -3200),
      Design(96, 60, 0, 0, 480, 5, 1, 0, 0),          // everything near the centre
      Design(53, 1, 0, 0, 8, 3, 1, 0, 0),             // and many points of it
      Design(50, 50, 0, 0, 0, 5, 1000, 0, 0),         // a = b = 0 throughout
      Design(96, 60, 0, 5000, 1200, 7, 2000, 0, 0),   // top beyond the bar
      Design(2, 1, 0, 0, 1000, 5, 2000000000, 0, 0),  // far outside, above 2^29
      Design(2, 1, 0, 0, 1000, 5, 10000000, 0, 0),    // pixels beyond 2^27 either way
      Design(30, 45, 1, 0, 300, 1080, 1000, 0, 0),    // a single segment
  };
  for (const PatternRecord& p : patterns) {
    SCOPED_TRACE(testing::Message() << p.FixedTeeth << "/" << p.MovingTeeth);
    const Curve curve(p);
    std::vector<CurvePoint> plain;
    curve.TraceReference([&](const CurvePoint&, const CurvePoint& b) { plain.push_back(b); });
    size_t i = 0;
    size_t mismatches = 0;
    const int64_t n = curve.Trace([&](const CurvePoint&, const CurvePoint& b) {
      if (i < plain.size() && (b.column != plain[i].column || b.row != plain[i].row)) ++mismatches;
      ++i;
    });
    ASSERT_EQ(n, static_cast<int64_t>(plain.size()));
    EXPECT_EQ(mismatches, 0u);
    // The unrounded point alone, however far out.
    i = 0;
    curve.TraceMapped(Curve::FloatScreenMap{&curve},
                      [&](const Curve::FloatPoint&, const Curve::FloatPoint& b) {
                        const Curve::FloatPoint plainB = curve.FloatScreenPoint(plain[i]);
                        const Curve::ScreenPoint exact = curve.ExactScreenPoint(plain[i]);
                        if (b.x != plainB.x || b.y != plainB.y ||
                            b.x != static_cast<float>(static_cast<double>(exact.x)) ||
                            b.y != static_cast<float>(static_cast<double>(exact.y)))
                          ++mismatches;
                        ++i;
                      });
    EXPECT_EQ(mismatches, 0u);
    if (!curve.PixelsFit()) continue;
    i = 0;
    curve.TraceScreen([&](Pixel, Pixel b) {
      if (b != curve.ScreenPixel(plain[i])) ++mismatches;
      ++i;
    });
    EXPECT_EQ(mismatches, 0u);
    // With the unrounded point beside the pixel, to the float's last bit.
    i = 0;
    curve.TraceMapped(Curve::ScreenPointMap{&curve},
                      [&](const Curve::ScreenPointPixel&, const Curve::ScreenPointPixel& b) {
                        const Curve::ScreenPointPixel plainB = curve.ScreenPointAndPixel(plain[i]);
                        const Curve::ScreenPoint exact = curve.ExactScreenPoint(plain[i]);
                        if (b.pixel != plainB.pixel || b.x != plainB.x || b.y != plainB.y ||
                            b.x != static_cast<float>(static_cast<double>(exact.x)) ||
                            b.y != static_cast<float>(static_cast<double>(exact.y)))
                          ++mismatches;
                        ++i;
                      });
    EXPECT_EQ(mismatches, 0u);
  }
}

TEST(Curve, ScreenEdgeCases) {
  // External: the scale halves.
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, 1, 0, 480, 5, 1000, 0, 0)), (Pixel{320, 151}));
  // A positive top turns the design clockwise.
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, 0, 100, 480, 5, 1000, 0, 0)), (Pixel{480, 112}));
  // The centre offset counts tenths of a pixel, y upwards.
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, 0, 0, 480, 5, 1000, 100, 100)), (Pixel{330, 48}));
  // Any mode but 1 is internal.
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, 2, 0, 480, 5, 1000, 0, 0)), (Pixel{320, 58}));
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, -1, 0, 480, 5, 1000, 0, 0)), (Pixel{320, 58}));
  // Left of the area: 320.5 - 323.2 = -2.7 truncates toward zero.
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, 0, 0, 480, 5, 1000, -3232, 0)).x, -2);
  // Above it: 58.5 - 60.8 = -2.3.
  EXPECT_EQ(FirstScreenPixel(Design(96, 60, 0, 0, 480, 5, 1000, 0, 608)).y, -2);
}

TEST(Curve, SegmentCountsFollowTheLoop) {
  const Curve small(Design(105, 30, 0, 0, 300, 10, 500, 0, 0));
  EXPECT_EQ(small.derived().ReducedFixed, 7);
  EXPECT_EQ(small.derived().ReducedMoving, 2);
  EXPECT_EQ(small.derived().TraceSpanDeg, 2520);
  EXPECT_EQ(small.Trace([](const CurvePoint&, const CurvePoint&) {}), 882);

  // The closed form would say 337081: the repeated, rounded sum drifts.
  const Curve drifting(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0));
  EXPECT_EQ(drifting.Trace([](const CurvePoint&, const CurvePoint&) {}), 337080);

  // dθ (1.5 x 1080 degrees) beyond the span (1080): one segment.
  const Curve single(Design(30, 45, 1, 0, 300, 1080, 1000, 0, 0));
  EXPECT_EQ(single.Trace([](const CurvePoint&, const CurvePoint&) {}), 1);
}

TEST(Curve, UsesOwnCountsUnlessGiven) {
  // An external pattern whose moving gear is the larger one.
  const PatternRecord p = Design(50, 120, 1, 0, 900, 5, 588, 0, 0);
  const Curve own(p);
  EXPECT_EQ(own.derived().ReducedFixed, 5);
  EXPECT_EQ(own.derived().ReducedMoving, 12);
  EXPECT_EQ(own.derived().TraceSpanDeg, 4320);

  const DerivedValues other = DerivedFor(50, 49, 5);
  const Curve given(p, other);
  EXPECT_EQ(given.derived().ReducedFixed, 50);
  EXPECT_NE(given.Trace([](const CurvePoint&, const CurvePoint&) {}),
            own.Trace([](const CurvePoint&, const CurvePoint&) {}));
}

TEST(Curve, PrinterMapping) {
  const PatternRecord initial = InitialDesign();
  EXPECT_EQ(FirstPrinterPixel(initial, 100), (Pixel{320, 57}));
  EXPECT_EQ(FirstPrinterPixel(initial, 600), (Pixel{1920, 345}));

  // The centre offset counts twice on paper.
  const PatternRecord shifted = Design(96, 60, 0, 0, 480, 5, 1000, 100, 0);
  EXPECT_EQ(FirstPrinterPixel(shifted, 100).x - FirstPrinterPixel(initial, 100).x, 20);
  EXPECT_EQ(FirstPrinterPixel(shifted, 600).x - FirstPrinterPixel(initial, 600).x, 120);
  const PatternRecord raised = Design(96, 60, 0, 0, 480, 5, 1000, 0, 100);
  EXPECT_EQ(FirstPrinterPixel(raised, 100).y, 57 - 20);

  const PatternRecord external = Design(96, 60, 1, 0, 480, 5, 1000, 0, 0);
  EXPECT_EQ(FirstPrinterPixel(external, 100), (Pixel{320, 151}));
  EXPECT_EQ(FirstPrinterPixel(external, 600), (Pixel{1920, 907}));

  const PatternRecord turned = Design(96, 60, 0, 100, 480, 5, 1000, 0, 0);
  EXPECT_EQ(FirstPrinterPixel(turned, 100), (Pixel{479, 111}));
  EXPECT_EQ(FirstPrinterPixel(turned, 600), (Pixel{2878, 670}));
}

TEST(Curve, RunTimeErrors) {
  auto expectError = [](auto make, const char* text) {
    try {
      make();
      ADD_FAILURE() << "no error, expected " << text;
    } catch (const RunTimeError& e) {
      EXPECT_STREQ(e.what(), text);
    }
  };
  const DerivedValues d;
  expectError([] { Curve(Design(0, 60, 0, 0, 480, 5, 1000, 0, 0)); }, errors::kDivisionByZero);
  expectError([] { Curve(Design(96, 0, 0, 0, 480, 5, 1000, 0, 0)); }, errors::kDivisionByZero);
  expectError([] { Curve(Design(96, 60, 0, 0, 480, 0, 1000, 0, 0)); }, errors::kDivisionByZero);
  expectError([&] { Curve(Design(96, 0, 0, 0, 480, 5, 1000, 0, 0), d); }, errors::kDivisionByZero);
  // 2 x F.
  expectError([&] { Curve(Design(0x40000000, 1, 1, 0, 8, 5, 1000, 0, 0), d); },
              errors::kIntegerOverflow);
  // step x ReducedMoving.
  expectError([&] { Curve(Design(96, 60, 0, 0, 480, 0x20000000, 1000, 0, 0), d); },
              errors::kIntegerOverflow);
  // F - M and F + M are both formed.
  expectError([&] { Curve(Design(-0x7FFFFFFF, 5, 1, 0, 8, 5, 1000, 0, 0), d); },
              errors::kIntegerOverflow);
  expectError([&] { Curve(Design(0x7FFFFFFF, 5, 0, 0, 8, 5, 1000, 0, 0), d); },
              errors::kIntegerOverflow);

  // A design far too large for 32-bit pixels.
  const Curve huge(Design(2, 1, 0, 0, 1000, 5, 2000000000, 0, 0), d);
  EXPECT_FALSE(huge.PixelsFit());
  expectError([&] { huge.TraceScreen([](Pixel, Pixel) {}); }, errors::kRangeCheck);
  expectError(
      [&] {
        huge.TraceMapped(Curve::ScreenPointMap{&huge},
                         [](const Curve::ScreenPointPixel&, const Curve::ScreenPointPixel&) {});
      },
      errors::kRangeCheck);
}

TEST(Curve, PixelsFitBoundsThePrinterAtSixHundredPercent) {
  EXPECT_TRUE(Curve(InitialDesign()).PixelsFit());
  // Centre 190000000 pixels right: on screen it fits, on the printer at 600 %
  // (2 x 6 x 190000000 device pixels and more) it does not.
  const Curve offCentre(Design(96, 60, 0, 0, 480, 5, 1000, 1900000000, 0));
  EXPECT_NO_THROW(offCentre.TraceScreen([](Pixel, Pixel) {}));
  EXPECT_FALSE(offCentre.PixelsFit());
  const Curve nearEdge(Design(96, 60, 0, 0, 480, 5, 1000, 1700000000, 0));
  EXPECT_TRUE(nearEdge.PixelsFit());
  EXPECT_NO_THROW(nearEdge.Trace(
      [&](const CurvePoint& a, const CurvePoint&) { nearEdge.PrinterPixel(a, 600); }));
}

TEST(Curve, EstimatedSegments) {
  EXPECT_NEAR(static_cast<double>(Curve(InitialDesign()).EstimatedSegments()), 921, 2);
  EXPECT_NEAR(static_cast<double>(Curve(Design(53, 1, 0, 0, 8, 3, 1000, 0, 0)).EstimatedSegments()),
              337080, 5);
  EXPECT_NEAR(
      static_cast<double>(Curve(Design(360, 1, 0, 0, 8, 1, 1000, 0, 0)).EstimatedSegments()),
      46656343, 100);
  EXPECT_EQ(Curve(Design(30, 45, 1, 0, 300, 1080, 1000, 0, 0)).EstimatedSegments(), 1);

  // θ stops moving once dθ is below half a 40-bit ulp of θ: the loop would
  // never end.
  const Curve stuck(Design(200000, 1, 0, 0, 8, 1, 1000, 0, 0));
  EXPECT_TRUE(std::isinf(stuck.EstimatedSegments()));
  // A step that runs θ backwards never passes E.
  const Curve backwards(Design(96, 60, 0, 0, 480, -5, 1000, 0, 0), DerivedValues{});
  EXPECT_TRUE(std::isinf(backwards.EstimatedSegments()));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// SkipStretch takes the steps of a binade in one go; the angles must be those
// of stepping one at a time, with the last flag on the same angle, however
// the trace is cut into stretches and whether or not angles are written.
TEST(Curve, SkippedAnglesAreThoseOfStepByStep) {
  std::vector<PatternRecord> designs = {
      InitialDesign(),
      Design(53, 1, 0, 0, 8, 3, 1000, 0, 0),
      Design(30, 45, 1, 0, 300, 1080, 1000, 0, 0),  // one segment
      Design(251, 3, 1, 77, 40, 7, 600, -120, 90),
      Design(997, 2, 0, 0, 10, 40, 1000, 0, 0),  // θ far past dθ: rounded steps
  };
  if (!kSanitized) designs.push_back(Design(360, 1, 0, 0, 8, 1, 1000, 0, 0));
  const std::vector<int64_t> lengths = {1, 2, 3, 1000, 4096, 65535, 1 << 20};
  std::vector<double> angles(size_t{1} << 20);
  for (const PatternRecord& p : designs) {
    SCOPED_TRACE(testing::Message()
                 << p.FixedTeeth << "/" << p.MovingTeeth << " step " << p.StepDeg);
    const Curve curve(p);
    ASSERT_LT(curve.EstimatedSegments(), 6e7L);
    double expected = 0, written = 0, skipped = 0;
    int64_t total = 0;
    bool last = false;
    for (size_t cut = 0; !last; ++cut) {
      const int64_t length = lengths[cut % lengths.size()];
      const Curve::Stretch s = curve.SkipStretch(written, length, angles.data());
      const Curve::Stretch t = curve.SkipStretch(skipped, length);
      ASSERT_EQ(s.points, t.points);
      ASSERT_EQ(s.last, t.last);
      ASSERT_EQ(s.theta, t.theta);
      ASSERT_TRUE(s.last || s.points == length);
      for (int64_t i = 0; i < s.points; ++i) {
        expected = curve.NextAngle(expected);
        ASSERT_EQ(angles[static_cast<size_t>(i)], expected) << "segment " << total + i + 1;
        ASSERT_EQ(expected > curve.EndAngle(), s.last && i + 1 == s.points)
            << "segment " << total + i + 1;
      }
      ASSERT_EQ(s.theta, expected);
      total += s.points;
      written = s.theta;
      skipped = t.theta;
      last = s.last;
    }
    EXPECT_NEAR(static_cast<double>(curve.EstimatedSegments()), static_cast<double>(total),
                static_cast<double>(total) * 1e-5 + 2);
  }
}

}  // namespace
