#include "engine/series.h"

#include "engine/checked.h"

namespace engine {

namespace {

bool MagnitudeAbove(int32_t v, int32_t limit) {
  return v > limit || v < -limit;
}

int32_t StepComponent(int32_t component, int32_t step) {
  int32_t v = CheckedAdd(component, step);
  if (v < 0) v = CheckedAdd(v, 256);
  if (v > 255) v = CheckedSub(v, 256);
  return v;
}

}  // namespace

bool SeriesLimitReached(const DesignState& state, const RepeatSteps& steps) {
  if (MagnitudeAbove(CheckedAdd(state.TopOfDesign, steps.TopStep), 36000)) return true;
  if (CheckedAdd(state.PenHole, steps.HoleStep) > 2000) return true;
  if (CheckedAdd(state.PenHole, steps.HoleStep) < 0) return true;
  if (CheckedAdd(state.DesignSize, steps.SizeStep) > 2000) return true;
  if (CheckedAdd(state.DesignSize, steps.SizeStep) < 1) return true;
  if (MagnitudeAbove(CheckedAdd(state.CentreX, steps.CentreXStep), 3200)) return true;
  return MagnitudeAbove(CheckedAdd(state.CentreY, steps.CentreYStep), 3200);
}

void ApplySeriesSteps(DesignState& state, const RepeatSteps& steps) {
  state.TopOfDesign = CheckedAdd(state.TopOfDesign, steps.TopStep);
  state.PenHole = CheckedAdd(state.PenHole, steps.HoleStep);
  state.DesignSize = CheckedAdd(state.DesignSize, steps.SizeStep);
  state.CentreX = CheckedAdd(state.CentreX, steps.CentreXStep);
  state.CentreY = CheckedAdd(state.CentreY, steps.CentreYStep);
}

Colour StepColour(Colour colour, const RepeatSteps& steps) {
  // Truncating division, as colour values from a design file may be negative.
  int32_t c = colour;
  int32_t red = CheckedMod(c, 256);
  c = CheckedDiv(c, 256);
  int32_t green = CheckedMod(c, 256);
  int32_t blue = CheckedDiv(c, 256);
  red = StepComponent(red, steps.RedStep);
  green = StepComponent(green, steps.GreenStep);
  blue = StepComponent(blue, steps.BlueStep);
  return CheckedAdd(CheckedAdd(CheckedMul(blue, 65536), CheckedMul(green, 256)), red);
}

void DrawSeries(PanelRules& panel, const RepeatSteps& steps, bool reflect, int32_t lineWidth,
                int32_t& startTop, const std::function<bool(const DrawnPattern&)>& trace) {
  DesignState& design = panel.Design();
  startTop = design.TopOfDesign;
  auto current = [&](int32_t top) {
    return DrawnPattern{
        {panel.PenColour(), design.FixedTeeth, design.MovingTeeth, design.GearMode, top,
         design.PenHole, design.StepDeg, design.DesignSize, design.CentreX, design.CentreY},
        lineWidth,
        DesignRing(design)};
  };
  const int32_t count = design.RepeatCount;
  for (int32_t i = 1; i <= count; ++i) {
    if (!trace(current(design.TopOfDesign))) return;
    if (reflect) {
      const int32_t mirrored = CheckedSub(CheckedMul(2, startTop), design.TopOfDesign);
      if (!trace(current(mirrored))) return;
      // The panel now shows the mirror's top; the series goes on from the
      // pattern's own.
      design.TopOfDesign = CheckedSub(CheckedMul(2, startTop), design.TopOfDesign);
    }
    if (SeriesLimitReached(design, steps)) return;
    ApplySeriesSteps(design, steps);
    panel.SetPenColour(StepColour(panel.PenColour(), steps));
  }
}

}  // namespace engine
