#pragma once
#include <vector>

#include "commands/drawing_surface.h"
#include "engine/pattern_history.h"

namespace commands {

// The history and the picture that shows it: Clear, the Undo button, and the
// copy behind the picture that Refresh brings back.
class PictureHistory {
 public:
  PictureHistory(engine::PatternHistory& history, DrawingSurface& surface, PatternTracer trace);

  // Fills the picture with the canvas colour and takes up the pen colour.
  void Blank();
  void Clear();
  // Redraws the picture from the history without its last pattern. False,
  // with nothing changed, when the history is empty. `retrace`, when given,
  // takes the place of the tracer for the patterns kept.
  bool UndoLastPattern(const PatternTracer* retrace = nullptr);
  // Replaces history and picture with `patterns`, each first handed to
  // `prepare`, then keeps a copy of the result.
  void Replace(const std::vector<engine::DrawnPattern>& patterns,
               const std::function<void(const engine::PatternRecord&)>& prepare);

  void KeepCopy();
  void RestoreCopy();

 private:
  engine::PatternHistory& history_;
  DrawingSurface& surface_;
  PatternTracer trace_;
};

}  // namespace commands
