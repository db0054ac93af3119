#pragma once
#include <algorithm>
#include <atomic>
#include <chrono>
#include <concepts>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/curve.h"
#include "engine/pixel.h"

namespace engine {

namespace parallel_detail {
struct ControlAccess;
class Scheduler;
}  // namespace parallel_detail

// Cooperative cancellation and progress of one trace, shared between the
// thread that traces and any other. Thread-safe.
class TraceControl {
 public:
  // The trace ends at the next block boundary. A stop stays requested: use a
  // fresh control for each trace.
  void RequestStop();
  bool StopRequested() const { return stop_.load(std::memory_order_acquire); }
  // Segments handed to the sink so far, updated after each block (and when
  // an error from the curve ends it).
  int64_t SegmentsDone() const { return done_.load(std::memory_order_relaxed); }

 private:
  friend struct parallel_detail::ControlAccess;
  friend class parallel_detail::Scheduler;
  std::atomic<bool> stop_{false};
  std::atomic<int64_t> done_{0};
  // The trace waiting on its workers, if any, for a stop to wake.
  std::mutex waiterMutex_;
  parallel_detail::Scheduler* waiter_ = nullptr;
};

struct TraceResult {
  int64_t segments = 0;   // segments handed to the sink
  bool finished = false;  // false: stopped by a RequestStop
};

// hardware_concurrency, clamped to [1, 8].
int DefaultThreads();

struct TraceOptions {
  int threads = DefaultThreads();
  // Segments per block: the granularity of poll, of progress and of a stop.
  int64_t blockSegments = 32768;
  // A pattern estimated at fewer segments than this is traced on the calling
  // thread alone: starting threads would cost more than they save.
  int64_t serialBelow = 65536;
  // When above 0: poll is also called each time the calling thread has
  // waited this long for the next block, so that a thread with other work
  // (a window's events) is never held up by slow workers for longer.
  int pollWhileWaitingMs = 0;
};

// Traces `curve` as curve.TraceMapped(map, sink) does: the same segments in
// the same order, and the same error (RunTimeError and all) from the same
// point, with every segment before it delivered and none after. The points
// are worked out in blocks on options.threads worker threads (on the calling
// thread alone for one thread or a small pattern); map is called on those
// threads concurrently, through a const reference, so it must be safe for
// that (Curve::ScreenPixel and PrinterPixel are), and its values must be
// default-constructible and copyable.
//
// sink(from, to) and poll() run on the calling thread only. poll is called
// after each block but the last, once the block's segments are delivered, and
// while waiting for a block as options.pollWhileWaitingMs says; it
// may call control.RequestStop(), and so may any other thread. A stop
// delivers whole blocks only, and wins over an error in a later block. An
// exception from sink or poll ends the trace and reaches the caller. No
// worker thread outlives the call, whether it returns or throws.
//
// A sink that also has Run(const Value& previous, const Value* points,
// int64_t count) (see RunSink) is given each block's segments in one call:
// previous to points[0], then each point to the next. A sink that draws a
// polyline spends less a segment that way than called for each.
template <class Map, class Sink, class Poll>
TraceResult TraceParallel(const Curve& curve, Map&& map, Sink&& sink, TraceControl& control,
                          Poll&& poll, const TraceOptions& options);

template <class Map, class Sink, class Poll>
TraceResult TraceParallel(const Curve& curve, Map&& map, Sink&& sink, TraceControl& control,
                          Poll&& poll, int threads = DefaultThreads()) {
  TraceOptions options;
  options.threads = threads;
  return TraceParallel(curve, map, sink, control, poll, options);
}

// As curve.TraceScreen(sink): sink(Pixel from, Pixel to).
template <class Sink, class Poll>
TraceResult TraceScreenParallel(const Curve& curve, Sink&& sink, TraceControl& control, Poll&& poll,
                                const TraceOptions& options = {}) {
  return TraceParallel(curve, Curve::ScreenMap{&curve}, sink, control, poll, options);
}

namespace parallel_detail {

struct ControlAccess {
  static void SetDone(TraceControl& control, int64_t segments) {
    control.done_.store(segments, std::memory_order_relaxed);
  }
};

// A block as planned: the angle of the point before it, and the block's own
// angles with `stretch` saying how many and whether the trace ends with them
// (angles null: working them out failed).
struct PlannedBlock {
  double theta = 0;
  const double* angles = nullptr;
  Curve::Stretch stretch;
};

// Computes one block into ring slot `slot`. Returns false when it ended in an
// error. Never throws.
using ComputeBlock = bool (*)(void* context, int slot, const PlannedBlock& block);

// The side of the parallel trace that does not depend on the map: hands out
// blocks in order, works out where each starts, and keeps the workers at most
// a ring's length ahead of the calling thread.
class Scheduler {
 public:
  Scheduler(const Curve& curve, TraceControl& control, int64_t blockSegments, int ring,
            ComputeBlock compute, void* context);
  // Stops and joins the workers.
  ~Scheduler();
  Scheduler(const Scheduler&) = delete;
  Scheduler& operator=(const Scheduler&) = delete;

