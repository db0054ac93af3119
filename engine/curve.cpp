#include "engine/curve.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "engine/checked.h"
#include "engine/gear_math.h"

namespace engine {

namespace {

// Not exactly pi / 180, nor pi itself: every pixel of every design depends on
// these exact values, so they are not to be "corrected".
constexpr long double kDegToRad = 1.0L / 57.2957795L;
constexpr long double kPi = 3.141592654L;

// A stored 6-byte real, held as the double it fits exactly.
double Stored(long double v) {
  return static_cast<double>(Store6(v));
}

}  // namespace

Curve::Curve(const PatternRecord& pattern)
    : Curve(pattern, DerivedFor(pattern.FixedTeeth, pattern.MovingTeeth, pattern.StepDeg)) {}

Curve::Curve(const PatternRecord& pattern, const DerivedValues& derived)
    : Curve(pattern, derived, RingShape{}) {}

Curve::Curve(const PatternRecord& pattern, const RingShape& ring)
    : Curve(pattern, DerivedFor(pattern.FixedTeeth, pattern.MovingTeeth, pattern.StepDeg), ring) {}

Curve::Curve(const PatternRecord& pattern, const DerivedValues& derived, const RingShape& ring)
    : pattern_(pattern), derived_(derived), ring_(ring) {
  if (!ring.Circle()) {
    SetUpShape();
    return;
  }
  const int32_t fixed = pattern.FixedTeeth;
  const int32_t moving = pattern.MovingTeeth;
  const bool external = pattern.GearMode == kExternalMode;
  external_ = external;
  const int32_t difference = CheckedSub(fixed, moving);
  const int32_t sum = CheckedAdd(fixed, moving);

  const int32_t twoFixed = CheckedMul(2, fixed);
  if (twoFixed == 0) throw RunTimeError(errors::kDivisionByZero);
  s_ = Stored((external ? 300.0L : 600.0L) / twoFixed * (pattern.DesignSize * 0.001L));

  if (moving == 0) throw RunTimeError(errors::kDivisionByZero);
  q_ = Stored(static_cast<long double>(pattern.PenHole) / moving * 10 * 0.01L);

  const int32_t stepMoving = CheckedMul(pattern.StepDeg, derived.ReducedMoving);
  if (derived.ReducedFixed == 0) throw RunTimeError(errors::kDivisionByZero);
  dTheta_ = Stored(static_cast<long double>(stepMoving) / derived.ReducedFixed * kDegToRad);

  phi_ = Stored(pattern.TopOfDesign * 0.1L * -2.0L * kPi / fixed);
  sinPhi_ = Stored(ProcessorSin(phi_));
  cosPhi_ = Stored(ProcessorCos(phi_));

  const long double gearRatio = static_cast<long double>(fixed) / moving;
  centreDistance_ = external ? sum : difference;
  ratio_ = external ? gearRatio + 1 : gearRatio - 1;
  penRadius_ = moving * static_cast<long double>(q_);
  // 2^margin >= (|D| + |P|) 2^-58, with 1075 added (see QuickValues); no
  // margin at all when D and P are 0 and so are a and b.
  const long double reach =
      std::fabs(static_cast<long double>(centreDistance_)) + std::fabs(penRadius_);
  trigMargin_ = reach > 0 ? std::ilogb(reach) + 1 - 58 + 1075 : -100000;

  end_ = Stored(derived.TraceSpanDeg * kDegToRad - dTheta_ + 0.001L);

  // θ stays below E + dθ, with a margin for the rounding of each sum.
  trigInRange_ = dTheta_ > 0 && (std::fabs(end_) + 2 * dTheta_) * (std::fabs(ratio_) + 1) < 0x1p62L;

  columnOffset_ = pattern.CentreX * 0.1L;
  rowOffset_ = pattern.CentreY * 0.1L;
  centred_ = pattern.CentreX == 0 && pattern.CentreY == 0;
}

void Curve::SetUpShape() {
  const int32_t fixed = pattern_.FixedTeeth;
  const int32_t moving = pattern_.MovingTeeth;
  external_ = pattern_.GearMode == kExternalMode;
  if (const auto problem = RingProblem(ring_, fixed, moving, external_))
    throw std::invalid_argument("Curve: " + *problem);
  const int32_t difference = CheckedSub(fixed, moving);
  const int32_t sum = CheckedAdd(fixed, moving);
  shape_ = ShapedPen(pattern_, derived_, ring_);
  shaped_ = true;
  s_ = shape_.SizeFactor();
  q_ = shape_.PenFactor();
  dTheta_ = shape_.StepAngle();
  phi_ = shape_.Top();
  sinPhi_ = shape_.SinTop();
  cosPhi_ = shape_.CosTop();
  end_ = shape_.EndAngle();
  // The circle's roll, for what reads it; the shape's pen does not.
  centreDistance_ = external_ ? sum : difference;
  ratio_ = static_cast<long double>(fixed) / moving + (external_ ? 1 : -1);
  penRadius_ = shape_.PenRadius();
  columnOffset_ = shape_.ColumnOffset();
  rowOffset_ = shape_.RowOffset();
  centred_ = pattern_.CentreX == 0 && pattern_.CentreY == 0;
}

long double Curve::EstimatedSegments() const {
  if (shaped_) return shape_.EstimatedSegments();
  constexpr long double kEndless = std::numeric_limits<long double>::infinity();
  // The first step lands on dθ itself.
  if (dTheta_ > end_) return 1;
  if (!(dTheta_ > 0)) return kEndless;
  // Within a binade θ is a multiple of that binade's 40-bit ulp, so each
  // stored sum advances it by dθ rounded to that ulp, which near a large E
  // may be much less than dθ, or nothing at all.
  long double segments = 1;
  long double theta = dTheta_;
  while (!(theta > end_)) {
    int exponent;
    std::frexp(theta, &exponent);  // theta in [2^(exponent-1), 2^exponent)
    const long double binadeEnd = std::ldexp(1.0L, exponent);
    const long double ulp = std::ldexp(1.0L, exponent - 40);
    const long double advance = std::floor(dTheta_ / ulp + 0.5L) * ulp;
    if (advance == 0) return kEndless;
    const long double stop = end_ < binadeEnd ? end_ : binadeEnd;
    const long double steps = std::floor((stop - theta) / advance) + 1;
    segments += steps;
    theta += steps * advance;
  }
  return segments;
}

int64_t Curve::StepsLike(double theta, double next) const {
  // θ is a whole number of its binade's 6-byte units, so while θ + dθ stays
  // in that binade its rounding, and so the step, depends on dθ alone.
  if (!(theta > 0 && dTheta_ > 0 && next > theta)) return 0;
  int exponent;
  std::frexp(theta, &exponent);
  const double top = std::ldexp(1.0, exponent);
  if (!(next < top)) return 0;
  const double step = next - theta;  // exact: both in [top / 2, top)
  // θ + k step + dθ < top for every k up to the count (one short of it, for
  // the division's rounding).
  const long double room = static_cast<long double>(top - theta) - dTheta_;
  const long double steps = std::floor(room / step) - 1;
  return steps > 0 ? static_cast<int64_t>(std::min<long double>(steps, 0x1p62L)) : 0;
}

bool Curve::PlanAngles(double theta, int64_t count, double* angles, Stretch& stretch) const {
  try {
    stretch = SkipStretch(theta, count, angles);
    return true;
  } catch (const RunTimeError&) {
    return false;
  }
}

Curve::Stretch Curve::SkipStretch(double theta, int64_t count, double* angles) const {
  if (shaped_) {
    for (int64_t i = 0; i < count; ++i) {
      theta = shape_.NextTheta(theta);
      if (angles != nullptr) angles[i] = theta;
      if (theta > end_) return {i + 1, theta, true};
    }
    return {count > 0 ? count : 0, theta, false};
  }
  int64_t i = 0;
  while (i < count) {
    const double next = NextTheta(theta);
    if (angles != nullptr) angles[i] = next;
    ++i;
    if (next > end_) return {i, next, true};
    // The steps that add what this one added, in one go: θ + k step is exact.
    const int64_t steps = std::min(StepsLike(theta, next), count - i);
    const double step = next - theta;
    theta = next;
    if (steps <= 0) continue;
    int64_t taken = steps;
    if (!(theta + static_cast<double>(steps) * step <= end_)) {
      // The first k with θ + k step past the end, from an estimate.
      const double estimate = std::min((end_ - theta) / step, static_cast<double>(steps));
      taken = std::max<int64_t>(static_cast<int64_t>(std::max(estimate, 1.0)), 1);
      while (taken > 1 && theta + static_cast<double>(taken - 1) * step > end_) --taken;
      while (taken < steps && !(theta + static_cast<double>(taken) * step > end_)) ++taken;
    }
    if (angles != nullptr) {
      double* const out = angles + i;
      for (int64_t k = 0; k < taken; ++k) out[k] = theta + static_cast<double>(k + 1) * step;
    }
    i += taken;
    theta += static_cast<double>(taken) * step;
    if (theta > end_) return {i, theta, true};
  }
  return {count > 0 ? count : 0, theta, false};
}

bool Curve::PixelsFit() const {
  using std::fabs;
  // A shaped ring's pen stays within its reach of the centre.
  const long double reach = shaped_ ? shape_.Reach() : fabs(centreDistance_) + fabs(penRadius_);
  // |a| and |b| are at most the centre distance plus the pen radius; the
  // rotation stretches them by at most |cos φ| + |sin φ|. The slack covers
  // the rounding of the stored values.
  const long double radius = reach * (fabs(cosPhi_) + fabs(sinPhi_)) * fabs(s_) * (1 + 1e-6L) + 1;
  const long double column = 320 + radius + fabs(columnOffset_) * 2 + 1;
  const long double row = 320 + radius + fabs(rowOffset_) * 2 + 1;
  constexpr long double kMaxZoom = 6;
  constexpr long double kLimit = 2147483647.0L;
  return column * kMaxZoom < kLimit && row * kMaxZoom < kLimit;
}

Curve::StoredValues Curve::PlainValuesAt(double theta) const {
  return external_ ? ReferenceValues<true>(theta) : ReferenceValues<false>(theta);
}

CurvePoint Curve::PointAtAngle(double theta) const {
  if (shaped_) {
    const ShapedPen::Point p =
        external_ ? shape_.PointAt<true>(theta) : shape_.PointAt<false>(theta);
    return {p.column, p.row};
  }
  const StoredPoint p = external_ ? ReferencePoint<true>(theta) : ReferencePoint<false>(theta);
  return {p.column, p.row};
}

double Curve::NextAngle(double theta) const {
  if (shaped_) return shape_.NextTheta(theta);
  return Store6AsDouble(static_cast<long double>(theta) + dTheta_);
}

}  // namespace engine
