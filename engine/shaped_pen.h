#pragma once
#include <cstdint>

#include "engine/design_state.h"
#include "engine/pattern_history.h"
#include "engine/ring_shape.h"

namespace engine {

// The pen of a gear rolling inside (or, in mode 1, outside) a shaped ring,
// with the circle's working values, step, end and pixel mapping, but every
// one of them an IEEE double computed in the order written: none is rounded
// to a 6-byte real, and θ advances by repeated double addition.
class ShapedPen {
 public:
  struct Point {
    double column = 0, row = 0;  // u + 320 and 640 - (w + 320)
  };
  struct ScreenPoint {
    double x = 0, y = 0;  // before truncation
  };

  ShapedPen() = default;
  // For a ring that RingProblem passes; throws RunTimeError as the circle's
  // trace does for a moving gear of 0 teeth and overflowing counts.
  ShapedPen(const PatternRecord& pattern, const DerivedValues& derived, const RingShape& ring);

  template <bool kExternal>
  Point PointAt(double theta) const;
  // The column and row of (a, b) in tooth units about the ring's centre,
  // mapped as the pen is.
  Point Place(double a, double b) const {
    const double u = s_ * (a * cosPhi_ - b * sinPhi_);
    const double w = s_ * (b * cosPhi_ + a * sinPhi_);
    return {u + 320, 640 - (w + 320)};
  }
  double NextTheta(double theta) const { return theta + dTheta_; }

  // (column + 0.5) + x * 0.1 and (row + 0.5) - y * 0.1.
  ScreenPoint Screen(double column, double row) const {
    return {(column + 0.5) + columnOffset_, (row + 0.5) - rowOffset_};
  }
  // Printer device pixel before truncation, at printFactor percent.
  ScreenPoint Printer(double column, double row, int32_t printFactor) const {
    const double zoom = printFactor * 0.01;
    return {(column + columnOffset_ * 2.0) * zoom, (row - rowOffset_ * 2.0) * zoom};
  }

  // Segments the loop will draw, estimated as the circle's trace does, for
  // θ held in a double; +infinity when the loop would never end.
  long double EstimatedSegments() const;
  // The farthest the pen gets from the ring's centre, in tooth units.
  double Reach() const;

  const PitchCurve& Pitch() const { return pitch_; }
  bool External() const { return external_; }
  double SizeFactor() const { return s_; }
  double PenFactor() const { return q_; }
  double StepAngle() const { return dTheta_; }
  double EndAngle() const { return end_; }
  double Top() const { return phi_; }
  double SinTop() const { return sinPhi_; }
  double CosTop() const { return cosPhi_; }
  double PenRadius() const { return penRadius_; }
  double ColumnOffset() const { return columnOffset_; }
  double RowOffset() const { return rowOffset_; }

 private:
  PitchCurve pitch_;
  bool external_ = false;
  double fixed_ = 0, moving_ = 0;
  double s_ = 0, q_ = 0, dTheta_ = 0, phi_ = 0, sinPhi_ = 0, cosPhi_ = 0, end_ = 0;
  double penRadius_ = 0;  // M q
  double columnOffset_ = 0, rowOffset_ = 0;
};

template <bool kExternal>
inline ShapedPen::Point ShapedPen::PointAt(double theta) const {
  const double sigma = fixed_ * theta;
  const PitchCurve::Contact p = pitch_.At(sigma);
  const double psi = kExternal ? sigma / moving_ + p.tau : sigma / moving_ - p.tau;
  double sinPsi, cosPsi;
  DoubleSinCos(psi, sinPsi, cosPsi);
  double a, b;
  if constexpr (kExternal) {
    a = (p.x + moving_ * p.sinTau) - penRadius_ * sinPsi;
    b = (p.y + moving_ * p.cosTau) - penRadius_ * cosPsi;
  } else {
    a = (p.x - moving_ * p.sinTau) + penRadius_ * -sinPsi;
    b = (p.y - moving_ * p.cosTau) + penRadius_ * cosPsi;
  }
  return Place(a, b);
}

}  // namespace engine
