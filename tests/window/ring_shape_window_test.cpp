// The Ring Shape choice and its corner: the panel's rules, Draw, series,
// Reflect, the Undo button, Edit > Undo, files and printing on shaped rings.
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "engine/curve.h"
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

// Every screen segment the window draws.
class ScreenSegments : public TraceObserver {
 public:
  void ScreenSegment(Pixel from, Pixel to) override { segments.push_back({from, to}); }
  void ScreenTraceDone(int64_t) override {}
  void PrintSegment(Pixel, Pixel) override {}
  void PrintTraceDone(int64_t, Colour) override {}
  std::vector<std::pair<Pixel, Pixel>> segments;
};

std::vector<std::pair<Pixel, Pixel>> SegmentsOf(const PatternRecord& record,
                                                const RingShape& ring) {
  std::vector<std::pair<Pixel, Pixel>> segments;
  Curve(record, ring).TraceScreen([&](Pixel a, Pixel b) { segments.push_back({a, b}); });
  return segments;
}

class RingShapeWindow : public WindowTest {
 protected:
  ui::ChoiceBox* ringChoice() {
    auto* choice = dynamic_cast<ui::ChoiceBox*>(window.form().Find("RingShape"));
    if (choice == nullptr) throw std::logic_error("no choice RingShape");
    return choice;
  }
  void Choose(const std::string& item) {
    const auto& items = ringChoice()->Items();
    const auto found = std::find(items.begin(), items.end(), item);
    ASSERT_NE(found, items.end()) << item;
    ringChoice()->UserChoose(static_cast<int>(found - items.begin()));
  }
  std::vector<RingShape> HistoryRings() const {
    std::vector<RingShape> rings;
    for (int32_t i = 1; i <= window.history().Count(); ++i)
      rings.push_back(window.history().Ring(i));
    return rings;
  }
  void ExpectCorner(int corner) {
    EXPECT_EQ(window.design().RingCorner, corner);
    EXPECT_EQ(box("Corner")->Text(), std::to_string(corner));
    EXPECT_EQ(bar("ScrollBarCorner")->Position(), corner);
  }
};

TEST_F(RingShapeWindow, StartsAsACircleWithTheCornerHidden) {
  EXPECT_EQ(ringChoice()->Text(), "Circle");
  EXPECT_EQ(ringChoice()->Items(), (std::vector<std::string>{"Circle", "Oval", "Triangle", "Square",
                                                             "Pentagon", "Hexagon"}));
  EXPECT_EQ(window.design().RingSides, 0);
  ExpectCorner(60);
  EXPECT_EQ(bar("ScrollBarCorner")->Min(), 1);
  EXPECT_EQ(bar("ScrollBarCorner")->Max(), 96);
  for (const char* name : {"ScrollBarCorner", "Corner", "LabelCorner"})
    EXPECT_FALSE(window.form().Find(name)->Visible()) << name;
  Choose("Square");
  EXPECT_EQ(window.design().RingSides, 4);
  for (const char* name : {"ScrollBarCorner", "Corner", "LabelCorner"})
    EXPECT_TRUE(window.form().Find(name)->Visible()) << name;
  Choose("Oval");
  EXPECT_EQ(window.design().RingSides, 2);
  Choose("Circle");
  EXPECT_EQ(window.design().RingSides, 0);
  EXPECT_FALSE(bar("ScrollBarCorner")->Visible());
  // Every existing control keeps its place: the panel's lowest frame still ends
  // where the drawing area does.
  EXPECT_EQ(window.form().Find("Bevel6")->Top(), 544);
  EXPECT_EQ(window.form().Find("BevelRing")->Top(), 652);
}

TEST_F(RingShapeWindow, CornerStaysWithinTheRingAndAroundTheMovingGear) {
  Choose("Triangle");
  // Internal: never below the moving gear.
  Drag(bar("ScrollBarCorner"), 30);
  ExpectCorner(60);
  Drag(bar("ScrollBarCorner"), 90);
  ExpectCorner(90);
  // Never above the ring: lowering the ring lowers the corner and its bar's end.
  Drag(bar("ScrollBarFixed"), 70);
  ExpectCorner(70);
  EXPECT_EQ(bar("ScrollBarCorner")->Max(), 70);
  Drag(bar("ScrollBarFixed"), 120);
  EXPECT_EQ(bar("ScrollBarCorner")->Max(), 120);
  ExpectCorner(70);
  // Growing the moving gear raises the corner with it.
  Drag(bar("ScrollBarMoving"), 80);
  ExpectCorner(80);
  // Outside, any corner from 1 fits.
  Click(radio("rb_external"));
  Drag(bar("ScrollBarCorner"), 1);
  ExpectCorner(1);
  // Back inside, the corner grows to the moving gear again.
  Click(radio("rb_internal"));
  ExpectCorner(80);
  // A typed corner goes the way a drag does.
  prompts.AnswerValue(500);
  bar("ScrollBarCorner")->AskAndType();
  ExpectCorner(120);
  // The number of points is the circle's.
  EXPECT_EQ(box("Points")->Text(), std::to_string(window.derived().ReducedFixed));
}

