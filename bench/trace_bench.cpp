// The cost of a trace, per segment: the largest pattern the panel can make
// (fixed 360, moving 1, internal, hole 8, step 1, size 1000: 46,656,343
// segments) drawn on a drawing-area canvas, through the curve arithmetic
// alone, and the bare sines and cosines it cannot do without (fsincos, and
// fsin with fcos for comparison); and the initial design. Targets: the
// arithmetic at most 1.5 x its fsincos, drawing at most 20 % on top of the
// arithmetic.
//
// The largest pattern also through TraceParallel, on one and on two worker
// threads, with a poll that does nothing and with one that reads an atomic
// flag as a window would. Targets: two threads at most 0.6 x
// BM_LargestOnCanvas, one thread no slower than it, polling at most 3 %.
//
// The trace's floor on this machine: the two fsincos a point alone, split
// over every core (BM_LargestTrigAloneAllCores), and beside it, in the same
// run, the parallel trace onto the canvas as the window and korva-batch run
// it (BM_LargestTraceAgainstTrigAllCores, whose `ratio` is the trace over
// its floor). Target: at most 1.15 x. The workers turn most points' sines
// and cosines on from the point before (Curve::RunPointsTurned), so the
// trace may take less than its floor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "engine/curve.h"
#include "engine/parallel_trace.h"
#include "engine/x87_trig.h"
#include "ui/canvas.h"

using namespace engine;

namespace {

constexpr int64_t kLargestSegments = 46656343;

PatternRecord Largest() {
  return {0, 360, 1, 0, 0, 8, 1, 1000, 0, 0};
}
PatternRecord Initial() {
  return {0, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
}

void ReportPerSegment(benchmark::State& state, int64_t segments) {
  state.counters["segments"] = static_cast<double>(segments);
  // Seconds per segment, shown with its SI prefix ("63.9n" is 63.9 ns).
  state.counters["per_segment"] = benchmark::Counter(
      static_cast<double>(segments),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DrawOnCanvas(benchmark::State& state, const PatternRecord& pattern) {
  ui::ImageCanvas canvas(640, 640);
  canvas.SetPenColour(kBlack);
  const Curve curve(pattern);
  int64_t segments = 0;
  for (auto _ : state) {
    segments = curve.TraceScreen([&](Pixel from, Pixel to) {
      canvas.MoveTo(from.x, from.y);
      canvas.LineTo(to.x, to.y);
    });
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
  }
  ReportPerSegment(state, segments);
}

// Arguments: worker threads; whether poll reads an atomic flag. Timed by the
// clock, with the CPU time of all threads beside it.
void BM_LargestParallelOnCanvas(benchmark::State& state) {
  ui::ImageCanvas canvas(640, 640);
  canvas.SetPenColour(kBlack);
  const Curve curve(Largest());
  TraceOptions options;
  options.threads = static_cast<int>(state.range(0));
  const bool polled = state.range(1) != 0;
  std::atomic<bool> escape{false};
  int64_t segments = 0;
  for (auto _ : state) {
    TraceControl control;
    const auto draw = [&](Pixel from, Pixel to) {
      canvas.MoveTo(from.x, from.y);
      canvas.LineTo(to.x, to.y);
    };
    const TraceResult result = polled ? TraceScreenParallel(
                                            curve, draw, control,
                                            [&] {
                                              if (escape.load(std::memory_order_relaxed))
                                                control.RequestStop();
                                            },
                                            options)
                                      : TraceScreenParallel(
                                            curve, draw, control, [] {}, options);
    segments = result.segments;
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
  }
  ReportPerSegment(state, segments);
  if (segments != kLargestSegments) state.SkipWithError("wrong segment count");
}

// How long a stop from another thread (the Esc of a long command) takes to
// end the largest trace: from RequestStop until TraceParallel returns. The
// tests check only that it ends at a block boundary; this is the time.
void BM_StopLatency(benchmark::State& state) {
  const Curve curve(Largest());
  TraceOptions options;
  options.threads = static_cast<int>(state.range(0));
  options.blockSegments = 32768;
  double worstMs = 0;
  for (auto _ : state) {
    TraceControl control;
    std::atomic<int64_t> requestedAt{0};
    std::jthread stopper([&](std::stop_token cancelled) {
      while (control.SegmentsDone() < 1'000'000 && !cancelled.stop_requested())
        std::this_thread::yield();
      requestedAt = std::chrono::steady_clock::now().time_since_epoch().count();
      control.RequestStop();
    });
    int64_t sum = 0;
    TraceScreenParallel(
        curve, [&](Pixel from, Pixel to) { sum += from.x ^ to.y; }, control, [] {}, options);
    const auto returned = std::chrono::steady_clock::now().time_since_epoch().count();
    stopper.request_stop();
    stopper.join();
    benchmark::DoNotOptimize(sum);
    worstMs = std::max(worstMs, static_cast<double>(returned - requestedAt.load()) / 1e6);
  }
  state.counters["worst_stop_ms"] = worstMs;
}

void Arithmetic(benchmark::State& state, const PatternRecord& pattern) {
  const Curve curve(pattern);
  int64_t segments = 0;
  for (auto _ : state) {
    int64_t sum = 0;
    segments = curve.TraceScreen([&](Pixel from, Pixel to) { sum += from.x ^ to.y; });
    benchmark::DoNotOptimize(sum);
  }
  ReportPerSegment(state, segments);
}

void BM_LargestOnCanvas(benchmark::State& state) {
  DrawOnCanvas(state, Largest());
  if (state.counters["segments"] != kLargestSegments) state.SkipWithError("wrong segment count");
}

void BM_LargestArithmetic(benchmark::State& state) {
  Arithmetic(state, Largest());
  if (state.counters["segments"] != kLargestSegments) state.SkipWithError("wrong segment count");
}

constexpr long double kTrigStep = 1.0L / 360 / 57.2957795L;

// Points [begin, end) of the largest pattern through two fsincos each, θ
// advancing by a plain extended sum.
[[gnu::noinline]] long double TrigAlone(int64_t begin, int64_t end) {
  long double theta = static_cast<long double>(begin) * kTrigStep;
  long double sum = 0;
  for (int64_t i = begin; i < end; ++i) {
    long double s1, c1, s2, c2;
    QuickSinCos<Fsincos>(theta, s1, c1);
    QuickSinCos<Fsincos>(359 * theta, s2, c2);
    sum += s1 + c1 + s2 + c2;
    theta += kTrigStep;
  }
  return sum;
}

// Every point of the largest pattern through TrigAlone, in equal shares on
// `threads` threads.
long double TrigAloneSplit(int threads) {
  const int64_t points = kLargestSegments + 1;
  std::vector<long double> sums(static_cast<size_t>(threads));
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&sums, t, threads, points] {
      sums[static_cast<size_t>(t)] = TrigAlone(points * t / threads, points * (t + 1) / threads);
    });
  }
  for (std::thread& w : workers) w.join();
  long double sum = 0;
  for (long double s : sums) sum += s;
  return sum;
}

void BM_LargestTrigAlone(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TrigAlone(0, kLargestSegments + 1));
  ReportPerSegment(state, kLargestSegments);
}

