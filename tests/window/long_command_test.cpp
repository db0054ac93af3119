// Long commands: a stop keeps exactly the completed patterns (Draw) or
// changes nothing (Open, Undo), no input is queued, and progress shows.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>

#include "engine/curve.h"
#include "tests/window/window_fixture.h"
#include "tools/batch_script.h"

using namespace engine;

namespace {

struct Seen {
  ui::FormState panel;
  DesignState design;
  std::vector<DrawnPattern> history;
  QImage picture;
  Colour pen;
  bool operator==(const Seen&) const = default;
};

class LongCommand : public WindowTest {
 protected:
  Seen Now() {
    return {window.form().SaveState(), window.design(), HistoryPatterns(window), Picture(),
            window.penColour()};
  }
  // Segments of each pattern of the history.
  std::vector<int64_t> SegmentsOfHistory() {
    std::vector<int64_t> out;
    for (int32_t i = 1; i <= window.history().Count(); ++i) {
      out.push_back(Curve(window.history().Entry(i)).Trace([](auto&&, auto&&) {}));
    }
    return out;
  }
  void SetUpSeries(int count) {
    Drag(bar("ScrollBarReps"), count);
    Spin(spin("topspin"), 40);
    Spin(spin("SpinGreen"), 20);
  }
};

TEST_F(LongCommand, StopComparedWithTheSeriesAskedForTheCompletedCount) {
  auto run = [](int count, std::optional<int64_t> stopAfter) {
    ui::ScriptedPrompts prompts;
    MainWindow w(prompts, [] { return std::make_unique<NullPrinter>(); });
    ControlsByName c(w);
    c.bar("ScrollBarReps")->UserDrag(count);
    for (int i = 0; i < 40; ++i) c.spin("topspin")->UserStep(1);
    for (int i = 0; i < 20; ++i) c.spin("SpinGreen")->UserStep(1);
    if (stopAfter) w.stopNextTraceAfter(*stopAfter);
    c.button("Draw")->UserClick();
    const std::vector<DrawnPattern> drawn = HistoryPatterns(w);
    // Everything but the count asked for.
    ui::FormState panel = w.form().SaveState();
    const auto& controls = w.form().Controls();
    for (size_t i = 0; i < controls.size(); ++i) {
      if (controls[i]->Name() == "ScrollBarReps" || controls[i]->Name() == "reps") {
        panel.controls[i] = {};
      }
    }
    DesignState design = w.design();
    design.RepeatCount = 0;
    return std::tuple{panel, design, drawn, w.picture().Image().copy(), w.penColour()};
  };
  const auto full = run(6, std::nullopt);
  int64_t total = 0;
  for (const DrawnPattern& p : std::get<2>(full)) {
    total += Curve(p.record).Trace([](auto&&, auto&&) {});
  }
  // Stops part-way through pattern 4 and right at the end of pattern 2.
  int64_t firstThree = 0, firstTwo = 0;
  for (int i = 0; i < 3; ++i) {
    const int64_t n = Curve(std::get<2>(full)[i].record).Trace([](auto&&, auto&&) {});
    firstThree += n;
    if (i < 2) firstTwo += n;
  }
  EXPECT_EQ(run(6, firstThree + 5), run(3, std::nullopt));
  EXPECT_EQ(run(6, firstTwo), run(2, std::nullopt));
  EXPECT_EQ(run(6, total), full);
  EXPECT_EQ(std::get<2>(run(6, 0)).size(), 0u);
}

TEST_F(LongCommand, AStoppedReflectedSeriesKeepsTheCompletedPatterns) {
  SetUpSeries(3);
  checkBox("cb_reflect")->UserClick();
  Click(button("Draw"));
  const std::vector<int64_t> sizes = SegmentsOfHistory();
  ASSERT_EQ(sizes.size(), 6u);
  const std::vector<DrawnPattern> all = Now().history;
  Click(menuItem("Undo1"));
  // Stop inside the mirror of the second pattern: three are kept.
  window.stopNextTraceAfter(sizes[0] + sizes[1] + sizes[2] + 1);
  Click(button("Draw"));
  const Seen seen = Now();
  ASSERT_EQ(seen.history.size(), 3u);
  EXPECT_EQ(seen.history, std::vector<DrawnPattern>(all.begin(), all.begin() + 3));
  // The panel shows the mirrored pattern's values as they stood before it.
  EXPECT_EQ(window.design().TopOfDesign, all[2].record.TopOfDesign);
}

TEST_F(LongCommand, AStoppedOpenOrUndoChangesNothing) {
  SetUpSeries(4);
  Click(button("Draw"));
  QTemporaryDir dir;
  const std::string path = dir.filePath("d.txt").toStdString();
  prompts.AnswerSave(path);
  Click(menuItem("SaveTXT1"));
  Click(button("Clear"));
  Drag(bar("ScrollBarFixed"), 150);
  const Seen before = Now();

  window.stopNextTraceAfter(100);
  prompts.AnswerOpen(path);
  Click(menuItem("Open1"));
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(Shown().empty());

  prompts.AnswerOpen(path);
  Click(menuItem("Open1"));
  ASSERT_EQ(window.history().Count(), 4);
  const Seen opened = Now();
  window.stopNextTraceAfter(10);
  Click(button("undo"));
  EXPECT_EQ(Now(), opened);
  // A stopped command is not one Edit > Undo takes back.
  Click(menuItem("Undo1"));
  EXPECT_EQ(Now(), before);
}

// Runs `act` once, while the segment numbered `at` of a trace is drawn: in
// the middle of a command, whatever the speed of the machine.
class ActAtSegment : public TraceObserver {
 public:
  ActAtSegment(int64_t at, std::function<void()> act) : at_(at), act_(std::move(act)) {}
  void ScreenSegment(Pixel, Pixel) override {
    if (++seen_ == at_) act_();
  }
  void ScreenTraceDone(int64_t) override {}
  void PrintSegment(Pixel, Pixel) override {}
  void PrintTraceDone(int64_t, Colour) override {}

