// The repeat count, the per-repeat steps and the line width. A count of 1
// shows the single-pattern layout with every step zero; a larger count shows
// the step boxes beside the values they step.
#include "panel/korva_window.h"
#include "ui/canvas.h"

using namespace engine;

namespace {
constexpr int kWideBar = 217;
constexpr int kNarrowBar = 153;
constexpr int kBoxLeftSingle = 888;
constexpr int kBoxLeftSeries = 844;
}  // namespace

void TKorva::ScrollBarRepsChange() {
  design.RepeatCount = ScrollBarReps->Position();
  ShowIn(reps, design.RepeatCount);
  ui::ScrollBar* steppedBars[] = {ScrollBarHole, ScrollBarTop, ScrollBarMagni, ScrollBarCentreX,
                                  ScrollBarCentreY};
  ui::ValueBox* steppedBoxes[] = {Hole, Align, Size, xcent, ycent};
  if (ScrollBarReps->Position() == 1) {
    for (ui::SpinBox* spin :
         {holespin, topspin, sizespin, xspin, yspin, SpinRed, SpinGreen, SpinBlue}) {
      spin->SetValue(0);
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             LabelColour, Label8, Label9, SpinRed, SpinGreen, SpinBlue, holespin, topspin, sizespin,
             xspin, yspin, ZeroPosStep, ZeroCentStep, ZeroColStep, repstep, repstep2}) {
      c->SetVisible(false);
    }
    for (ui::ScrollBar* bar : steppedBars) bar->SetWidth(kWideBar);
    for (ui::ValueBox* box : steppedBoxes) box->SetLeft(kBoxLeftSingle);
  } else {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             holespin, topspin, sizespin, Label8, SpinRed, SpinGreen, SpinBlue, xspin, yspin}) {
      c->SetVisible(true);
    }
    for (ui::ValueBox* box : steppedBoxes) box->SetLeft(kBoxLeftSeries);
    for (ui::ScrollBar* bar : steppedBars) bar->SetWidth(kNarrowBar);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             repstep, repstep2, LabelColour, Label9, ZeroPosStep, ZeroCentStep, ZeroColStep}) {
      c->SetVisible(true);
    }
  }
}

void TKorva::RepeatReset1Click() {
  ScrollBarReps->SetPosition(1);
  design.RepeatCount = ScrollBarReps->Position();
  ShowIn(reps, design.RepeatCount);
}

void TKorva::holespinChange() {
  steps.HoleStep = holespin->Value();
}
void TKorva::topspinChange() {
  steps.TopStep = topspin->Value();
}
void TKorva::sizespinChange() {
  steps.SizeStep = sizespin->Value();
}
void TKorva::xspinChange() {
  steps.CentreXStep = xspin->Value();
}
void TKorva::yspinChange() {
  steps.CentreYStep = yspin->Value();
}
void TKorva::SpinRedChange() {
  steps.RedStep = SpinRed->Value();
}
void TKorva::SpinGreenChange() {
  steps.GreenStep = SpinGreen->Value();
}
void TKorva::SpinBlueChange() {
  steps.BlueStep = SpinBlue->Value();
}

void TKorva::ZeroPosStepClick() {
  for (ui::SpinBox* spin : {holespin, topspin, sizespin}) spin->SetValue(0);
}

void TKorva::ZeroCentStepClick() {
  for (ui::SpinBox* spin : {xspin, yspin}) spin->SetValue(0);
}

void TKorva::ZeroColStepClick() {
  for (ui::SpinBox* spin : {SpinRed, SpinGreen, SpinBlue}) spin->SetValue(0);
}

void TKorva::LinesizeChange() {
  DrawingArea().SetPenWidth(Linesize->Value());
}
