#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/colour.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"
#include "engine/plain_panel.h"

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

// Everything a Draw starts from.
struct DrawInputs {
  PanelValues panel;
  DesignState design;
  DerivedValues derived;
  RepeatSteps steps;
  bool reflect = false;
  int32_t lineWidth = 1;
  bool operator==(const DrawInputs&) const = default;
};

// The inputs of a Draw from a panel that shows `design` as it is.
DrawInputs InputsShowing(const DesignState& design, const RepeatSteps& steps, Colour pen,
                         bool reflect, int32_t lineWidth);

// The patterns the Draw would trace: the same series run through the same
// panel rules, on plain controls, without drawing. A pattern that would take
// the estimated segments past the budget ends the plan.
SeriesPlan PlanSeries(const DrawInputs& inputs, int64_t segmentBudget);

// The estimated segments of each trace the Draw would make, in order: the
// same series, without the budget and without tracing a design to see
// whether it fits the screen, so cheap enough to work out for every Draw.
std::vector<long double> SeriesSegments(const DrawInputs& inputs);

// The estimated segments of one pattern on its ring; 1 for one that cannot
// be traced.
long double EstimatedSegments(const PatternRecord& pattern, const RingShape& ring = {});

}  // namespace engine
