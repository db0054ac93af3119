// One Draw in the window as a user sees it: the window shown on the screen
// (run it under X: QT_QPA_PLATFORM=xcb), a pattern set on the panel, Draw
// clicked, and the program ends once the Draw has. Prints the Draw's own
// clock and CPU time; bench/window_draw.sh times the whole process beside
// korva-batch.
//
//   korva_window_draw [--no-draw] [FIXED MOVING HOLE STEP]
// Without a pattern, the largest; --no-draw sets it and ends, for the cost of
// starting and ending alone.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "bench/window/gear_pattern.h"
#include "ui/runtime_dir_notice.h"
#include "ui/scripted_prompts.h"

namespace {

double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  ui::QuietenRuntimeDirNotice();
  QApplication app(argc, argv);
  bool draw = true;
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "--no-draw") == 0) {
    draw = false;
    first = 2;
  }
  GearPattern pattern = kLargestPattern;
  if (argc - first == 4) {
    pattern = {std::atoi(argv[first]), std::atoi(argv[first + 1]), std::atoi(argv[first + 2]),
               std::atoi(argv[first + 3])};
  } else if (argc != first) {
    std::fputs("usage: korva_window_draw [--no-draw] [FIXED MOVING HOLE STEP]\n", stderr);
    return 2;
  }

  ui::ScriptedPrompts prompts;
  MainWindow window(prompts, [] { return std::unique_ptr<ui::Printer>(); });
  window.form().Show();
  QElapsedTimer waited;
  waited.start();
  QWindow* handle = window.form().Window()->windowHandle();
  while ((handle == nullptr || !handle->isExposed()) && waited.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    handle = window.form().Window()->windowHandle();
  }
  QApplication::processEvents();
  std::printf("platform %s, window %s\n", qPrintable(QApplication::platformName()),
              handle != nullptr && handle->isExposed() ? "exposed" : "NOT exposed");
  ShowOnPanel(window, pattern);
  if (!draw) return 0;

  QElapsedTimer clock;
  const double cpuBefore = ProcessCpuSeconds();
  clock.start();
  ClickDraw(window);
  const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  std::printf("draw: %.3f s wall, %.3f s CPU, CPU/wall %.2f, patterns drawn %d\n", wall, cpu,
              cpu / wall, window.history().Count());
  return window.history().Count() == 1 ? 0 : 1;
}
