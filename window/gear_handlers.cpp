// The gear group: fixed and moving teeth, the mode, and the gear rules that
// keep pen hole and size consistent with them.
#include "engine/checked.h"
#include "engine/gear_math.h"
#include "engine/placement.h"
#include "window/box_values.h"
#include "window/main_window.h"

using namespace engine;

void MainWindow::placeInternally() {
  design_.PenHole = CheckedMul(8, design_.MovingTeeth);
  sizeBox_->SetText("1000");
  design_.DesignSize = 1000;
  sizeBar_->SetPosition(1000);
}

void MainWindow::placeExternally() {
  design_.DesignSize = ExternalDesignSize(design_.FixedTeeth, design_.MovingTeeth);
  sizeBar_->SetPosition(design_.DesignSize);
  showIn(sizeBox_, design_.DesignSize);
  design_.PenHole = ExternalPenHole(design_.FixedTeeth, design_.MovingTeeth);
}

void MainWindow::showPenHole() {
  showIn(holeBox_, design_.PenHole);
  holeBar_->SetPosition(design_.PenHole);
}

void MainWindow::applyHoleRange() {
  const int32_t low = 0;
  const int32_t high = CheckedMul(20, design_.MovingTeeth);
  if (design_.PenHole < low || design_.PenHole > high) {
    design_.PenHole = design_.PenHole < low ? low : high;
    showPenHole();
  }
  holeBar_->SetMin(low);
  holeBar_->SetMax(high);
}

// In internal mode the moving gear must be smaller than the ring.
void MainWindow::keepMovingGearInsideRing() {
  if (design_.MovingTeeth >= design_.FixedTeeth && internalRadio_->Checked()) {
    design_.MovingTeeth = CheckedSub(design_.FixedTeeth, 1);
    showIn(movingBox_, design_.MovingTeeth);
    movingBar_->SetPosition(design_.MovingTeeth);
  }
}

void MainWindow::refreshGearCounts() {
  ReduceTeeth(design_.MovingTeeth, design_.FixedTeeth, derived_);
  showIn(pointsBox_, derived_.ReducedFixed);
  RefreshTraceSpan(design_.StepDeg, derived_);
}

void MainWindow::fixedBarMoved() {
  showIn(fixedBox_, fixedBar_->Position());
  if (design_.GearMode == kExternalMode) placeExternally();
  showPenHole();
}

void MainWindow::readFixedBox() {
  readBox(fixedBox_, design_.FixedTeeth);
  keepMovingGearInsideRing();
  refreshGearCounts();
}

void MainWindow::movingBarMoved() {
  showIn(movingBox_, movingBar_->Position());
  if (design_.GearMode == kInternalMode) placeInternally();
  if (design_.GearMode == kExternalMode) placeExternally();
  showPenHole();
}

void MainWindow::readMovingBox() {
  readBox(movingBox_, design_.MovingTeeth);
  keepMovingGearInsideRing();
  applyHoleRange();
  refreshGearCounts();
}

void MainWindow::chooseInternalMode() {
  design_.GearMode = kInternalMode;
  if (design_.MovingTeeth >= design_.FixedTeeth) {
    design_.MovingTeeth = CheckedSub(design_.FixedTeeth, 1);
  }
  showIn(movingBox_, design_.MovingTeeth);
  movingBar_->SetPosition(design_.MovingTeeth);
  sizeBox_->SetText("1000");
  design_.DesignSize = 1000;
  sizeBar_->SetPosition(1000);
  design_.PenHole = CheckedMul(8, design_.MovingTeeth);
  showPenHole();
}

void MainWindow::chooseExternalMode() {
  design_.GearMode = kExternalMode;
  placeExternally();
  showPenHole();
}