  void Start(int threads);
  enum class Wait { kReady, kStopped, kStillWaiting };
  // Waits until `block` (the next in order) is ready or a stop is requested,
  // and at most `patience` when that is above zero.
  Wait WaitFor(int64_t block, std::chrono::milliseconds patience);
  // The calling thread is done with `block`; its slot may be reused.
  void Release(int64_t block);
  void Finish();
  // Wakes the calling thread to look at the stop.
  void Wake();

 private:
  void Work(std::vector<double>& angles);

  const Curve& curve_;
  TraceControl& control_;
  const int64_t blockSegments_;
  const int slots_;
  const ComputeBlock compute_;
  void* const context_;
  std::vector<std::thread> workers_;
  std::vector<std::vector<double>> angles_;  // per worker

  // Claiming a block works out where the next one starts: one claim at a time.
  std::mutex planMutex_;
  int64_t nextBlock_ = 0;
  double nextTheta_ = 0;
  bool planEnded_ = false;

  std::mutex mutex_;
  std::condition_variable readyChanged_, released_;
  std::vector<int64_t> readyBlock_;  // per slot: the block it holds, or -1
  int64_t releasedBlocks_ = 0;
  std::atomic<bool> quit_{false};
};

template <class Value>
struct alignas(64) Slot {
  std::vector<Value> points;
  int64_t count = 0;
  bool last = false;
  std::exception_ptr error;
};

template <class Map, class Value>
struct BlockContext {
  const Curve* curve;
  const Map* map;
  int64_t blockSegments;
  std::vector<Slot<Value>>* ring;

  static bool Compute(void* context, int slot, const PlannedBlock& block) {
    const auto& c = *static_cast<const BlockContext*>(context);
    Slot<Value>& s = (*c.ring)[slot];
    s.count = 0;
    s.last = false;
    s.error = nullptr;
    try {
      if (block.angles != nullptr) {
        FillAt(c, s, block.angles, block.stretch.points);
        s.last = block.stretch.last;
      } else {
        // The block's own trace meets the error that stopped the plan. Were
        // it to end otherwise, the caller would wait for a block never planned.
        s.last = Fill(c, s, block.theta).last;
        if (!s.last)
          throw std::logic_error("parallel trace: the plan failed where the trace did not");
      }
      return true;
    } catch (...) {
      s.error = std::current_exception();
      return false;
    }
  }

