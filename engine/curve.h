#pragma once
#include <cstdint>

#include "engine/design_state.h"
#include "engine/pattern_history.h"

// One point of the curve in pixel space, as the tracers keep it: the stored
// values u + 320 and 640 - (w + 320) (6-byte reals held in extended).
struct CurvePoint {
  long double column = 0;
  long double row = 0;
};

struct Pixel {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Pixel&) const = default;
};

// The curve of one pattern: the pen of a gear rolling inside (or, in mode 1,
// outside) a fixed ring. All working values are 6-byte reals computed in
// extended precision, in the order the tracer has always used, so that every
// pixel comes out the same on every run.
class Curve {
 public:
  // Uses the pattern's own reduced teeth counts and trace span.
  explicit Curve(const PatternRecord& pattern);
  Curve(const PatternRecord& pattern, const DerivedValues& derived);

  // Calls sink(from, to) for every segment in trace order and returns the
  // number of segments (at least 1). θ advances by repeated addition of dθ
  // and the loop stops after the first segment whose end θ exceeds E.
  template <class Sink>
  int64_t Trace(Sink&& sink) const;

  // Drawing-area pixel: ((u + 320) + 0.5 + x * 0.1) and
  // ((640 - (w + 320)) + 0.5 - y * 0.1), truncated toward zero.
  Pixel ScreenPixel(const CurvePoint& p) const;
  // Printer device pixel at printFactor percent, without the 0.5 and with
  // the centre offset counted twice.
  Pixel PrinterPixel(const CurvePoint& p, int32_t printFactor) const;

  // Number of segments the loop will draw, estimated from E / dθ; +infinity
  // when the loop would never end (dθ not positive).
  long double EstimatedSegments() const;
  // Whether every point of the curve maps to pixels that fit 32-bit integers,
  // on screen and on the printer at up to 600 %.
  bool PixelsFit() const;

  const PatternRecord& pattern() const { return pattern_; }
  const DerivedValues& derived() const { return derived_; }

 private:
  CurvePoint PointAt(long double theta) const;

  PatternRecord pattern_;
  DerivedValues derived_;
  // Stored working values.
  long double s_ = 0, q_ = 0, dTheta_ = 0, phi_ = 0, sinPhi_ = 0, cosPhi_ = 0, end_ = 0;
};