// Timed by the clock, with the CPU time of all threads beside it.
void BM_LargestTrigAloneAllCores(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TrigAloneSplit(DefaultThreads()));
  ReportPerSegment(state, kLargestSegments);
  state.counters["threads"] = DefaultThreads();
}

// Each iteration: the trigonometry alone on every core, then the largest
// pattern onto the canvas through TraceParallel on every core, with the
// window's block size and a poll that reads an atomic flag. Both by the
// clock; `ratio` is the trace's time over the trigonometry's.
void BM_LargestTraceAgainstTrigAllCores(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  ui::ImageCanvas canvas(640, 640);
  canvas.SetPenColour(kBlack);
  const Curve curve(Largest());
  TraceOptions options;
  options.blockSegments = 32768;
  std::atomic<bool> escape{false};
  double trigSeconds = 0, traceSeconds = 0;
  int64_t segments = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    benchmark::DoNotOptimize(TrigAloneSplit(options.threads));
    const Clock::time_point trigDone = Clock::now();
    TraceControl control;
    segments = TraceScreenParallel(
                   curve,
                   [&](Pixel from, Pixel to) {
                     canvas.MoveTo(from.x, from.y);
                     canvas.LineTo(to.x, to.y);
                   },
                   control,
                   [&] {
                     if (escape.load(std::memory_order_relaxed)) control.RequestStop();
                   },
                   options)
                   .segments;
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
    const Clock::time_point traceDone = Clock::now();
    trigSeconds += std::chrono::duration<double>(trigDone - start).count();
    traceSeconds += std::chrono::duration<double>(traceDone - trigDone).count();
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["trig_ms"] = trigSeconds / runs * 1e3;
  state.counters["trace_ms"] = traceSeconds / runs * 1e3;
  state.counters["ratio"] = traceSeconds / trigSeconds;
  state.counters["threads"] = options.threads;
  if (segments != kLargestSegments) state.SkipWithError("wrong segment count");
}

// The same with the program's own sine and cosine, fsin and fcos, which the
// quick path's fsincos stands in for.
void BM_LargestPlainTrigAlone(benchmark::State& state) {
  const long double step = kTrigStep;
  for (auto _ : state) {
    long double theta = 0;
    long double sum = 0;
    for (int64_t i = 0; i <= kLargestSegments; ++i) {
      const long double roll = 359 * theta;
      sum += ProcessorSin(theta) + ProcessorCos(theta) + ProcessorSin(roll) + ProcessorCos(roll);
      theta += step;
    }
    benchmark::DoNotOptimize(sum);
  }
  ReportPerSegment(state, kLargestSegments);
}

void BM_InitialOnCanvas(benchmark::State& state) {
  DrawOnCanvas(state, Initial());
}
void BM_InitialArithmetic(benchmark::State& state) {
  Arithmetic(state, Initial());
}

// The parallel trace's three parts on one core each, in turn: the angle
// pass (SkipStretch), the points at those angles (MapPointsAt, as a worker
// does, by the argument's Curve::PointOrder: 0 in turn, 1 trig ahead, 2
// turned, which the workers use), and the segments onto the canvas (as the
// calling thread does).
void BM_LargestTraceParts(benchmark::State& state) {
  const Curve::PointOrder order = static_cast<Curve::PointOrder>(state.range(0));
  using Clock = std::chrono::steady_clock;
  const Curve curve(Largest());
  std::vector<double> angles(static_cast<size_t>(kLargestSegments));
  std::vector<Pixel> pixels(static_cast<size_t>(kLargestSegments));
  ui::ImageCanvas canvas(640, 640);
  canvas.SetPenColour(kBlack);
  double anglesSeconds = 0, pointsSeconds = 0, canvasSeconds = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    const Curve::Stretch stretch = curve.SkipStretch(0, kLargestSegments, angles.data());
    const Clock::time_point anglesDone = Clock::now();
    Pixel* out = pixels.data();
    curve.MapPointsAt(
        Curve::ScreenMap{&curve}, angles.data(), stretch.points, [&](Pixel p) { *out++ = p; },
        order);
    const Clock::time_point pointsDone = Clock::now();
    Pixel previous = curve.MapFirstPoint(Curve::ScreenMap{&curve});
    for (int64_t i = 0; i < stretch.points; ++i) {
      canvas.MoveTo(previous.x, previous.y);
      canvas.LineTo(pixels[i].x, pixels[i].y);
      previous = pixels[i];
    }
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
    const Clock::time_point canvasDone = Clock::now();
    anglesSeconds += std::chrono::duration<double>(anglesDone - start).count();
    pointsSeconds += std::chrono::duration<double>(pointsDone - anglesDone).count();
    canvasSeconds += std::chrono::duration<double>(canvasDone - pointsDone).count();
    if (!stretch.last || stretch.points != kLargestSegments) state.SkipWithError("wrong count");
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["angles_ms"] = anglesSeconds / runs * 1e3;
  state.counters["points_ms"] = pointsSeconds / runs * 1e3;
  state.counters["canvas_ms"] = canvasSeconds / runs * 1e3;
}

// Each large run takes seconds; three runs give a spread.
BENCHMARK(BM_LargestTrigAlone)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_LargestTrigAloneAllCores)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_LargestTraceAgainstTrigAllCores)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_LargestPlainTrigAlone)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_LargestArithmetic)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_LargestOnCanvas)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_LargestTraceParts)
    ->ArgName("order")
    ->Arg(static_cast<int>(Curve::PointOrder::kInTurn))
    ->Arg(static_cast<int>(Curve::PointOrder::kTrigAhead))
    ->Arg(static_cast<int>(Curve::PointOrder::kTurned))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(2);
BENCHMARK(BM_LargestParallelOnCanvas)
    ->ArgNames({"threads", "polled"})
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_StopLatency)
    ->ArgNames({"threads"})
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_InitialArithmetic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InitialOnCanvas)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
