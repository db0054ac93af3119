#include "engine/gear_overlay.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "engine/gear_outline.h"
#include "engine/x87_trig.h"

namespace engine {

using namespace gear_detail;

GearOverlay GearsAt(const PatternRecord& pattern) {
  return GearsAt(Curve(pattern), 0);
}

GearOverlay GearsAt(const PatternRecord& pattern, const RingShape& ring) {
  return GearsAt(Curve(pattern, ring), 0);
}

GearOverlay GearsAt(const Curve& curve, double theta) {
  GearOverlay g;
  g.external = curve.External();
  if (curve.Shaped()) return ShapedGearsAt(curve, theta);
  const Frame frame = FrameOf(curve);
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
