#pragma once
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include "core/run_time_error.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"
#include "engine/pixel.h"
#include "engine/real48.h"
#include "engine/ring_shape.h"
#include "engine/shaped_pen.h"
#include "engine/turn_cache.h"
#include "engine/x87_trig.h"

namespace engine {

// The curve of one pattern: the pen of a gear rolling inside (or, in mode 1,
// outside) a fixed ring. All working values are 6-byte reals computed in
// extended precision, in one fixed order of evaluation, so that every pixel
// comes out the same on every run and a saved design redraws exactly.
//
// Sines and cosines are fsin's and fcos's. The tracers' quick path takes both
// from one fsincos instead, and works a point out again with fsin and fcos
// wherever the last bits of a sine or cosine could change a stored value (see
// QuickValues); FastTrig, where a tracer takes one, is the type whose
// SinCos stands in for fsincos (a test puts a disagreeing one in its place).
//
// On a shaped ring (see engine/ring_shape.h) the curve is ShapedPen's, worked
// out in doubles; everything below works the same for it, with its own
// stored values (SizeFactor, SinTop, ...), step and end.
class Curve {
 public:
  // Uses the pattern's own reduced teeth counts and trace span.
  explicit Curve(const PatternRecord& pattern);
  Curve(const PatternRecord& pattern, const DerivedValues& derived);
  // On the given ring, which must pass RingProblem (std::invalid_argument
  // otherwise). A circle gives exactly the curve above.
  Curve(const PatternRecord& pattern, const RingShape& ring);
  Curve(const PatternRecord& pattern, const DerivedValues& derived, const RingShape& ring);

  // Calls sink(from, to) for every segment in trace order and returns the
  // number of segments (at least 1). θ advances by repeated addition of dθ
  // and the loop stops after the first segment whose end θ exceeds E.
  template <class FastTrig = Fsincos, class Sink>
  int64_t Trace(Sink&& sink) const;

  // As Trace, with sink(from, to) given the segment's drawing-area pixels;
  // each point is mapped once.
  template <class FastTrig = Fsincos, class Sink>
  int64_t TraceScreen(Sink&& sink) const;

  // As Trace, with each point first turned by map(const CurvePoint&) into a
  // value of any type (pixels, say), once per point; sink(from, to) is given
  // those values.
  template <class FastTrig = Fsincos, class Map, class Sink>
  int64_t TraceMapped(Map&& map, Sink&& sink) const;

  // As Trace, computing every point the plain way, each working value
  // through Store6 in turn. Slower; the results must be the same.
  template <class Sink>
  int64_t TraceReference(Sink&& sink) const;

  // Drawing-area pixel: ((u + 320) + 0.5 + x * 0.1) and
  // ((640 - (w + 320)) + 0.5 - y * 0.1), truncated toward zero.
  // Beyond 32 bits is a range check error.
  Pixel ScreenPixel(const CurvePoint& p) const;
  // The same point before truncation, in extended precision: exports write
  // it, and truncating it gives ScreenPixel.
  struct ScreenPoint {
    long double x = 0, y = 0;
  };
  ScreenPoint ExactScreenPoint(const CurvePoint& p) const;
  // Printer device pixel at printFactor percent, without the 0.5 and with
  // the centre offset counted twice.
  Pixel PrinterPixel(const CurvePoint& p, int32_t printFactor) const;

  // Number of segments the loop will draw, estimated from E / dθ; +infinity
  // when the loop would never end (dθ not positive, or too small to move θ
  // near E).
  long double EstimatedSegments() const;
  // Whether every point of the curve maps to pixels that fit 32-bit integers,
  // on screen and on the printer at up to 600 %.
  bool PixelsFit() const;

  const DerivedValues& derived() const { return derived_; }

  // Every value a point stores on its way: a, b, u, w, and the point's
  // column (u + 320) and row (640 - (w + 320)).
  struct StoredValues {
    double a = 0, b = 0, u = 0, w = 0, column = 0, row = 0;
  };
  // The values at θ by the quick path, and by the plain one with fsin and
  // fcos, for tests that compare them.
  template <class FastTrig = Fsincos>
  StoredValues QuickValuesAt(double theta) const;
  StoredValues PlainValuesAt(double theta) const;

  // For drawing the gears where the pen is. PointAtAngle works a point out
  // the plain way, as TraceReference does, so at any θ the loop reaches it is
  // the point traced there; NextAngle is the loop's θ after theta, and the
  // loop stops after the first θ above EndAngle.
  CurvePoint PointAtAngle(double theta) const;
  double NextAngle(double theta) const;
  double EndAngle() const { return end_; }
  const PatternRecord& pattern() const { return pattern_; }
  const RingShape& Ring() const { return ring_; }
  bool Shaped() const { return shaped_; }
  // The shaped ring's pen; meaningful only when Shaped().
  const ShapedPen& Shape() const { return shape_; }
  bool External() const { return external_; }
  double SizeFactor() const { return s_; }
  double SinTop() const { return sinPhi_; }
  double CosTop() const { return cosPhi_; }
  double CentreDistance() const { return centreDistance_; }
  long double PenRadius() const { return penRadius_; }
  long double RollRatio() const { return ratio_; }

