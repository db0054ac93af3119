#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <memory>
#include <string>
#include <vector>

#include "tests/window/controls_by_name.h"
#include "ui/canvas.h"
#include "ui/printer.h"
#include "ui/scripted_prompts.h"
#include "window/main_window.h"

// The history's patterns from `first` on, oldest first.
inline std::vector<engine::DrawnPattern> HistoryPatterns(const MainWindow& window,
                                                         int32_t first = 1) {
  std::vector<engine::DrawnPattern> drawn;
  for (int32_t i = first; i <= window.history().Count(); ++i)
    drawn.push_back(window.history().Drawn(i));
  return drawn;
}

// Records what reaches the printer.
class RecordingPrinter : public ui::Printer, public ui::PrinterCanvas {
 public:
  struct Line {
    int x0, y0, x1, y1;
    Colour colour;
  };
  void BeginDoc() override { ++begun; }
  ui::PrinterCanvas& Canvas() override { return *this; }
  void EndDoc() override { ++ended; }
  void AbortDoc() override { ++aborted; }
  void SetPenColour(Colour c) override { colour_ = c; }
  void MoveTo(int x, int y) override { x_ = x, y_ = y; }
  void LineTo(int x, int y) override {
    lines.push_back({x_, y_, x, y, colour_});
    x_ = x, y_ = y;
  }

  int begun = 0, ended = 0, aborted = 0;
  std::vector<Line> lines;

 private:
  Colour colour_ = 0;
  int x_ = 0, y_ = 0;
};

// Hands the window a printer it may destroy, while the test keeps the record.
class ForwardingPrinter : public ui::Printer {
 public:
  explicit ForwardingPrinter(RecordingPrinter& target) : target_(target) {}
  void BeginDoc() override { target_.BeginDoc(); }
  ui::PrinterCanvas& Canvas() override { return target_.Canvas(); }
  void EndDoc() override { target_.EndDoc(); }
  void AbortDoc() override { target_.AbortDoc(); }

 private:
  RecordingPrinter& target_;
};

// Reaches the window's tracer directly, to draw a pattern no panel could set.
class WindowProbe {
 public:
  static void TracePattern(MainWindow& window, const engine::PatternRecord& pattern) {
    window.tracePattern({pattern, window.lineWidthSpin_->Value()});
  }
  static commands::CommandHistory& Commands(MainWindow& window) { return window.commandHistory_; }
  static void AnimateOffscreen(MainWindow& window) { window.animateOffscreen_ = true; }
  // Whether a stop asked for still waits for a command that traces.
  static bool StopPending(const MainWindow& window) { return window.pendingStop_.has_value(); }
  static double AnimationSpeed(const MainWindow& window) { return window.animationSpeed_; }
  static bool KeepsPictureBefore(const MainWindow& window, int32_t pattern) {
    return window.pictureIsHistory_ && window.observer_ == nullptr &&
           window.picturesBefore_.count(pattern) == 1;
  }
  static const QImage& Preview(MainWindow& window) { return window.previewImage_; }
  static bool PreviewRunning(MainWindow& window) { return window.previewJob_.Running(); }
  // Waits for the preview worked out off the UI thread, and for it to be shown.
  static void SettlePreview(MainWindow& window) {
    QElapsedTimer clock;
    clock.start();
    while (PreviewRunning(window) && clock.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QApplication::processEvents();
  }
  // What the preview plans from: the panel, design and steps as they stand.
  static engine::DrawInputs DrawInputs(const MainWindow& window) { return window.drawInputs(); }
};

// The main window with scripted dialogs, driven as a user drives it.
class WindowTest : public testing::Test, public ControlsByName {
 protected:
  WindowTest()
      : ControlsByName(window), window(prompts, [this]() -> std::unique_ptr<ui::Printer> {
          printers.push_back(std::make_unique<RecordingPrinter>());
          lastPrinter = printers.back().get();
          return std::make_unique<ForwardingPrinter>(*lastPrinter);
        }) {}

  // Every message and error box shown so far, as "message Title: text" lines.
  const std::vector<std::string>& Shown() const { return prompts.log; }

  void Drag(ui::ScrollBar* bar, int value) { bar->UserDrag(value); }
  void Click(ui::Button* b) { b->UserClick(); }
  void Click(ui::MenuItem* m) { m->UserClick(); }
  void Click(ui::RadioButton* r) { r->UserClick(); }
  void Spin(ui::SpinBox* s, int count) {
    for (int i = 0; i < (count < 0 ? -count : count); ++i) s->UserStep(count < 0 ? -1 : 1);
  }

  // Print Design, answered Yes.
  void PrintConfirmed() {
    prompts.AnswerYes();
    Click(menuItem("PrintDesign1"));
  }

  // The pattern the design state and pen colour describe.
  engine::PatternRecord CurrentDesign() const {
    const engine::DesignState& d = window.design();
    return {window.penColour(), d.FixedTeeth, d.MovingTeeth, d.GearMode, d.TopOfDesign,
            d.PenHole,          d.StepDeg,    d.DesignSize,  d.CentreX,  d.CentreY};
  }

  std::vector<engine::PatternRecord> HistoryRecords() const {
    std::vector<engine::PatternRecord> out;
    for (int i = 1; i < window.history().NextPatternIndex(); ++i)
      out.push_back(window.history().Entry(i));
    return out;
  }

  QImage Picture() { return window.picture().Image().copy(); }

  ui::ScriptedPrompts prompts;
  std::vector<std::unique_ptr<RecordingPrinter>> printers;  // one per print command
  RecordingPrinter* lastPrinter = nullptr;
  MainWindow window;
};
