#pragma once
#include <functional>

#include "core/colour.h"
#include "engine/design_state.h"
#include "engine/panel_rules.h"
#include "engine/pattern_history.h"

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

// One press of Draw: RepeatCount patterns from the panel's design state,
// each followed by its mirror about the series' starting top when `reflect`,
// the steps and the pen colour's step added after each until the limit.
// `trace` shows a pattern on the panel and draws it, or returns false to end
// the series there. `startTop` takes the starting top before the first trace.
void DrawSeries(PanelRules& panel, const RepeatSteps& steps, bool reflect, int32_t lineWidth,
                int32_t& startTop, const std::function<bool(const DrawnPattern&)>& trace);

}  // namespace engine
