// View: the gears, the preview and the animated Draw are painted over the
// drawing, never into it, and change nothing a Draw leaves.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "engine/series_plan.h"
#include "tests/window/window_fixture.h"
#include "tools/batch_script.h"

using namespace engine;

namespace {

class ViewMenu : public WindowTest {
 protected:
  void SettlePreview() { WindowProbe::SettlePreview(window); }
  ui::PaintArea* Area() { return static_cast<ui::PaintArea*>(window.form().Find("PaintBox1")); }
  QImage Shown() { return Area() != nullptr ? Area()->Grab() : QImage(); }
};

TEST_F(ViewMenu, ItemsAreOffAtStartAndToggle) {
  for (const char* name : {"ShowGears1", "PreviewPattern1", "AnimateDraw1"}) {
    EXPECT_FALSE(menuItem(name)->Checked()) << name;
    Click(menuItem(name));
    EXPECT_TRUE(menuItem(name)->Checked()) << name;
  }
  EXPECT_TRUE(menuItem("SpeedNormal1")->Checked());
  Click(menuItem("SpeedFastest1"));
  EXPECT_TRUE(menuItem("SpeedFastest1")->Checked());
  EXPECT_FALSE(menuItem("SpeedNormal1")->Checked());
}

TEST_F(ViewMenu, OverlaysNeverReachThePictureTheFilesOrTheHistory) {
  Click(button("Draw"));
  const QImage plain = Picture();
  Click(menuItem("ShowGears1"));
  Click(menuItem("PreviewPattern1"));
  SettlePreview();
  // What the area shows has the gears; the picture does not.
  EXPECT_NE(Shown(), plain);
  EXPECT_EQ(Picture(), plain);
  Click(button("Draw"));
  const QImage two = Picture();

  QTemporaryDir dir;
  const std::string bmp = dir.filePath("a.bmp").toStdString();
  prompts.AnswerSave(bmp);
  Click(menuItem("SaveBMP1"));
  QImage saved(QString::fromStdString(bmp));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), two);
  EXPECT_EQ(window.history().Count(), 2);
  for (const char* name : {"ShowGears1", "PreviewPattern1"}) Click(menuItem(name));
  EXPECT_EQ(Shown(), two);
}

TEST_F(ViewMenu, PreviewEqualsWhatDrawThenDraws) {
  Drag(bar("ScrollBarReps"), 4);
  Spin(spin("topspin"), 50);
  Spin(spin("SpinBlue"), 30);
  checkBox("cb_reflect")->UserClick();
  Click(menuItem("PreviewPattern1"));
  SettlePreview();
  const SeriesPlan plan = PlanSeries(WindowProbe::DrawInputs(window), 2'000'000);
  const QImage preview = WindowProbe::Preview(window);
  ASSERT_FALSE(preview.isNull());
  Click(button("Draw"));
  EXPECT_EQ(plan.patterns, HistoryPatterns(window));
  // Its opaque pixels are the drawing's ink.
  for (int y = 0; y < 640; y += 7) {
    for (int x = 0; x < 640; x += 7) {
      const bool ink = qAlpha(preview.pixel(x, y)) != 0;
      ASSERT_EQ(ink, window.picture().PixelAt(x, y) != kWhite) << x << "," << y;
    }
  }
}

TEST_F(ViewMenu, AFastSeriesOfChangesLeavesNoStalePreview) {
  Click(menuItem("PreviewPattern1"));
  for (int i = 0; i < 15; ++i) bar("ScrollBarHole")->UserArrow(+1);
  Drag(bar("ScrollBarMoving"), 37);
  SettlePreview();
  const QImage settled = WindowProbe::Preview(window);
  Click(button("Draw"));
  Click(button("Clear"));
  // The last change's preview is the Draw it showed.
  EXPECT_FALSE(settled.isNull());
  ui::ScriptedPrompts p;
  MainWindow fresh(p, [] { return std::make_unique<NullPrinter>(); });
  ControlsByName c(fresh);
  for (int i = 0; i < 15; ++i) c.bar("ScrollBarHole")->UserArrow(+1);
  c.bar("ScrollBarMoving")->UserDrag(37);
  c.menuItem("PreviewPattern1")->UserClick();
  WindowProbe::SettlePreview(fresh);
  EXPECT_EQ(WindowProbe::Preview(fresh), settled);
}

