#pragma once
#include <emmintrin.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "core/run_time_error.h"

namespace engine {

namespace real48_detail {

inline constexpr uint64_t kDropped = (uint64_t{1} << (52 - 39)) - 1;
inline constexpr uint64_t kHalf = uint64_t{1} << (52 - 39 - 1);
// 2^-128 is the smallest normal 6-byte real, (2 - 2^-39) * 2^126 the largest.
inline constexpr uint64_t kMinExponent = 1023 - 128;
inline constexpr uint64_t kMaxExponent = 1023 + 126;

inline uint64_t BiasedExponent(uint64_t bits) {
  return (bits >> 52) & 0x7FF;
}

// Everything the short path leaves out: half-way cases and the range.
[[gnu::noinline, gnu::cold]] inline double Store6Slow(long double x) {
  const double nearest = static_cast<double>(x);
  uint64_t bits = std::bit_cast<uint64_t>(nearest);
  if ((bits & kDropped) == kHalf && std::fabs(x) < std::fabs(static_cast<long double>(nearest))) {
    bits &= ~kDropped;
  } else {
    // A carry out of the fraction bumps the exponent.
    bits = (bits + kHalf) & ~kDropped;
  }
  const uint64_t exponent = BiasedExponent(bits);
  if (exponent - kMinExponent > kMaxExponent - kMinExponent) {
    // A NaN with every fraction bit set wraps round to zero above.
    if (exponent < kMinExponent && !std::isnan(nearest)) return 0.0;
    throw RunTimeError(errors::kFloatOverflow);
  }
  return std::bit_cast<double>(bits);
}

// A double's 40-bit rounding, the first dropped bit rounding away from
// zero, for one that is neither half-way nor near the ends of the range.
// Taken in the vector register the value is in: a loop that feeds each
// result into the next waits for no trip to the integer registers and back.
[[gnu::always_inline]] inline double RoundedInRegister(double x) {
  __m128i v = _mm_castpd_si128(_mm_set_sd(x));
  v = _mm_and_si128(_mm_add_epi64(v, _mm_cvtsi64_si128(static_cast<long long>(kHalf))),
                    _mm_cvtsi64_si128(static_cast<long long>(~kDropped)));
  return _mm_cvtsd_f64(_mm_castsi128_pd(v));
}

}  // namespace real48_detail

// Rounds an extended value to the 6-byte real format (sign, 8-bit exponent,
// 40-bit significand with the hidden bit): the first dropped bit rounds away
// from zero; too small gives 0; too large throws "Floating point overflow".
// NaN and infinity count as too large.
//
// Every 6-byte real is exact in a double, which is how the tracers hold them:
// Store6AsDouble gives the same value as a double. The tracers round about
// ten values per curve point, so the common case is kept short: storing an
// 80-bit value to memory is microcoded and slow, so x goes out as the nearest
// double, whose 53 bits decide the 40-bit rounding by themselves unless they
// lie exactly half-way or the exponent is near the ends of the range.
inline double Store6AsDouble(long double x) {
  using namespace real48_detail;
  const uint64_t bits = std::bit_cast<uint64_t>(static_cast<double>(x));
  // One test for both rare cases; the exponent is taken before rounding, so
  // one below the top leaves room for a carry.
  uint64_t rare = ((bits & kDropped) == kHalf) |
                  (BiasedExponent(bits) - kMinExponent >= kMaxExponent - kMinExponent);
  __asm__("" : "+r"(rare));  // keeps it one branch
  if (rare) [[unlikely]]
    return Store6Slow(x);
  return std::bit_cast<double>((bits + kHalf) & ~kDropped);
}

// Store6AsDouble(long double(a) + b), with the sum taken in double
// precision. The extended sum may round twice on its way to a double, but the
// two doubles are then neighbours, and a 6-byte rounding boundary between two
// neighbours is one of them: the exact sum's double is passed to the full
// rounding whenever it is a boundary, and the extended one whenever the
// quick path would not take it. So the value is always Store6AsDouble's,
// without the slow round trip of an 80-bit value through memory.
inline double Store6SumAsDouble(double a, double b) {
  using namespace real48_detail;
  const double sum = a + b;
  const uint64_t bits = std::bit_cast<uint64_t>(sum);
  uint64_t rare = ((bits & kDropped) == kHalf) |
                  (BiasedExponent(bits) - kMinExponent >= kMaxExponent - kMinExponent);
  __asm__("" : "+r"(rare));
  if (rare) [[unlikely]]
    return Store6AsDouble(static_cast<long double>(a) + b);
  return RoundedInRegister(sum);
}

inline long double Store6(long double x) {
  return Store6AsDouble(x);
}

}  // namespace engine
