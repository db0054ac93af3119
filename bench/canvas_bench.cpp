// Thin lines whose ends lie far outside the canvas are clipped before any
// pixel is walked, so they cost about as much as short ones.
#include <benchmark/benchmark.h>

#include <climits>

#include "ui/canvas.h"

namespace {

void BM_HugeThinLines(benchmark::State& state) {
  ui::ImageCanvas canvas(640, 640);
  for (auto _ : state) {
    for (int i = 0; i < 100000; ++i) {
      canvas.MoveTo(INT_MIN + i, -i);
      canvas.LineTo(INT_MAX - i, 639 + i);
    }
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_HugeThinLines)->Unit(benchmark::kMillisecond);

}  // namespace
