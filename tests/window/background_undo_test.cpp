// The Background colours and a new canvas colour are Edit > Undo steps when
// they change the picture; the history stays as it is.
#include "tests/window/window_fixture.h"

namespace {

class BackgroundUndo : public WindowTest {
 protected:
  void EditUndo() { Click(menuItem("Undo1")); }
  void EditRedo() { Click(menuItem("Redo1")); }
};

TEST_F(BackgroundUndo, BackgroundColoursAreEditUndoSteps) {
  // Nothing changes on a blank white picture: no step.
  Click(menuItem("WhiteBlackPen1"));
  EXPECT_FALSE(menuItem("Undo1")->Enabled());

  Click(button("Draw"));
  Drag(bar("ScrollBarTop"), 300);
  Click(button("Draw"));
  const QImage drawn = Picture();
  const std::vector<engine::DrawnPattern> history = HistoryPatterns(window);
  const Colour pen = window.penColour();

  Click(menuItem("BlackWhitePen1"));
  const QImage black = Picture();
  EXPECT_EQ(black.pixel(5, 5), qRgb(0, 0, 0));
  EditUndo();
  EXPECT_EQ(Picture(), drawn);
  EXPECT_EQ(window.canvasColour(), kWhite);
  EXPECT_EQ(window.penColour(), pen);
  EXPECT_EQ(window.picture().PenColour(), pen);
  EXPECT_EQ(HistoryPatterns(window), history);

  EditRedo();
  EXPECT_EQ(Picture(), black);
  EXPECT_EQ(window.canvasColour(), kBlack);
  EXPECT_EQ(window.penColour(), kWhite);
  EXPECT_EQ(HistoryPatterns(window), history);

  // The Undo button then draws the first (black) pattern again on the black
  // canvas: the picture kept before the second pattern is white, and wrong.
  Click(button("undo"));
  EXPECT_EQ(window.history().Count(), 1);
  EXPECT_EQ(Picture(), black);
}

TEST_F(BackgroundUndo, ANewCanvasColourIsAnEditUndoStep) {
  const QImage white = Picture();
  prompts.AnswerColour(0x3060A0);
  Click(menuItem("SelectColour1"));
  EXPECT_EQ(window.canvasColour(), 0x3060A0);
  EditUndo();
  EXPECT_EQ(Picture(), white);
  EXPECT_EQ(window.canvasColour(), kWhite);
  EditRedo();
  EXPECT_EQ(window.canvasColour(), 0x3060A0);
  EXPECT_EQ(window.picture().PixelAt(5, 5), 0x3060A0);
}

}  // namespace
