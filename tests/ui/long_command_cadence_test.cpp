// How often a long command looks at its events and repaints, on a clock the
// test moves: input and timers every few milliseconds, the picture about 25
// times a second.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "tests/event_looks.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/long_command.h"
#include "ui/scripted_prompts.h"

namespace ui {
namespace {

// Counts the events of one type that reach an object.
class EventCounter : public QObject {
 public:
  explicit EventCounter(QEvent::Type type) : type_(type) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == type_) ++count;
    return false;
  }
  int count = 0;

 private:
  QEvent::Type type_;
};

using Ticks = EventLooks<qint64>;

class LongCommandCadence : public testing::Test {
 protected:
  LongCommandCadence() {
    form.Show();
    QCoreApplication::processEvents();
  }
  ScriptedPrompts prompts;
  Form form{"Test", 700, 700, prompts};
  PaintArea& area = form.Add<PaintArea>("PaintBox1", Geometry{0, 0, 640, 640});
  Button& stop = form.Add<Button>("Draw", Geometry{650, 10, 40, 20}, "Draw", FontWeight::Bold);
  qint64 now = 0;
  LongCommand command{form, area, stop, [this] { return now; }};
};

TEST_F(LongCommandCadence, PollsTakeEventsEveryFewMillisecondsAndRepaintTwentyFiveTimesASecond) {
  EventCounter paints(QEvent::Paint);
  area.Widget()->installEventFilter(&paints);
  Ticks ticks(now);
  int notes = 0;
  // A command polling every millisecond for two seconds.
  constexpr qint64 kEnd = 2000;
  for (now = 1; now <= kEnd; ++now) {
    ticks.Post();
    command.Poll([&] {
      ++notes;
      return std::string("working");
    });
  }
  EXPECT_LE(ticks.LongestGap(kEnd), 4);
  EXPECT_GE(ticks.at.size(), static_cast<size_t>(kEnd / 4));
  // A repaint every 40 ms, and only then (and once when the note shows).
  EXPECT_GE(paints.count, kEnd / 40 - 1);
  EXPECT_LE(paints.count, kEnd / 40 + 2);
  // The note from a third of a second on, with the repaints.
  EXPECT_GE(notes, (kEnd - 300) / 40 - 1);
  EXPECT_LE(notes, (kEnd - 300) / 40 + 1);
  now = kEnd;
  EXPECT_DOUBLE_EQ(command.Seconds(), 2.0);
}

TEST_F(LongCommandCadence, PollsCloserThanTheLookIntervalCostNothing) {
  Ticks ticks(now);
  for (int i = 0; i < 1000; ++i) {
    ticks.Post();
    command.Poll([] { return std::string(); });
  }
  // The clock stood still: one look, at the start.
  EXPECT_LE(ticks.at.size(), 1u);
}

TEST_F(LongCommandCadence, AnAnimationFrameRepaintsAfterSixteenMilliseconds) {
  EventCounter paints(QEvent::Paint);
  area.Widget()->installEventFilter(&paints);
  for (now = 1; now <= 160; ++now) command.Frame([] { return std::string(); });
  EXPECT_GE(paints.count, 160 / 16 - 1);
  EXPECT_LE(paints.count, 160 / 16 + 1);
}

}  // namespace
}  // namespace ui
