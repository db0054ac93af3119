// The repeat count, the per-repeat steps and the line width. A count of 1
// shows the single-pattern layout with every step zero; a larger count shows
// the step boxes beside the values they step.
#include "engine/panel_rules.h"
#include "engine/series_continuation.h"
#include "ui/canvas.h"
#include "ui/caption_fit.h"
#include "window/main_window.h"

namespace {
constexpr int kWideBar = 217;
constexpr int kNarrowBar = 153;
constexpr int kBoxLeftSingle = 888;
constexpr int kBoxLeftSeries = 844;
}  // namespace

void MainWindow::showSeriesContinuation() {
  form_.ShowStatus(engine::SeriesContinuationNote(design_, engine::ReadPanel(panel_->Controls())));
}

void MainWindow::repeatBarMoved() {
  design_.RepeatCount = repeatBar_->Position();
  engine::ShowValue(*repeatBox_, design_.RepeatCount);
  ui::ScrollBar* steppedBars[] = {holeBar_, topBar_, sizeBar_, centreXBar_, centreYBar_};
  ui::ValueBox* steppedBoxes[] = {holeBox_, topBox_, sizeBox_, centreXBox_, centreYBox_};
  if (repeatBar_->Position() == 1) {
    for (ui::SpinBox* spin : {holeStepSpin_, topStepSpin_, sizeStepSpin_, centreXStepSpin_,
                              centreYStepSpin_, redStepSpin_, greenStepSpin_, blueStepSpin_}) {
      spin->SetValue(0);
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             cycleColoursLabel_, colourStepLabel_, colourNamesLabel_, redStepSpin_, greenStepSpin_,
             blueStepSpin_, holeStepSpin_, topStepSpin_, sizeStepSpin_, centreXStepSpin_,
             centreYStepSpin_, zeroPenStepsButton_, zeroCentreStepsButton_, zeroColourStepsButton_,
             penStepLabel_, centreStepLabel_}) {
      c->SetVisible(false);
    }
    for (ui::ScrollBar* bar : steppedBars) bar->SetWidth(kWideBar);
    for (ui::ValueBox* box : steppedBoxes) box->SetLeft(kBoxLeftSingle);
  } else {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             holeStepSpin_, topStepSpin_, sizeStepSpin_, colourStepLabel_, redStepSpin_,
             greenStepSpin_, blueStepSpin_, centreXStepSpin_, centreYStepSpin_}) {
      c->SetVisible(true);
    }
    for (ui::ValueBox* box : steppedBoxes) box->SetLeft(kBoxLeftSeries);
    for (ui::ScrollBar* bar : steppedBars) bar->SetWidth(kNarrowBar);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             penStepLabel_, centreStepLabel_, cycleColoursLabel_, colourNamesLabel_,
             zeroPenStepsButton_, zeroCentreStepsButton_, zeroColourStepsButton_}) {
      c->SetVisible(true);
    }
  }
  // The boxes moved: the labels beside them get the room that is left.
  ui::FitLabels(form_);
}

void MainWindow::resetRepeatCount() {
  repeatBar_->SetPosition(1);
  design_.RepeatCount = repeatBar_->Position();
  engine::ShowValue(*repeatBox_, design_.RepeatCount);
}

void MainWindow::setStep(int32_t engine::RepeatSteps::*step, const ui::SpinBox* spin) {
  steps_.*step = spin->Value();
}

void MainWindow::zeroSteps(std::initializer_list<ui::SpinBox*> spins) {
  for (ui::SpinBox* spin : spins) spin->SetValue(0);
}

void MainWindow::applyLineWidth() {
  Picture().SetPenWidth(lineWidthSpin_->Value());
}
