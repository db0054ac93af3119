// Edit > Undo and Redo: every command that changes the history (Draw, Open,
// Clear, the Undo button) or wipes the picture (the Background colours) is
// run between two snapshots of the window, which Edit > Undo and Redo put
// back.
#include "core/command_stopped.h"
#include "engine/curve.h"
#include "ui/canvas.h"
#include "ui/trace_recorder.h"
#include "window/main_window.h"
#include "window/trace_session.h"

using namespace engine;

void MainWindow::runHistoryCommand(const std::function<void()>& command) {
  commands::WindowState before = captureState();
  // A command stopped by a run-time error still changed what it changed.
  auto keep = [&] {
    commands::WindowState after = captureState();
    if (after.history->SamePatterns(*before.history) &&
        after.picture.pixels == before.picture.pixels) {
      return;
    }
    commandHistory_.Record(std::move(before), std::move(after));
    afterHistoryChange();
  };
  try {
    command();
  } catch (const CommandStopped&) {
    // A stopped Open or Undo ends as if it had never started.
    restoreState(before);
    return;
  } catch (...) {
    keep();
    throw;
  }
  keep();
}

void MainWindow::runTracingCommand(std::vector<long double> segments, int tracesPerPattern,
                                   const std::function<void()>& command) {
  if (session_ != nullptr) return command();
  session_ = std::make_unique<TraceSession>(form_, *pictureArea_, *drawButton_, pendingStop_);
  session_->Expect(std::move(segments), tracesPerPattern);
  struct EndSession {
    std::unique_ptr<TraceSession>& session;
    ~EndSession() { session.reset(); }
  } end{session_};
  command();
}

std::vector<long double> MainWindow::segmentsOf(const PatternHistory& history, int32_t count) {
  std::vector<long double> segments;
  for (int32_t i = 1; i <= count && i <= history.Count(); ++i)
    segments.push_back(EstimatedSegments(history.Entry(i), history.Ring(i)));
  return segments;
}

MainWindow::Checkpoint MainWindow::checkpoint() const {
  return {form_.SaveState(),
          design_,
          steps_,
          derived_,
          seriesStartTop_,
          picture().Snapshot(),
          pictureHistory_.Cache().MarkNow()};
}

void MainWindow::restore(const Checkpoint& checkpoint) {
  form_.RestoreState(checkpoint.panel);
  design_ = checkpoint.design;
  steps_ = checkpoint.steps;
  derived_ = checkpoint.derived;
  seriesStartTop_ = checkpoint.seriesStartTop;
  Picture().Restore(checkpoint.picture);
  pictureHistory_.Cache().RestoredTo(checkpoint.pictureCache);
}

commands::WindowState MainWindow::captureState() const {
  commands::WindowState state;
  state.design = design_;
  state.steps = steps_;
  state.derived = derived_;
  state.seriesStartTop = seriesStartTop_;
  state.history = std::make_shared<const PatternHistory>(history_);
  state.panel = form_.SaveState();
  state.picture = commands::PictureState::Of(picture());
  state.pictureIsHistory = pictureHistory_.Cache().Holds();
  return state;
}

void MainWindow::restoreState(const commands::WindowState& state) {
  design_ = state.design;
  steps_ = state.steps;
  derived_ = state.derived;
  seriesStartTop_ = state.seriesStartTop;
  history_ = *state.history;
  form_.RestoreState(state.panel);
  followViewMenu();
  state.picture.RestoreTo(Picture());
  if (state.picture.Dropped()) redrawFromHistory();
  pictureHistory_.Cache().Restored(state.pictureIsHistory);
  afterHistoryChange();
}

// For a snapshot whose picture was dropped to save memory: the history drawn
// afresh on a blank canvas, each pattern at its own width. The panel is not
// touched.
void MainWindow::redrawFromHistory() {
  ui::ImageCanvas& canvas = Picture();
  struct KeepPen {
    ui::ImageCanvas& canvas;
    Colour colour = canvas.PenColour();
    int width = canvas.PenWidth();
    ~KeepPen() {
      canvas.SetPenColour(colour);
      canvas.SetPenWidth(width);
    }
  } keepPen{canvas};
  fillPicture(canvasColour());
  for (int32_t i = 1; i <= history_.Count(); ++i) {
    const DrawnPattern drawn = history_.Drawn(i);
    canvas.SetPenColour(drawn.record.Colour);
    canvas.SetPenWidth(drawn.lineWidth);
    const Curve curve(drawn.record, drawn.ring);
    ui::TraceRecorder recorder(canvas, drawn.record, drawn.ring, nullptr);
    TraceInSession(curve, session_.get(), Curve::ScreenMap{&curve}, [&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
      recorder.Segment();
    });
  }
}

// A state whose picture has to be redrawn can take a while: the redraw shows
// progress and may be stopped, which leaves the window, and Edit > Undo and
// Redo, as they were; `back` moves the command history back.
void MainWindow::restoreCommandState(const commands::WindowState& state,
                                     const std::function<void()>& back) {
  if (!state.picture.Dropped()) {
    restoreState(state);
    return;
  }
  const commands::WindowState current = captureState();
  try {
    runTracingCommand(segmentsOf(*state.history, state.history->Count()), 1,
                      [&] { restoreState(state); });
  } catch (const CommandStopped&) {
    back();
    restoreState(current);
  }
}

void MainWindow::undoCommand() {
  if (!commandHistory_.CanUndo()) return;
  restoreCommandState(commandHistory_.Undo(), [this] { commandHistory_.Redo(); });
}

void MainWindow::redoCommand() {
  if (!commandHistory_.CanRedo()) return;
  restoreCommandState(commandHistory_.Redo(), [this] { commandHistory_.Undo(); });
}

void MainWindow::afterHistoryChange() {
  undoItem_->SetEnabled(commandHistory_.CanUndo());
  redoItem_->SetEnabled(commandHistory_.CanRedo());
  updateTitle();
  describeDrawing();
}