TEST_F(RingShapeWindow, DrawTracesThePanelsRingAndRecordsIt) {
  ScreenSegments seen;
  window.setTraceObserver(&seen);
  Choose("Square");
  Drag(bar("ScrollBarCorner"), 70);
  Click(button("Draw"));
  ASSERT_EQ(window.history().Count(), 1);
  EXPECT_EQ(window.history().Ring(1), (RingShape{4, 70}));
  EXPECT_EQ(seen.segments, SegmentsOf(window.history().Entry(1), {4, 70}));
  EXPECT_NE(seen.segments, SegmentsOf(window.history().Entry(1), {}));
  // The circle is drawn as ever.
  seen.segments.clear();
  Choose("Circle");
  Click(button("Draw"));
  EXPECT_EQ(window.history().Ring(2), RingShape{});
  EXPECT_EQ(seen.segments, SegmentsOf(window.history().Entry(2), {}));
}

TEST_F(RingShapeWindow, SeriesAndReflectionKeepTheRingUnstepped) {
  Choose("Hexagon");
  Drag(bar("ScrollBarCorner"), 65);
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("topspin"), 100);
  Spin(spin("holespin"), -20);
  checkBox("cb_reflect")->UserClick();
  Click(button("Draw"));
  EXPECT_EQ(HistoryRings(), std::vector<RingShape>(6, RingShape{6, 65}));
  ExpectCorner(65);
  EXPECT_EQ(ringChoice()->Text(), "Hexagon");
}

TEST_F(RingShapeWindow, TracingAPatternShowsItsRingOnThePanel) {
  Choose("Pentagon");
  Drag(bar("ScrollBarCorner"), 77);
  Click(button("Draw"));
  Choose("Circle");
  Click(button("Draw"));
  Choose("Oval");
  Drag(bar("ScrollBarCorner"), 90);
  Click(button("Draw"));
  // The Undo button replays the first two patterns: the panel ends on the
  // circle, with the corner of the pentagon before it.
  Click(button("undo"));
  EXPECT_EQ(HistoryRings(), (std::vector<RingShape>{{5, 77}, {}}));
  EXPECT_EQ(ringChoice()->Text(), "Circle");
  ExpectCorner(77);
  Click(button("undo"));
  EXPECT_EQ(ringChoice()->Text(), "Pentagon");
  ExpectCorner(77);
}

TEST_F(RingShapeWindow, UndoButtonAndEditUndoKeepEachPatternsRing) {
  Choose("Square");
  Click(button("Draw"));
  const QImage afterSquare = Picture();
  Choose("Triangle");
  Drag(bar("ScrollBarCorner"), 80);
  Spin(spin("topspin"), 50);
  Drag(bar("ScrollBarReps"), 2);
  Click(button("Draw"));
  const std::vector<DrawnPattern> three = HistoryPatterns(window);
  const QImage afterTriangles = Picture();
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[2].ring, (RingShape{3, 80}));

  Click(button("undo"));
  EXPECT_EQ(HistoryPatterns(window), std::vector<DrawnPattern>(three.begin(), three.end() - 1));
  Click(button("undo"));
  EXPECT_EQ(Picture(), afterSquare);
  // Redrawn rather than kept: a listing needs the traces.
  ScreenSegments seen;
  window.setTraceObserver(&seen);
  Click(menuItem("Undo1"));
  Click(menuItem("Undo1"));
  EXPECT_EQ(HistoryPatterns(window), three);
  EXPECT_EQ(Picture(), afterTriangles);
  Click(button("undo"));
  auto expected = SegmentsOf(three[0].record, three[0].ring);
  const auto triangle = SegmentsOf(three[1].record, three[1].ring);
  expected.insert(expected.end(), triangle.begin(), triangle.end());
  EXPECT_EQ(seen.segments, expected);
  window.setTraceObserver(nullptr);
  Click(menuItem("Undo1"));
  Click(menuItem("Redo1"));
  EXPECT_EQ(HistoryPatterns(window), std::vector<DrawnPattern>(three.begin(), three.begin() + 2));
}

TEST_F(RingShapeWindow, PreviewPlansTheShapedSeriesThatDrawDraws) {
  Choose("Triangle");
  Drag(bar("ScrollBarCorner"), 70);
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("topspin"), 40);
  checkBox("cb_reflect")->UserClick();
  const SeriesPlan plan = PlanSeries(WindowProbe::DrawInputs(window), 100'000'000);
  Click(button("Draw"));
  EXPECT_FALSE(plan.failed);
  EXPECT_EQ(plan.patterns, HistoryPatterns(window));
}

