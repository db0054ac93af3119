// Whether anything makes the window's thread wait: a 1 ms timer runs on it
// while the smooth view renders and while a Draw traces, and the worst
// lateness of its ticks is printed for each stretch (target: never more than
// 20 ms late). The window is shown, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
//
//   korva_stall_bench [WIDTH HEIGHT]   the window's size (default the smallest)
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "bench/window/gear_pattern.h"
#include "ui/drawing_view.h"
#include "ui/runtime_dir_notice.h"
#include "ui/scripted_prompts.h"

namespace {

// The ticks of a 1 ms timer: the longest gap between two, up to now.
class TimerGaps {
 public:
  TimerGaps() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    clock_.start();
    timer_.start();
  }
  void Begin() {
    last_ = clock_.nsecsElapsed();
    worst_ = 0;
    ticks_ = 0;
  }
  // Counts the stretch since the last tick too: a tick that never came is late.
  double WorstLatenessMs() {
    worst_ = std::max(worst_, clock_.nsecsElapsed() - last_);
    return std::max(0.0, static_cast<double>(worst_) / 1e6 - 1.0);
  }
  int Ticks() const { return ticks_; }

 private:
  void Tick() {
    const qint64 now = clock_.nsecsElapsed();
    worst_ = std::max(worst_, now - last_);
    last_ = now;
    ++ticks_;
  }

  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = 0, worst_ = 0;
  int ticks_ = 0;
};

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five;
  in >> one >> five;
  return one + " " + five;
}

class StallBench {
 public:
  StallBench() : window_(prompts_, [] { return std::unique_ptr<ui::Printer>(); }) {
    view_ = dynamic_cast<ui::DrawingView*>(window_.form().Find("PaintBox1"));
  }
  MainWindow& window() { return window_; }
  ui::DrawingView& view() { return *view_; }

  void Show(int width, int height) {
    window_.form().Show();
    if (width > 0) window_.form().Resize(width, height);
    Run(
        "showing the window", [] {}, [this] { return view_->RenderPending(); });
    const QSize shown = view_->ShownSize();
    const double ratio = window_.form().Window()->devicePixelRatioF();
    std::printf("drawing area %d x %d logical pixels, device pixel ratio %.2f; load %s\n",
                shown.width(), shown.height(), ratio, LoadAverage().c_str());
  }

  void Click(const char* item) { window_.form().FindMenuItem(item)->UserClick(); }

  // Runs `action`, then the event loop while `busy`; prints how long that
  // took and the timer's worst lateness meanwhile.
  void Run(const char* what, const std::function<void()>& action, const std::function<bool()>& busy,
           qint64 limitMs = 600'000) {
    QElapsedTimer clock;
    clock.start();
    gaps_.Begin();
    action();
    while (busy() && clock.elapsed() < limitMs)
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double worst = gaps_.WorstLatenessMs();
    std::printf("%-58s %9.1f ms  worst lateness %6.1f ms  %s  (%d ticks)\n", what,
                static_cast<double>(clock.nsecsElapsed()) / 1e6, worst,
                worst <= 20.0 ? "ok  " : "LATE", gaps_.Ticks());
    std::fflush(stdout);
  }

 private:
  ui::ScriptedPrompts prompts_;
  MainWindow window_;
  ui::DrawingView* view_ = nullptr;
  TimerGaps gaps_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ui::QuietenRuntimeDirNotice();
  QApplication app(argc, argv);
  const int width = argc == 3 ? std::atoi(argv[1]) : 0;
  const int height = argc == 3 ? std::atoi(argv[2]) : 0;

  StallBench bench;
  MainWindow& window = bench.window();
  ui::DrawingView& view = bench.view();
  const auto rendering = [&] { return view.RenderPending(); };
  const auto nothing = [] { return false; };
  bench.Show(width, height);

  QElapsedTimer idle;
  bench.Run(
      "idle, for comparison", [&] { idle.start(); }, [&] { return idle.elapsed() < 1000; });

  // 3,588,924 segments: few enough to be painted smooth while drawn.
  ShowOnPanel(window, {360, 13, 8, 1});
  bench.Run(
      "Draw 360/13/8/1 (3.6 M segments), smooth live", [&] { ClickDraw(window); }, nothing);
  bench.Run(
      "  the smooth render after it", [] {}, rendering);
  bench.Run(
      "  Zoom In: smooth re-render", [&] { bench.Click("ZoomIn1"); }, rendering);
  bench.Run(
      "  Zoom In x3 at once: the last re-render",
      [&] {
        for (int i = 0; i < 3; ++i) bench.Click("ZoomIn1");
      },
      rendering);
  bench.Run(
      "  Fit: smooth re-render", [&] { bench.Click("ZoomFit1"); }, rendering);
  bench.Run(
      "  Smooth Lines off", [&] { bench.Click("SmoothLines1"); }, rendering);
  bench.Run(
      "  Smooth Lines on: smooth re-render", [&] { bench.Click("SmoothLines1"); }, rendering);

  static_cast<ui::Button*>(window.form().Find("Clear"))->UserClick();
  ShowOnPanel(window, kLargestPattern);
  bench.Run(
      "Draw of the largest pattern (46.7 M segments)", [&] { ClickDraw(window); }, nothing);
  // Painted whole as it was drawn, it needs no render; beyond the point
  // budget it is not kept, so a zoom traces it again.
  QElapsedTimer after;
  bench.Run(
      "  Zoom In: the first 5 s of its smooth render, retraced",
      [&] {
        after.start();
        bench.Click("ZoomIn1");
      },
      [&] { return view.RenderPending() && after.elapsed() < 5000; });
  std::printf("patterns drawn %d; load %s\n", window.history().Count(), LoadAverage().c_str());
  return 0;
}
