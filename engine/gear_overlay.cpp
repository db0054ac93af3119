#include "engine/gear_overlay.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

#include "engine/x87_trig.h"

namespace engine {

namespace {

using LD = long double;
constexpr LD kTwoPi = 2 * std::numbers::pi_v<LD>;

// Tooth height either side of the pitch circle, in teeth units (a tooth's
// pitch is 2π of them).
constexpr LD kToothDepth = 0.8L;
// Where a tooth's corners fall within its pitch: tip from -0.15 to 0.15,
// root from 0.35 to 0.65.
constexpr LD kCorner[4] = {-0.15L, 0.15L, 0.35L, 0.65L};
constexpr int kCornerSign[4] = {1, 1, -1, -1};
// An internal ring's band beyond its pitch circle, in teeth units.
constexpr LD kRimWidth = 4;

// The tracer's frame: (b, a) in teeth units, turned by the top angle, scaled
// and with rows downwards, as Curve computes u and w.
struct Frame {
  LD s, sinTop, cosTop;
  AreaPoint origin;

  AreaPoint At(AreaPoint from, LD b, LD a) const {
    return {from.x + s * (a * cosTop - b * sinTop), from.y - s * (b * cosTop + a * sinTop)};
  }
};

// A toothed outline around `centre`, turned by `turn`. With sign +1 the
// outline reaches furthest out (a tip of a gear, a gap of a ring) at local
// angle `phase`; with -1 it reaches furthest in there.
std::vector<AreaPoint> Outline(const Frame& frame, AreaPoint centre, int64_t teeth, int sign,
                               LD phase, LD turn) {
  std::vector<AreaPoint> points;
  const LD radius = teeth;
  if (teeth == 0) return points;
  if (teeth > kMaxOutlineTeeth) {
    points.reserve(kMaxOutlineTeeth);
    for (int i = 0; i < kMaxOutlineTeeth; ++i) {
      const double angle = static_cast<double>(kTwoPi * i / kMaxOutlineTeeth);
      points.push_back(frame.At(centre, radius * std::cos(angle), radius * std::sin(angle)));
    }
    return points;
  }
  const LD depth = std::fmin(kToothDepth, radius * 0.3L);
  points.reserve(4 * static_cast<size_t>(teeth));
  for (int64_t j = 0; j < teeth; ++j) {
    for (int c = 0; c < 4; ++c) {
      const LD local = phase + kTwoPi * (j + kCorner[c]) / radius;
      const LD r = radius + sign * kCornerSign[c] * depth;
      // Doubles will do for the teeth, and are much quicker.
      const double angle = static_cast<double>(local + turn);
      points.push_back(frame.At(centre, r * std::cos(angle), r * std::sin(angle)));
    }
  }
  return points;
}

}  // namespace

GearOverlay GearsAt(const PatternRecord& pattern) {
  return GearsAt(Curve(pattern), 0);
}

GearOverlay GearsAt(const Curve& curve, double theta) {
  GearOverlay g;
  g.external = curve.External();
  const Frame frame{curve.SizeFactor(), curve.SinTop(), curve.CosTop(),
                    curve.ExactScreenPoint(CurvePoint{320, 320})};
  const LD scale = std::fabs(frame.s);
  const int64_t fixed = std::llabs(curve.pattern().FixedTeeth);
  const int64_t moving = std::llabs(curve.pattern().MovingTeeth);

  const LD sinTheta = ProcessorSin(theta), cosTheta = ProcessorCos(theta);
  const LD distance = curve.CentreDistance();
  const LD roll = curve.RollRatio() * theta;

  g.ring.centre = frame.origin;
  g.ring.radius = fixed * scale;
  g.gear.centre = frame.At(frame.origin, distance * cosTheta, distance * sinTheta);
  g.gear.radius = moving * scale;
  g.pen = curve.ExactScreenPoint(curve.PointAtAngle(theta));

  // The gears mesh where they touch, a tip of the one in a gap of the other,
  // and turn with the pen: internally by -RollRatio·θ from local angle 0,
  // externally by +RollRatio·θ from local angle π.
  if (g.external) {
    g.ring.outline = Outline(frame, g.ring.centre, fixed, -1, 0, 0);
    g.gear.outline = Outline(frame, g.gear.centre, moving, 1, kTwoPi / 2, roll);
  } else {
    g.ring.outline = Outline(frame, g.ring.centre, fixed, 1, 0, 0);
    g.ringRim = (fixed + kRimWidth) * scale;
    g.gear.outline = Outline(frame, g.gear.centre, moving, 1, 0, -roll);
  }
  return g;
}

}  // namespace engine
