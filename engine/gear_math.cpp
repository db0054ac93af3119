#include "engine/gear_math.h"

#include "engine/checked.h"

namespace engine {

int32_t Gcd(int32_t a, int32_t b) {
  for (;;) {
    a = CheckedMod(a, b);
    if (a == 0) return b;
    b = CheckedMod(b, a);
    if (b == 0) return a;
  }
}

void ReduceTeeth(int32_t moving, int32_t fixed, DerivedValues& derived) {
  const int32_t g = Gcd(moving, fixed);
  derived.ReducedMoving = CheckedDiv(moving, g);
  derived.ReducedFixed = CheckedDiv(fixed, g);
}

void SetTraceSpan(int32_t a, int32_t b, DerivedValues& derived) {
  derived.TraceSpanDeg = CheckedMul(CheckedDiv(a, Gcd(a, b)), b);
}

void RefreshTraceSpan(int32_t stepDeg, DerivedValues& derived) {
  const int32_t larger =
      derived.ReducedFixed >= derived.ReducedMoving ? derived.ReducedFixed : derived.ReducedMoving;
  SetTraceSpan(CheckedMul(360, larger), stepDeg, derived);
}

DerivedValues DerivedFor(int32_t fixed, int32_t moving, int32_t stepDeg) {
  DerivedValues d;
  ReduceTeeth(moving, fixed, d);
  RefreshTraceSpan(stepDeg, d);
  return d;
}

}  // namespace engine
