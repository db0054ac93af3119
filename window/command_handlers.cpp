// The window's side of the history, file and print commands: what the panel
// shows around them.
#include <algorithm>
#include <string>

#include "engine/gear_math.h"
#include "engine/panel_rules.h"
#include "ui/long_command.h"
#include "window/main_window.h"
#include "window/print_zoom.h"

using namespace engine;

void MainWindow::clearPicture() {
  setColourSchemesEnabled(true);
  pictureHistory_.Clear();
  pictureIsHistory_ = true;
  forgetPictures();
}

// Instant when the picture before the last pattern is kept: the panel goes
// through the same patterns as a redraw would take it, and the pixels come
// from the kept picture. Otherwise the rest of the history is drawn again, as
// it is when a script has asked the next trace to stop part-way.
void MainWindow::undoLastPattern() {
  historyFullShown_ = false;
  const int32_t last = history_.Count();
  const auto kept = picturesBefore_.find(last);
  if (pictureIsHistory_ && observer_ == nullptr && !pendingStop_ && kept != picturesBefore_.end()) {
    const ui::CanvasSnapshot before = kept->second;
    const commands::PatternTracer replay = [this](const DrawnPattern& p) { replayPattern(p); };
    if (!pictureHistory_.UndoLastPattern(&replay)) undoButton_->SetEnabled(false);
    Picture().RestoreImage(before.image);
    picturesBefore_.erase(picturesBefore_.lower_bound(last), picturesBefore_.end());
    return;
  }
  runTracingCommand(last - 1, [this] {
    if (!pictureHistory_.UndoLastPattern()) undoButton_->SetEnabled(false);
  });
}

void MainWindow::openDesign() {
  openDesignFrom(designFiles_.ChooseAndRead(design_));
}

void MainWindow::openDesignFile(const std::string& path) {
  form_.Dispatch([this, &path] {
    runHistoryCommand([&] { openDesignFrom(designFiles_.Read(path, design_)); });
  });
}

void MainWindow::openDesignFrom(const std::optional<commands::OpenedDesign>& design) {
  if (!design) return;
  historyFullShown_ = false;
  // A line without its own width is drawn at the panel's.
  std::vector<DrawnPattern> patterns;
  for (const DesignLine& line : design->lines) {
    patterns.push_back(
        {line.record, line.lineWidth != 0 ? line.lineWidth : lineWidthSpin_->Value()});
  }
  // Each pattern's counts, with the panel's step, are in place before its
  // values reach the panel.
  pictureIsHistory_ = true;
  forgetPictures();
  runTracingCommand(static_cast<int>(patterns.size()), [&] {
    pictureHistory_.Replace(patterns, [this](const PatternRecord& pattern) {
      ReduceTeeth(pattern.MovingTeeth, pattern.FixedTeeth, derived_);
      RefreshTraceSpan(design_.StepDeg, derived_);
    });
  });
  designPath_ = design->path;
  savedHistory_ = history_;
  rememberRecent(design->path);
  // The title names the file even when the history stays as it was.
  updateTitle();
}

void MainWindow::saveDesign() {
  const std::optional<std::string> path = designFiles_.Save();
  if (!path) return;
  designPath_ = *path;
  savedHistory_ = history_;
  rememberRecent(*path);
  updateTitle();
}

void MainWindow::exportDesign(exporting::ExportFormat format) {
  // Begun once the dialogs are answered: until then input goes to them.
  std::unique_ptr<ui::LongCommand> command;
  exportCommand_.Export(format, [&](int64_t done, int64_t total) {
    if (command == nullptr) {
      command = std::make_unique<ui::LongCommand>(form_, *pictureArea_, *drawButton_);
    }
    command->Poll([done, total] {
      const int64_t percent = total > 0 ? std::min<int64_t>(100, done * 100 / total) : 0;
      return "Exporting - " + std::to_string(percent) + " % - Esc stops";
    });
    return !command->StopAsked();
  });
}

void MainWindow::printDesign() {
  commands::PrintSettings settings{design_.PrintFactor, commands::PrintColours::Full};
  if (monoItem_->Checked()) settings.colours = commands::PrintColours::Mono;
  if (sevenColoursItem_->Checked()) settings.colours = commands::PrintColours::SevenColours;
  // Printing draws the patterns again over the picture.
  pictureIsHistory_ = false;
  forgetPictures();
  runTracingCommand(history_.Count(), [&] { printCommand_.Print(settings); });
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
  engine::ShowValue(*printFactorBox_, printFactorBar_->Position());
}
