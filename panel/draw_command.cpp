// Draw: one pattern, or a series stepped after each pattern, optionally
// followed each time by its mirror image about the series' starting top.
#include "engine/checked.h"
#include "engine/series.h"
#include "panel/korva_window.h"

using namespace engine;

void TKorva::DrawClick() {
  historyFullShown_ = false;
  if (!history.Empty()) {
    for (ui::Button* b : {BlackOnWhite, WhiteonBlack, BackColor}) b->SetEnabled(false);
  }
  undo->SetEnabled(!history.Empty());
  StartTop = design.TopOfDesign;

  auto current = [this](int32_t top) {
    return PatternRecord{
        PenColour(),    design.FixedTeeth, design.MovingTeeth, design.GearMode, top,
        design.PenHole, design.StepDeg,    design.DesignSize,  design.CentreX,  design.CentreY};
  };
  const int32_t count = design.RepeatCount;
  for (int32_t i = 1; i <= count; ++i) {
    TracePattern(current(design.TopOfDesign));
    if (cb_reflect->Checked()) {
      TracePattern(current(CheckedSub(CheckedMul(2, StartTop), design.TopOfDesign)));
      design.TopOfDesign = CheckedSub(CheckedMul(2, StartTop), design.TopOfDesign);
    }
    if (SeriesLimitReached(design, steps)) return;
    ApplySeriesSteps(design, steps);
    ShapePen->SetFillColour(StepColour(PenColour(), steps));
  }
}
