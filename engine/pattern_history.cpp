#include "engine/pattern_history.h"

#include "engine/checked.h"

namespace engine {

std::array<int32_t, PatternRecord::kFieldCount> PatternRecord::Fields() const {
  return {Colour,  FixedTeeth, MovingTeeth, GearMode, TopOfDesign,
          PenHole, StepDeg,    DesignSize,  CentreX,  CentreY};
}

PatternRecord PatternRecord::FromFields(const std::array<int32_t, kFieldCount>& f) {
  return {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]};
}

const PatternRecord& PatternHistory::Entry(int32_t index) const {
  CheckIndex(index, kCapacity);
  return entries_[index - 1];
}

PatternRecord& PatternHistory::Entry(int32_t index) {
  CheckIndex(index, kCapacity);
  return entries_[index - 1];
}

int32_t PatternHistory::LineWidth(int32_t index) const {
  CheckIndex(index, kCapacity);
  return lineWidths_[index - 1];
}

const RingShape& PatternHistory::Ring(int32_t index) const {
  CheckIndex(index, kCapacity);
  return rings_[index - 1];
}

bool PatternHistory::Record(const PatternRecord& record, int32_t lineWidth, const RingShape& ring) {
  if (Full()) return false;
  Entry(next_) = record;
  lineWidths_[next_ - 1] = lineWidth;
  rings_[next_ - 1] = ring;
  ++next_;
  return true;
}

void PatternHistory::Clear() {
  entries_.fill(PatternRecord{});
  lineWidths_.fill(0);
  rings_.fill(RingShape{});
  next_ = 1;
}

bool PatternHistory::SamePatterns(const PatternHistory& other) const {
  if (next_ != other.next_) return false;
  for (int32_t i = 1; i < next_; ++i) {
    if (Drawn(i) != other.Drawn(i)) return false;
  }
  return true;
}

void PatternHistory::SetNextPatternIndex(int32_t index) {
  CheckIndex(index, kCapacity + 1);
  next_ = index;
}

}  // namespace engine
