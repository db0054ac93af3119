#pragma once
#include <cstdint>

namespace engine {

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

}  // namespace engine
