#include "commands/picture_cache.h"

namespace commands {

PictureCache::PictureCache(DrawingSurface& surface, const engine::PatternHistory& history,
                           size_t keep)
    : surface_(surface), history_(history), keep_(keep) {}

void PictureCache::NoteVouched() {
  vouched_ = true;
  vouchedEdits_ = surface_.Picture().Edits();
  vouchedCount_ = history_.Count();
}

void PictureCache::Forget() {
  vouched_ = false;
  before_.clear();
}

void PictureCache::Vouch() {
  before_.clear();
  NoteVouched();
}

bool PictureCache::Holds() const {
  return vouched_ && surface_.Picture().Edits() == vouchedEdits_ &&
         history_.Count() == vouchedCount_;
}

void PictureCache::BeforePattern() {
  patternBegun_.reset();
  if (!Holds()) {
    Forget();
    return;
  }
  patternBegun_ = MarkNow();
  if (history_.Full()) return;
  const int32_t index = history_.Count() + 1;
  before_.erase(before_.lower_bound(index), before_.end());
  before_[index] = surface_.Picture().Snapshot();
  while (before_.size() > keep_) before_.erase(before_.begin());
}

void PictureCache::AfterPattern() {
  const std::optional<Mark> begun = patternBegun_;
  patternBegun_.reset();
  // A pattern beyond what the history keeps is on the picture only.
  if (begun && history_.Count() == begun->count + 1) {
    NoteVouched();
  } else {
    Forget();
  }
}

void PictureCache::RestoredTo(const Mark& mark) {
  patternBegun_.reset();
  if (mark.holds && history_.Count() == mark.count) {
    before_.erase(before_.upper_bound(mark.count + 1), before_.end());
    NoteVouched();
  } else {
    Forget();
  }
}

void PictureCache::Restored(bool pictureIsHistory) {
  patternBegun_.reset();
  if (pictureIsHistory) {
    Vouch();
  } else {
    Forget();
  }
}

std::optional<ui::CanvasSnapshot> PictureCache::PictureBefore(int32_t index) const {
  if (!Holds()) return std::nullopt;
  const auto kept = before_.find(index);
  if (kept == before_.end()) return std::nullopt;
  return kept->second;
}

void PictureCache::PutBackPictureBefore(int32_t index) {
  const auto kept = before_.find(index);
  if (kept == before_.end()) return Forget();
  const bool held = vouched_ && surface_.Picture().Edits() == vouchedEdits_;
  surface_.Picture().RestorePicture(kept->second);
  before_.erase(before_.lower_bound(index), before_.end());
  if (held && history_.Count() == index - 1) {
    NoteVouched();
  } else {
    Forget();
  }
}

}  // namespace commands
