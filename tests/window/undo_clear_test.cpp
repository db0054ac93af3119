// Clear, Undo, Refresh and Dump.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using UndoClear = WindowTest;

TEST_F(UndoClear, UndoOnAnEmptyHistoryOnlyDisablesTheButton) {
  korva.undo->SetEnabled(true);
  Drag(korva.ScrollBarHole, 300);
  const QImage before = Picture();
  Click(korva.undo);
  EXPECT_FALSE(korva.undo->Enabled());
  EXPECT_EQ(Picture(), before);
  EXPECT_EQ(korva.design.PenHole, 300);
  EXPECT_EQ(korva.history.NextPatternIndex(), 1);
}

TEST_F(UndoClear, UndoingTheOnlyPatternBlanksThePictureAndKeepsUndoEnabled) {
  Drag(korva.ScrollBarHole, 300);
  Click(korva.Draw);
  Drag(korva.ScrollBarHole, 200);
  Click(korva.undo);
  EXPECT_EQ(korva.history.NextPatternIndex(), 1);
  EXPECT_EQ(korva.history.Entry(1), PatternRecord{});
  EXPECT_TRUE(korva.undo->Enabled());
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58 + 18), kWhite);
  EXPECT_EQ(korva.design.PenHole, 200);  // nothing was redrawn
  Click(korva.undo);
  EXPECT_FALSE(korva.undo->Enabled());
}

TEST_F(UndoClear, UndoAfterASeriesRedrawsAllButTheLast) {
  Drag(korva.ScrollBarReps, 3);
  Spin(korva.topspin, 50);
  Click(korva.Draw);
  const std::vector<PatternRecord> all = HistoryRecords();
  ASSERT_EQ(all.size(), 3u);

  // The picture of the first two patterns alone.
  Click(korva.Clear);
  korva.TracePattern(all[0]);
  korva.TracePattern(all[1]);
  const QImage firstTwo = Picture();

  Click(korva.Clear);
  for (const PatternRecord& p : all) korva.TracePattern(p);
  Click(korva.undo);
  EXPECT_EQ(HistoryRecords(), std::vector<PatternRecord>(all.begin(), all.begin() + 2));
  EXPECT_EQ(Picture(), firstTwo);
  EXPECT_EQ(korva.design.TopOfDesign, 50);  // as the redraw of pattern 2 left it
  Click(korva.undo);
  EXPECT_EQ(HistoryRecords(), std::vector<PatternRecord>(all.begin(), all.begin() + 1));
}

TEST_F(UndoClear, UndoRepaintsOnTheCurrentCanvasColour) {
  prompts.AnswerColour(0x0000FF);
  Click(korva.PenColor);
  Click(korva.Draw);
  Drag(korva.ScrollBarTop, 100);
  Click(korva.Draw);
  Click(korva.BlackWhitePen1);  // black canvas, white pen; the history stays
  EXPECT_EQ(korva.history.NextPatternIndex(), 3);
  Click(korva.undo);
  EXPECT_EQ(korva.DrawingArea().PixelAt(0, 0), kBlack);
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), 0x0000FF);  // its recorded colour
  EXPECT_EQ(korva.DrawingArea().PixelAt(480, 112), kBlack);   // the undone pattern is gone
  EXPECT_EQ(korva.PenColour(), 0x0000FF);
}

TEST_F(UndoClear, UndoOnAFullHistoryRedrawsNineHundredNinetyNine) {
  Drag(korva.ScrollBarStepFine, 3600);
  Drag(korva.ScrollBarReps, 200);
  for (int i = 0; i < 5; ++i) Click(korva.Draw);
  ASSERT_EQ(korva.history.NextPatternIndex(), 1001);
  Click(korva.undo);
  EXPECT_EQ(korva.history.NextPatternIndex(), 1000);
  EXPECT_TRUE(Shown().empty());
  Click(korva.Clear);
  EXPECT_EQ(korva.history.NextPatternIndex(), 1);
  EXPECT_EQ(korva.history.Entry(999), PatternRecord{});
}

TEST_F(UndoClear, RefreshShowsTheBackingCopyAndNeverTouchesTheHistory) {
  Click(korva.Draw);
  const QImage drawn = Picture();
  korva.Refresh->SetVisible(true);
  korva.Button1->SetVisible(true);
  Click(korva.Refresh);  // the backing area is still white
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), kWhite);
  EXPECT_EQ(korva.history.NextPatternIndex(), 2);

  Click(korva.undo);
  Click(korva.Draw);
  Click(korva.Button1);  // Dump
  Click(korva.Clear);
  Click(korva.Refresh);
  EXPECT_EQ(Picture(), drawn);
  EXPECT_EQ(korva.history.NextPatternIndex(), 1);
}

TEST_F(UndoClear, HiddenButtonsCannotBeClicked) {
  Click(korva.Draw);
  Click(korva.Refresh);  // hidden: nothing happens
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), kBlack);
}

}  // namespace
