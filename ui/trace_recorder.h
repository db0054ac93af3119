#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

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
    if (live_ != nullptr) {
      // A view that misses points shows the trace from a render of its own
      // instead, so a failure here loses nothing.
      try {
        Flush();
      } catch (...) {
      }
    }
    canvas_.EndTrace(trace_);
    if (live_ != nullptr) live_->EndLive();
  }
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;

  // Whether a view wants the exact points.
  bool Live() const { return live_ != nullptr; }
  void Segment() { ++trace_.segments; }
  void Segments(int64_t count) { trace_.segments += count; }
  // The points go to the view a batch at a time: a call per segment would
  // cost the window's thread more than drawing the segment does.
  void Segment(float x0, float y0, float x1, float y1) {
    ++trace_.segments;
    if (held_ + 6 > pending_.size()) Flush();
    if (!started_ || x0 != lastX_ || y0 != lastY_) {
      if (started_) Hold(kBreak, kBreak);
      Hold(x0, y0);
      started_ = true;
    }
    Hold(x1, y1);
    lastX_ = x1, lastY_ = y1;
  }
  // Segment for the polyline from `previous` through `count` points, each
  // with its float x and y.
  template <class Point>
  void Segments(const Point& previous, const Point* points, int64_t count) {
    if (count <= 0) return;
    Segment(previous.x, previous.y, points[0].x, points[0].y);
    for (int64_t i = 1; i < count;) {
      if (held_ + 2 > pending_.size()) Flush();
      const int64_t room = static_cast<int64_t>((pending_.size() - held_) / 2);
      const int64_t end = std::min(count, i + room);
      for (; i < end; ++i) Hold(points[i].x, points[i].y);
    }
    trace_.segments += count - 1;
    lastX_ = points[count - 1].x, lastY_ = points[count - 1].y;
  }

 private:
  static constexpr float kBreak = std::numeric_limits<float>::quiet_NaN();
  void Hold(float x, float y) {
    pending_[held_] = x;
    pending_[held_ + 1] = y;
    held_ += 2;
  }
  // Out of line, so that the per-segment path stays small where a tracer's
  // sink inlines it.
  [[gnu::noinline]] void Flush() {
    const size_t held = held_;
    held_ = 0;
    if (held > 0) live_->LivePoints(pending_.data(), held / 2);
  }

  ImageCanvas& canvas_;
  LoggedTrace trace_;
  LiveTraceSink* live_;
  std::array<float, 2048> pending_;
  size_t held_ = 0;
  bool started_ = false;
  float lastX_ = 0, lastY_ = 0;
};

}  // namespace ui
