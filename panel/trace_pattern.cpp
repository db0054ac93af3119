// Drawing one pattern: the panel shows its values (so the panel's handlers
// run and the design state takes them), the curve is drawn on the drawing
// area, and the pattern is recorded.
#include <optional>

#include "engine/gear_math.h"
#include "panel/korva_window.h"
#include "ui/canvas.h"

using namespace engine;

namespace {
constexpr const char* kHistoryFull =
    "Error - Attempt to draw too many patterns - 1000 maximum allowed.";

void ShowAfresh(ui::ValueBox* box, int32_t value) {
  box->SetText("");
  ShowIn(box, value);
}
}  // namespace

void TKorva::ShowPatternOnPanel(const PatternRecord& p) {
  ShowAfresh(Fixed, p.FixedTeeth);
  ShowAfresh(Moving, p.MovingTeeth);
  ReduceTeeth(p.MovingTeeth, p.FixedTeeth, derived);
  ShowAfresh(Points, derived.ReducedFixed);
  ShowAfresh(Hole, p.PenHole);
  ShowAfresh(Align, p.TopOfDesign);
  ShowAfresh(Size, p.DesignSize);
  ShowAfresh(Stepdeg, p.StepDeg);
  ShowAfresh(xcent, p.CentreX);
  ShowAfresh(ycent, p.CentreY);
  ShapePen->SetFillColour(p.Colour);
  ScrollBarFixed->SetPosition(p.FixedTeeth);
  ScrollBarMoving->SetPosition(p.MovingTeeth);
  ScrollBarHole->SetPosition(p.PenHole);
  ScrollBarTop->SetPosition(p.TopOfDesign);
  ScrollBarMagni->SetPosition(p.DesignSize);
  ScrollBarCentreX->SetPosition(p.CentreX);
  ScrollBarCentreY->SetPosition(p.CentreY);
  ScrollBarStepFine->SetPosition(p.StepDeg);
}

void TKorva::SetModeButtons(int32_t mode) {
  if (mode == kExternalMode) {
    rb_external->SetChecked(true);
    rb_internal->SetChecked(false);
  } else {
    rb_internal->SetChecked(true);
    rb_external->SetChecked(false);
  }
}

void TKorva::TracePattern(const PatternRecord& pattern) {
  ui::ImageCanvas& canvas = DrawingArea();
  canvas.SetPenColour(pattern.Colour);
  ShowPatternOnPanel(pattern);
  SetModeButtons(pattern.GearMode);

  // The curve always uses the pattern's own reduced counts and span, even
  // when a mode button's handler has moved the panel to another gear pair.
  const Curve curve(pattern);
  std::optional<ui::Form::BusyCursor> busy;
  if (curve.EstimatedSegments() > kLongTrace) busy.emplace();
  int64_t segments = 0;
  if (observer_ == nullptr) {
    segments = curve.TraceScreen([&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
    });
  } else {
    segments = curve.TraceScreen([&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
      observer_->ScreenSegment(a, b);
    });
    observer_->ScreenTraceDone(segments);
  }
  RecordPattern(pattern);
}

void TKorva::RecordPattern(const PatternRecord& pattern) {
  if (history.Record(pattern)) {
    undo->SetEnabled(true);
  } else {
    ShowHistoryFull();
  }
}

void TKorva::ShowHistoryFull() {
  if (historyFullShown_) return;
  historyFullShown_ = true;
  form_.GetPrompts().Message(ui::MessageKind::Error, kHistoryFull, ui::kOk);
}
