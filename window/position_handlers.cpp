// Step, pen hole, top, size and centre: each bar shows its position in its
// box (bound in the layout), and each box stores its number in the design.
#include "engine/gear_math.h"
#include "window/box_values.h"
#include "window/main_window.h"

using namespace engine;

void MainWindow::chooseStep(int32_t degrees) {
  stepBar_->SetPosition(degrees);
  design_.StepDeg = degrees;
  showIn(stepBox_, degrees);
}

void MainWindow::readStepBox() {
  readBox(stepBox_, design_.StepDeg);
  RefreshTraceSpan(design_.StepDeg, derived_);
}

void MainWindow::readHoleBox() {
  readBox(holeBox_, design_.PenHole);
  applyHoleRange();
}

void MainWindow::resetPosition() {
  if (design_.GearMode == kInternalMode) placeInternally();
  if (design_.GearMode == kExternalMode) placeExternally();
  showPenHole();
  design_.TopOfDesign = 0;
  topBox_->SetText("0");
  topBar_->SetPosition(0);
}

void MainWindow::resetCentre() {
  centreXBox_->SetText("0");
  design_.CentreX = 0;
  centreXBar_->SetPosition(0);
  design_.CentreY = 0;
  centreYBox_->SetText("0");
  centreYBar_->SetPosition(0);
}
