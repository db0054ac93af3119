#include "engine/series_plan.h"

#include "core/run_time_error.h"
#include "engine/curve.h"
#include "engine/series.h"

namespace engine {

namespace {

// Throws the range check the trace would meet, if any.
void CheckScreenRange(const Curve& curve) {
  curve.TraceMapped([&](const CurvePoint& p) { return curve.ScreenPixel(p); },
                    [](const Pixel&, const Pixel&) {});
}

}  // namespace

DrawInputs InputsShowing(const DesignState& design, const RepeatSteps& steps, Colour pen,
                         bool reflect, int32_t lineWidth) {
  return {PanelShowing(design, pen), design, DerivedOrDefault(design), steps, reflect, lineWidth};
}

SeriesPlan PlanSeries(const DrawInputs& inputs, int64_t segmentBudget) {
  SeriesPlan plan;
  PlainPanel panel(inputs.panel, inputs.design, inputs.derived);
  PanelRules& rules = panel.Rules();
  // As a Draw traces a pattern: onto the panel, then along the curve.
  auto trace = [&](const DrawnPattern& drawn) {
    rules.ShowPattern(drawn.record);
    rules.ShowMode(drawn.record.GearMode);
    rules.ShowRing(drawn.ring);
    const Curve curve(drawn.record, drawn.ring);
    const long double segments = curve.EstimatedSegments();
    if (!(plan.segments + segments <= static_cast<long double>(segmentBudget))) {
      plan.cutShort = true;
      return false;
    }
    // Only designs far beyond the bars' ranges need the trace to find out.
    if (!curve.PixelsFit()) CheckScreenRange(curve);
    plan.segments += segments;
    plan.patterns.push_back(drawn);
    return true;
  };
  int32_t startTop = 0;
  try {
    DrawSeries(rules, inputs.steps, inputs.reflect, inputs.lineWidth, startTop, trace);
  } catch (const RunTimeError& e) {
    plan.failed = true;
    plan.error = e.what();
  }
  return plan;
}

long double EstimatedSegments(const PatternRecord& pattern, const RingShape& ring) {
  try {
    return Curve(pattern, ring).EstimatedSegments();
  } catch (const std::exception&) {
    return 1;
  }
}

std::vector<long double> SeriesSegments(const DrawInputs& inputs) {
  std::vector<long double> segments;
  PlainPanel panel(inputs.panel, inputs.design, inputs.derived);
  PanelRules& rules = panel.Rules();
  auto trace = [&](const DrawnPattern& drawn) {
    rules.ShowPattern(drawn.record);
    rules.ShowMode(drawn.record.GearMode);
    rules.ShowRing(drawn.ring);
    segments.push_back(EstimatedSegments(drawn.record, drawn.ring));
    return true;
  };
  int32_t startTop = 0;
  try {
    DrawSeries(rules, inputs.steps, inputs.reflect, inputs.lineWidth, startTop, trace);
  } catch (const RunTimeError&) {
    // The Draw would stop here too.
  }
  return segments;
}

}  // namespace engine
