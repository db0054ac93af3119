// The preview's plan is the Draw: from panels set by random user actions,
// by Opened files with values beyond the bars, and by the series before it,
// the plan holds exactly the patterns the Draw then adds to the history.
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "engine/series_plan.h"
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

constexpr int64_t kTestBudget = 3'000'000;

class PreviewPlan : public WindowTest {
 protected:
  // Draws, and checks the Draw against the plan made just before it. A plan
  // too long for a test clears the picture instead.
  void DrawAsPlanned(const std::string& context) {
    const SeriesPlan plan = PlanSeries(WindowProbe::DrawInputs(window), kTestBudget);
    if (plan.cutShort) return;
    const int32_t before = window.history().Count();
    const size_t messages = Shown().size();
    Click(button("Draw"));
    ASSERT_EQ(HistoryPatterns(window, before + 1), plan.patterns) << context;
    if (plan.failed) {
      ASSERT_GT(Shown().size(), messages) << context;
      EXPECT_NE(Shown().back().find(plan.error), std::string::npos) << context;
    }
  }
};

TEST_F(PreviewPlan, RandomPanelsDrawAsPlanned) {
  std::mt19937 random(20261207);
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const char* bars[] = {"ScrollBarFixed",   "ScrollBarMoving",  "ScrollBarHole",
                        "ScrollBarTop",     "ScrollBarMagni",   "ScrollBarCentreX",
                        "ScrollBarCentreY", "ScrollBarStepFine"};
  const char* spins[] = {"holespin", "topspin", "sizespin",  "xspin",
                         "yspin",    "SpinRed", "SpinGreen", "SpinBlue"};
  const char* buttons[] = {"default_pos", "default_centre", "DrawStep5Deg", "DrawStep10Deg"};
  for (int round = 0; round < 40; ++round) {
    std::string actions;
    for (int n = pick(1, 6); n > 0; --n) {
      switch (pick(0, 5)) {
        case 0:
        case 1: {
          ui::ScrollBar* b = bar(bars[pick(0, 7)]);
          const int value = pick(b->Min(), b->Max());
          // Steps finer than 5 degrees make long patterns.
          b->UserType(b == bar("ScrollBarStepFine") ? std::max(value, 5) : value);
          actions += " " + b->Name() + "=" + std::to_string(b->Position());
          break;
        }
        case 2: {
          ui::SpinBox* s = spin(spins[pick(0, 7)]);
          s->UserType(pick(-600, 600));
          actions += " " + s->Name() + "=" + std::to_string(s->Value());
          break;
        }
        case 3:
          Click(radio(pick(0, 1) == 0 ? "rb_internal" : "rb_external"));
          actions += " mode";
          break;
        case 4:
          Click(button(buttons[pick(0, 3)]));
          actions += " button";
          break;
        case 5:
          bar("ScrollBarReps")->UserType(pick(1, 8));
          if (pick(0, 2) == 0) checkBox("cb_reflect")->UserClick();
          actions += " series";
          break;
      }
    }
    DrawAsPlanned("round " + std::to_string(round) + ":" + actions);
    if (HasFatalFailure()) return;
    if (window.history().Count() > 800) Click(button("undo"));
    if (window.history().Count() > 800) return;
  }
}

// A file may hold values no bar reaches and any mode number; the panel
// shows them, corrected, and the next Draw starts from what it shows.
TEST_F(PreviewPlan, AfterOpeningValuesBeyondTheBars) {
  QTemporaryDir dir;
  const std::string lines[] = {
      "0,96,60,2,0,300,5,700,0,0,",                     // mode 2 with the panel on internal
      "255,120,40,1,99999,1500,5,10000,32000,-32000,",  // every value past its bar
      "0,96,200,0,-4000,480,10,1000,0,0,",              // a moving gear larger than the ring
  };
  int n = 0;
  for (const std::string& line : lines) {
    const QString path = dir.filePath(QString("design%1.txt").arg(++n));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("KORVA,x\r\n" + line + "\r\n").c_str());
    file.close();
    prompts.AnswerOpen(path.toStdString());
    Click(menuItem("Open1"));
    ASSERT_EQ(window.history().Count(), 1) << line;
    bar("ScrollBarReps")->UserType(3);
    spin("holespin")->UserType(300);
    spin("topspin")->UserType(1500);
    DrawAsPlanned(line);
    checkBox("cb_reflect")->UserClick();
    DrawAsPlanned(line + " reflected");
  }
}

}  // namespace
