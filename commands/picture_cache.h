#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

#include "commands/drawing_surface.h"
#include "engine/pattern_history.h"
#include "ui/canvas.h"

namespace commands {

// The pictures an instant Undo button puts back, and the rule that makes them
// right: the picture is exactly its history drawn on a blank canvas.
//
// Whoever makes the rule true again says so (Vouch, or the pair around one
// pattern). The cache then notes the picture's edit count and the history's
// length, and hands out a kept picture only while both are unchanged: any
// other change of the picture or the history, by any command, ends the rule
// by itself, and the Undo button then redraws instead.
class PictureCache {
 public:
  static constexpr size_t kKeptPictures = 40;  // about 64 MB

  PictureCache(DrawingSurface& surface, const engine::PatternHistory& history,
               size_t keep = kKeptPictures);

  // The picture is now its history drawn on a blank canvas (a blank picture
  // with an empty history, Clear, Open). Earlier pictures are dropped.
  void Vouch();
  // Whether the picture is still what was last vouched for.
  bool Holds() const;

  // Around drawing and recording pattern history.Count() + 1: the picture
  // before it is kept, and the rule holds after it if it held before and the
  // pattern went into the history.
  void BeforePattern();
  void AfterPattern();

  // Where the rule stood, for a command that may put the picture back.
  struct Mark {
    bool holds = false;
    int32_t count = 0;
  };
  Mark MarkNow() const { return {Holds(), history_.Count()}; }
  // The picture has been put back to what it was at `mark`.
  void RestoredTo(const Mark& mark);
  // A whole earlier state came back: the rule holds as it did then, but the
  // kept pictures belong to another history.
  void Restored(bool pictureIsHistory);

  // The picture before pattern `index`, while the rule holds and it is kept.
  std::optional<ui::CanvasSnapshot> PictureBefore(int32_t index) const;
  // After the last pattern has left the history, its kept picture becomes
  // the picture and the rule holds on.
  void PutBackPictureBefore(int32_t index);
  size_t Kept() const { return before_.size(); }

 private:
  void Forget();
  void NoteVouched();

  DrawingSurface& surface_;
  const engine::PatternHistory& history_;
  size_t keep_;
  bool vouched_ = false;
  uint64_t vouchedEdits_ = 0;
  int32_t vouchedCount_ = 0;
  std::optional<Mark> patternBegun_;
  // before_[k]: the picture before pattern k was drawn.
  std::map<int32_t, ui::CanvasSnapshot> before_;
};

}  // namespace commands
