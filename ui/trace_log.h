#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/colour.h"
#include "engine/pattern_history.h"
#include "engine/ring_shape.h"
#include "ui/trace_points.h"

namespace ui {

// One trace drawn onto a picture: the pattern, its ring, the pen it was
// drawn with and how many of its segments were drawn (fewer than the whole
// curve when the trace was stopped or failed part-way).
struct LoggedTrace {
  engine::PatternRecord record;
  engine::RingShape ring;
  Colour colour = kBlack;
  int width = 1;
  int64_t segments = 0;
  // Its points, once a render or the live view has kept them.
  std::shared_ptr<TracePointSlot> points = std::make_shared<TracePointSlot>();
};

// What a picture holds since it was last blanked: its background and the
// traces drawn on it, in order. A value: copies share their traces, and
// appending never changes a copy taken before.
class TraceLog {
 public:
  explicit TraceLog(Colour background = kWhite) : background_(background) {}

  Colour Background() const { return background_; }
  size_t Count() const { return head_ ? head_->count : 0; }
  TraceLog With(const LoggedTrace& trace) const;
  // Every trace, first drawn first.
  std::vector<const LoggedTrace*> Traces() const;
  // The trace drawn last, or null.
  const LoggedTrace* Last() const { return head_ ? &head_->trace : nullptr; }
  // The same background and the very same traces.
  bool operator==(const TraceLog& other) const {
    return background_ == other.background_ && head_ == other.head_;
  }
  // Whether this is `earlier` with exactly one trace added.
  bool Extends(const TraceLog& earlier) const;

 private:
  struct Node {
    LoggedTrace trace;
    std::shared_ptr<const Node> previous;
    size_t count = 0;
  };
  Colour background_;
  std::shared_ptr<const Node> head_;
};

// Told of the exact points of a trace as it is drawn, for a view that shows
// the picture from them.
class LiveTraceSink {
 public:
  virtual ~LiveTraceSink() = default;
  // `expectedSegments` sizes what is kept ahead; 0 when not known.
  virtual void BeginLive(Colour colour, int width, int64_t expectedSegments) = 0;
  // The trace's next `count` points, x and y in turn, in picture pixels
  // rounded to float where the tracer works them out. Each continues the
  // line from the point before it; a NaN point breaks the line.
  virtual void LivePoints(const float* xy, size_t count) = 0;
  virtual void EndLive() = 0;
};

}  // namespace ui
