#pragma once
#include <cstdint>

// A colour value 0x00BBGGRR: red in the low byte, then green, then blue.
using Colour = int32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

inline int RedOf(Colour c) {
  return c & 0xFF;
}
inline int GreenOf(Colour c) {
  return (c >> 8) & 0xFF;
}
inline int BlueOf(Colour c) {
  return (c >> 16) & 0xFF;
}
