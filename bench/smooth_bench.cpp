// The smooth view against the exact picture, each measured once a run:
//  - a 1 M-segment history re-rendered smooth at Fit on a 1280 x 1280
//    device-pixel area (BM_SmoothHistory1M) against tracing it onto the
//    exact picture on one core (BM_ExactHistory1M); target at most 0.6 x;
//  - the largest pattern (46,656,343 segments) rendered smooth on one worker
//    (BM_SmoothLargest) against tracing it onto the exact picture on every
//    core (BM_ExactLargestAllCores); target at most 1.5 x;
//  - a live Draw of the largest pattern, on every core, with the exact
//    points handed to a smooth view painted as a window repaints
//    (BM_LiveDrawLargest/1) against without (BM_LiveDrawLargest/0); target
//    at most 1.3 x. (The window paints a trace live only up to 4 M
//    segments; this measures the cost per segment of doing so.)
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <atomic>
#include <cstdint>
#include <vector>

#include "core/drawing_area.h"
#include "engine/curve.h"
#include "engine/parallel_trace.h"
#include "ui/canvas.h"
#include "ui/smooth_render.h"
#include "ui/trace_log.h"

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

void Smooth(benchmark::State& state, const ui::TraceLog& log) {
  const std::atomic<bool> cancelled{false};
  for (auto _ : state) {
    const QImage image = ui::RenderSmooth(log, FitFrame(), 0xFF808080u, cancelled);
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_SmoothHistory1M(benchmark::State& state) {
  Smooth(state, LogOf(Largest(), kHistorySegments));
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
  Smooth(state, LogOf(Largest(), Curve(Largest()).EstimatedSegments() + 16));
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

struct ExactPixel {
  Pixel pixel;
  double x = 0, y = 0;
};

// As the window draws: on every core, the picture's lines, and with the
// view live the exact points kept and painted into a 1280-pixel render at
// each repaint.
void BM_LiveDrawLargest(benchmark::State& state) {
  const bool live = state.range(0) != 0;
  ui::ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize);
  const Curve curve(Largest());
  QImage view(1280, 1280, QImage::Format_ARGB32_Premultiplied);
  std::vector<QPointF> points;
  size_t painted = 0;
  auto paint = [&] {
    if (points.size() <= painted) return;
    QPainter painter(&view);
    ui::SmoothStroker stroker(painter, FitFrame());
    stroker.SetPen(kBlack, 1);
    for (size_t i = painted > 0 ? painted - 1 : 0; i < points.size(); ++i)
      stroker.Point(points[i].x(), points[i].y());
    // Only the last point is needed to go on from.
    const QPointF last = points.back();
    points.assign(1, last);
    painted = 1;
  };
  for (auto _ : state) {
    view.fill(0xFFFFFFFFu);
    points.clear();
    painted = 0;
    TraceControl control;
    TraceOptions options;
    options.blockSegments = kRepaintSegments;
    if (live) {
      TraceParallel(
          curve,
          [&curve](const CurvePoint& p) {
            const Curve::ScreenPoint e = curve.ExactScreenPoint(p);
            return ExactPixel{curve.ScreenPixel(p), static_cast<double>(e.x),
                              static_cast<double>(e.y)};
          },
          [&](const ExactPixel& from, const ExactPixel& to) {
            canvas.MoveTo(from.pixel.x, from.pixel.y);
            canvas.LineTo(to.pixel.x, to.pixel.y);
            if (points.empty()) points.emplace_back(from.x, from.y);
            points.emplace_back(to.x, to.y);
          },
          control, paint, options);
      paint();
    } else {
      TraceScreenParallel(
          curve,
          [&](Pixel from, Pixel to) {
            canvas.MoveTo(from.x, from.y);
            canvas.LineTo(to.x, to.y);
          },
          control, [] {}, options);
    }
    benchmark::DoNotOptimize(canvas.PixelAt(320, 320));
  }
}

}  // namespace

BENCHMARK(BM_ExactHistory1M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SmoothHistory1M)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_ExactLargestAllCores)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_SmoothLargest)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_LiveDrawLargest)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
