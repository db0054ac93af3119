// View > Smooth Lines: the drawing shown from its traces at the screen's
// device pixels, rendered off the UI thread, never older than what it
// replaced, and always the picture as it is rather than as its history
// would draw it.
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <latch>
#include <set>

#include "tests/window/window_fixture.h"
#include "ui/drawing_view.h"
#include "ui/live_painter.h"
#include "ui/trace_points.h"

namespace {

class SmoothViewTest : public WindowTest {
 protected:
  SmoothViewTest() { window.form().Show(); }
  ui::DrawingView& View() {
    return *dynamic_cast<ui::DrawingView*>(window.form().Find("PaintBox1"));
  }
  // What the screen shows of the drawing area, once every render is in.
  QImage Shown() {
    EXPECT_TRUE(ProcessEventsUntil([&] { return !View().RenderPending(); }, "the view's render"));
    return View().Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // A render made afresh, not one with a trace painted into it as it went.
  QImage RenderedAfresh() {
    Click(menuItem("SmoothLines1"));
    Click(menuItem("SmoothLines1"));
    return Shown();
  }
  static std::set<QRgb> Colours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
  }
};

TEST_F(SmoothViewTest, SmoothLinesHaveShadesAndExactLinesAreThePictureItself) {
  ASSERT_TRUE(menuItem("SmoothLines1")->Checked()) << "on by default";
  Click(button("Draw"));
  const QImage smooth = Shown();
  EXPECT_TRUE(View().ShowsSmooth());
  ASSERT_EQ(smooth.size(), QSize(640, 640));
  EXPECT_GT(Colours(smooth).size(), 10u) << "antialiased edges have shades of grey";
  EXPECT_NE(smooth, Picture());

  Click(menuItem("SmoothLines1"));
  EXPECT_FALSE(View().ShowsSmooth());
  const QImage exact = Shown();
  EXPECT_EQ(Colours(exact), (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
  // Fit, scale 1, the smallest window: the picture pixel for pixel.
  EXPECT_EQ(exact, Picture());
}

// Toggling Smooth Lines is no Edit > Undo step, and Undo leaves it alone.
TEST_F(SmoothViewTest, SmoothLinesStayOutOfTheEditHistory) {
  Click(button("Draw"));
  Click(menuItem("SmoothLines1"));
  Click(menuItem("Undo1"));
  EXPECT_FALSE(menuItem("SmoothLines1")->Checked());
  EXPECT_FALSE(View().SmoothLines());
  EXPECT_EQ(window.history().Count(), 0);
}

TEST_F(SmoothViewTest, ABurstOfZoomsNeverShowsAnOlderRenderAfterANewerOne) {
  Click(button("Draw"));
  (void)Shown();
  std::vector<uint64_t> shownSequences;
  std::vector<ui::SmoothFrame> shownFrames;
  View().onRenderShown = [&](uint64_t sequence, const ui::SmoothFrame& frame) {
    shownSequences.push_back(sequence);
    shownFrames.push_back(frame);
  };
  // Each step changes the view before the render it started can be shown,
  // and every few steps the renders get the chance to come in.
  for (int i = 0; i < 24; ++i) {
    if (i % 5 == 4) {
      Click(menuItem("ZoomOut1"));
    } else {
      Click(menuItem("ZoomIn1"));
    }
    View().Pan(7, -3);
    if (i % 3 == 0) QCoreApplication::processEvents();
  }
  (void)Shown();
  ASSERT_FALSE(shownSequences.empty());
  for (size_t i = 1; i < shownSequences.size(); ++i)
    EXPECT_LT(shownSequences[i - 1], shownSequences[i]) << "render " << i;
  EXPECT_EQ(shownFrames.back(), View().CurrentFrame()) << "the last change is the one shown";
  View().onRenderShown = nullptr;
}

// A Draw hands the view the points it traces, and a render keeps the points
// of what it retraced: a zoom afterwards draws them again without tracing.
TEST_F(SmoothViewTest, AZoomAfterADrawRendersWithoutRetracing) {
  uint64_t before = ui::SmoothRetraces();
  Click(button("Draw"));
  (void)Shown();
  Click(menuItem("ZoomIn1"));
  const QImage zoomed = Shown();
  EXPECT_TRUE(View().ShowsSmooth());
  EXPECT_EQ(ui::SmoothRetraces(), before) << "the live points were kept";
  EXPECT_GT(Colours(zoomed).size(), 10u) << "antialiased";

  // Drawn while the view showed the exact picture: the first render
  // retraces, the next zoom does not.
  Click(menuItem("SmoothLines1"));
  Drag(bar("ScrollBarFixed"), 150);
  Click(button("Draw"));
  before = ui::SmoothRetraces();
  Click(menuItem("SmoothLines1"));
  (void)Shown();
  EXPECT_EQ(ui::SmoothRetraces(), before + 1) << "the second pattern";
  before = ui::SmoothRetraces();
  Click(menuItem("ZoomIn1"));
  (void)Shown();
  EXPECT_EQ(ui::SmoothRetraces(), before);
}

// The largest difference of any channel of any pixel.
int MaxDifference(const QImage& a, const QImage& b) {
  int most = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                       std::abs(qBlue(p) - qBlue(q))});
    }
  return most;
}

