#include "engine/gear_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace engine;

namespace {

PatternRecord Design(int32_t fixed, int32_t moving, int32_t mode, int32_t top, int32_t hole,
                     int32_t size = 1000, int32_t x = 0, int32_t y = 0, int32_t step = 5) {
  return {0, fixed, moving, mode, top, hole, step, size, x, y};
}

long double Distance(AreaPoint p, AreaPoint q) {
  return std::hypot(p.x - q.x, p.y - q.y);
}

void ExpectNear(AreaPoint p, long double x, long double y, long double tolerance = 1e-9L) {
  EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), static_cast<double>(tolerance));
  EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(y), static_cast<double>(tolerance));
}

struct FirstPoints {
  CurvePoint point;
  Pixel pixel;
};

FirstPoints TracedStart(const Curve& curve) {
  FirstPoints first;
  bool seen = false;
  curve.Trace([&](const CurvePoint& from, const CurvePoint&) {
    if (!seen) first.point = from;
    seen = true;
  });
  seen = false;
  curve.TraceScreen([&](Pixel from, Pixel) {
    if (!seen) first.pixel = from;
    seen = true;
  });
  return first;
}

// The pen is where the trace starts, on the gear at its pen radius, and the
// gear sits at the centre distance from the ring.
void ExpectStartsWithTrace(const PatternRecord& p) {
  SCOPED_TRACE(::testing::Message()
               << "F " << p.FixedTeeth << " M " << p.MovingTeeth << " mode " << p.GearMode
               << " top " << p.TopOfDesign << " hole " << p.PenHole << " size " << p.DesignSize);
  const Curve curve(p);
  const GearOverlay g = GearsAt(p);
  const FirstPoints first = TracedStart(curve);
  const AreaPoint exact = curve.ExactScreenPoint(first.point);
  EXPECT_EQ(g.pen.x, exact.x);
  EXPECT_EQ(g.pen.y, exact.y);
  EXPECT_EQ(static_cast<int32_t>(g.pen.x), first.pixel.x);
  EXPECT_EQ(static_cast<int32_t>(g.pen.y), first.pixel.y);

  const long double s = std::fabs(curve.SizeFactor());
  const long double tolerance = 1e-9L * (1 + s * (p.FixedTeeth + p.MovingTeeth));
  EXPECT_NEAR(static_cast<double>(Distance(g.gear.centre, g.pen)),
              static_cast<double>(std::fabs(curve.PenRadius()) * s),
              static_cast<double>(tolerance));
  const long double centres =
      p.GearMode == kExternalMode ? p.FixedTeeth + p.MovingTeeth : p.FixedTeeth - p.MovingTeeth;
  EXPECT_NEAR(static_cast<double>(Distance(g.ring.centre, g.gear.centre)),
              static_cast<double>(centres * s), static_cast<double>(tolerance));
  EXPECT_NEAR(static_cast<double>(g.ring.radius), static_cast<double>(p.FixedTeeth * s),
              static_cast<double>(tolerance));
  EXPECT_NEAR(static_cast<double>(g.gear.radius), static_cast<double>(p.MovingTeeth * s),
              static_cast<double>(tolerance));
}

TEST(GearOverlay, InitialDesignByHand) {
  // s = 600 / 192 = 3.125, D = 36, pen radius 48, top 0.
  const GearOverlay g = GearsAt(Design(96, 60, 0, 0, 480));
  EXPECT_FALSE(g.external);
  ExpectNear(g.ring.centre, 320.5L, 320.5L);
  EXPECT_EQ(g.ring.radius, 300.0L);
  EXPECT_EQ(g.ringRim, 312.5L);
  ExpectNear(g.gear.centre, 320.5L, 320.5L - 112.5L);
  EXPECT_EQ(g.gear.radius, 187.5L);
  // b = 36 + 48 = 84: w = 262.5, so the first row is 320 - 262.5 + 0.5.
  EXPECT_EQ(g.pen.x, 320.5L);
  EXPECT_EQ(g.pen.y, 58.0L);
}

