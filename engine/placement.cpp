#include "engine/placement.h"

#include <cmath>

#include "engine/checked.h"

namespace engine {

int32_t RoundHalfEven(long double v) {
  // -2^31 - 0.5 goes to the even -2^31; 2^31 - 0.5 goes to 2^31.
  if (!(v >= -2147483648.5L && v < 2147483647.5L)) throw RunTimeError(errors::kIntegerOverflow);
  // The default rounding mode is to nearest, ties to even.
  return static_cast<int32_t>(std::nearbyint(v));
}

int32_t ExternalDesignSize(int32_t fixed, int32_t moving) {
  const int32_t span = CheckedAdd(fixed, CheckedMul(2, moving));
  if (span == 0) throw RunTimeError(errors::kDivisionByZero);
  return RoundHalfEven(2000 * (static_cast<long double>(fixed) / span));
}

int32_t ExternalPenHole(int32_t fixed, int32_t moving) {
  if (fixed == 0) throw RunTimeError(errors::kDivisionByZero);
  int32_t hole = RoundHalfEven((static_cast<long double>(moving) / fixed * 0.8L + 8) * moving);
  if (static_cast<long double>(hole) > 9.6L * moving) hole = RoundHalfEven(9.6L * moving);
  return hole;
}

}  // namespace engine