// Holds the live painter before each round until let go, counting rounds;
// lets go and unhooks when it goes out of scope.
class HeldPainter {
 public:
  HeldPainter() {
    ui::LivePainter::SetRoundHook([this] {
      ++rounds;
      letGo_.wait();
    });
  }
  ~HeldPainter() {
    LetGo();
    ui::LivePainter::SetRoundHook(nullptr);
  }
  HeldPainter(const HeldPainter&) = delete;
  HeldPainter& operator=(const HeldPainter&) = delete;
  void LetGo() {
    if (!released_.exchange(true)) letGo_.count_down();
  }
  std::atomic<int> rounds{0};

 private:
  std::latch letGo_{1};
  std::atomic<bool> released_{false};
};

// A Draw's points are painted into the view on a thread of the view's own:
// held there, the Draw still ends and the window goes on, and once let go
// the view shows what a render of the finished picture shows.
TEST_F(SmoothViewTest, ALiveDrawIsPaintedOffTheWindowsThread) {
  Click(button("Draw"));
  (void)Shown();
  Drag(bar("ScrollBarFixed"), 150);
  HeldPainter painter;
  Click(button("Draw"));
  ASSERT_EQ(window.history().Count(), 2);
  QCoreApplication::processEvents();
  EXPECT_GE(painter.rounds.load(), 1) << "the painter has the points";
  EXPECT_TRUE(View().RenderPending()) << "and is held, with the Draw over";
  painter.LetGo();
  const QImage live = Shown();
  EXPECT_TRUE(View().ShowsSmooth());
  const uint64_t retraces = ui::SmoothRetraces();
  const QImage fresh = RenderedAfresh();
  EXPECT_EQ(ui::SmoothRetraces(), retraces) << "the live points were kept whole";
  EXPECT_NE(live, Picture());
  // Painted in pieces, the lines meet where the pieces do: a shade apart.
  EXPECT_LE(MaxDifference(live, fresh), 2);
}

// A trace with no room in the point budget is not kept, but every point of
// it passes to the painter: painted whole as it was drawn, it needs no render
// of its own. The next render, after a zoom, traces it again.
TEST_F(SmoothViewTest, ADrawBeyondThePointBudgetIsPaintedWholeAndNotKept) {
  Click(button("Draw"));
  (void)Shown();
  Drag(bar("ScrollBarFixed"), 150);
  const size_t limit = ui::PointBudget::SetLimit(ui::PointBudget::InUse());
  const uint64_t retraces = ui::SmoothRetraces();
  Click(button("Draw"));
  ASSERT_EQ(window.history().Count(), 2);
  const QImage shown = Shown();
  EXPECT_EQ(ui::SmoothRetraces(), retraces) << "painted whole as drawn";
  EXPECT_TRUE(View().ShowsSmooth());
  EXPECT_NE(shown, Picture());
  Click(menuItem("ZoomIn1"));
  (void)Shown();
  EXPECT_EQ(ui::SmoothRetraces(), retraces + 1) << "the second pattern, not kept";
  Click(menuItem("ZoomFit1"));
  const QImage fresh = Shown();
  ui::PointBudget::SetLimit(limit);
  EXPECT_LE(MaxDifference(shown, fresh), 2);
}

// A render of the picture from before a Draw that comes in while the Draw
// runs replaces the render the trace's first points were painted into: a
// trace not kept is then rendered afresh once it ends, never shown without
// those points.
TEST_F(SmoothViewTest, ARenderComingInDuringADrawLeavesNoPartOfItsTraceOut) {
  // A first pattern dense enough that its render takes a while.
  Drag(bar("ScrollBarMoving"), 1);
  Drag(bar("ScrollBarFixed"), 360);
  Drag(bar("ScrollBarMoving"), 1);
  Drag(bar("ScrollBarHole"), 8);
  Drag(bar("ScrollBarStepFine"), 80);
  Click(button("Draw"));
  Click(menuItem("ZoomIn1"));
  (void)Shown();
  // A second one, long enough for that render to come in meanwhile.
  Drag(bar("ScrollBarHole"), 5);
  Drag(bar("ScrollBarStepFine"), 20);
  const size_t limit = ui::PointBudget::SetLimit(ui::PointBudget::InUse());
  Click(menuItem("ZoomFit1"));  // its render comes in while the Draw runs
  Click(button("Draw"));
  ASSERT_EQ(window.history().Count(), 2);
  const QImage shown = Shown();
  const QImage fresh = RenderedAfresh();
  ui::PointBudget::SetLimit(limit);
  EXPECT_LE(MaxDifference(shown, fresh), 2);
}

