#pragma once

namespace engine {

// The processor's sine and cosine (x87 fsin/fcos/fsincos). An argument of
// magnitude 2^63 or more, which the instructions cannot reduce, gives 0; so
// do NaN and infinity.
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

// For |x| < 2^63 only.
inline void ProcessorSinCosInRange(long double x, long double& sine, long double& cosine) {
  long double s, c;
  __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(x));
  sine = s;
  cosine = c;
}

// Gives the same values as ProcessorSin and ProcessorCos, in one instruction.
inline void ProcessorSinCos(long double x, long double& sine, long double& cosine) {
  if (!ProcessorTrigInRange(x)) [[unlikely]] {
    sine = 0.0L;
    cosine = 0.0L;
    return;
  }
  ProcessorSinCosInRange(x, sine, cosine);
}

}  // namespace engine