TEST(GearOverlay, ExternalByHand) {
  // s = 300 / 192 = 1.5625, D = 156, b = 156 - 48 = 108.
  const GearOverlay g = GearsAt(Design(96, 60, 1, 0, 480));
  EXPECT_TRUE(g.external);
  EXPECT_EQ(g.ringRim, 0.0L);
  ExpectNear(g.ring.centre, 320.5L, 320.5L);
  EXPECT_EQ(g.ring.radius, 150.0L);
  ExpectNear(g.gear.centre, 320.5L, 320.5L - 243.75L);
  EXPECT_EQ(g.gear.radius, 93.75L);
  EXPECT_EQ(g.pen.x, 320.5L);
  EXPECT_EQ(g.pen.y, 320.5L - 168.75L);
}

TEST(GearOverlay, HoleZeroPutsThePenAtTheGearCentre) {
  const GearOverlay g = GearsAt(Design(96, 60, 0, 0, 0));
  EXPECT_EQ(g.pen.x, 320.5L);
  EXPECT_EQ(g.pen.y, 208.0L);
  ExpectNear(g.gear.centre, g.pen.x, g.pen.y);
  const GearOverlay e = GearsAt(Design(96, 60, 1, 0, 0));
  ExpectNear(e.gear.centre, e.pen.x, e.pen.y);
}

TEST(GearOverlay, TopOf900TurnsAQuarterOfA360Ring) {
  // φ = -2π · 90 / 360: the top of the design turns to the right.
  // s = 600 / 720, D = 270, pen radius 45.
  const GearOverlay g = GearsAt(Design(360, 90, 0, 900, 450));
  ExpectNear(g.ring.centre, 320.5L, 320.5L);
  ExpectNear(g.gear.centre, 320.5L + 225, 320.5L, 1e-6L);
  ExpectNear(g.pen, 320.5L + 262.5L, 320.5L, 1e-6L);
  EXPECT_NEAR(static_cast<double>(g.ring.radius), 300.0, 1e-9);
}

TEST(GearOverlay, SizeScalesAboutTheCentre) {
  // s = 3.125 / 2.
  const GearOverlay g = GearsAt(Design(96, 60, 0, 0, 480, 500));
  ExpectNear(g.ring.centre, 320.5L, 320.5L);
  EXPECT_EQ(g.ring.radius, 150.0L);
  ExpectNear(g.gear.centre, 320.5L, 320.5L - 56.25L);
  EXPECT_EQ(g.pen.x, 320.5L);
  EXPECT_EQ(g.pen.y, 320.5L - 131.25L);
}

TEST(GearOverlay, CentreOffsetMovesEverything) {
  // 10.5 pixels right, 3.7 pixels up (rows grow downwards).
  const GearOverlay g = GearsAt(Design(96, 60, 0, 0, 480, 1000, 105, 37));
  ExpectNear(g.ring.centre, 331.0L, 316.8L);
  ExpectNear(g.gear.centre, 331.0L, 204.3L);
  ExpectNear(g.pen, 331.0L, 54.3L);
  const GearOverlay h = GearsAt(Design(96, 60, 0, 0, 480, 1000, -105, -37));
  ExpectNear(h.pen, 310.0L, 61.7L);
}

TEST(GearOverlay, PenIsTheFirstTracedPoint) {
  const PatternRecord cases[] = {
      Design(96, 60, 0, 0, 480),
      Design(96, 60, 1, 0, 480),
      Design(96, 60, 0, 0, 0),
      Design(360, 90, 0, 900, 450),
      Design(96, 60, 0, 0, 480, 500),
      Design(96, 60, 0, 0, 480, 1000, 105, -37),
      Design(150, 52, 0, 337, 1040, 1730, -3200, 3200),
      Design(105, 24, 1, -1234, 480, 1361, 33, 7),
      Design(2, 1, 1, 36000, 20, 2000),
      Design(360, 359, 0, -36000, 7180, 1),
      Design(77, 13, 0, 55, 259, 999, 1919, -1919),
      Design(64, 64, 1, 3600, 1280, 877),
      Design(255, 144, 0, -3599, 1, 1999),
  };
  for (const PatternRecord& p : cases) ExpectStartsWithTrace(p);
}

