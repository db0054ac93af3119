// Clear, Undo, Refresh and Dump.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using UndoClear = WindowTest;

TEST_F(UndoClear, UndoOnAnEmptyHistoryOnlyDisablesTheButton) {
  button("undo")->SetEnabled(true);
  Drag(bar("ScrollBarHole"), 300);
  const QImage before = Picture();
  Click(button("undo"));
  EXPECT_FALSE(button("undo")->Enabled());
  EXPECT_EQ(Picture(), before);
  EXPECT_EQ(window.design().PenHole, 300);
  EXPECT_EQ(window.history().NextPatternIndex(), 1);
}

TEST_F(UndoClear, UndoingTheOnlyPatternBlanksThePictureAndKeepsUndoEnabled) {
  Drag(bar("ScrollBarHole"), 300);
  Click(button("Draw"));
  Drag(bar("ScrollBarHole"), 200);
  Click(button("undo"));
  EXPECT_EQ(window.history().NextPatternIndex(), 1);
  EXPECT_EQ(window.history().Entry(1), PatternRecord{});
  EXPECT_TRUE(button("undo")->Enabled());
  EXPECT_EQ(window.picture().PixelAt(320, 58 + 18), kWhite);
  EXPECT_EQ(window.design().PenHole, 200);  // nothing was redrawn
  Click(button("undo"));
  EXPECT_FALSE(button("undo")->Enabled());
}

TEST_F(UndoClear, UndoAfterASeriesRedrawsAllButTheLast) {
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("topspin"), 50);
  Click(button("Draw"));
  const std::vector<PatternRecord> all = HistoryRecords();
  ASSERT_EQ(all.size(), 3u);

  // The picture of the first two patterns alone.
  Click(button("Clear"));
  WindowProbe::TracePattern(window, all[0]);
  WindowProbe::TracePattern(window, all[1]);
  const QImage firstTwo = Picture();

  Click(button("Clear"));
  for (const PatternRecord& p : all) WindowProbe::TracePattern(window, p);
  Click(button("undo"));
  EXPECT_EQ(HistoryRecords(), std::vector<PatternRecord>(all.begin(), all.begin() + 2));
  EXPECT_EQ(Picture(), firstTwo);
  EXPECT_EQ(window.design().TopOfDesign, 50);  // as the redraw of pattern 2 left it
  Click(button("undo"));
  EXPECT_EQ(HistoryRecords(), std::vector<PatternRecord>(all.begin(), all.begin() + 1));
}

TEST_F(UndoClear, UndoRepaintsOnTheCurrentCanvasColour) {
  prompts.AnswerColour(0x0000FF);
  Click(button("PenColor"));
  Click(button("Draw"));
  Drag(bar("ScrollBarTop"), 100);
  Click(button("Draw"));
  Click(menuItem("BlackWhitePen1"));  // black canvas, white pen; the history stays
  EXPECT_EQ(window.history().NextPatternIndex(), 3);
  Click(button("undo"));
  EXPECT_EQ(window.picture().PixelAt(0, 0), kBlack);
  EXPECT_EQ(window.picture().PixelAt(320, 58), 0x0000FF);  // its recorded colour
  EXPECT_EQ(window.picture().PixelAt(480, 112), kBlack);   // the undone pattern is gone
  EXPECT_EQ(window.penColour(), 0x0000FF);
}

TEST_F(UndoClear, UndoOnAFullHistoryRedrawsNineHundredNinetyNine) {
  Drag(bar("ScrollBarStepFine"), 3600);
  Drag(bar("ScrollBarReps"), 200);
  for (int i = 0; i < 5; ++i) Click(button("Draw"));
  ASSERT_EQ(window.history().NextPatternIndex(), 1001);
  Click(button("undo"));
  EXPECT_EQ(window.history().NextPatternIndex(), 1000);
  EXPECT_TRUE(Shown().empty());
  Click(button("Clear"));
  EXPECT_EQ(window.history().NextPatternIndex(), 1);
  EXPECT_EQ(window.history().Entry(999), PatternRecord{});
}

TEST_F(UndoClear, RefreshShowsTheBackingCopyAndNeverTouchesTheHistory) {
  Click(button("Draw"));
  const QImage drawn = Picture();
  button("Refresh")->SetVisible(true);
  button("Button1")->SetVisible(true);
  Click(button("Refresh"));  // the backing area is still white
  EXPECT_EQ(window.picture().PixelAt(320, 58), kWhite);
  EXPECT_EQ(window.history().NextPatternIndex(), 2);

  Click(button("undo"));
  Click(button("Draw"));
  Click(button("Button1"));  // Dump
  Click(button("Clear"));
  Click(button("Refresh"));
  EXPECT_EQ(Picture(), drawn);
  EXPECT_EQ(window.history().NextPatternIndex(), 1);
}

TEST_F(UndoClear, HiddenButtonsCannotBeClicked) {
  Click(button("Draw"));
  Click(button("Refresh"));  // hidden: nothing happens
  EXPECT_EQ(window.picture().PixelAt(320, 58), kBlack);
}

}  // namespace
