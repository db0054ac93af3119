#pragma once
#include <vector>

#include "commands/drawing_surface.h"
#include "commands/picture_cache.h"
#include "engine/pattern_history.h"

namespace commands {

// The history and the picture that shows it: Clear, the Undo button, and the
// copy behind the picture that Refresh brings back. Its cache keeps the
// pictures an instant Undo button needs; the tracer tells it about each
// pattern (PictureCache::BeforePattern and AfterPattern).
class PictureHistory {
 public:
  PictureHistory(engine::PatternHistory& history, DrawingSurface& surface, PatternTracer trace);

  // Fills the picture with the canvas colour and takes up the pen colour,
  // keeping the history (so the picture shows it only when it is empty).
  void Blank();
  void Clear();
  // Redraws the picture from the history without its last pattern. False,
  // with nothing changed, when the history is empty.
  bool UndoLastPattern();
  // The same at once, from the picture kept before the last pattern:
  // `replay` sets up each remaining pattern without drawing it. False, with
  // nothing changed, when no such picture is kept.
  bool UndoLastPatternInstantly(const PatternTracer& replay);
  // Replaces history and picture with `patterns`, each first handed to
  // `prepare`, then keeps a copy of the result.
  void Replace(const std::vector<engine::DrawnPattern>& patterns,
               const std::function<void(const engine::PatternRecord&)>& prepare);

  void KeepCopy();
  void RestoreCopy();

  PictureCache& Cache() { return cache_; }
  const PictureCache& Cache() const { return cache_; }

 private:
  // Empties the history from `index` on, ready to record again from 1.
  void DropFrom(int32_t index);

  engine::PatternHistory& history_;
  DrawingSurface& surface_;
  PatternTracer trace_;
  PictureCache cache_;
};

}  // namespace commands
