#pragma once
#include <cstdint>

#include "core/run_time_error.h"

namespace engine {

// Overflow-checked 32-bit integer arithmetic. Division truncates toward zero
// and the remainder takes the sign of the dividend.
inline int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw RunTimeError(errors::kIntegerOverflow);
  return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw RunTimeError(errors::kIntegerOverflow);
  return r;
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw RunTimeError(errors::kIntegerOverflow);
  return r;
}

inline int32_t CheckedDiv(int32_t a, int32_t b) {
  if (b == 0) throw RunTimeError(errors::kDivisionByZero);
  if (a == INT32_MIN && b == -1) throw RunTimeError(errors::kIntegerOverflow);
  return a / b;
}

inline int32_t CheckedMod(int32_t a, int32_t b) {
  if (b == 0) throw RunTimeError(errors::kDivisionByZero);
  if (b == -1) return 0;
  return a % b;
}

// A 1-based index into an array of `size` entries.
inline void CheckIndex(int64_t index, int64_t size) {
  if (index < 1 || index > size) throw RunTimeError(errors::kRangeCheck);
}

}  // namespace engine
