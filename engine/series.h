#pragma once

#include "core/colour.h"
#include "engine/design_state.h"

namespace engine {

// Whether adding the steps would take a value beyond the limits of a Draw
// series: a top of magnitude above 36000, a pen hole outside 0..2000, a size
// outside 1..2000, a centre of magnitude above 3200. The sums are
// overflow-checked and tested in that order.
bool SeriesLimitReached(const DesignState& state, const RepeatSteps& steps);

// Adds the steps to top, pen hole, size and centre (overflow-checked).
void ApplySeriesSteps(DesignState& state, const RepeatSteps& steps);

// The next colour of a series: each component plus its step, brought back
// into 0..255 by one correction of 256.
Colour StepColour(Colour colour, const RepeatSteps& steps);

}  // namespace engine