 private:
  int64_t at_, seen_ = 0;
  std::function<void()> act_;
};

TEST_F(LongCommand, InputDuringALongDrawIsDroppedNotQueued) {
  // A large pattern: input arrives while it is traced, queued as a user's
  // would be, and the queue is served there and then.
  Drag(bar("ScrollBarMoving"), 1);
  Drag(bar("ScrollBarFixed"), 360);
  Click(button("DrawStep10Deg"));
  QWidget* draw = window.form().Find("Draw")->Widget();
  QWidget* fixed = window.form().Find("ScrollBarFixed")->Widget();
  int posted = 0;
  ActAtSegment input(1000, [&] {
    ++posted;
    QApplication::postEvent(fixed, new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
    QApplication::postEvent(draw, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5),
                                                  draw->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                                                  Qt::LeftButton, Qt::NoModifier));
    QApplication::processEvents();
  });
  window.setTraceObserver(&input);
  const int32_t fixedBefore = window.design().FixedTeeth;
  Click(button("Draw"));
  QApplication::processEvents();
  EXPECT_EQ(posted, 1);
  EXPECT_EQ(window.history().Count(), 1);
  EXPECT_EQ(window.design().FixedTeeth, fixedBefore);
  window.setTraceObserver(nullptr);
}

TEST_F(LongCommand, AClickOnStopThroughTheWindowStops) {
  Drag(bar("ScrollBarMoving"), 1);
  Drag(bar("ScrollBarFixed"), 360);
  Click(button("DrawStep1Deg"));
  Drag(bar("ScrollBarMoving"), 1);
  window.form().Show();
  QApplication::processEvents();
  ClickAtFrame clicker(window.form().Find("PaintBox1")->Widget(), 2,
                       window.form().Find("Draw")->Widget());
  const Seen before = Now();
  Click(button("Draw"));
  ASSERT_TRUE(clicker.clicked);
  EXPECT_EQ(window.history().Count(), 0);
  EXPECT_EQ(Now(), before);
}

TEST_F(LongCommand, EscStopsAndTheStopButtonShowsMeanwhile) {
  Drag(bar("ScrollBarMoving"), 1);
  Drag(bar("ScrollBarFixed"), 360);
  Click(button("DrawStep1Deg"));
  Drag(bar("ScrollBarMoving"), 1);
  std::string caption;
  ActAtSegment esc(1000, [&] {
    caption = button("Draw")->Caption();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.form().Window(), &key);
  });
  window.setTraceObserver(&esc);
  const Seen before = Now();
  Click(button("Draw"));
  window.setTraceObserver(nullptr);
  EXPECT_EQ(caption, "Stop");
  EXPECT_EQ(button("Draw")->Caption(), "Draw");
  EXPECT_EQ(window.history().Count(), 0);
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(Shown().empty());
}

