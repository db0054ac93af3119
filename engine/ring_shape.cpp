#include "engine/ring_shape.h"

#include <numbers>
#include <stdexcept>

#include "engine/x87_trig.h"

namespace engine {

std::optional<std::string> RingProblem(const RingShape& ring, int32_t fixed, int32_t moving,
                                       bool external) {
  const std::string sides = std::to_string(ring.sides);
  const std::string corner = std::to_string(ring.corner);
  switch (ring.sides) {
    case 0:
      return std::nullopt;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      break;
    default:
      return "sides " + sides + " is not 0, 2, 3, 4, 5 or 6";
  }
  if (ring.corner < 1) return "corner " + corner + " is below 1";
  if (ring.corner > fixed)
    return "corner " + corner + " is above the fixed gear's " + std::to_string(fixed) + " teeth";
  // Rolling inside, the gear must fit the corners.
  if (!external && ring.corner < moving)
    return "corner " + corner + " is below the moving gear's " + std::to_string(moving) + " teeth";
  return std::nullopt;
}

void DoubleSinCos(double x, double& sine, double& cosine) {
  // fsin and fcos, not fsincos: the latter's last bit differs on some
  // processors, and that bit can reach the rounded double.
  sine = static_cast<double>(ProcessorSin(x));
  cosine = static_cast<double>(ProcessorCos(x));
}

PitchCurve::PitchCurve(const RingShape& ring, int32_t fixed) {
  if (ring.sides < 2 || ring.sides > kMaxSides || ring.corner < 1 || ring.corner > fixed)
    throw std::invalid_argument("PitchCurve: not a shaped ring");
  constexpr double kPi = std::numbers::pi;
  const int k = ring.sides;
  sides_ = k;
  corner_ = ring.corner;
  perimeter_ = 2 * kPi * fixed;
  side_ = 2 * kPi * (fixed - ring.corner) / k;
  halfSide_ = side_ / 2;
  turn_ = 2 * kPi / k;
  double sinHalfTurn, unused;
  DoubleSinCos(kPi / k, sinHalfTurn, unused);
  distance_ = side_ / (2 * sinHalfTurn);
  stretch_ = side_ + corner_ * turn_;
  for (int j = 0; j < k; ++j) {
    const double tau = j * turn_;
    sideTau_[j] = tau;
    DoubleSinCos(tau, sideSin_[j], sideCos_[j]);
    double sine, cosine;
    DoubleSinCos(tau + turn_ / 2, sine, cosine);
    centreX_[j] = distance_ * sine;
    centreY_[j] = distance_ * cosine;
  }
  for (int j = 0; j < k; ++j) {
    const int before = j == 0 ? k - 1 : j - 1;
    sideStartX_[j] = centreX_[before] + corner_ * sideSin_[j];
    sideStartY_[j] = centreY_[before] + corner_ * sideCos_[j];
  }
}

}  // namespace engine
