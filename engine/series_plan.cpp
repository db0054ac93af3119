#include "engine/series_plan.h"

#include "core/run_time_error.h"
#include "engine/checked.h"
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

// The same steps in the same order as MainWindow::draw, so that an error
// stops the plan where it would stop the Draw.
SeriesPlan PlanSeries(const DesignState& state, const RepeatSteps& steps, Colour pen, bool reflect,
                      int lineWidth, int64_t segmentBudget) {
  SeriesPlan plan;
  DesignState design = state;
  Colour colour = pen;
  const int32_t startTop = design.TopOfDesign;

  // False when the budget leaves the pattern out.
  auto add = [&](int32_t top) {
    const PatternRecord record{
        colour,         design.FixedTeeth, design.MovingTeeth, design.GearMode, top,
        design.PenHole, design.StepDeg,    design.DesignSize,  design.CentreX,  design.CentreY};
    const Curve curve(record);
    const long double segments = curve.EstimatedSegments();
    if (!(plan.segments + segments <= static_cast<long double>(segmentBudget))) {
      plan.cutShort = true;
      return false;
    }
    // Only designs far beyond the bars' ranges need the trace to find out.
    if (!curve.PixelsFit()) CheckScreenRange(curve);
    plan.segments += segments;
    plan.patterns.push_back({record, lineWidth});
    return true;
  };

  try {
    const int32_t count = design.RepeatCount;
    for (int32_t i = 1; i <= count; ++i) {
      if (!add(design.TopOfDesign)) return plan;
      if (reflect) {
        const int32_t mirrored = CheckedSub(CheckedMul(2, startTop), design.TopOfDesign);
        if (!add(mirrored)) return plan;
        // The panel shows the mirror's top; the Draw then turns it back.
        design.TopOfDesign = mirrored;
        design.TopOfDesign = CheckedSub(CheckedMul(2, startTop), design.TopOfDesign);
      }
      if (SeriesLimitReached(design, steps)) return plan;
      ApplySeriesSteps(design, steps);
      colour = StepColour(colour, steps);
    }
  } catch (const RunTimeError& e) {
    plan.failed = true;
    plan.error = e.what();
  }
  return plan;
}

}  // namespace engine
