#pragma once

#include "core/colour.h"

namespace engine {

// The pure colour of the largest component, the mixed colour of two equal
// largest ones, black when all three are equal. Components are taken with
// truncating division: red = c mod 256, green = (c div 256) mod 256,
// blue = c div 65536.
Colour SevenColourReduction(Colour colour);

// The printer pen for a pattern by the print colour mode: black in mono,
// the pattern's colour in full colour, else the seven-colour reduction.
Colour PrinterPenColour(Colour colour, bool monoChecked, bool fullColourChecked);

}  // namespace engine
