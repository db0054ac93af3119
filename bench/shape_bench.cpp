// A shaped ring's trace against the circle's, per segment, in the same run:
// fixed 360, moving 7, internal, hole 8, step 1 (6,665,473 segments), on a
// circle and on shaped rings with corners of 60, through the arithmetic alone
// on the calling thread and through TraceParallel on one and two worker
// threads. Target: a shape at most 1.5 x the circle's time per segment.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/curve.h"
#include "engine/parallel_trace.h"

using namespace engine;

namespace {

PatternRecord Design() {
  return {0, 360, 7, 0, 0, 8, 1, 1000, 0, 0};
}

void Report(benchmark::State& state, int64_t segments) {
  state.counters["segments"] = static_cast<double>(segments);
  state.counters["per_segment"] = benchmark::Counter(
      static_cast<double>(segments),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Argument: sides (0 is the circle).
void BM_ShapeArithmetic(benchmark::State& state) {
  const Curve curve(Design(), RingShape{static_cast<int32_t>(state.range(0)), 60});
  int64_t segments = 0;
  for (auto _ : state) {
    int64_t sum = 0;
    segments = curve.TraceScreen([&](Pixel from, Pixel to) { sum += from.x ^ to.y; });
    benchmark::DoNotOptimize(sum);
  }
  Report(state, segments);
}

// Arguments: sides; worker threads. Timed by the CPU time of all threads
// (per_segment), the clock beside it: a shared machine shows only the first
// fairly.
void BM_ShapeParallel(benchmark::State& state) {
  const Curve curve(Design(), RingShape{static_cast<int32_t>(state.range(0)), 60});
  TraceOptions options;
  options.threads = static_cast<int>(state.range(1));
  int64_t segments = 0;
  for (auto _ : state) {
    int64_t sum = 0;
    TraceControl control;
    segments =
        TraceScreenParallel(
            curve, [&](Pixel from, Pixel to) { sum += from.x ^ to.y; }, control, [] {}, options)
            .segments;
    benchmark::DoNotOptimize(sum);
  }
  Report(state, segments);
}

BENCHMARK(BM_ShapeArithmetic)
    ->ArgName("sides")
    ->ArgsProduct({{0, 2, 3, 4, 5, 6}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_ShapeParallel)
    ->ArgNames({"sides", "threads"})
    ->ArgsProduct({{0, 2, 4, 6}, {1, 2}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace
