#pragma once
#include <cstdint>

#include "ui/canvas.h"
#include "ui/trace_log.h"

namespace ui {

// Around one trace onto a canvas: counts the segments drawn, passes their
// exact points on to a live view when there is one, and logs the trace
// with the canvas however the trace ends (a stop or an error leaves the
// segments drawn so far). Without a live view the picture is unexplained
// until the trace ends, so a view shows it as it is meanwhile.
class TraceRecorder {
 public:
  TraceRecorder(ImageCanvas& canvas, const engine::PatternRecord& record,
                const engine::RingShape& ring, LiveTraceSink* live, int64_t expectedSegments = 0)
      : canvas_(canvas),
        trace_{record, ring, canvas.PenColour(), canvas.PenWidth(), 0},
        live_(live) {
    canvas_.BeginTrace(live_ != nullptr);
    if (live_ != nullptr) live_->BeginLive(trace_.colour, trace_.width, expectedSegments);
  }
  ~TraceRecorder() {
    canvas_.EndTrace(trace_);
    if (live_ != nullptr) live_->EndLive();
  }
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;

  // Whether a view wants the exact points.
  bool Live() const { return live_ != nullptr; }
  void Segment() { ++trace_.segments; }
  void Segment(float x0, float y0, float x1, float y1) {
    ++trace_.segments;
    live_->LiveSegment(x0, y0, x1, y1);
  }

 private:
  ImageCanvas& canvas_;
  LoggedTrace trace_;
  LiveTraceSink* live_;
};

}  // namespace ui
