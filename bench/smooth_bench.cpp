// The smooth view against the exact picture, each measured once a run:
//  - a 1 M-segment history re-rendered smooth at Fit on a 1280 x 1280
//    device-pixel area from its kept points (BM_SmoothHistory1M; the first
//    render, which retraces and keeps them: BM_SmoothHistory1MFirst) against
//    tracing it onto the exact picture on one core (BM_ExactHistory1M);
//    target at most 0.6 x;
//  - the largest pattern (46,656,343 segments, beyond the point budget, so
//    retraced on every core) rendered smooth (BM_SmoothLargest) against
//    tracing it onto the exact picture on every core
//    (BM_ExactLargestAllCores); target at most 1.5 x;
//  - a live Draw of the largest pattern, on every core, with the exact
//    points handed to a smooth view painted as a window repaints
//    (BM_LiveDrawLargest/1) against without (BM_LiveDrawLargest/0); target
//    at most 1.3 x. BM_LiveDrawAgainstWithout runs the two in turn, three
//    times, and gives the ratio of their sums.
// The smooth figures are every thread's CPU time beside the clock.
#include <benchmark/benchmark.h>

#include <QImage>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/drawing_area.h"
#include "engine/curve.h"
#include "engine/parallel_trace.h"
#include "raster/merged_strokes.h"
#include "ui/canvas.h"
#include "ui/live_painter.h"
#include "ui/smooth_render.h"
#include "ui/trace_log.h"
#include "ui/trace_points.h"
#include "ui/trace_recorder.h"

using namespace engine;

