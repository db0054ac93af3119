#include "engine/print_colour.h"

#include <cstdint>

namespace engine {

Colour SevenColourReduction(Colour colour) {
  const int32_t r = colour % 256;
  const int32_t g = (colour / 256) % 256;
  const int32_t b = colour / 65536;
  // For any three integers exactly one test holds.
  Colour pen = kBlack;
  if (b > r && b > g) pen = 0xFF0000;
  if (b == r && r == g) pen = kBlack;
  if (b == r && b > g) pen = 0xFF00FF;
  if (r > b && r > g) pen = 0x0000FF;
  if (g > b && g > r) pen = 0x00FF00;
  if (b == g && b > r) pen = 0xFFFF00;
  if (r == g && r > b) pen = 0x00FFFF;
  return pen;
}

Colour PrinterPenColour(Colour colour, bool monoChecked, bool fullColourChecked) {
  if (monoChecked) return kBlack;
  if (fullColourChecked) return colour;
  return SevenColourReduction(colour);
}

}  // namespace engine