  // ScreenPixel as a map, for the tracers that take one; mapped the way
  // TraceScreen maps its points.
  struct ScreenMap {
    const Curve* curve;
    Pixel operator()(const CurvePoint& p) const { return curve->ScreenPixel(p); }
  };
  // ExactScreenPoint rounded through double to float, for a view that draws
  // the unrounded curve; as a map, mapped in the tracers' quick loop.
  struct FloatPoint {
    float x, y;
  };
  FloatPoint FloatScreenPoint(const CurvePoint& p) const;
  struct FloatScreenMap {
    const Curve* curve;
    FloatPoint operator()(const CurvePoint& p) const { return curve->FloatScreenPoint(p); }
  };
  // ScreenPixel with that point beside it.
  struct ScreenPointPixel {
    Pixel pixel;
    float x, y;
  };
  ScreenPointPixel ScreenPointAndPixel(const CurvePoint& p) const;
  // ScreenPointAndPixel as a map; mapped in the tracers' quick loop, as
  // ScreenMap is.
  struct ScreenPointMap {
    const Curve* curve;
    ScreenPointPixel operator()(const CurvePoint& p) const { return curve->ScreenPointAndPixel(p); }
  };

  // The trace a stretch at a time, for tracing on several threads (see
  // engine/parallel_trace.h). A stretch is the points after the one at angle
  // `theta` (a stored 6-byte real, held in a double), at most `count` of
  // them, ending early with the trace's last point. The points and angles are
  // those of TraceMapped.
  struct Stretch {
    int64_t points = 0;
    double theta = 0;   // the angle of the stretch's last point
    bool last = false;  // whether that point ends the trace
  };
  // map(point) of the trace's first point, at θ = 0.
  template <class Map>
  auto MapFirstPoint(Map&& map) const;
  // Calls out(map(point)) for each point of the stretch in turn. An error
  // mapping a point leaves the points before it given to out.
  template <class Map, class Out>
  Stretch TraceStretch(Map&& map, double theta, int64_t count, Out&& out) const;
  // The angles of the stretch alone, each also written to `angles` when
  // given (room for `count`).
  Stretch SkipStretch(double theta, int64_t count, double* angles = nullptr) const;
  // Calls out(map(point)) for the points at the given angles of the trace,
  // as SkipStretch wrote them: quicker than TraceStretch, with no
  // recurrence to run alongside. The order only sets how the sines and
  // cosines are reached (see PointOrder); the points are the same. FastTrig
  // stands in for fsincos (a test puts a disagreeing one in its place).
  enum class PointOrder {
    kInTurn,     // each point's fsincos, then its arithmetic
    kTrigAhead,  // the next point's fsincos before this point's arithmetic
    kTurned,     // runs of points turned on from one fsincos (RunPointsTurned)
  };
  template <class FastTrig = Fsincos, class Map, class Out>
  void MapPointsAt(Map&& map, const double* angles, int64_t count, Out&& out,
                   PointOrder order = PointOrder::kTurned) const;

 private:
  // A point as stored, in doubles, which load and spill far faster than
  // 80-bit values.
  struct StoredPoint {
    double column, row;
  };
  template <bool kExternal>
  [[gnu::noinline]] StoredValues ReferenceValues(double theta) const;
  // How many steps after the one from θ to `next` are sure to add as much.
  int64_t StepsLike(double theta, double next) const;
  template <bool kExternal>
  StoredPoint ReferencePoint(double theta) const;
  // The sines and cosines of θ and of the roll angle, by FastTrig.
  // kTrigInRange: no angle of the trace can reach 2^63, where the
  // instruction gives up.
  struct QuickTrig {
    long double sinTheta, cosTheta, sinRoll, cosRoll;
  };
  template <bool kTrigInRange, class FastTrig>
  QuickTrig QuickTrigAt(double theta) const;
  template <bool kExternal, bool kTrigInRange, class FastTrig>
  StoredValues QuickValues(double theta) const;
  template <bool kExternal>
  StoredValues QuickValues(double theta, const QuickTrig& trig) const;
  // QuickValues's values when they are sure (true); otherwise the caller
  // takes ReferenceValues.
  template <bool kExternal>
  bool QuickValuesOr(const QuickTrig& trig, StoredValues& values) const;
  template <bool kExternal, bool kTrigInRange, class FastTrig>
  StoredPoint PointAt(double theta) const;
  template <class Map>
  auto MapStored(Map& map, const StoredPoint& p) const;
  template <bool kExternal, bool kTrigInRange, bool kReference, class FastTrig, class Map>
  auto MapPoint(Map& map, double theta) const;
  double NextTheta(double theta) const;
  template <bool kExternal, bool kTrigInRange, bool kReference, class FastTrig, class Map,
            class Sink>
  int64_t Run(Map&& map, Sink&& sink) const;
  template <bool kReference, class FastTrig, class Map, class Sink>
  int64_t Dispatch(Map&& map, Sink&& sink) const;
  template <bool kExternal, bool kTrigInRange, class Map, class Out>
  Stretch RunStretch(Map& map, double theta, int64_t count, Out& out) const;
  template <bool kExternal, bool kTrigInRange, class FastTrig, class Map, class Out>
  void RunPointsAt(Map& map, const double* angles, int64_t count, Out& out) const;
  template <bool kExternal, bool kTrigInRange, class FastTrig, class Map, class Out>
  void RunPointsWithTrigAhead(Map& map, const double* angles, int64_t count, Out& out) const;
  template <bool kExternal, class FastTrig, class Map, class Out>
  void RunPointsTurned(Map& map, const double* angles, int64_t count, Out& out) const;
  // RunStretch through SkipStretch and RunPointsTurned, a chunk at a time.
  template <bool kExternal, class FastTrig, class Map, class Out>
  Stretch RunStretchTurned(Map& map, double theta, int64_t count, Out& out) const;
  template <bool kExternal, class FastTrig, class Map, class Sink>
  int64_t RunTurned(Map& map, Sink& sink) const;
  // SkipStretch, or false where it meets an error.
  bool PlanAngles(double theta, int64_t count, double* angles, Stretch& stretch) const;
  template <class Map, class Out>
  void FlushTurned(Map& map, const double* angles, const StoredValues* values, const bool* sure,
                   int count, Out& out) const;
  template <bool kExternal, class FastTrig, class Map, class Out>
  void DispatchPointsAt(Map& map, const double* angles, int64_t count, Out& out,
                        PointOrder order) const;
  static int32_t Truncate(long double v);