namespace {

constexpr int64_t kHistorySegments = 1'000'000;
constexpr int64_t kRepaintSegments = 32768;  // one window poll's block

PatternRecord Largest() {
  return {0, 360, 1, 0, 0, 8, 1, 1000, 0, 0};
}

// Fit in a 1280-pixel square: two device pixels a picture pixel.
ui::SmoothFrame FitFrame() {
  return {1280, 1280, 2.0, 0, 0, 2.0};
}

ui::TraceLog LogOf(const PatternRecord& pattern, int64_t segments) {
  return ui::TraceLog(kWhite).With({pattern, {}, kBlack, 1, segments});
}

// Each render from a fresh log: its points are not yet kept, so the first
// render retraces and keeps them, as after opening a design.
void Smooth(benchmark::State& state, const PatternRecord& pattern, int64_t segments) {
  const std::atomic<bool> cancelled{false};
  for (auto _ : state) {
    state.PauseTiming();
    const ui::TraceLog log = LogOf(pattern, segments);
    state.ResumeTiming();
    const QImage image = ui::RenderSmooth(log, FitFrame(), 0xFF808080u, cancelled);
    benchmark::DoNotOptimize(image.constBits());
  }
}

// Renders again of a log whose points are kept: a zoom or a resize.
void SmoothKept(benchmark::State& state, const ui::TraceLog& log) {
  const std::atomic<bool> cancelled{false};
  (void)ui::RenderSmooth(log, FitFrame(), 0xFF808080u, cancelled);
  for (auto _ : state) {
    const QImage image = ui::RenderSmooth(log, FitFrame(), 0xFF808080u, cancelled);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_SmoothHistory1M(benchmark::State& state) {
  SmoothKept(state, LogOf(Largest(), kHistorySegments));
}

void BM_SmoothHistory1MFirst(benchmark::State& state) {
  Smooth(state, Largest(), kHistorySegments);
}

void BM_ExactHistory1M(benchmark::State& state) {
  ui::ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  const Curve curve(Largest());
  struct Done {};
  for (auto _ : state) {
    int64_t left = kHistorySegments;
    try {
      curve.TraceScreen([&](Pixel from, Pixel to) {
        if (left-- == 0) throw Done{};
        canvas.MoveTo(from.x, from.y);
        canvas.LineTo(to.x, to.y);
      });
    } catch (const Done&) {
    }
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
  }
}

void BM_SmoothLargest(benchmark::State& state) {
  Smooth(state, Largest(), static_cast<int64_t>(Curve(Largest()).EstimatedSegments()) + 16);
}

void BM_ExactLargestAllCores(benchmark::State& state) {
  ui::ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  const Curve curve(Largest());
  for (auto _ : state) {
    TraceControl control;
    TraceScreenParallel(
        curve,
        [&](Pixel from, Pixel to) {
          canvas.MoveTo(from.x, from.y);
          canvas.LineTo(to.x, to.y);
        },
        control, [] {});
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
  }
}

// Takes a trace's live points as DrawingView::LivePoints does: the largest
// pattern has no room in the budget, so its points are not kept but merged
// into strokes for the painter of the shown render.
class LiveKeeper : public ui::LiveTraceSink {
 public:
  explicit LiveKeeper(const ui::SmoothFrame& frame) : writer(ui::PlacementOf(frame)) {}
  StrokeWriter writer;

  void BeginLive(Colour, int, int64_t) override {}
  void LivePoints(const float* xy, size_t count) override { writer.Add(xy, count); }
  void EndLive() override {}
};

// The window's sink (PolylineSink in window/draw.cpp): each block of
// segments onto the picture as one polyline, then `rest` of it.
template <class Rest>
struct Polyline {
  ui::ImageCanvas& canvas;
  Rest rest;
  template <class Value>
  void operator()(const Value& from, const Value& to) {
    Run(from, &to, 1);
  }
  template <class Value>
  void Run(const Value& previous, const Value* points, int64_t count) {
    canvas.Polyline(previous, points, count, [](const Value& p) { return PixelOf(p); });
    rest(previous, points, count);
  }
};
template <class Rest>
Polyline(ui::ImageCanvas&, Rest) -> Polyline<Rest>;

// As the window draws: on every core, the picture's lines, and with the
// view live the exact points made floats on the workers, handed to the view
// a batch at a time (ui::TraceRecorder) and merged into strokes there, which
// are handed on at each poll to the painter of a 1280-pixel render
// (ui::LivePainter, as DrawingView::PaintLive does); the figure includes
// waiting for it to finish.
class LiveDraw {
 public:
  // Draws the largest pattern once.
  void Run(bool live) {
    view_.fill(0xFFFFFFFFu);
    keeper_ = std::make_unique<LiveKeeper>(FitFrame());
    painter_ = std::make_unique<ui::LivePainter>(
        view_, FitFrame(), [](const std::function<void()>&) {}, [](const QImage&, uint64_t) {});
    TraceControl control;
    TraceOptions options;
    options.blockSegments = kRepaintSegments;
    if (live) {
      {
        ui::TraceRecorder recorder(canvas_, Largest(), {}, keeper_.get());
        Polyline sink{canvas_, [&](const Curve::ScreenPointPixel& previous,
                                   const Curve::ScreenPointPixel* points,
                                   int64_t count) { recorder.Segments(previous, points, count); }};
        TraceParallel(
            curve_, Curve::ScreenPointMap{&curve_}, sink, control, [&] { Paint(false); }, options);
      }
      Paint(true);
      painter_->WaitUntilPainted();
    } else {
      Polyline sink{canvas_, [](const Pixel&, const Pixel*, int64_t) {}};
      TraceParallel(
          curve_, Curve::ScreenMap{&curve_}, sink, control, [] {}, options);
    }
    painter_.reset();
    benchmark::DoNotOptimize(canvas_.PixelAt(320, 320));
  }
  // How many points the painter got against the trace's, in the live runs.
  double StrokePointsPerPoint() const { return strokePoints_ / segments_; }

 private:
  void Paint(bool last) {
    StrokeWriter& writer = keeper_->writer;
    if (writer.Given() == 0) return;
    segments_ += static_cast<double>(writer.Given());
    std::vector<float> strokes = writer.Take(painter_->TakeEmptied());
    strokePoints_ += static_cast<double>(strokes.size() / 2);
    painter_->Hand(std::move(strokes), run_.colour, run_.width, {true, last});
  }

  ui::ImageCanvas canvas_{kDrawingAreaSize, kDrawingAreaSize};
  const Curve curve_{Largest()};
  QImage view_{1280, 1280, QImage::Format_RGB32};
  const LineRun run_ = ui::TraceRun(nullptr, 0, {Largest(), {}, kBlack, 1, 0}, FitFrame());
  std::unique_ptr<LiveKeeper> keeper_;
  std::unique_ptr<ui::LivePainter> painter_;
  double strokePoints_ = 0, segments_ = 0;
};

void BM_LiveDrawLargest(benchmark::State& state) {
  const bool live = state.range(0) != 0;
  LiveDraw draw;
  for (auto _ : state) draw.Run(live);
  if (live) state.counters["stroke_points_per_point"] = draw.StrokePointsPerPoint();
}

// Each iteration: the Draw without the view, then with it, by the clock,
// side by side so that the machine's slower moments fall on both; `ratio`
// is the sum of the live Draws' times over the others'.
void BM_LiveDrawAgainstWithout(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  LiveDraw draw;
  double without = 0, with = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    draw.Run(false);
    const Clock::time_point middle = Clock::now();
    draw.Run(true);
    without += std::chrono::duration<double>(middle - start).count();
    with += std::chrono::duration<double>(Clock::now() - middle).count();
  }
  state.counters["ratio"] = with / without;
  state.counters["without_ms"] = 1000 * without / static_cast<double>(state.iterations());
  state.counters["with_ms"] = 1000 * with / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(BM_ExactHistory1M)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_SmoothHistory1M)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_SmoothHistory1MFirst)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_ExactLargestAllCores)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_SmoothLargest)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LiveDrawLargest)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LiveDrawAgainstWithout)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
