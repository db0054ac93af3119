#include "engine/shaped_pen.h"

#include <cmath>
#include <limits>

#include "core/run_time_error.h"
#include "engine/checked.h"

namespace engine {

namespace {

// The circle's constants, in doubles.
constexpr double kDoubleDegToRad = 1.0 / 57.2957795;
constexpr double kDoublePi = 3.141592654;

}  // namespace

ShapedPen::ShapedPen(const PatternRecord& pattern, const DerivedValues& derived,
                     const RingShape& ring)
    : pitch_(ring, pattern.FixedTeeth) {
  const int32_t fixed = pattern.FixedTeeth;
  const int32_t moving = pattern.MovingTeeth;
  external_ = pattern.GearMode == kExternalMode;
  fixed_ = fixed;
  moving_ = moving;

  s_ = (external_ ? 300.0 : 600.0) / (2 * pitch_.Reach()) * (pattern.DesignSize * 0.001);

  if (moving == 0) throw RunTimeError(errors::kDivisionByZero);
  q_ = static_cast<double>(pattern.PenHole) / moving * 10 * 0.01;

  const int32_t stepMoving = CheckedMul(pattern.StepDeg, derived.ReducedMoving);
  if (derived.ReducedFixed == 0) throw RunTimeError(errors::kDivisionByZero);
  dTheta_ = static_cast<double>(stepMoving) / derived.ReducedFixed * kDoubleDegToRad;

  phi_ = pattern.TopOfDesign * 0.1 * -2.0 * kDoublePi / fixed;
  DoubleSinCos(phi_, sinPhi_, cosPhi_);

  penRadius_ = moving * q_;
  end_ = derived.TraceSpanDeg * kDoubleDegToRad - dTheta_ + 0.001;

  columnOffset_ = pattern.CentreX * 0.1;
  rowOffset_ = pattern.CentreY * 0.1;
}

long double ShapedPen::EstimatedSegments() const {
  constexpr long double kEndless = std::numeric_limits<long double>::infinity();
  if (dTheta_ > end_) return 1;
  if (!(dTheta_ > 0)) return kEndless;
  // Within a binade each double sum advances θ by dθ rounded to that
  // binade's ulp.
  long double segments = 1;
  long double theta = dTheta_;
  while (!(theta > end_)) {
    int exponent;
    std::frexp(static_cast<double>(theta), &exponent);
    const long double binadeEnd = std::ldexp(1.0L, exponent);
    const long double ulp = std::ldexp(1.0L, exponent - 53);
    const long double advance = std::nearbyint(dTheta_ / ulp) * ulp;
    if (advance == 0) return kEndless;
    const long double stop = end_ < binadeEnd ? end_ : binadeEnd;
    const long double steps = std::floor((stop - theta) / advance) + 1;
    segments += steps;
    theta += steps * advance;
  }
  return segments;
}

double ShapedPen::Reach() const {
  return pitch_.Reach() + moving_ + std::fabs(penRadius_);
}

}  // namespace engine