// A series whose patterns reach the screen after the Draw: each painted
// whole, with no render of its own.
TEST_F(SmoothViewTest, ASeriesPaintedLateNeedsNoRender) {
  Click(button("Draw"));
  (void)Shown();
  bar("ScrollBarReps")->UserDrag(3);
  int renders = 0;
  View().onRenderShown = [&](uint64_t, const ui::SmoothFrame&) { ++renders; };
  HeldPainter painter;
  Click(button("Draw"));
  ASSERT_GE(window.history().Count(), 3);
  painter.LetGo();
  const QImage live = Shown();
  EXPECT_EQ(renders, 0);
  View().onRenderShown = nullptr;
  EXPECT_LE(MaxDifference(live, RenderedAfresh()), 2);
}

// A Draw stopped part-way leaves the picture as it was: so does the view.
TEST_F(SmoothViewTest, AStoppedDrawIsShownAsThePictureIsNotAsTheTraceWent) {
  Click(button("Draw"));
  const QImage one = RenderedAfresh();
  Drag(bar("ScrollBarFixed"), 150);
  window.stopNextTraceAfter(100);
  Click(button("Draw"));
  ASSERT_EQ(window.history().Count(), 1);
  EXPECT_TRUE(View().ShowsSmooth());
  EXPECT_EQ(RenderedAfresh(), one);
}

// White (Black Pen) wipes the picture and keeps the history: the view
// shows the plain canvas, not the history drawn again.
TEST_F(SmoothViewTest, AColourSchemeAfterPatternsShowsTheWipedPicture) {
  Click(button("Draw"));
  (void)Shown();
  Click(menuItem("BlackWhitePen1"));
  ASSERT_EQ(window.history().Count(), 1);
  const QImage shown = Shown();
  EXPECT_TRUE(View().ShowsSmooth());
  EXPECT_EQ(Colours(shown), std::set<QRgb>{qRgb(0, 0, 0)});
}

// A picture the traces cannot explain (pixels put back without them) is
// shown as the exact picture.
TEST_F(SmoothViewTest, APictureWithoutItsTracesIsShownExactly) {
  Click(button("Draw"));
  (void)Shown();
  ui::ImageCanvas& canvas = View().Canvas();
  canvas.RestoreImage(canvas.Image().copy());
  View().Repaint();
  EXPECT_FALSE(View().ShowsSmooth());
  EXPECT_EQ(Shown(), Picture());
}

// Run by ScaledScreenIsNotAnEnlargement in a process of its own, so that it
// can set the scale factor before the application starts: saves the view
// smooth and exact.
TEST_F(SmoothViewTest, SavesTheViewForAScaledRun) {
  const char* folder = std::getenv("KORVA_VIEW_SHOTS");
  if (folder == nullptr) GTEST_SKIP() << "run by ScaledScreenIsNotAnEnlargement";
  Click(button("Draw"));
  ASSERT_TRUE(Shown().save(QString(folder) + "/smooth.png"));
  Click(menuItem("SmoothLines1"));
  ASSERT_TRUE(Shown().save(QString(folder) + "/exact.png"));
}

struct Shots {
  QImage smooth, exact;
};
Shots ShotsAtScale(const QString& folder, const char* scale) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("KORVA_VIEW_SHOTS", folder);
  env.insert("QT_SCALE_FACTOR", scale);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=SmoothViewTest.SavesTheViewForAScaledRun"});
  EXPECT_TRUE(child.waitForFinished(120000));
  EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
  return {QImage(folder + "/smooth.png").convertToFormat(QImage::Format_RGB32),
          QImage(folder + "/exact.png").convertToFormat(QImage::Format_RGB32)};
}

TEST(SmoothViewScaled, ScaledScreenIsNotAnEnlargement) {
  if (std::getenv("KORVA_VIEW_SHOTS") != nullptr) GTEST_SKIP();
  QTemporaryDir one, two;
  const Shots single = ShotsAtScale(one.path(), "1");
  const Shots twice = ShotsAtScale(two.path(), "2");
  ASSERT_EQ(single.smooth.size(), QSize(640, 640));
  ASSERT_EQ(twice.smooth.size(), QSize(1280, 1280));
  const auto doubled = [](const QImage& image) {
    return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  };
  // Exact lines are the picture's pixels, each two by two; smooth ones are
  // drawn at the screen's own pixels.
  EXPECT_EQ(twice.exact, doubled(single.exact));
  EXPECT_NE(twice.smooth, doubled(single.smooth));
}

}  // namespace
