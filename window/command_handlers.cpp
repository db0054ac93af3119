// The window's side of the history, file and print commands: what the panel
// shows around them.
#include <QCoreApplication>
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
}

// Instant when the picture before the last pattern is kept: the panel goes
// through the same patterns as a redraw would take it, and the pixels come
// from the kept picture. Otherwise the rest of the history is drawn again, as
// it is when a script has asked the next trace to stop part-way.
void MainWindow::undoLastPattern() {
  historyFullShown_ = false;
  const commands::PatternTracer replay = [this](const DrawnPattern& p) { replayPattern(p); };
  // A segment listing or a scripted stop needs the patterns traced.
  if (observer_ == nullptr && !pendingStop_ && pictureHistory_.UndoLastPatternInstantly(replay)) {
    return;
  }
  runTracingCommand(segmentsOf(history_, history_.Count() - 1), 1, [this] {
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
        {line.record, line.lineWidth != 0 ? line.lineWidth : lineWidthSpin_->Value(), line.ring});
  }
  // Each pattern's counts, with the panel's step, are in place before its
  // values reach the panel.
  std::vector<long double> segments;
  for (const DrawnPattern& p : patterns) segments.push_back(EstimatedSegments(p.record, p.ring));
  runTracingCommand(std::move(segments), 1, [&] {
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

void MainWindow::save() {
  if (designPath_.empty()) return saveDesign();
  const std::string path = designPath_;
  designFiles_.SaveTo(path);
  rememberSaved(path);
}

void MainWindow::saveDesign() {
  const std::optional<std::string> path = designFiles_.Save();
  if (path) rememberSaved(*path);
}

void MainWindow::rememberSaved(const std::string& path) {
  designPath_ = path;
  savedHistory_ = history_;
  rememberRecent(path);
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
      return QCoreApplication::translate("Message", "Exporting - %1 % - Esc stops")
          .arg(percent)
          .toStdString();
    });
    return !command->StopAsked();
  });
}

void MainWindow::printDesign() {
  commands::PrintSettings settings{design_.PrintFactor, commands::PrintColours::Full};
  if (monoItem_->Checked()) settings.colours = commands::PrintColours::Mono;
  if (sevenColoursItem_->Checked()) settings.colours = commands::PrintColours::SevenColours;
  runTracingCommand(segmentsOf(history_, history_.Count()), 1,
                    [&] { printCommand_.Print(settings); });
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
