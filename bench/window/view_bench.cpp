// What a user feels of the View menu: how soon the gears follow a change,
// how soon the preview of the starting design shows, and whether dragging a
// bar with the preview on stays smooth. Each figure is the time the window's
// thread is busy, from the input to the picture painted, on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "ui/controls.h"
#include "ui/scripted_prompts.h"
#include "window/main_window.h"

// The window's own seam for tests; here it tells when a preview has arrived.
class WindowProbe {
 public:
  static qint64 PreviewKey(const MainWindow& window) {
    return window.overlay_.Preview().cacheKey();
  }
  static bool PreviewRunning(const MainWindow& window) { return window.previewJob_.Running(); }
};

namespace {

class ShownWindow {
 public:
  ShownWindow() : window_(prompts_, [] { return std::unique_ptr<ui::Printer>(); }) {
    window_.form().Show();
    Settle();
  }
  MainWindow& window() { return window_; }
  ui::ScrollBar& Bar(const char* name) {
    return *static_cast<ui::ScrollBar*>(window_.form().Find(name));
  }
  ui::SpinBox& Spin(const char* name) {
    return *static_cast<ui::SpinBox*>(window_.form().Find(name));
  }
  void Click(const char* item) { window_.form().FindMenuItem(item)->UserClick(); }

  // Handles what is queued, painting included; returns how long that took.
  double Frame() {
    QElapsedTimer clock;
    clock.start();
    QApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
  }
  // Until no preview is being worked out and every result is shown.
  void Settle() {
    QElapsedTimer clock;
    clock.start();
    while (WindowProbe::PreviewRunning(window_) && clock.elapsed() < 10000) Frame();
    Frame();
  }

 private:
  ui::ScriptedPrompts prompts_;
  MainWindow window_;
};

// Frame times in milliseconds: the largest and the mean.
void Report(benchmark::State& state, const std::vector<double>& frames) {
  if (frames.empty()) return;
  double sum = 0;
  for (double f : frames) sum += f;
  state.counters["max_frame_ms"] = *std::max_element(frames.begin(), frames.end());
  state.counters["mean_frame_ms"] = sum / static_cast<double>(frames.size());
}

// One step of the pen-hole bar with Show Gears on: the handlers, the gears
// worked out again, and the drawing area painted.
void BM_GearsFollowAChange(benchmark::State& state) {
  ShownWindow w;
  w.Click("ShowGears1");
  w.Settle();
  ui::ScrollBar& hole = w.Bar("ScrollBarHole");
  int direction = 1;
  std::vector<double> frames;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    hole.UserArrow(direction);
    w.Frame();
    frames.push_back(clock.nsecsElapsed() / 1e6);
    direction = -direction;
  }
  Report(state, frames);
}
BENCHMARK(BM_GearsFollowAChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// A step of the top bar with Preview on, until the new preview of the
// starting design (921 segments) is painted.
void BM_PreviewOfTheStartingDesign(benchmark::State& state) {
  ShownWindow w;
  w.Click("PreviewPattern1");
  w.Settle();
  ui::ScrollBar& top = w.Bar("ScrollBarTop");
  int direction = 1;
  for (auto _ : state) {
    const qint64 before = WindowProbe::PreviewKey(w.window());
    QElapsedTimer clock;
    clock.start();
    top.UserArrow(direction);
    while (WindowProbe::PreviewKey(w.window()) == before && clock.elapsed() < 10000) w.Frame();
    w.Frame();
    direction = -direction;
  }
}
BENCHMARK(BM_PreviewOfTheStartingDesign)->Unit(benchmark::kMillisecond)->UseRealTime();

// A drag of the pen-hole bar across its range, one move every 16 ms as a
// mouse gives them, with the gears and the preview on. Every stretch the
// window's thread is busy counts as a frame: the moves, and the previews that
// arrive between them. Argument: the patterns in the series (with their
// mirrors, so twice as many are previewed).
void BM_DragWithPreview(benchmark::State& state) {
  ShownWindow w;
  w.Click("ShowGears1");
  w.Click("PreviewPattern1");
  const int patterns = static_cast<int>(state.range(0));
  if (patterns > 1) {
    w.Bar("ScrollBarReps").UserType(patterns);
    w.Spin("topspin").UserType(37);
    w.Spin("SpinRed").UserType(20);
    static_cast<ui::CheckBox*>(w.window().form().Find("cb_reflect"))->UserClick();
  }
  w.Settle();
  ui::ScrollBar& hole = w.Bar("ScrollBarHole");
  std::vector<double> frames;
  int64_t previews = 0;
  for (auto _ : state) {
    for (int value = 100; value <= 1100; value += 25) {
      QElapsedTimer move;
      move.start();
      QElapsedTimer clock;
      clock.start();
      hole.UserDrag(value);
      w.Frame();
      frames.push_back(clock.nsecsElapsed() / 1e6);
      while (move.nsecsElapsed() < 16'000'000) {
        const qint64 key = WindowProbe::PreviewKey(w.window());
        const double busy = w.Frame();
        if (WindowProbe::PreviewKey(w.window()) != key) {
          ++previews;
          frames.push_back(busy);
        }
      }
    }
    state.PauseTiming();
    hole.UserDrag(100);
    w.Settle();
    state.ResumeTiming();
  }
  Report(state, frames);
  state.counters["previews_shown"] =
      benchmark::Counter(static_cast<double>(previews), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DragWithPreview)
    ->Arg(1)
    ->Arg(12)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
