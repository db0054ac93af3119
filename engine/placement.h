#pragma once
#include <cstdint>

namespace engine {

// To the nearest integer, an exact half to the even neighbour. Beyond 32 bits
// (or NaN) is an integer overflow.
int32_t RoundHalfEven(long double v);

// The external-mode default placement, in extended precision and in this
// order, since a different rounding would change saved designs' sizes: the design size round(2000 * (F / (F + 2M)))
// and the pen hole round(((M / F) * 0.8 + 8) * M), capped at round(9.6 * M).
int32_t ExternalDesignSize(int32_t fixed, int32_t moving);
int32_t ExternalPenHole(int32_t fixed, int32_t moving);

}  // namespace engine
