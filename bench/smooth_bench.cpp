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
//    at most 1.3 x.
// The smooth figures are every thread's CPU time beside the clock.
#include <benchmark/benchmark.h>

#include <QImage>
#include <atomic>
#include <cstdint>
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
  std::vector<float> strokes;
  size_t merged = 0;

  void BeginLive(Colour, int, int64_t) override {}
  void LivePoints(const float* xy, size_t count) override {
    writer.Add(xy, count, strokes);
    merged += count;
  }
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
void BM_LiveDrawLargest(benchmark::State& state) {
  const bool live = state.range(0) != 0;
  ui::ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  const Curve curve(Largest());
  QImage view(1280, 1280, QImage::Format_RGB32);
  std::unique_ptr<LiveKeeper> keeper;
  std::unique_ptr<ui::LivePainter> painter;
  const ui::LoggedTrace pen{Largest(), {}, kBlack, 1, 0};
  const LineRun run = ui::TraceRun(nullptr, 0, pen, FitFrame());
  double strokePoints = 0;
  auto paint = [&](bool last) {
    if (keeper->merged == 0) return;
    keeper->writer.Cut(keeper->strokes);
    keeper->merged = 0;
    strokePoints += static_cast<double>(keeper->strokes.size() / 2);
    painter->Hand(std::exchange(keeper->strokes, painter->TakeEmptied()), run.colour, run.width,
                  {true, last});
  };
  for (auto _ : state) {
    view.fill(0xFFFFFFFFu);
    keeper = std::make_unique<LiveKeeper>(FitFrame());
    painter = std::make_unique<ui::LivePainter>(
        view, FitFrame(), [](const std::function<void()>&) {}, [](const QImage&, uint64_t) {});
    TraceControl control;
    TraceOptions options;
    options.blockSegments = kRepaintSegments;
    if (live) {
      {
        ui::TraceRecorder recorder(canvas, Largest(), {}, keeper.get());
        Polyline sink{canvas, [&](const Curve::ScreenPointPixel& previous,
                                  const Curve::ScreenPointPixel* points,
                                  int64_t count) { recorder.Segments(previous, points, count); }};
        TraceParallel(
            curve, Curve::ScreenPointMap{&curve}, sink, control, [&] { paint(false); }, options);
      }
      paint(true);
      painter->WaitUntilPainted();
    } else {
      Polyline sink{canvas, [](const Pixel&, const Pixel*, int64_t) {}};
      TraceParallel(
          curve, Curve::ScreenMap{&curve}, sink, control, [] {}, options);
    }
    painter.reset();
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
  }
  // How many points the painter got against the trace's.
  if (live) state.counters["stroke_points_per_point"] = strokePoints / curve.EstimatedSegments();
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
