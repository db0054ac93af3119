#pragma once
#include <vector>

#include "engine/curve.h"
#include "engine/pattern_history.h"

namespace engine {

// A point of the drawing area before truncation: pixel (x, y) covers
// [x, x + 1) x [y, y + 1).
using AreaPoint = Curve::ScreenPoint;

// A gear as shown over the picture: its pitch circle (teeth times the
// tracer's size factor) and a toothed outline, closed (the last point joins
// the first). The outline is for show; centre and radius are exact.
struct GearShape {
  AreaPoint centre;
  long double radius = 0;
  std::vector<AreaPoint> outline;
};

struct GearOverlay {
  bool external = false;
  // The fixed ring, around the design's centre. In internal mode the ring
  // is the band between its teeth and the circle of radius ringRim; in
  // external mode it is the toothed disc and ringRim is 0.
  //
  // A shaped ring's outline follows its pitch curve, with its teeth spaced
  // evenly along it; its radius is how far that curve reaches from the
  // centre. Its rim, in internal mode, is the closed rimOutline, and ringRim
  // how far that reaches. A circle's rimOutline is empty.
  GearShape ring;
  long double ringRim = 0;
  std::vector<AreaPoint> rimOutline;
  GearShape gear;
  // The point the tracer draws at this θ, exactly as exports write it;
  // truncated, it is the pixel the trace draws.
  AreaPoint pen;
};

// The gears where the pattern's trace starts (θ = 0). Throws what Curve's
// constructor throws.
GearOverlay GearsAt(const PatternRecord& pattern);
// The same on a ring that passes RingProblem (std::invalid_argument
// otherwise).
GearOverlay GearsAt(const PatternRecord& pattern, const RingShape& ring);
// The gears at a θ of the trace: 0, then each curve.NextAngle in turn, on
// the curve's own ring.
GearOverlay GearsAt(const Curve& curve, double theta);

// Outlines of more teeth than this are drawn as plain circles.
inline constexpr int kMaxOutlineTeeth = 720;

}  // namespace engine
