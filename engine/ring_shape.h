#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace engine {

// The fixed ring's shape: `sides` 0 is a circle; 2 is an oval (a stadium), 3
// to 6 a rounded triangle to hexagon, whose corners are circular arcs of
// `corner` teeth. A circle ignores its corner.
struct RingShape {
  int32_t sides = 0;
  int32_t corner = 0;

  bool Circle() const { return sides == 0; }
  bool operator==(const RingShape&) const = default;
};

// Why a ring cannot carry a pattern of `fixed` and `moving` teeth (in the
// given mode), as the text after "cannot be drawn: "; nothing when it can.
// A circle always can.
std::optional<std::string> RingProblem(const RingShape& ring, int32_t fixed, int32_t moving,
                                       bool external);

// The double-precision sine and cosine of every shaped-ring value: the
// processor's, rounded to double, so that every machine gives the same bits.
void DoubleSinCos(double x, double& sine, double& cosine);

// The pitch curve of a shaped ring of `fixed` teeth, in tooth units: k
// straight sides joined by k arcs of radius C, side 0 at the top, its
// perimeter 2 pi F. All in doubles, with the exact double pi.
class PitchCurve {
 public:
  static constexpr int kMaxSides = 6;

  // The contact point at arc length sigma from the middle of side 0, going
  // clockwise, and the angle tau of the outward normal (sin tau, cos tau) there.
  struct Contact {
    double x = 0, y = 0;
    double tau = 0, sinTau = 0, cosTau = 0;
  };

  PitchCurve() = default;
  // For a valid shaped ring (sides 2 to 6, 1 <= corner <= fixed).
  PitchCurve(const RingShape& ring, int32_t fixed);

  Contact At(double sigma) const;

  int Sides() const { return sides_; }
  double Corner() const { return corner_; }
  double Perimeter() const { return perimeter_; }
  double SideLength() const { return side_; }
  double CornerTurn() const { return turn_; }
  double CornerDistance() const { return distance_; }
  // How far the curve reaches from the ring's centre: d + C.
  double Reach() const { return distance_ + corner_; }

 private:
  int sides_ = 0;
  double corner_ = 0, perimeter_ = 0, side_ = 0, halfSide_ = 0, turn_ = 0, distance_ = 0;
  double stretch_ = 0;  // one side and one corner: L + C alpha
  // Per side j: tau_j with its sine and cosine, and where the side starts,
  // c_{j-1} + C n(tau_j); per corner j: its centre c_j.
  std::array<double, kMaxSides> sideTau_{}, sideSin_{}, sideCos_{}, sideStartX_{}, sideStartY_{};
  std::array<double, kMaxSides> centreX_{}, centreY_{};
};

inline PitchCurve::Contact PitchCurve::At(double sigma) const {
  double along = std::fmod(sigma + halfSide_, perimeter_);
  if (along < 0) along += perimeter_;
  const double stretches = std::floor(along / stretch_);
  const int j = stretches > sides_ - 1 ? sides_ - 1 : static_cast<int>(stretches);
  const double r = along - j * stretch_;
  Contact c;
  if (r < side_) {
    c.tau = sideTau_[j];
    c.sinTau = sideSin_[j];
    c.cosTau = sideCos_[j];
    c.x = sideStartX_[j] + r * c.cosTau;
    c.y = sideStartY_[j] + r * -c.sinTau;
  } else {
    c.tau = sideTau_[j] + (r - side_) / corner_;
    DoubleSinCos(c.tau, c.sinTau, c.cosTau);
    c.x = centreX_[j] + corner_ * c.sinTau;
    c.y = centreY_[j] + corner_ * c.cosTau;
  }
  return c;
}

}  // namespace engine
