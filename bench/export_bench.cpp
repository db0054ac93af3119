// The cost of exports next to drawing on screen (BM_LargestOnCanvas, in the
// same run): an SVG of the largest pattern (46,656,344 points, about 0.75 GB
// at 200 mm), target at most 2.5 x the drawing; PNGs of 8192 px of the
// largest pattern and of the initial design, at width 1 (a 13-pixel pen
// there). Files go to a temporary folder and are removed.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>

#include "export/export.h"

using namespace exporting;

namespace {

constexpr int64_t kLargestPoints = 46656344;

engine::PatternRecord LargestPattern() {
  return {0, 360, 1, 0, 0, 8, 1, 1000, 0, 0};
}
engine::PatternRecord InitialPattern() {
  return {0, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
}

void Export(benchmark::State& state, const engine::PatternRecord& pattern,
            const ExportOptions& options) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("bench.out").toStdString();
  int64_t points = 0;
  for (auto _ : state) {
    ExportDesign({{pattern, 1}}, options, path, [&](int64_t done, int64_t) {
      points = done;
      return true;
    });
  }
  state.counters["points"] = static_cast<double>(points);
  state.counters["bytes"] = static_cast<double>(QFileInfo(QString::fromStdString(path)).size());
  state.counters["per_point"] = benchmark::Counter(
      static_cast<double>(points),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ExportSvgLargest(benchmark::State& state) {
  ExportOptions options;
  options.format = ExportFormat::Svg;
  Export(state, LargestPattern(), options);
  if (state.counters["points"] != kLargestPoints) state.SkipWithError("wrong point count");
}

void BM_ExportPdfLargest(benchmark::State& state) {
  ExportOptions options;
  options.format = ExportFormat::Pdf;
  Export(state, LargestPattern(), options);
}

void BM_ExportPng8192Largest(benchmark::State& state) {
  ExportOptions options;
  options.format = ExportFormat::Png;
  options.sizePx = 8192;
  Export(state, LargestPattern(), options);
}

void BM_ExportPng8192Initial(benchmark::State& state) {
  ExportOptions options;
  options.format = ExportFormat::Png;
  options.sizePx = 8192;
  Export(state, InitialPattern(), options);
}

BENCHMARK(BM_ExportSvgLargest)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportPdfLargest)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportPng8192Largest)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportPng8192Initial)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