  // The shaped ring's trace: the loops above with ShapedPen's points and step.
  void SetUpShape();
  Pixel ShapedScreenPixel(const ShapedPen::Point& p) const;
  template <bool kExternal, class Map>
  auto MapShapedPoint(Map& map, double theta) const;
  template <bool kExternal, class Map, class Sink>
  int64_t RunShaped(Map&& map, Sink&& sink) const;
  template <bool kExternal, class Map, class Out>
  Stretch RunShapedStretch(Map& map, double theta, int64_t count, Out& out) const;
  template <bool kExternal, class Map, class Out>
  void RunShapedPointsAt(Map& map, const double* angles, int64_t count, Out& out) const;
  // ScreenPixel of a stored point, in doubles when that is sure to truncate
  // the same way.
  Pixel QuickScreenPixel(const StoredPoint& p) const;
  ScreenPointPixel QuickScreenPointAndPixel(const StoredPoint& p) const;
  FloatPoint QuickFloatScreenPoint(const StoredPoint& p) const;
  ScreenPointPixel ShapedScreenPointAndPixel(const ShapedPen::Point& p) const;

  PatternRecord pattern_;
  DerivedValues derived_;
  bool external_ = false;
  bool trigInRange_ = false;
  // Stored working values. A 6-byte real is exact in a double.
  double s_ = 0, q_ = 0, dTheta_ = 0, phi_ = 0, sinPhi_ = 0, cosPhi_ = 0, end_ = 0;
  // The same for every point, so worked out once: F - M or F + M (exact);
  // M * q; the factor F / M - 1 or F / M + 1; x * 0.1 and y * 0.1.
  double centreDistance_ = 0;
  long double penRadius_ = 0, ratio_ = 0, columnOffset_ = 0, rowOffset_ = 0;
  // How far a or b may move with the last bits of fsincos, as the exponent
  // of a power of two plus 1075 (see QuickValues).
  int64_t trigMargin_ = 0;
  bool centred_ = false;  // x = y = 0
  RingShape ring_;
  bool shaped_ = false;
  ShapedPen shape_;
};

// The picture's pixel of a point, whichever of the screen maps made it.
inline Pixel PixelOf(const Pixel& p) {
  return p;
}
inline Pixel PixelOf(const Curve::ScreenPointPixel& p) {
  return p.pixel;
}

namespace curve_detail {

// Store6AsDouble without its branches, for the tracer's hot loop: exact
// unless the nearest double lies half-way between two 6-byte reals, or the
// value is out of range. Either is added to `rare` (the range as the caller
// needs it: the exponent in [low, low + span), when span > 0), and the caller
// then works the point out again the plain way.
[[gnu::always_inline]] inline double QuickStore6(long double x, uint64_t& rare, uint64_t low = 0,
                                                 uint64_t span = 0) {
  using namespace real48_detail;
  const uint64_t bits = std::bit_cast<uint64_t>(static_cast<double>(x));
  rare |= ((bits ^ kHalf) & kDropped) == 0;
  if (span != 0) rare |= BiasedExponent(bits) - low >= span;
  return std::bit_cast<double>((bits + kHalf) & ~kDropped);
}

// QuickStore6 of x when no 6-byte rounding boundary (a value half-way
// between two 6-byte reals) lies within 2^(margin - 1075) of it, so that any
// value that near stores the same; otherwise adds to `rare`. The nearest
// double's dropped bits tell how many of its units x lies from the boundary;
// x is at most half a unit from the double.
[[gnu::always_inline]] inline double QuickStore6Apart(long double x, int64_t margin,
                                                      uint64_t& rare) {
  using namespace real48_detail;
  const uint64_t bits = std::bit_cast<uint64_t>(static_cast<double>(x));
  // The margin is at most 2^shift of the double's units. From 2^11 of them
  // the boundary below a power of two, 2^11 units under it, could be near.
  const int64_t shift = margin - static_cast<int64_t>(BiasedExponent(bits));
  rare |= shift > 10;
  const uint64_t units = shift < 0 ? 0 : uint64_t{1} << (shift & 15);
  const uint64_t dropped = bits & kDropped;
  const uint64_t distance = dropped > kHalf ? dropped - kHalf : kHalf - dropped;
  rare |= distance <= units + 1;
  return std::bit_cast<double>((bits + kHalf) & ~kDropped);
}

// For a sum whose exact value is a double, no half-way case is in doubt: the
// double is the sum, and its half-way cases round away from zero as they
// should.
[[gnu::always_inline]] inline double ExactStore6(double x) {
  return real48_detail::RoundedInRegister(x);
}

}  // namespace curve_detail

// Sums and products below keep the tracer's order of evaluation: do not
// regroup them. Every operand is widened to extended first.
template <bool kExternal>
Curve::StoredValues Curve::ReferenceValues(double theta) const {
  using X = long double;
  const X roll = ratio_ * theta;
  const X sinTheta = ProcessorSin(theta), cosTheta = ProcessorCos(theta);
  const X sinRoll = ProcessorSin(roll), cosRoll = ProcessorCos(roll);
  const double a = Store6AsDouble(X(centreDistance_) * sinTheta - penRadius_ * sinRoll);
  const double b = kExternal ? Store6AsDouble(X(centreDistance_) * cosTheta - penRadius_ * cosRoll)
                             : Store6AsDouble(X(centreDistance_) * cosTheta + penRadius_ * cosRoll);
  const double u = Store6AsDouble(X(s_) * (X(a) * cosPhi_ - X(b) * sinPhi_));
  const double w = Store6AsDouble(X(s_) * (X(b) * cosPhi_ + X(a) * sinPhi_));
  return {
      a, b, u, w, Store6AsDouble(X(u) + 320), Store6AsDouble(640 - X(Store6AsDouble(X(w) + 320)))};
}

template <bool kExternal>
inline Curve::StoredPoint Curve::ReferencePoint(double theta) const {
  const StoredValues v = ReferenceValues<kExternal>(theta);
  return {v.column, v.row};
}

template <bool kTrigInRange, class FastTrig>
[[gnu::always_inline]] inline Curve::QuickTrig Curve::QuickTrigAt(double theta) const {
  QuickTrig t;
  if constexpr (kTrigInRange) {
    FastTrig::SinCos(theta, t.sinTheta, t.cosTheta);
    FastTrig::SinCos(ratio_ * theta, t.sinRoll, t.cosRoll);
  } else {
    QuickSinCos<FastTrig>(theta, t.sinTheta, t.cosTheta);
    QuickSinCos<FastTrig>(ratio_ * theta, t.sinRoll, t.cosRoll);
  }
  return t;
}

// The same values as ReferenceValues, sooner. The loop's speed is set by the
// two fsincos, each a long microcoded sequence, and by how little the rest
// adds to them: so one combined test per point instead of a branch per value
// (a branch taken at random costs a lot here), and no tests at all where the
// value is known to be exact.
//
// fsincos is not fsin and fcos: on some processors their last bits differ.
// The sines and cosines are never stored; they reach a and b, in extended
// precision, and nothing else. Say each is within k units in the last place
// (2^-63, as none exceeds 1) of fsin's or fcos's. With D the centre distance
// and P the pen radius, the products then move by at most |D| (k + 1) 2^-63
// and |P| (k + 1) 2^-63 (the change and one rounding), and a or b by
// (|D| + |P|) (k + 2) 2^-63. The margin, the power of two at or above
// (|D| + |P|) 2^-58, covers any k up to 16: when no rounding boundary lies
// that near a or b, fsin and fcos store the same reals; when one does, the
// point is worked out again with them (on the largest pattern about one
// point in 1,000). What follows a and b uses only stored values and sin φ,
// cos φ (fsin, fcos), so every stored value of the point is the one fsin and
// fcos give.
template <bool kExternal, bool kTrigInRange, class FastTrig>
[[gnu::always_inline]] inline Curve::StoredValues Curve::QuickValues(double theta) const {
  return QuickValues<kExternal>(theta, QuickTrigAt<kTrigInRange, FastTrig>(theta));
}

template <bool kExternal>
[[gnu::always_inline]] inline bool Curve::QuickValuesOr(const QuickTrig& t, StoredValues& v) const {
  using X = long double;
  using curve_detail::ExactStore6;
  using curve_detail::QuickStore6;
  using curve_detail::QuickStore6Apart;
  // u and w within [2^-4, 2^29), so that u + 320, w + 320 and
  // 640 - (w + 320), sums of 40-bit values none finer than 2^-43, are exact
  // in a double. That leaves a and b untested for range: they cannot reach
  // 2^34, and one below 2^-128, which should be 0, either vanishes from u and
  // w as 0 would (when added to a term above 2^-62) or leaves them below 2^-4.
  uint64_t rare = 0;
  const int64_t margin = trigMargin_;
  const double a =
      QuickStore6Apart(X(centreDistance_) * t.sinTheta - penRadius_ * t.sinRoll, margin, rare);
  const double b =
      kExternal
          ? QuickStore6Apart(X(centreDistance_) * t.cosTheta - penRadius_ * t.cosRoll, margin, rare)
          : QuickStore6Apart(X(centreDistance_) * t.cosTheta + penRadius_ * t.cosRoll, margin,
                             rare);
  const double u = QuickStore6(X(s_) * (X(a) * cosPhi_ - X(b) * sinPhi_), rare, 1023 - 4, 33);
  const double w = QuickStore6(X(s_) * (X(b) * cosPhi_ + X(a) * sinPhi_), rare, 1023 - 4, 33);
  // The sums are exact in doubles, so taken there.
  v = {a, b, u, w, ExactStore6(u + 320), ExactStore6(640 - ExactStore6(w + 320))};
  return rare == 0;
}

template <bool kExternal>
[[gnu::always_inline]] inline Curve::StoredValues Curve::QuickValues(double theta,
                                                                     const QuickTrig& t) const {
  StoredValues v;
  if (!QuickValuesOr<kExternal>(t, v)) [[unlikely]]
    return ReferenceValues<kExternal>(theta);
  return v;
}

template <bool kExternal, bool kTrigInRange, class FastTrig>
[[gnu::always_inline]] inline Curve::StoredPoint Curve::PointAt(double theta) const {
  const StoredValues v = QuickValues<kExternal, kTrigInRange, FastTrig>(theta);
  return {v.column, v.row};
}

template <class FastTrig>
Curve::StoredValues Curve::QuickValuesAt(double theta) const {
  if (trigInRange_) {
    return external_ ? QuickValues<true, true, FastTrig>(theta)
                     : QuickValues<false, true, FastTrig>(theta);
  }
  return external_ ? QuickValues<true, false, FastTrig>(theta)
                   : QuickValues<false, false, FastTrig>(theta);
}

inline int32_t Curve::Truncate(long double v) {
  // fisttp truncates whatever the rounding mode, without reloading the
  // control word as a plain conversion would; beyond 64 bits (and for NaN)
  // it gives INT64_MIN, which fails the check too.
  int64_t r;
  __asm__("fisttpll %0" : "=m"(r) : "t"(v) : "st");
  if (r != static_cast<int32_t>(r)) [[unlikely]]
    throw RunTimeError(errors::kRangeCheck);
  return static_cast<int32_t>(r);
}

inline Curve::ScreenPoint Curve::ExactScreenPoint(const CurvePoint& p) const {
  if (shaped_) [[unlikely]] {
    const ShapedPen::ScreenPoint s =
        shape_.Screen(static_cast<double>(p.column), static_cast<double>(p.row));
    return {s.x, s.y};
  }
  return {(p.column + 0.5L) + columnOffset_, (p.row + 0.5L) - rowOffset_};
}

inline Pixel Curve::ScreenPixel(const CurvePoint& p) const {
  const ScreenPoint exact = ExactScreenPoint(p);
  return {Truncate(exact.x), Truncate(exact.y)};
}

inline Pixel Curve::PrinterPixel(const CurvePoint& p, int32_t printFactor) const {
  if (shaped_) [[unlikely]] {
    const ShapedPen::ScreenPoint s =
        shape_.Printer(static_cast<double>(p.column), static_cast<double>(p.row), printFactor);
    return {Truncate(s.x), Truncate(s.y)};
  }
  const long double zoom = printFactor * 0.01L;
  return {Truncate((p.column + columnOffset_ * 2.0L) * zoom),
          Truncate((p.row - rowOffset_ * 2.0L) * zoom)};
}

[[gnu::always_inline]] inline Pixel Curve::QuickScreenPixel(const StoredPoint& p) const {
  if (!centred_) return ScreenPixel(CurvePoint{p.column, p.row});
  // With no offset, stored + 0.5 is exact in a double whenever it could
  // truncate to anything but 0.
  const double column = p.column + 0.5;
  const double row = p.row + 0.5;
  if (!(std::fabs(column) < 0x1p31 && std::fabs(row) < 0x1p31)) [[unlikely]]
    return ScreenPixel(CurvePoint{p.column, p.row});
  return {static_cast<int32_t>(column), static_cast<int32_t>(row)};
}

inline Curve::FloatPoint Curve::FloatScreenPoint(const CurvePoint& p) const {
  const ScreenPoint exact = ExactScreenPoint(p);
  return {static_cast<float>(static_cast<double>(exact.x)),
          static_cast<float>(static_cast<double>(exact.y))};
}

[[gnu::always_inline]] inline Curve::FloatPoint Curve::QuickFloatScreenPoint(
    const StoredPoint& p) const {
  if (!centred_) return FloatScreenPoint(CurvePoint{p.column, p.row});
  // The unrounded point is stored + 0.5, which rounds to the same double
  // whether summed in extended precision or in double, at any size: beyond
  // 2^52 both give the stored value itself, the half-way case rounding to it
  // (even).
  return {static_cast<float>(p.column + 0.5), static_cast<float>(p.row + 0.5)};
}

inline Curve::ScreenPointPixel Curve::ScreenPointAndPixel(const CurvePoint& p) const {
  const FloatPoint point = FloatScreenPoint(p);
  return {ScreenPixel(p), point.x, point.y};
}

[[gnu::always_inline]] inline Curve::ScreenPointPixel Curve::QuickScreenPointAndPixel(
    const StoredPoint& p) const {
  const FloatPoint point = QuickFloatScreenPoint(p);
  return {QuickScreenPixel(p), point.x, point.y};
}

template <class Map>
[[gnu::always_inline]] inline auto Curve::MapStored(Map& map, const StoredPoint& p) const {
  if constexpr (std::is_same_v<std::remove_cvref_t<Map>, ScreenMap>) {
    return QuickScreenPixel(p);
  } else if constexpr (std::is_same_v<std::remove_cvref_t<Map>, ScreenPointMap>) {
    return QuickScreenPointAndPixel(p);
  } else if constexpr (std::is_same_v<std::remove_cvref_t<Map>, FloatScreenMap>) {
    return QuickFloatScreenPoint(p);
  } else {
    return map(CurvePoint{p.column, p.row});
  }
}

template <bool kExternal, bool kTrigInRange, bool kReference, class FastTrig, class Map>
[[gnu::always_inline]] inline auto Curve::MapPoint(Map& map, double theta) const {
  return MapStored(map, kReference ? ReferencePoint<kExternal>(theta)
                                   : PointAt<kExternal, kTrigInRange, FastTrig>(theta));
}

[[gnu::always_inline]] inline double Curve::NextTheta(double theta) const {
  return Store6SumAsDouble(theta, dTheta_);
}

template <bool kExternal, bool kTrigInRange, bool kReference, class FastTrig, class Map, class Sink>
int64_t Curve::Run(Map&& map, Sink&& sink) const {
  double theta = 0;
  auto previous = MapPoint<kExternal, kTrigInRange, kReference, FastTrig>(map, theta);
  int64_t segments = 0;
  do {
    theta = NextTheta(theta);
    const auto current = MapPoint<kExternal, kTrigInRange, kReference, FastTrig>(map, theta);
    sink(previous, current);
    previous = current;
    ++segments;
  } while (!(theta > end_));
  return segments;
}

template <bool kExternal, bool kTrigInRange, class Map, class Out>
Curve::Stretch Curve::RunStretch(Map& map, double theta, int64_t count, Out& out) const {
  for (int64_t i = 0; i < count; ++i) {
    theta = NextTheta(theta);
    out(MapPoint<kExternal, kTrigInRange, false, Fsincos>(map, theta));
    if (theta > end_) return {i + 1, theta, true};
  }
  return {count > 0 ? count : 0, theta, false};
}

template <bool kExternal, bool kTrigInRange, class FastTrig, class Map, class Out>
void Curve::RunPointsAt(Map& map, const double* angles, int64_t count, Out& out) const {
  for (int64_t i = 0; i < count; ++i)
    out(MapPoint<kExternal, kTrigInRange, false, FastTrig>(map, angles[i]));
}

// With every angle known ahead, the next point's fsincos can go before this
// point's arithmetic, so that the processor runs them while the arithmetic
// waits on the ones before. The compiler keeps that point's sine and cosine
// in memory meanwhile, as 80-bit values: on AMD's processors the trace on
// every core is 7 % quicker for it, on Intel's 7 % slower.
template <bool kExternal, bool kTrigInRange, class FastTrig, class Map, class Out>
void Curve::RunPointsWithTrigAhead(Map& map, const double* angles, int64_t count, Out& out) const {
  if (count <= 0) return;
  QuickTrig next = QuickTrigAt<kTrigInRange, FastTrig>(angles[0]);
  for (int64_t i = 0; i < count; ++i) {
    const QuickTrig trig = next;
    if (i + 1 < count) next = QuickTrigAt<kTrigInRange, FastTrig>(angles[i + 1]);
    const StoredValues v = QuickValues<kExternal>(angles[i], trig);
    out(MapStored(map, StoredPoint{v.column, v.row}));
  }
}

// Exact differences small enough for fsincos to take unreduced.
template <class T>
[[gnu::always_inline]] inline bool TurnableStep(T from, T to) {
  return from > 0 && to <= 2 * from && from <= 2 * to && to - from < T(0.5) && from - to < T(0.5);
}

template <class Map, class Out>
void Curve::FlushTurned(Map& map, const double* angles, const StoredValues* values,
                        const bool* sure, int count, Out& out) const {
  for (int k = 0; k < count; ++k) {
    const StoredValues v = sure[k] ? values[k]
                                   : (external_ ? ReferenceValues<true>(angles[k])
                                                : ReferenceValues<false>(angles[k]));
    out(MapStored(map, StoredPoint{v.column, v.row}));
  }
}

// Consecutive angles of a trace differ by a handful of step values, so a
// point's sines and cosines follow from the point before's by a turn
// (TurnBy), several times quicker than fsincos. A run of turns starts from
// fsincos; its last point takes fsincos again, which must agree with the
// turned values within kTurnCheck. Where it does not, the run's points are
// worked out with fsincos each.
//
// The error: fsincos lies within a unit (2^-64) of fsin and fcos, and each
// turn, by a step below 0.5 that fsincos takes unreduced, adds at most 2
// units; so a point kTurnRun - 1 turns on is within 2 kTurnRun - 1 units
// (23 units, 11.5 of the 2^-63 in which QuickValues's margin covers 16). At
// the check, a turn further on, the turned and fresh values differ by at
// most 2 kTurnRun + 2 units unless fsin does not turn as a sine does, which
// kTurnCheck is there to catch. Points are handed on in order after the
// check, and one whose quick values are in doubt is worked out then, so an
// error in it leaves the points before it given to out.
template <bool kExternal, class FastTrig, class Map, class Out>
void Curve::RunPointsTurned(Map& map, const double* angles, int64_t count, Out& out) const {
  using X = long double;
  constexpr int kTurnRun = 12;
  constexpr X kTurnCheck = 0x1p-59L;  // 32 units
  if (count <= 0) return;
  TurnCache<double> thetaTurns;
  TurnCache<X> rollTurns;
  StoredValues values[kTurnRun];
  bool sure[kTurnRun];
  QuickTrig anchor = QuickTrigAt<true, FastTrig>(angles[0]);
  X anchorRoll = ratio_ * angles[0];
  sure[0] = QuickValuesOr<kExternal>(anchor, values[0]);
  FlushTurned(map, angles, values, sure, 1, out);
  int64_t i = 1;
  QuickTrig turned[kTurnRun];
  while (i < count) {
    const int64_t first = i;
    // How far the run goes. Where the angles rise, as along a trace, so do
    // the rolls (ratio_ > 0), and the run's ends decide for every step.
    int turns = static_cast<int>(std::min<int64_t>(kTurnRun, count - i));
    bool rising = ratio_ > 0;
    for (int k = 0; k < turns; ++k) rising &= angles[i + k] >= angles[i + k - 1];
    X roll = ratio_ * angles[i + turns - 1];
    if (rising && TurnableStep(angles[i - 1], angles[i + turns - 1]) &&
        TurnableStep(anchorRoll, roll)) {
      i += turns;
    } else {
      roll = anchorRoll;
      turns = 0;
      while (turns < kTurnRun && i < count) {
        const X nextRoll = ratio_ * angles[i];
        if (!TurnableStep(angles[i - 1], angles[i]) || !TurnableStep(roll, nextRoll)) break;
        roll = nextRoll;
        ++turns;
        ++i;
      }
    }
    // θ's turns, then the roll's: with only one pair live, the x87 registers
    // hold it from turn to turn, where a spilled 80-bit value would wait on
    // its store each turn.
    {
      X sine = anchor.sinTheta, cosine = anchor.cosTheta;
      for (int k = 0; k < turns; ++k) {
        TurnBy(sine, cosine,
               thetaTurns.template For<FastTrig>(angles[first + k] - angles[first + k - 1]));
        turned[k].sinTheta = sine;
        turned[k].cosTheta = cosine;
      }
    }
    {
      X sine = anchor.sinRoll, cosine = anchor.cosRoll, before = anchorRoll;
      for (int k = 0; k < turns; ++k) {
        const X after = ratio_ * angles[first + k];
        TurnBy(sine, cosine, rollTurns.template For<FastTrig>(after - before));
        before = after;
        turned[k].sinRoll = sine;
        turned[k].cosRoll = cosine;
      }
    }
    for (int k = 0; k + 1 < turns; ++k) sure[k] = QuickValuesOr<kExternal>(turned[k], values[k]);
    const QuickTrig& t = turned[turns > 0 ? turns - 1 : 0];
    // The run's last point, or where a turn could not go, comes from fsincos.
    const int64_t last = turns > 0 ? i - 1 : i++;
    anchor = QuickTrigAt<true, FastTrig>(angles[last]);
    anchorRoll = turns > 0 ? roll : ratio_ * angles[last];
    if (turns > 0) {
      const bool agree = std::fabs(t.sinTheta - anchor.sinTheta) <= kTurnCheck &&
                         std::fabs(t.cosTheta - anchor.cosTheta) <= kTurnCheck &&
                         std::fabs(t.sinRoll - anchor.sinRoll) <= kTurnCheck &&
                         std::fabs(t.cosRoll - anchor.cosRoll) <= kTurnCheck;
      if (!agree) [[unlikely]] {
        for (int k = 0; k + 1 < turns; ++k)
          sure[k] =
              QuickValuesOr<kExternal>(QuickTrigAt<true, FastTrig>(angles[first + k]), values[k]);
      }
    }
    const int held = turns > 0 ? turns - 1 : 0;
    sure[held] = QuickValuesOr<kExternal>(anchor, values[held]);
    FlushTurned(map, angles + first, values, sure, held + 1, out);
  }
}

[[gnu::always_inline]] inline Pixel Curve::ShapedScreenPixel(const ShapedPen::Point& p) const {
  const ShapedPen::ScreenPoint s = shape_.Screen(p.column, p.row);
  if (!(std::fabs(s.x) < 0x1p31 && std::fabs(s.y) < 0x1p31)) [[unlikely]]
    return {Truncate(s.x), Truncate(s.y)};
  return {static_cast<int32_t>(s.x), static_cast<int32_t>(s.y)};
}

[[gnu::always_inline]] inline Curve::ScreenPointPixel Curve::ShapedScreenPointAndPixel(
    const ShapedPen::Point& p) const {
  const ShapedPen::ScreenPoint s = shape_.Screen(p.column, p.row);
  const float x = static_cast<float>(static_cast<double>(s.x));
  const float y = static_cast<float>(static_cast<double>(s.y));
  if (!(std::fabs(s.x) < 0x1p31 && std::fabs(s.y) < 0x1p31)) [[unlikely]]
    return {{Truncate(s.x), Truncate(s.y)}, x, y};
  return {{static_cast<int32_t>(s.x), static_cast<int32_t>(s.y)}, x, y};
}

template <bool kExternal, class Map>
[[gnu::always_inline]] inline auto Curve::MapShapedPoint(Map& map, double theta) const {
  const ShapedPen::Point p = shape_.PointAt<kExternal>(theta);
  if constexpr (std::is_same_v<std::remove_cvref_t<Map>, ScreenMap>) {
    return map.curve->ShapedScreenPixel(p);
  } else if constexpr (std::is_same_v<std::remove_cvref_t<Map>, ScreenPointMap>) {
    return map.curve->ShapedScreenPointAndPixel(p);
  } else {
    return map(CurvePoint{p.column, p.row});
  }
}

template <bool kExternal, class Map, class Sink>
int64_t Curve::RunShaped(Map&& map, Sink&& sink) const {
  double theta = 0;
  auto previous = MapShapedPoint<kExternal>(map, theta);
  int64_t segments = 0;
  do {
    theta = shape_.NextTheta(theta);
    const auto current = MapShapedPoint<kExternal>(map, theta);
    sink(previous, current);
    previous = current;
    ++segments;
  } while (!(theta > end_));
  return segments;
}

template <bool kExternal, class Map, class Out>
Curve::Stretch Curve::RunShapedStretch(Map& map, double theta, int64_t count, Out& out) const {
  for (int64_t i = 0; i < count; ++i) {
    theta = shape_.NextTheta(theta);
    out(MapShapedPoint<kExternal>(map, theta));
    if (theta > end_) return {i + 1, theta, true};
  }
  return {count > 0 ? count : 0, theta, false};
}

template <bool kExternal, class Map, class Out>
void Curve::RunShapedPointsAt(Map& map, const double* angles, int64_t count, Out& out) const {
  for (int64_t i = 0; i < count; ++i) out(MapShapedPoint<kExternal>(map, angles[i]));
}

template <class FastTrig, class Map, class Out>
void Curve::MapPointsAt(Map&& map, const double* angles, int64_t count, Out&& out,
                        PointOrder order) const {
  if (shaped_) {
    return external_ ? RunShapedPointsAt<true>(map, angles, count, out)
                     : RunShapedPointsAt<false>(map, angles, count, out);
  }
  return external_ ? DispatchPointsAt<true, FastTrig>(map, angles, count, out, order)
                   : DispatchPointsAt<false, FastTrig>(map, angles, count, out, order);
}

template <bool kExternal, class FastTrig, class Map, class Out>
void Curve::DispatchPointsAt(Map& map, const double* angles, int64_t count, Out& out,
                             PointOrder order) const {
  if (order == PointOrder::kTurned && trigInRange_)
    return RunPointsTurned<kExternal, FastTrig>(map, angles, count, out);
  if (order == PointOrder::kTrigAhead) {
    return trigInRange_
               ? RunPointsWithTrigAhead<kExternal, true, FastTrig>(map, angles, count, out)
               : RunPointsWithTrigAhead<kExternal, false, FastTrig>(map, angles, count, out);
  }
  return trigInRange_ ? RunPointsAt<kExternal, true, FastTrig>(map, angles, count, out)
                      : RunPointsAt<kExternal, false, FastTrig>(map, angles, count, out);
}

// A chunk's angles planned, then its points turned: the points, the errors
// and where they fall are those of the loop that takes each angle in turn.
template <bool kExternal, class FastTrig, class Map, class Out>
Curve::Stretch Curve::RunStretchTurned(Map& map, double theta, int64_t count, Out& out) const {
  constexpr int64_t kChunk = 4096;
  double angles[kChunk];
  int64_t done = 0;
  while (done < count) {
    Stretch planned;
    if (!PlanAngles(theta, std::min(kChunk, count - done), angles, planned)) [[unlikely]] {
      // The loop meets the error after handing on the points before it.
      const Stretch rest = RunStretch<kExternal, true>(map, theta, count - done, out);
      return {done + rest.points, rest.theta, rest.last};
    }
    RunPointsTurned<kExternal, FastTrig>(map, angles, planned.points, out);
    done += planned.points;
    theta = planned.theta;
    if (planned.last) return {done, theta, true};
  }
  return {done, theta, false};
}

template <bool kExternal, class FastTrig, class Map, class Sink>
int64_t Curve::RunTurned(Map& map, Sink& sink) const {
  auto previous = MapPoint<kExternal, true, false, FastTrig>(map, 0);
  int64_t segments = 0;
  const auto out = [&](const decltype(previous)& current) {
    sink(previous, current);
    previous = current;
    ++segments;
  };
  for (double theta = 0;;) {
    const Stretch stretch =
        RunStretchTurned<kExternal, FastTrig>(map, theta, int64_t{1} << 20, out);
    if (stretch.last) return segments;
    theta = stretch.theta;
  }
}

template <bool kReference, class FastTrig, class Map, class Sink>
int64_t Curve::Dispatch(Map&& map, Sink&& sink) const {
  if (shaped_) return external_ ? RunShaped<true>(map, sink) : RunShaped<false>(map, sink);
  if (trigInRange_ && !kReference) {
    return external_ ? RunTurned<true, FastTrig>(map, sink) : RunTurned<false, FastTrig>(map, sink);
  }
  if (trigInRange_) {
    return external_ ? Run<true, true, kReference, FastTrig>(map, sink)
                     : Run<false, true, kReference, FastTrig>(map, sink);
  }
  return external_ ? Run<true, false, kReference, FastTrig>(map, sink)
                   : Run<false, false, kReference, FastTrig>(map, sink);
}

template <class FastTrig, class Map, class Sink>
int64_t Curve::TraceMapped(Map&& map, Sink&& sink) const {
  return Dispatch<false, FastTrig>(map, sink);
}

template <class FastTrig, class Sink>
int64_t Curve::Trace(Sink&& sink) const {
  return Dispatch<false, FastTrig>([](const CurvePoint& p) { return p; }, sink);
}

template <class Sink>
int64_t Curve::TraceReference(Sink&& sink) const {
  return Dispatch<true, Fsincos>([](const CurvePoint& p) { return p; }, sink);
}

template <class FastTrig, class Sink>
int64_t Curve::TraceScreen(Sink&& sink) const {
  return Dispatch<false, FastTrig>(ScreenMap{this}, sink);
}

template <class Map>
auto Curve::MapFirstPoint(Map&& map) const {
  if (shaped_) return external_ ? MapShapedPoint<true>(map, 0) : MapShapedPoint<false>(map, 0);
  if (trigInRange_) {
    return external_ ? MapPoint<true, true, false, Fsincos>(map, 0)
                     : MapPoint<false, true, false, Fsincos>(map, 0);
  }
  return external_ ? MapPoint<true, false, false, Fsincos>(map, 0)
                   : MapPoint<false, false, false, Fsincos>(map, 0);
}

template <class Map, class Out>
Curve::Stretch Curve::TraceStretch(Map&& map, double theta, int64_t count, Out&& out) const {
  if (shaped_) {
    return external_ ? RunShapedStretch<true>(map, theta, count, out)
                     : RunShapedStretch<false>(map, theta, count, out);
  }
  if (trigInRange_) {
    return external_ ? RunStretchTurned<true, Fsincos>(map, theta, count, out)
                     : RunStretchTurned<false, Fsincos>(map, theta, count, out);
  }
  return external_ ? RunStretch<true, false>(map, theta, count, out)
                   : RunStretch<false, false>(map, theta, count, out);
}

}  // namespace engine
