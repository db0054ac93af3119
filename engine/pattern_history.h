#pragma once
#include <array>
#include <cstdint>

#include "core/colour.h"
#include "engine/ring_shape.h"

namespace engine {

// Everything needed to draw a pattern again, in the order of a design-file line.
struct PatternRecord {
  int32_t Colour = 0;  // colour value 0x00BBGGRR
  int32_t FixedTeeth = 0;
  int32_t MovingTeeth = 0;
  int32_t GearMode = 0;
  int32_t TopOfDesign = 0;
  int32_t PenHole = 0;
  int32_t StepDeg = 0;
  int32_t DesignSize = 0;
  int32_t CentreX = 0;
  int32_t CentreY = 0;

  static constexpr int kFieldCount = 10;
  std::array<int32_t, kFieldCount> Fields() const;
  static PatternRecord FromFields(const std::array<int32_t, kFieldCount>& f);
  bool operator==(const PatternRecord&) const = default;
};

// A pattern with the line width it is drawn at, in pixels, and the ring it
// is drawn on.
struct DrawnPattern {
  DrawnPattern() = default;
  // On a circle unless a ring is given.
  DrawnPattern(const PatternRecord& record, int32_t lineWidth, const RingShape& ring = {})
      : record(record), lineWidth(lineWidth), ring(ring) {}

  PatternRecord record;
  int32_t lineWidth = 1;
  RingShape ring;
  bool operator==(const DrawnPattern&) const = default;
};

inline constexpr int32_t kMinLineWidth = 1;
inline constexpr int32_t kMaxLineWidth = 5;

// The patterns drawn since the picture was last cleared: entries
// 1..NextPatternIndex()-1, oldest first, each with its line width and ring.
// Every index is checked.
class PatternHistory {
 public:
  static constexpr int32_t kCapacity = 1000;

  int32_t NextPatternIndex() const { return next_; }
  int32_t Count() const { return next_ - 1; }
  bool Empty() const { return next_ == 1; }
  bool Full() const { return next_ > kCapacity; }

  const PatternRecord& Entry(int32_t index) const;
  PatternRecord& Entry(int32_t index);

  int32_t LineWidth(int32_t index) const;
  const RingShape& Ring(int32_t index) const;
  DrawnPattern Drawn(int32_t index) const { return {Entry(index), LineWidth(index), Ring(index)}; }
  // The recording rule: false (and nothing written) when the history is full.
  bool Record(const PatternRecord& record, int32_t lineWidth = kMinLineWidth,
              const RingShape& ring = {});
  // Zeroes every entry and empties the history.
  void Clear();
  void SetNextPatternIndex(int32_t index);

  // Same patterns, widths and rings in use, whatever lies beyond them.
  bool SamePatterns(const PatternHistory& other) const;

 private:
  std::array<PatternRecord, kCapacity> entries_{};
  std::array<int32_t, kCapacity> lineWidths_{};
  std::array<RingShape, kCapacity> rings_{};
  int32_t next_ = 1;
};

}  // namespace engine
