#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/colour.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"

namespace engine {

// The patterns a Draw would trace, worked out without drawing them.
struct SeriesPlan {
  // In drawing order, each mirror right after its pattern.
  std::vector<DrawnPattern> patterns;
  // The estimated segments of those patterns, together.
  long double segments = 0;
  // The next pattern would have taken the segments past the budget; it and
  // the rest are left out.
  bool cutShort = false;
  // The Draw would stop with this run-time error after `patterns`; a range
  // check in the trace itself ends it part-way through the next pattern.
  bool failed = false;
  std::string error;
};

// The patterns of a Draw series from `state`: RepeatCount patterns (each
// followed by its mirror about the starting top when `reflect`), the steps
// added after each until SeriesLimitReached, the pen colour stepped with
// them. Assumes the panel takes every value as it is shown; it does not when
// a value lies outside its bar's range or the pen hole beyond 20 x moving.
SeriesPlan PlanSeries(const DesignState& state, const RepeatSteps& steps, Colour pen, bool reflect,
                      int lineWidth, int64_t segmentBudget);

}  // namespace engine