TEST_F(RingShapeWindow, ADroppedPictureIsRedrawnOnEachPatternsRing) {
  Choose("Oval");
  Click(button("Draw"));
  Choose("Circle");
  Drag(bar("ScrollBarTop"), 300);
  Click(button("Draw"));
  const QImage two = Picture();
  WindowProbe::Commands(window).SetBudget(0);
  Click(button("Clear"));
  Click(menuItem("Undo1"));
  EXPECT_EQ(Picture(), two);
  EXPECT_EQ(HistoryRings(), (std::vector<RingShape>{{2, 60}, {}}));
}

// Show Gears draws the ring the next Draw rolls round.
TEST_F(RingShapeWindow, ShowGearsDrawsThePanelsRing) {
  auto shown = [this] { return window.form().Find("PaintBox1")->Widget()->grab().toImage(); };
  Click(menuItem("ShowGears1"));
  const QImage circle = shown();
  Choose("Square");
  const QImage square = shown();
  EXPECT_NE(square, circle);
  Choose("Oval");
  EXPECT_NE(shown(), square);
  Choose("Circle");
  EXPECT_EQ(shown(), circle);
}

TEST_F(RingShapeWindow, PrintTracesEachPatternOnItsRing) {
  Choose("Square");
  Drag(bar("ScrollBarCorner"), 75);
  Click(button("Draw"));
  PrintConfirmed();
  ASSERT_NE(lastPrinter, nullptr);
  const Curve curve(window.history().Entry(1), RingShape{4, 75});
  std::vector<RecordingPrinter::Line> expected;
  const int32_t zoom = window.design().PrintFactor;
  curve.TraceMapped([&](const CurvePoint& p) { return curve.PrinterPixel(p, zoom); },
                    [&](Pixel a, Pixel b) {
                      expected.push_back({a.x, a.y, b.x, b.y, 0});
                    });
  ASSERT_EQ(lastPrinter->lines.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(lastPrinter->lines[i].x0, expected[i].x0) << i;
    EXPECT_EQ(lastPrinter->lines[i].y1, expected[i].y1) << i;
  }
}

class RingShapeFiles : public RingShapeWindow {
 protected:
  std::string Path(const std::string& name) {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  void Open(const std::string& path) {
    prompts.AnswerOpen(path);
    Click(menuItem("Open1"));
  }
  QTemporaryDir dir;
};

TEST_F(RingShapeFiles, SavedShapesReopenToTheSameHistoryAndPixels) {
  Choose("Oval");
  Drag(bar("ScrollBarCorner"), 61);
  Click(button("Draw"));
  Choose("Circle");
  Click(button("Draw"));
  const std::vector<DrawnPattern> drawn = HistoryPatterns(window);
  const QImage picture = Picture();
  prompts.AnswerSave(Path("shapes.txt"));
  Click(menuItem("SaveTXT1"));
  std::ifstream in(Path("shapes.txt"), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_NE(bytes.str().find("\r\n0,96,60,0,0,480,5,1000,0,0,1,2,61,\r\n"), std::string::npos);
  EXPECT_NE(bytes.str().find("\r\n0,96,60,0,0,480,5,1000,0,0,1,\r\n"), std::string::npos);
  Click(button("Clear"));
  Open(Path("shapes.txt"));
  EXPECT_EQ(HistoryPatterns(window), drawn);
  EXPECT_EQ(Picture(), picture);
}

TEST_F(RingShapeFiles, OpenRefusesABadRingBeforeDrawingAnything) {
  Choose("Square");
  Click(button("Draw"));
  const std::vector<DrawnPattern> drawn = HistoryPatterns(window);
  const QImage picture = Picture();
  const DesignState design = window.design();
  const std::string good = "0,96,40,0,0,480,5,1000,0,0,1,4,50,\r\n";
  const std::pair<const char*, const char*> cases[] = {
      {"0,96,60,0,0,480,5,1000,0,0,1,9,40,", "sides 9 is not 0, 2, 3, 4, 5 or 6"},
      {"0,96,60,0,0,480,5,1000,0,0,1,4,97,", "corner 97 is above the fixed gear's 96 teeth"},
      {"0,96,60,0,0,480,5,1000,0,0,1,4,30,", "corner 30 is below the moving gear's 60 teeth"},
      {"0,96,60,1,0,480,5,1000,0,0,1,4,0,", "corner 0 is below 1"}};
  for (auto [line, reason] : cases) {
    std::ofstream(Path("bad.txt"), std::ios::binary) << "KORVA,x\r\n"
                                                     << good << good << line << "\r\n";
    Open(Path("bad.txt"));
    EXPECT_EQ(Shown().back(),
              std::string("error: The pattern in line 4 cannot be drawn: ") + reason + ".");
    EXPECT_EQ(HistoryPatterns(window), drawn);
    EXPECT_EQ(Picture(), picture);
    EXPECT_EQ(window.design(), design);
  }
}

}  // namespace
