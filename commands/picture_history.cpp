#include "commands/picture_history.h"

#include "core/drawing_area.h"
#include "ui/canvas.h"

namespace commands {

PictureHistory::PictureHistory(engine::PatternHistory& history, DrawingSurface& surface,
                               PatternTracer trace)
    : history_(history), surface_(surface), trace_(std::move(trace)), cache_(surface, history) {}

void PictureHistory::Blank() {
  ui::ImageCanvas& canvas = surface_.Picture();
  canvas.SetBrushColour(surface_.CanvasColour());
  canvas.FillRect(0, 0, kDrawingAreaSize, kDrawingAreaSize);
  canvas.SetPenColour(surface_.PenColour());
  if (history_.Empty()) cache_.Vouch();
}

void PictureHistory::Clear() {
  history_.Clear();
  Blank();
}

void PictureHistory::DropFrom(int32_t index) {
  history_.Entry(index) = engine::PatternRecord{};
  history_.SetNextPatternIndex(1);
}

bool PictureHistory::UndoLastPattern() {
  if (history_.Empty()) return false;
  const int32_t last = history_.Count();
  DropFrom(last);
  Blank();
  for (int32_t i = 1; i <= last - 1; ++i) {
    // A copy: tracing records the pattern again, over this very entry.
    trace_(history_.Drawn(i));
  }
  return true;
}

bool PictureHistory::UndoLastPatternInstantly(const PatternTracer& replay) {
  const int32_t last = history_.Count();
  if (history_.Empty() || !cache_.PictureBefore(last)) return false;
  DropFrom(last);
  for (int32_t i = 1; i <= last - 1; ++i) replay(history_.Drawn(i));
  cache_.PutBackPictureBefore(last);
  return true;
}

void PictureHistory::Replace(const std::vector<engine::DrawnPattern>& patterns,
                             const std::function<void(const engine::PatternRecord&)>& prepare) {
  history_.Clear();
  Blank();
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
