// The window's side of the history, file and print commands: what the panel
// shows around them.
#include "engine/gear_math.h"
#include "window/box_values.h"
#include "window/main_window.h"
#include "window/print_zoom.h"

using namespace engine;

void MainWindow::clearPicture() {
  setColourSchemesEnabled(true);
  pictureHistory_.Clear();
}

void MainWindow::undoLastPattern() {
  historyFullShown_ = false;
  if (!pictureHistory_.UndoLastPattern()) undoButton_->SetEnabled(false);
}

void MainWindow::openDesign() {
  const auto patterns = designFiles_.ChooseAndRead(design_);
  if (!patterns) return;
  historyFullShown_ = false;
  // Each pattern's counts, with the panel's step, are in place before its
  // values reach the panel.
  pictureHistory_.Replace(*patterns, [this](const PatternRecord& pattern) {
    ReduceTeeth(pattern.MovingTeeth, pattern.FixedTeeth, derived_);
    RefreshTraceSpan(design_.StepDeg, derived_);
  });
}

void MainWindow::printDesign() {
  commands::PrintSettings settings{design_.PrintFactor, commands::PrintColours::Full};
  if (monoItem_->Checked()) settings.colours = commands::PrintColours::Mono;
  if (sevenColoursItem_->Checked()) settings.colours = commands::PrintColours::SevenColours;
  printCommand_.Print(settings);
}

void MainWindow::chooseZoom(int32_t percent) {
  design_.PrintFactor = percent;
  for (const ZoomItem& z : kZoomItems) {
    if (z.percent == percent) form_.FindMenuItem(z.name)->SetChecked(true);
  }
}

void MainWindow::choosePrintColours(ui::MenuItem* item) {
  item->SetChecked(true);
}

void MainWindow::printFactorBarMoved() {
  design_.PrintFactor = printFactorBar_->Position();
  showIn(printFactorBox_, printFactorBar_->Position());
}