// Animation follows the loop's own θ: at each, the pen is the point traced.
TEST(GearOverlay, PenFollowsTheTrace) {
  for (const PatternRecord& p :
       {Design(96, 60, 0, 0, 480), Design(105, 24, 1, -1234, 480, 1361, 33, 7),
        Design(150, 52, 0, 337, 1040, 1730, -3200, 3200)}) {
    const Curve curve(p);
    std::vector<CurvePoint> ends;
    curve.Trace([&](const CurvePoint&, const CurvePoint& to) { ends.push_back(to); });
    double theta = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
      // The loop's own test: only the last θ is past the end.
      ASSERT_FALSE(theta > curve.EndAngle()) << i;
      theta = curve.NextAngle(theta);
      const CurvePoint at = curve.PointAtAngle(theta);
      ASSERT_EQ(at.column, ends[i].column) << i;
      ASSERT_EQ(at.row, ends[i].row) << i;
      if (i % 37 != 0 && i + 1 != ends.size()) continue;
      const GearOverlay g = GearsAt(curve, theta);
      const AreaPoint exact = curve.ExactScreenPoint(ends[i]);
      ASSERT_EQ(g.pen.x, exact.x) << i;
      ASSERT_EQ(g.pen.y, exact.y) << i;
      ASSERT_NEAR(static_cast<double>(Distance(g.gear.centre, g.pen)),
                  static_cast<double>(std::fabs(curve.PenRadius() * curve.SizeFactor())), 1e-6)
          << i;
    }
    EXPECT_GT(theta, curve.EndAngle());
  }
}

// The outlines keep within a tooth's depth of their pitch circles, and the
// moving gear stays on its side of the ring all the way round.
TEST(GearOverlay, OutlinesHaveTheirTeeth) {
  for (int mode : {0, 1}) {
    const PatternRecord p = Design(96, 60, mode, 123, 480);
    const Curve curve(p);
    double theta = 0;
    for (int i = 0; i < 50; ++i, theta = curve.NextAngle(theta)) {
      const GearOverlay g = GearsAt(curve, theta);
      ASSERT_EQ(g.ring.outline.size(), 4u * 96);
      ASSERT_EQ(g.gear.outline.size(), 4u * 60);
      const long double s = curve.SizeFactor();
      for (const AreaPoint& q : g.ring.outline) {
        ASSERT_LE(std::fabs(Distance(q, g.ring.centre) - g.ring.radius), 0.8L * s + 1e-9L);
      }
      for (const AreaPoint& q : g.gear.outline) {
        ASSERT_LE(std::fabs(Distance(q, g.gear.centre) - g.gear.radius), 0.8L * s + 1e-9L);
        const long double fromRing = Distance(q, g.ring.centre);
        if (mode == 0) {
          ASSERT_LE(fromRing, g.ring.radius + 0.8L * s + 1e-9L);
        } else {
          ASSERT_GE(fromRing, g.ring.radius - 0.8L * s - 1e-9L);
        }
      }
    }
  }
}

TEST(GearOverlay, TeethMeshWhereTheGearsTouch) {
  // At the contact point a tip of the one gear faces a gap of the other: the
  // outline points nearest to the contact lie on the same side of the pitch
  // circles (internally, the ring's gap and the gear's tip outwards).
  const GearOverlay g = GearsAt(Design(96, 60, 0, 0, 480));
  // Contact straight above the ring centre.
  AreaPoint contact{320.5L, 320.5L - 300};
  auto nearest = [&](const std::vector<AreaPoint>& outline) {
    AreaPoint best = outline.front();
    for (const AreaPoint& q : outline)
      if (Distance(q, contact) < Distance(best, contact)) best = q;
    return best;
  };
  EXPECT_LT(nearest(g.ring.outline).y, contact.y);
  EXPECT_LT(nearest(g.gear.outline).y, contact.y);

  // Externally the ring's gap and the gear's tip both point inwards.
  const GearOverlay e = GearsAt(Design(96, 60, 1, 0, 480));
  contact = {320.5L, 320.5L - 150};
  EXPECT_GT(nearest(e.ring.outline).y, contact.y);
  EXPECT_GT(nearest(e.gear.outline).y, contact.y);
}

TEST(GearOverlay, ManyTeethShowAsCircles) {
  const GearOverlay g = GearsAt(Design(5000, 700, 0, 0, 480));
  EXPECT_EQ(g.ring.outline.size(), static_cast<size_t>(kMaxOutlineTeeth));
  EXPECT_EQ(g.gear.outline.size(), 4u * 700);
}

TEST(GearOverlay, ErrorsAreTheTracersOwn) {
  EXPECT_THROW(GearsAt(Design(0, 60, 0, 0, 480)), RunTimeError);
  EXPECT_THROW(GearsAt(Design(96, 0, 0, 0, 480)), RunTimeError);
}

}  // namespace
