#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "engine/gear_overlay.h"

using namespace engine;

namespace {

constexpr double kPi = std::numbers::pi;

PatternRecord Design(int32_t fixed, int32_t moving, int32_t mode, int32_t top = 0,
                     int32_t hole = 300, int32_t x = 0, int32_t y = 0) {
  return {0, fixed, moving, mode, top, hole, 5, 1000, x, y};
}

struct ShapedCase {
  PatternRecord pattern;
  RingShape ring;
};

// Every shape, inside and out, some turned and off centre.
const ShapedCase kCases[] = {
    {Design(96, 30, 0), {4, 40}},       {Design(105, 40, 0, 0, 520), {2, 50}},
    {Design(120, 30, 0, 450), {3, 45}}, {Design(100, 24, 0, -300, 200, 55, -20), {5, 24}},
    {Design(144, 36, 0), {6, 40}},      {Design(96, 30, 1), {4, 20}},
    {Design(96, 24, 1, 900), {2, 10}},  {Design(90, 20, 1, 0, 150, -80, 35), {3, 5}},
    {Design(100, 24, 1), {5, 30}},      {Design(72, 18, 1, -1234), {6, 1}},
};

::testing::Message Describe(const ShapedCase& c) {
  return ::testing::Message() << "sides " << c.ring.sides << " corner " << c.ring.corner << " F "
                              << c.pattern.FixedTeeth << " M " << c.pattern.MovingTeeth << " mode "
                              << c.pattern.GearMode;
}

long double Distance(AreaPoint p, AreaPoint q) {
  return std::hypot(p.x - q.x, p.y - q.y);
}

// (a, b) in tooth units about the ring's centre, on the drawing area, worked
// out here in long doubles from the pattern alone.
AreaPoint OnArea(const Curve& curve, long double a, long double b) {
  const PatternRecord& p = curve.pattern();
  const long double s = curve.SizeFactor();
  const long double phi = p.TopOfDesign * 0.1L * -2 * 3.141592654L / p.FixedTeeth;
  const long double u = s * (a * std::cos(phi) - b * std::sin(phi));
  const long double w = s * (b * std::cos(phi) + a * std::sin(phi));
  return {u + 320.5L + p.CentreX * 0.1L, 320.5L - w - p.CentreY * 0.1L};
}

// The pitch curve on the area, finely.
std::vector<AreaPoint> PitchOnArea(const Curve& curve, int samples) {
  const PitchCurve& pitch = curve.Shape().Pitch();
  std::vector<AreaPoint> points;
  for (int i = 0; i < samples; ++i) {
    const PitchCurve::Contact c = pitch.At(pitch.Perimeter() * i / samples);
    points.push_back(OnArea(curve, c.x, c.y));
  }
  return points;
}

long double Nearest(const std::vector<AreaPoint>& points, AreaPoint to) {
  long double best = INFINITY;
  for (const AreaPoint& p : points) {
    const long double dx = p.x - to.x, dy = p.y - to.y;
    best = std::fmin(best, dx * dx + dy * dy);
  }
  return std::sqrt(best);
}

// The θ of the trace's points, in order, with their exact area points.
struct TracedPoint {
  double theta;
  AreaPoint exact;
  Pixel pixel;
};
std::vector<TracedPoint> Traced(const Curve& curve) {
  std::vector<TracedPoint> points;
  double theta = 0;
  curve.Trace([&](const CurvePoint& from, const CurvePoint& to) {
    if (points.empty())
      points.push_back({0, curve.ExactScreenPoint(from), curve.ScreenPixel(from)});
    theta = curve.NextAngle(theta);
    points.push_back({theta, curve.ExactScreenPoint(to), curve.ScreenPixel(to)});
  });
  return points;
}

bool InCorner(const Curve& curve, double theta) {
  const PitchCurve& pitch = curve.Shape().Pitch();
  const double tau = pitch.At(curve.pattern().FixedTeeth * theta).tau;
  const double turns = tau / pitch.CornerTurn();
  return std::fabs(turns - std::round(turns)) > 1e-9;
}

// The angle of a direction on the area, in the ring's tooth units (a to
// the right, b up, measured from b clockwise as τ is), for designs with top 0.
double Heading(AreaPoint from, AreaPoint to) {
  return static_cast<double>(std::atan2(to.x - from.x, from.y - to.y));
}

double Turn(double angle) {
  return std::remainder(angle, 2 * kPi);
}

// The gear's tooth 0, midway along its tip, points at the gear's local angle
// 0 (internal) or π (external) turned with the gear.
AreaPoint ToothZero(const GearShape& gear) {
  return {(gear.outline[0].x + gear.outline[1].x) / 2, (gear.outline[0].y + gear.outline[1].y) / 2};
}

TEST(ShapedGears, TheGearTouchesTheRingAtTheContactPoint) {
  for (const ShapedCase& c : kCases) {
    SCOPED_TRACE(Describe(c));
    const Curve curve(c.pattern, c.ring);
    const PitchCurve& pitch = curve.Shape().Pitch();
    const long double s = std::fabs(curve.SizeFactor());
    const long double moving = c.pattern.MovingTeeth;
    const std::vector<AreaPoint> ring = PitchOnArea(curve, 8000);
    const long double sampling = pitch.Perimeter() / 8000 * s;
    bool corner = false, side = false;
    for (double theta = 0; theta < 2 * kPi; theta += 0.173) {
      const GearOverlay g = GearsAt(curve, theta);
      const PitchCurve::Contact p = pitch.At(c.pattern.FixedTeeth * theta);
      const long double out = c.pattern.GearMode == kExternalMode ? moving : -moving;
      const AreaPoint expected = OnArea(curve, p.x + out * p.sinTau, p.y + out * p.cosTau);
      ASSERT_NEAR(static_cast<double>(g.gear.centre.x), static_cast<double>(expected.x), 1e-9);
      ASSERT_NEAR(static_cast<double>(g.gear.centre.y), static_cast<double>(expected.y), 1e-9);
      const AreaPoint contact = OnArea(curve, p.x, p.y);
      ASSERT_NEAR(static_cast<double>(Distance(g.gear.centre, contact)),
                  static_cast<double>(moving * s), 1e-9);
      // Touching, not cutting: no point of the ring nearer than M.
      const long double nearest = Nearest(ring, g.gear.centre);
      ASSERT_GT(nearest, moving * s - 1e-9L);
      ASSERT_LT(nearest, moving * s + sampling);
      ASSERT_NEAR(static_cast<double>(g.gear.radius), static_cast<double>(moving * s), 1e-12);
      (InCorner(curve, theta) ? corner : side) = true;
    }
    EXPECT_TRUE(corner);
    EXPECT_TRUE(side);
  }
}

TEST(ShapedGears, ThePenIsTheShapedTracesPoint) {
  for (const ShapedCase& c : kCases) {
    SCOPED_TRACE(Describe(c));
    const Curve curve(c.pattern, c.ring);
    ASSERT_TRUE(curve.Shaped());
    const std::vector<TracedPoint> traced = Traced(curve);
    const GearOverlay start = GearsAt(c.pattern, c.ring);
    EXPECT_EQ(start.pen.x, traced.front().exact.x);
    EXPECT_EQ(start.pen.y, traced.front().exact.y);
    EXPECT_EQ(static_cast<int32_t>(start.pen.x), traced.front().pixel.x);
    EXPECT_EQ(static_cast<int32_t>(start.pen.y), traced.front().pixel.y);
    int corners = 0;
    for (size_t i = 0; i < traced.size(); i += 7) {
      const GearOverlay g = GearsAt(curve, traced[i].theta);
      ASSERT_EQ(g.pen.x, traced[i].exact.x) << i;
      ASSERT_EQ(g.pen.y, traced[i].exact.y) << i;
      ASSERT_NEAR(static_cast<double>(Distance(g.gear.centre, g.pen)),
                  static_cast<double>(std::fabs(curve.PenRadius() * curve.SizeFactor())), 1e-9)
          << i;
      corners += InCorner(curve, traced[i].theta);
    }
    EXPECT_GT(corners, 0);
  }
}

TEST(ShapedGears, TheGearTurnsByTheRolledArcOverItsTeeth) {
  for (const ShapedCase& c : kCases) {
    if (c.pattern.TopOfDesign != 0) continue;
    SCOPED_TRACE(Describe(c));
    const Curve curve(c.pattern, c.ring);
    const PitchCurve& pitch = curve.Shape().Pitch();
    const bool external = c.pattern.GearMode == kExternalMode;
    const double fixed = c.pattern.FixedTeeth, moving = c.pattern.MovingTeeth;
    double before = 0;
    GearOverlay last = GearsAt(curve, before);
    // The pen turns with the gear: it keeps its place among the teeth.
    const double penFromTooth =
        Heading(last.gear.centre, last.pen) - Heading(last.gear.centre, ToothZero(last.gear));
    for (double theta = 0.05; theta < 2 * kPi; theta += 0.05) {
      const GearOverlay g = GearsAt(curve, theta);
      const double rolled = fixed * (theta - before);
      const double normalTurn = pitch.At(fixed * theta).tau - pitch.At(fixed * before).tau;
      const double gearTurn = Heading(g.gear.centre, ToothZero(g.gear)) -
                              Heading(last.gear.centre, ToothZero(last.gear));
      // Against the normal to the contact, rolling without slipping turns the
      // gear back by the arc over M inside the ring, on by it outside.
      ASSERT_NEAR(Turn(gearTurn - normalTurn), Turn((external ? 1 : -1) * rolled / moving), 1e-9)
          << theta;
      ASSERT_NEAR(Turn(Heading(g.gear.centre, g.pen) - Heading(g.gear.centre, ToothZero(g.gear)) -
                       penFromTooth),
                  0, 1e-9)
          << theta;
      before = theta;
      last = g;
    }
  }
}

TEST(ShapedGears, TheRingHasItsTeethAlongThePitchCurveAndARim) {
  for (const ShapedCase& c : kCases) {
    SCOPED_TRACE(Describe(c));
    const Curve curve(c.pattern, c.ring);
    const PitchCurve& pitch = curve.Shape().Pitch();
    const GearOverlay g = GearsAt(curve, 0.4);
    const long double s = std::fabs(curve.SizeFactor());
    const int32_t fixed = c.pattern.FixedTeeth;
    ASSERT_EQ(g.ring.outline.size(), 4u * fixed);
    EXPECT_NEAR(static_cast<double>(g.ring.radius), static_cast<double>(pitch.Reach() * s), 1e-9);
    // Each tooth 2π of the curve on from the last: a gap of an internal ring
    // (a tip of an external one) reaching out at σ = 2πj, from 2π(j - 0.15)
    // to 2π(j + 0.15), and a tooth reaching in from 2π(j + 0.35) to 2π(j + 0.65).
    const long double depth = std::fmin(0.8L, 0.3L * c.ring.corner);
    const long double outwards = c.pattern.GearMode == kExternalMode ? -depth : depth;
    const double corners[4] = {-0.15, 0.15, 0.35, 0.65};
    const std::vector<AreaPoint> curvePoints = PitchOnArea(curve, 5000);
    const long double sampling = pitch.Perimeter() / 5000 * s;
    for (int32_t j = 0; j < fixed; ++j) {
      for (int k = 0; k < 4; ++k) {
        const PitchCurve::Contact p = pitch.At(2 * kPi * (j + corners[k]));
        const long double out = k < 2 ? outwards : -outwards;
        const AreaPoint expected = OnArea(curve, p.x + out * p.sinTau, p.y + out * p.cosTau);
        const AreaPoint& q = g.ring.outline[4 * j + k];
        ASSERT_LT(Distance(q, expected), 1e-9L) << j << " " << k;
        if (j % 4 != 0) continue;
        ASSERT_NEAR(static_cast<double>(Nearest(curvePoints, q)), static_cast<double>(depth * s),
                    static_cast<double>(sampling))
            << j << " " << k;
      }
    }
    if (c.pattern.GearMode == kExternalMode) {
      EXPECT_EQ(g.ringRim, 0);
      EXPECT_TRUE(g.rimOutline.empty());
      continue;
    }
    // The rim runs 4 teeth outside the pitch curve all the way round.
    ASSERT_GT(g.rimOutline.size(), 4u * c.ring.sides);
    long double farthest = 0;
    for (const AreaPoint& q : g.rimOutline) {
      ASSERT_NEAR(static_cast<double>(Nearest(curvePoints, q)), static_cast<double>(4 * s),
                  static_cast<double>(sampling));
      farthest = std::fmax(farthest, Distance(q, g.ring.centre));
    }
    // Its corners in steps of 2 degrees.
    EXPECT_LE(farthest, g.ringRim + 1e-9L);
    EXPECT_GT(farthest, g.ringRim * std::cos(kPi / 180));
  }
}

// A ring whose corners are as round as the ring is a circle: its gears are
// the circle's, tooth for tooth, as its trace is the circle's.
TEST(ShapedGears, RoundCornersOfFTeethGiveTheCirclesGears) {
  for (int sides : {2, 3, 4, 5, 6}) {
    for (const PatternRecord& p : {Design(96, 60, 0, 0, 480), Design(105, 24, 1, 0, 480),
                                   Design(150, 52, 0, 337, 1040, 20, 30)}) {
      SCOPED_TRACE(::testing::Message() << "sides " << sides << " mode " << p.GearMode);
      const Curve circle(p);
      const Curve shaped(p, RingShape{sides, p.FixedTeeth});
      for (double theta : {0.0, 0.3, 1.7, 4.0}) {
        const GearOverlay a = GearsAt(circle, theta);
        const GearOverlay b = GearsAt(shaped, theta);
        auto same = [](AreaPoint x, AreaPoint y) { return Distance(x, y) < 1e-6L; };
        ASSERT_TRUE(same(a.ring.centre, b.ring.centre));
        ASSERT_TRUE(same(a.gear.centre, b.gear.centre)) << theta;
        ASSERT_LT(Distance(a.pen, b.pen), 1e-3L) << theta;
        ASSERT_NEAR(static_cast<double>(a.ringRim), static_cast<double>(b.ringRim), 1e-6);
        ASSERT_EQ(a.ring.outline.size(), b.ring.outline.size());
        for (size_t i = 0; i < a.ring.outline.size(); ++i)
          ASSERT_TRUE(same(a.ring.outline[i], b.ring.outline[i])) << i;
        ASSERT_EQ(a.gear.outline.size(), b.gear.outline.size());
        for (size_t i = 0; i < a.gear.outline.size(); ++i)
          ASSERT_TRUE(same(a.gear.outline[i], b.gear.outline[i])) << theta << " " << i;
        for (const AreaPoint& q : b.rimOutline)
          ASSERT_NEAR(static_cast<double>(Distance(q, b.ring.centre)),
                      static_cast<double>(b.ringRim), 1e-6);
      }
    }
  }
}

TEST(ShapedGears, CirclesKeepTheirOwnGears) {
  const PatternRecord p = Design(96, 60, 0, 0, 480);
  const GearOverlay plain = GearsAt(p);
  const GearOverlay circle = GearsAt(p, RingShape{0, 40});
  EXPECT_TRUE(plain.rimOutline.empty());
  EXPECT_EQ(plain.ringRim, 312.5L);
  EXPECT_EQ(circle.ringRim, plain.ringRim);
  EXPECT_EQ(circle.pen.x, plain.pen.x);
  EXPECT_EQ(circle.pen.y, plain.pen.y);
  ASSERT_EQ(circle.ring.outline.size(), plain.ring.outline.size());
  for (size_t i = 0; i < plain.ring.outline.size(); ++i) {
    ASSERT_EQ(circle.ring.outline[i].x, plain.ring.outline[i].x);
    ASSERT_EQ(circle.ring.outline[i].y, plain.ring.outline[i].y);
  }
}

TEST(ShapedGears, ManyTeethShowAsThePlainCurve) {
  const Curve curve(Design(5000, 700, 0), RingShape{4, 900});
  const GearOverlay g = GearsAt(curve, 0);
  ASSERT_EQ(g.ring.outline.size(), static_cast<size_t>(kMaxOutlineTeeth));
  const std::vector<AreaPoint> pitch = PitchOnArea(curve, kMaxOutlineTeeth);
  for (size_t i = 0; i < pitch.size(); ++i)
    ASSERT_LT(Distance(g.ring.outline[i], pitch[i]), 1e-9L) << i;
  EXPECT_EQ(g.gear.outline.size(), 4u * 700);
}

TEST(ShapedGears, ABadRingIsRefused) {
  EXPECT_THROW(GearsAt(Design(96, 60, 0), RingShape{4, 30}), std::invalid_argument);
  EXPECT_THROW(GearsAt(Design(96, 60, 0), RingShape{7, 60}), std::invalid_argument);
  EXPECT_THROW(GearsAt(Design(96, 0, 1), RingShape{4, 30}), RunTimeError);
}

}  // namespace