  // No exception handler beside the loops (see TraceSerial).
  [[gnu::noinline]] static void FillAt(const BlockContext& c, Slot<Value>& s, const double* angles,
                                       int64_t count) {
    Value* const out = s.points.data();
    c.curve->MapPointsAt(*c.map, angles, count, [&](const Value& v) { out[s.count++] = v; });
  }
  [[gnu::noinline]] static Curve::Stretch Fill(const BlockContext& c, Slot<Value>& s,
                                               double theta) {
    Value* const out = s.points.data();
    return c.curve->TraceStretch(*c.map, theta, c.blockSegments,
                                 [&](const Value& v) { out[s.count++] = v; });
  }
};

template <class Map>
using MappedValue = std::remove_cvref_t<std::invoke_result_t<const Map&, const CurvePoint&>>;

}  // namespace parallel_detail

template <class Sink, class Value>
concept RunSink = requires(Sink& sink, const Value& previous, const Value* points, int64_t count) {
  sink.Run(previous, points, count);
};

// segment(from, to) for each segment of a run, as a RunSink's Run takes it.
template <class Value, class Segment>
void EachSegmentOf(const Value& previous, const Value* points, int64_t count, Segment&& segment) {
  if (count <= 0) return;
  segment(previous, points[0]);
  for (int64_t i = 1; i < count; ++i) segment(points[i - 1], points[i]);
}

namespace parallel_detail {

// The whole trace on the calling thread, a block at a time. `result` counts
// every segment as it is delivered, so that it is right when an error ends
// the trace too. No exception handler here: one beside the loop costs it a
// spill of θ a point.
template <class Map, class Sink, class Poll>
[[gnu::noinline]] void TraceSerial(const Curve& curve, const Map& map, Sink& sink,
                                   TraceControl& control, Poll& poll, int64_t blockSegments,
                                   MappedValue<Map> previous, TraceResult& result) {
  double theta = 0;
  for (;;) {
    const Curve::Stretch stretch =
        curve.TraceStretch(map, theta, blockSegments, [&](const MappedValue<Map>& v) {
          sink(std::as_const(previous), v);
          previous = v;
          ++result.segments;
        });
    ControlAccess::SetDone(control, result.segments);
    if (stretch.last) {
      result.finished = true;
      return;
    }
    theta = stretch.theta;
    poll();
    if (control.StopRequested()) return;
  }
}

template <class Map, class Sink, class Poll>
TraceResult TraceThreaded(const Curve& curve, const Map& map, Sink& sink, TraceControl& control,
                          Poll& poll, int64_t blockSegments, int threads,
                          std::chrono::milliseconds patience, MappedValue<Map> previous) {
  using Value = MappedValue<Map>;
  TraceResult result;
  // The workers may run this far ahead of the calling thread, so that a
  // window repainting on it leaves their cores busy meanwhile.
  constexpr int64_t kAheadSegments = int64_t{1} << 19;
  constexpr int64_t kMostSlots = 16;
  const int slotCount = static_cast<int>(std::max<int64_t>(
      2 * threads, std::min(kMostSlots, (kAheadSegments + blockSegments - 1) / blockSegments)));
  std::vector<Slot<Value>> ring(slotCount);
  for (auto& slot : ring) slot.points.resize(blockSegments);
  BlockContext<Map, Value> context{&curve, &map, blockSegments, &ring};
  Scheduler scheduler(curve, control, blockSegments, slotCount, &decltype(context)::Compute,
                      &context);
  scheduler.Start(threads);
  for (int64_t block = 0;; ++block) {
    Scheduler::Wait wait;
    while ((wait = scheduler.WaitFor(block, patience)) == Scheduler::Wait::kStillWaiting) poll();
    if (wait == Scheduler::Wait::kStopped) break;
    Slot<Value>& slot = ring[block % slotCount];
    if (slot.count > 0) {
      const Value* points = std::as_const(slot.points).data();
      if constexpr (RunSink<Sink, Value>) {
        sink.Run(std::as_const(previous), points, slot.count);
      } else {
        EachSegmentOf(std::as_const(previous), points, slot.count, sink);
      }
      previous = slot.points[slot.count - 1];
    }
    result.segments += slot.count;
    ControlAccess::SetDone(control, result.segments);
    if (slot.error) {
      scheduler.Finish();
      std::rethrow_exception(slot.error);
    }
    if (slot.last) {
      result.finished = true;
      break;
    }
    scheduler.Release(block);
    poll();
    if (control.StopRequested()) break;
  }
  scheduler.Finish();
  return result;
}

}  // namespace parallel_detail

template <class Map, class Sink, class Poll>
TraceResult TraceParallel(const Curve& curve, Map&& map, Sink&& sink, TraceControl& control,
                          Poll&& poll, const TraceOptions& options) {
  using parallel_detail::ControlAccess;
  const std::remove_reference_t<Map>& constMap = map;
  const int64_t blockSegments = options.blockSegments > 0 ? options.blockSegments : 1;
  const int threads = options.threads > 0 ? options.threads : 1;

  ControlAccess::SetDone(control, 0);
  auto first = curve.MapFirstPoint(constMap);
  if (control.StopRequested()) return {};
  if (threads == 1 || curve.EstimatedSegments() < options.serialBelow) {
    TraceResult result;
    try {
      parallel_detail::TraceSerial(curve, constMap, sink, control, poll, blockSegments, first,
                                   result);
    } catch (...) {
      ControlAccess::SetDone(control, result.segments);
      throw;
    }
    return result;
  }
  return parallel_detail::TraceThreaded(
      curve, constMap, sink, control, poll, blockSegments, threads,
      std::chrono::milliseconds(options.pollWhileWaitingMs), first);
}

}  // namespace engine
