#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <string>
#include <vector>

#include "tests/qt_wait.h"
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

// Counts the frames a long command paints on a widget and, at the given one,
// clicks on the middle of `target` the way the screen does: through the
// window, which hands the click to the widget under it.
class ClickAtFrame : public QObject {
 public:
  ClickAtFrame(QWidget* painted, int frame, QWidget* target) : frame_(frame), target_(target) {
    painted->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    if (clicked) ++framesAfterClick;
    if (++frames == frame_) Click();
    return false;
  }
  int frames = 0, framesAfterClick = 0;
  bool clicked = false;

 private:
  void Click() {
    clicked = true;
    QWidget* top = target_->window();
    const QPointF middle = QRectF(target_->rect()).center();
    const QPointF at = target_->mapTo(top, middle);
    const QPointF global = target_->mapToGlobal(middle);
    for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                 std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
      QCoreApplication::postEvent(
          top->windowHandle(),
          new QMouseEvent(type, at, global, Qt::LeftButton, buttons, Qt::NoModifier));
    }
  }
  int frame_;
  QWidget* target_;
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
    return window.observer_ == nullptr &&
           window.pictureHistory_.Cache().PictureBefore(pattern).has_value();
  }
  static const QImage& Preview(MainWindow& window) { return window.previewImage_; }
  static bool PreviewRunning(MainWindow& window) { return window.previewJob_.Running(); }
  // What the window does with a preview that failed unexpectedly.
  static void DropPreview(MainWindow& window, const std::string& reason) {
    window.form_.Dispatch([&] { window.dropPreview(reason); });
  }
  static bool GearRolls(const MainWindow& window) { return window.rollingGears_.has_value(); }
  // Waits for the preview worked out off the UI thread, and for it to be shown.
  static void SettlePreview(MainWindow& window) {
    EXPECT_TRUE(ProcessEventsUntil([&] { return !PreviewRunning(window); }, "the preview"));
  }
  // The progress of the command under way, if any.
  static const TraceProgress* Progress(const MainWindow& window) {
    return window.session_ != nullptr ? &window.session_->Progress() : nullptr;
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
