#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/curve.h"
#include "engine/parallel_trace.h"
#include "ui/long_command.h"
#include "window/trace_progress.h"

// One command that traces, as the window sees it: its patterns and segments
// for the progress note, and the ways it may be stopped: Esc, the Stop
// button, or a scripted stop after a number of segments. A stop throws
// CommandStopped from the trace.
class TraceSession {
 public:
  // `pendingStop`, when set, is taken by the first pattern traced: the
  // command then stops once it has drawn that many segments.
  TraceSession(ui::Form& form, ui::PaintArea& area, ui::Button& stopButton,
               std::optional<int64_t>& pendingStop, ui::LongCommand::Clock clock = {});

  // What the command will trace, for the progress note: the estimated
  // segments of each trace, and how many traces make one pattern.
  void Expect(std::vector<long double> segments, int tracesPerPattern = 1) {
    progress_.Expect(std::move(segments), tracesPerPattern);
  }
  void BeginPattern(long double estimatedSegments);
  // Before each segment is drawn. Polls now and then too: a block of
  // segments can take longer than the window may wait for its input.
  void BeforeSegment() {
    bool poll = false;
    BeforeSegments(1, poll);
    if (poll) Poll();
  }
  // BeforeSegment for the next `count` segments at once, as far as it may
  // take them in one go: returns how many it took (at least 1), the last of
  // which is the one before which it must Poll when `pollBeforeLast` is set.
  int64_t BeforeSegments(int64_t count, bool& pollBeforeLast) {
    if (stopAfter_) {
      if (progress_.Segments() >= *stopAfter_) Stop();
      count = std::min(count, *stopAfter_ - progress_.Segments());
    }
    count = std::min<int64_t>(count, kLookSegments - sinceLook_);
    progress_.Segments(count);
    sinceLook_ += static_cast<int>(count);
    pollBeforeLast = sinceLook_ == kLookSegments;
    return count;
  }
  // Between blocks of segments: repaints, shows progress, takes Esc.
  void Poll();
  // Segments between two polls from within a block: well under a
  // millisecond of drawing, and a poll that finds nothing due costs a read of
  // the clock.
  static constexpr int kLookSegments = 4096;
  int64_t Segments() const { return progress_.Segments(); }
  const TraceProgress& Progress() const { return progress_; }
  // For an animated Draw: the next frame now, the time since the command
  // began, and whether a click on the drawing area asked to finish at once.
  void Frame();
  double Seconds() const { return command_.Seconds(); }
  bool FinishAsked() const { return command_.FinishAsked(); }
  std::string ProgressText() const;

 private:
  [[noreturn]] void Stop();

  ui::LongCommand command_;
  std::optional<int64_t>& pendingStop_;
  std::optional<int64_t> stopAfter_;
  TraceProgress progress_;
  int sinceLook_ = 0;
};

// Segments a block: about 2 ms of tracing on one core.
inline constexpr int64_t kPollSegments = 32768;

// Without a session, traces on this thread. With one, traces on every core,
// the session told of every segment and polled between blocks, so that it
// can repaint, show progress and stop the trace. Either way the segments
// reach the sink in trace order on this thread.
// The session's side of each segment, then the sink's. A sink with
// Run(previous, points, count) is given runs of segments, as many at a time
// as the session allows between its looks.
template <class Sink>
struct SessionSink {
  TraceSession& session;
  Sink& sink;
  template <class Value>
  void operator()(const Value& from, const Value& to) {
    session.BeforeSegment();
    sink(from, to);
  }
  template <class Value>
  void Run(const Value& previous, const Value* points, int64_t count) {
    const Value* from = &previous;
    while (count > 0) {
      bool pollBeforeLast = false;
      const int64_t taken = session.BeforeSegments(count, pollBeforeLast);
      const int64_t before = pollBeforeLast ? taken - 1 : taken;
      Deliver(*from, points, before);
      if (pollBeforeLast) {
        session.Poll();
        Deliver(before > 0 ? points[before - 1] : *from, points + before, 1);
      }
      from = &points[taken - 1];
      points += taken;
      count -= taken;
    }
  }

 private:
  template <class Value>
  void Deliver(const Value& previous, const Value* points, int64_t count) {
    if (count <= 0) return;
    if constexpr (engine::RunSink<Sink, Value>) {
      sink.Run(previous, points, count);
    } else {
      engine::EachSegmentOf(previous, points, count, sink);
    }
  }
};

template <class Map, class Sink>
int64_t TraceInSession(const engine::Curve& curve, TraceSession* session, Map&& map, Sink&& sink) {
  if (session == nullptr) return curve.TraceMapped(map, sink);
  session->BeginPattern(curve.EstimatedSegments());
  engine::TraceControl control;
  engine::TraceOptions options;
  options.blockSegments = kPollSegments;
  options.pollWhileWaitingMs = 2;
  SessionSink<std::remove_reference_t<Sink>> inSession{*session, sink};
  return engine::TraceParallel(
             curve, map, inSession, control, [&] { session->Poll(); }, options)
      .segments;
}
