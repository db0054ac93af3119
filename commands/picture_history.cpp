#include "commands/picture_history.h"

#include "core/drawing_area.h"
#include "ui/canvas.h"

namespace commands {

PictureHistory::PictureHistory(engine::PatternHistory& history, DrawingSurface& surface,
                               PatternTracer trace)
    : history_(history), surface_(surface), trace_(std::move(trace)) {}

void PictureHistory::Blank() {
  ui::ImageCanvas& canvas = surface_.Picture();
  canvas.SetBrushColour(surface_.CanvasColour());
  canvas.FillRect(0, 0, kDrawingAreaSize, kDrawingAreaSize);
  canvas.SetPenColour(surface_.PenColour());
}

void PictureHistory::Clear() {
  Blank();
  history_.Clear();
}

bool PictureHistory::UndoLastPattern(const PatternTracer* retrace) {
  if (history_.Empty()) return false;
  const int32_t last = history_.NextPatternIndex() - 1;
  history_.Entry(last) = engine::PatternRecord{};
  history_.SetNextPatternIndex(1);
  Blank();
  for (int32_t i = 1; i <= last - 1; ++i) {
    // A copy: tracing records the pattern again, over this very entry.
    (retrace != nullptr ? *retrace : trace_)(history_.Drawn(i));
  }
  return true;
}

void PictureHistory::Replace(const std::vector<engine::DrawnPattern>& patterns,
                             const std::function<void(const engine::PatternRecord&)>& prepare) {
  Blank();
  history_.Clear();
  for (const engine::DrawnPattern& pattern : patterns) {
    prepare(pattern.record);
    trace_(pattern);
  }
  KeepCopy();
}

void PictureHistory::KeepCopy() {
  surface_.Backing().CopyRect(surface_.Picture(), 0, 0, kDrawingAreaSize, kDrawingAreaSize);
}

void PictureHistory::RestoreCopy() {
  surface_.Picture().CopyRect(surface_.Backing(), 0, 0, kDrawingAreaSize, kDrawingAreaSize);
}

}  // namespace commands
