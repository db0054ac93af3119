// The gears on a shaped ring: the ring drawn along its pitch curve, and the
// moving gear rolled round it, placed as the shaped pen places its points.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/gear_outline.h"

namespace engine::gear_detail {

namespace {

// A rim's corners are drawn in steps of at most this turn.
constexpr double kRimStep = std::numbers::pi / 90;

// The point `offset` teeth out along the normal from the contact at sigma.
AreaPoint Beside(const Frame& frame, const PitchCurve& pitch, double sigma, LD offset) {
  const PitchCurve::Contact c = pitch.At(sigma);
  return frame.At(frame.origin, c.y + offset * c.cosTau, c.x + offset * c.sinTau);
}

// F teeth along the pitch curve, each 2π of it, in the phases of Outline's:
// sign +1 reaches out at σ = 0 (a gap of an internal ring), -1 in. A ring of
// more teeth than an outline shows is its plain pitch curve.
std::vector<AreaPoint> ToothedCurve(const Frame& frame, const PitchCurve& pitch, int64_t teeth,
                                    int sign) {
  std::vector<AreaPoint> points;
  if (teeth > kMaxOutlineTeeth) {
    points.reserve(kMaxOutlineTeeth);
    for (int i = 0; i < kMaxOutlineTeeth; ++i)
      points.push_back(Beside(frame, pitch, pitch.Perimeter() * i / kMaxOutlineTeeth, 0));
    return points;
  }
  // The corners are the curve's tightest turns.
  const LD depth = std::fmin(kToothDepth, pitch.Corner() * kDepthPerRadius);
  points.reserve(4 * static_cast<size_t>(teeth));
  for (int64_t j = 0; j < teeth; ++j) {
    for (int c = 0; c < 4; ++c) {
      const double sigma = static_cast<double>(kTwoPi * (j + kCorner[c]));
      points.push_back(Beside(frame, pitch, sigma, sign * kCornerSign[c] * depth));
    }
  }
  return points;
}

// The curve kRimWidth teeth outside the pitch curve: straight beside each
// side, round each corner's centre. The library's sine and cosine will do for
// show, and are much quicker than the processor's.
std::vector<AreaPoint> Rim(const Frame& frame, const PitchCurve& pitch) {
  std::vector<AreaPoint> points;
  const double side = pitch.SideLength();
  const double corner = pitch.Corner();
  const double turn = pitch.CornerTurn();
  const int steps = std::max(1, static_cast<int>(std::ceil(turn / kRimStep)));
  for (int j = 0; j < pitch.Sides(); ++j) {
    const double start = j * (side + corner * turn) - side / 2;
    if (side > 0) points.push_back(Beside(frame, pitch, start, kRimWidth));
    // Where the side ends, the corner starts.
    const PitchCurve::Contact c = pitch.At(start + side);
    const double centreX = c.x - corner * c.sinTau, centreY = c.y - corner * c.cosTau;
    const LD radius = corner + kRimWidth;
    for (int i = 0; i < steps; ++i) {
      const double tau = c.tau + turn * i / steps;
      points.push_back(frame.At(frame.origin, centreY + radius * std::cos(tau),
                                centreX + radius * std::sin(tau)));
    }
  }
  return points;
}

AreaPoint OnArea(const ShapedPen& pen, double a, double b) {
  const ShapedPen::Point p = pen.Place(a, b);
  const ShapedPen::ScreenPoint s = pen.Screen(p.column, p.row);
  return {s.x, s.y};
}

}  // namespace

GearOverlay ShapedGearsAt(const Curve& curve, double theta) {
  const ShapedPen& pen = curve.Shape();
  const PitchCurve& pitch = pen.Pitch();
  const Frame frame = FrameOf(curve);
  const LD scale = std::fabs(frame.s);
  const int32_t fixed = curve.pattern().FixedTeeth;
  const double moving = curve.pattern().MovingTeeth;

  GearOverlay g;
  g.external = curve.External();
  g.ring.centre = frame.origin;
  g.ring.radius = pitch.Reach() * scale;
  g.gear.radius = std::fabs(moving) * scale;
  g.pen = curve.ExactScreenPoint(curve.PointAtAngle(theta));

  // The gear's centre M teeth from the contact along the normal, inside or
  // outside, worked out and mapped as the pen's.
  const double sigma = fixed * theta;
  const PitchCurve::Contact c = pitch.At(sigma);
  const double outwards = g.external ? 1 : -1;
  g.gear.centre =
      OnArea(pen, c.x + outwards * moving * c.sinTau, c.y + outwards * moving * c.cosTau);

  // Rolled σ along the ring, the gear has turned σ / M against the normal:
  // by -ψ internally, from local angle 0, and by ψ externally, from π, as the
  // pen turns.
  const double psi = g.external ? sigma / moving + c.tau : sigma / moving - c.tau;
  const int64_t teeth = std::llabs(curve.pattern().MovingTeeth);
  if (g.external) {
    g.ring.outline = ToothedCurve(frame, pitch, fixed, -1);
    g.gear.outline = Outline(frame, g.gear.centre, teeth, 1, kTwoPi / 2, psi);
  } else {
    g.ring.outline = ToothedCurve(frame, pitch, fixed, 1);
    g.ringRim = (pitch.Reach() + kRimWidth) * scale;
    g.rimOutline = Rim(frame, pitch);
    g.gear.outline = Outline(frame, g.gear.centre, teeth, 1, 0, -psi);
  }
  return g;
}

}  // namespace engine::gear_detail
