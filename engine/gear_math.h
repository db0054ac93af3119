#pragma once
#include <cstdint>

#include "engine/design_state.h"

namespace engine {

// Euclid by repeated remainders; b = 0 is a division by zero.
int32_t Gcd(int32_t a, int32_t b);

// ReducedMoving := moving / g, ReducedFixed := fixed / g, g = Gcd(moving, fixed).
void ReduceTeeth(int32_t moving, int32_t fixed, DerivedValues& derived);

// TraceSpanDeg := (a / Gcd(a, b)) * b, overflow-checked.
void SetTraceSpan(int32_t a, int32_t b, DerivedValues& derived);

// TraceSpanDeg := lcm(360 * max(ReducedFixed, ReducedMoving), stepDeg).
void RefreshTraceSpan(int32_t stepDeg, DerivedValues& derived);

// The reduced counts and span of a pattern's own teeth and step.
DerivedValues DerivedFor(int32_t fixed, int32_t moving, int32_t stepDeg);

}  // namespace engine
