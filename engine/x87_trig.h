#pragma once

namespace engine {

// The program's sine and cosine are the processor's: the x87 instructions fsin
// and fcos. An argument of magnitude 2^63 or more, which the instructions
// cannot reduce, gives 0; so do NaN and infinity.
//
// glibc's sinl/cosl are software routines whose last bits differ from the
// instructions, so the instructions are reached directly.

inline bool ProcessorTrigInRange(long double x) {
  // False for NaN as well.
  return x < 0x1p63L && x > -0x1p63L;
}

inline long double ProcessorSin(long double x) {
  if (!ProcessorTrigInRange(x)) [[unlikely]]
    return 0.0L;
  long double r;
  __asm__("fsin" : "=t"(r) : "0"(x));
  return r;
}

inline long double ProcessorCos(long double x) {
  if (!ProcessorTrigInRange(x)) [[unlikely]]
    return 0.0L;
  long double r;
  __asm__("fcos" : "=t"(r) : "0"(x));
  return r;
}

// fsincos, both in one instruction and quicker than fsin and fcos together,
// but NOT the program's sine and cosine: on some processors its last bit
// differs from fsin's or fcos's for a small share of arguments. Only a caller
// that can show its stored results do not depend on that last bit may use it
// (the tracer's quick path, engine/curve.h). For |x| < 2^63 only.
struct Fsincos {
  static void SinCos(long double x, long double& sine, long double& cosine) {
    long double s, c;
    __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(x));
    sine = s;
    cosine = c;
  }
};

// Trig::SinCos for any argument, giving 0 where ProcessorSin does.
template <class Trig>
inline void QuickSinCos(long double x, long double& sine, long double& cosine) {
  if (!ProcessorTrigInRange(x)) [[unlikely]] {
    sine = 0.0L;
    cosine = 0.0L;
    return;
  }
  Trig::SinCos(x, sine, cosine);
}

}  // namespace engine