TEST_F(ViewMenu, AnAnimatedDrawEqualsAnInstantDraw) {
  auto draw = [](bool animated) {
    ui::ScriptedPrompts p;
    MainWindow w(p, [] { return std::make_unique<NullPrinter>(); });
    ControlsByName c(w);
    c.bar("ScrollBarReps")->UserDrag(2);
    for (int i = 0; i < 10; ++i) c.spin("topspin")->UserStep(1);
    if (animated) {
      WindowProbe::AnimateOffscreen(w);
      c.menuItem("AnimateDraw1")->UserClick();
      c.menuItem("SpeedFastest1")->UserClick();
    }
    c.button("Draw")->UserClick();
    return std::tuple{HistoryPatterns(w), w.picture().Image().copy(), w.design(), w.penColour()};
  };
  EXPECT_EQ(draw(true), draw(false));
}

// Sees whether the gear rolls as each segment is laid.
class RollingWatcher : public TraceObserver {
 public:
  explicit RollingWatcher(const MainWindow& window) : window_(window) {}
  void ScreenSegment(Pixel, Pixel) override {
    ++(WindowProbe::GearRolls(window_) ? rolling : still);
  }
  void ScreenTraceDone(int64_t) override {}
  void PrintSegment(Pixel, Pixel) override {}
  void PrintTraceDone(int64_t, Colour) override {}
  int64_t rolling = 0, still = 0;

 private:
  const MainWindow& window_;
};

TEST_F(ViewMenu, AnAnimatedDrawRollsTheGearForEverySegment) {
  RollingWatcher watcher(window);
  window.setTraceObserver(&watcher);
  WindowProbe::AnimateOffscreen(window);
  Click(menuItem("AnimateDraw1"));
  Click(menuItem("SpeedFastest1"));
  Click(button("Draw"));
  EXPECT_GT(watcher.rolling, 0);
  EXPECT_EQ(watcher.still, 0);
  EXPECT_FALSE(WindowProbe::GearRolls(window));
  Click(menuItem("AnimateDraw1"));
  Click(button("Draw"));
  EXPECT_GT(watcher.still, 0) << "drawn at once";
}

// A preview that failed unexpectedly goes, with a note instead of a message
// box; the next change brings one back.
TEST_F(ViewMenu, AFailedPreviewLeavesANoteAndNoGhost) {
  Click(button("Draw"));
  const QImage drawn = Picture();
  Drag(bar("ScrollBarMoving"), 40);
  Click(menuItem("PreviewPattern1"));
  SettlePreview();
  ASSERT_NE(Shown(), drawn);
  WindowProbe::DropPreview(window, "std::bad_alloc");
  EXPECT_EQ(Shown(), drawn);
  EXPECT_EQ(Area()->Note(), "Preview failed: std::bad_alloc");
  EXPECT_TRUE(prompts.log.empty());
  Drag(bar("ScrollBarMoving"), 45);
  SettlePreview();
  EXPECT_FALSE(WindowProbe::Preview(window).isNull());
  EXPECT_EQ(Area()->Note(), "");
}

TEST_F(ViewMenu, AClickOnTheDrawingFinishesAnAnimatedDrawAtOnce) {
  auto setUp = [](MainWindow& w) {
    ControlsByName c(w);
    c.bar("ScrollBarReps")->UserDrag(2);
    for (int i = 0; i < 10; ++i) c.spin("topspin")->UserStep(1);
  };
  setUp(window);
  WindowProbe::AnimateOffscreen(window);
  Click(menuItem("AnimateDraw1"));
  Click(menuItem("SpeedFastest1"));
  window.form().Show();
  QApplication::processEvents();
  QWidget* area = window.form().Find("PaintBox1")->Widget();
  ClickAtFrame clicker(area, 3, area);
  Click(button("Draw"));
  ASSERT_TRUE(clicker.clicked);
  // The rest of the series is drawn without frames: at most the one each
  // pattern begins with, and the one that shows its lines painted smooth.
  EXPECT_LE(clicker.framesAfterClick, 4);

  ui::ScriptedPrompts p;
  MainWindow instant(p, [] { return std::make_unique<NullPrinter>(); });
  setUp(instant);
  ControlsByName(instant).button("Draw")->UserClick();
  EXPECT_EQ(HistoryPatterns(window), HistoryPatterns(instant));
  EXPECT_EQ(Picture(), instant.picture().Image());
  EXPECT_EQ(window.design(), instant.design());
}

}  // namespace