// Reads the command's progress note when the trace reaches a segment, as if
// `seconds` had passed.
class ProgressReader : public TraceObserver {
 public:
  ProgressReader(const MainWindow& window, int64_t atSegment, double seconds)
      : window_(window), at_(atSegment), seconds_(seconds) {}
  void ScreenSegment(Pixel, Pixel) override {
    if (++seen_ == at_) text = WindowProbe::Progress(window_)->Text(seconds_);
  }
  void ScreenTraceDone(int64_t) override {}
  void PrintSegment(Pixel, Pixel) override {}
  void PrintTraceDone(int64_t, Colour) override {}
  std::string text;

 private:
  const MainWindow& window_;
  int64_t at_, seen_ = 0;
  double seconds_;
};

TEST_F(LongCommand, AMirrorIsPartOfItsPatternInTheProgressNote) {
  checkBox("cb_reflect")->UserClick();
  const Curve curve(CurrentDesign());
  const int64_t segments = curve.Trace([](auto&&, auto&&) {});
  ASSERT_EQ(curve.EstimatedSegments(), segments);
  // Half-way through the mirror, after 6 s: about three quarters drawn, and
  // 6 s x left / drawn to go.
  const int64_t drawn = segments + segments / 2, left = 2 * segments - drawn;
  ProgressReader reader(window, drawn, 6.0);
  window.setTraceObserver(&reader);
  Click(button("Draw"));
  EXPECT_EQ(window.history().Count(), 2);
  const int64_t percent = 100 * drawn / (drawn + left);
  const int64_t secondsLeft = (6 * left + drawn - 1) / drawn;
  EXPECT_EQ(percent, 74);
  EXPECT_EQ(secondsLeft, 3);
  EXPECT_EQ(reader.text, "Pattern 1 of 1 - 74 % - about 3 s left - Esc stops");
}

}  // namespace

namespace {

// Sees the segments, which makes the Undo button draw the history again.
class QuietObserver : public TraceObserver {
 public:
  void ScreenSegment(Pixel, Pixel) override {}
  void ScreenTraceDone(int64_t) override {}
  void PrintSegment(Pixel, Pixel) override {}
  void PrintTraceDone(int64_t, Colour) override {}
};

// The same actions on two windows, one of which always redraws on Undo.
TEST(InstantUndo, EqualsUndoThatRedrawsTheHistory) {
  auto run = [](bool redraw) {
    ui::ScriptedPrompts prompts;
    MainWindow w(prompts, [] { return std::make_unique<NullPrinter>(); });
    QuietObserver observer;
    if (redraw) w.setTraceObserver(&observer);
    ControlsByName c(w);
    c.spin("Linesize")->UserStep(1);
    c.bar("ScrollBarReps")->UserDrag(3);
    for (int i = 0; i < 25; ++i) c.spin("holespin")->UserStep(-1);
    c.button("Draw")->UserClick();
    c.spin("Linesize")->UserStep(1);
    c.bar("ScrollBarFixed")->UserDrag(150);  // the panel moves on before the Undo
    c.button("Draw")->UserClick();
    // The instant way has the picture before the last pattern at hand.
    EXPECT_EQ(WindowProbe::KeepsPictureBefore(w, 6), !redraw);
    c.button("undo")->UserClick();
    c.button("undo")->UserClick();
    // After a colour scheme the picture is no longer its history.
    c.menuItem("BlackWhitePen1")->UserClick();
    c.button("Draw")->UserClick();
    c.button("undo")->UserClick();
    return std::tuple{w.form().SaveState(),       w.design(),
                      w.derived().TraceSpanDeg,   HistoryPatterns(w),
                      w.picture().Image().copy(), w.picture().PenColour(),
                      w.picture().PenWidth()};
  };
  const auto instant = run(false);
  EXPECT_EQ(std::get<3>(instant).size(), 6u);
  EXPECT_EQ(instant, run(true));
}

}  // namespace
