// Pen and canvas colours, and printing to a recording printer.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

constexpr const char* kIdentical = "message Warning: Canvas and Pen colors are identical.";

using Colours = WindowTest;

TEST_F(Colours, PickerOpensWithPresetsAndTheLastChosenColour) {
  prompts.AnswerColour(0x123456);
  Click(korva.PenColor);
  EXPECT_EQ(prompts.lastInitialColour, kBlack);
  EXPECT_EQ((*prompts.lastCustomColours)[0], 0x20FFE0);
  EXPECT_EQ((*prompts.lastCustomColours)[15], 0x80A0FF);
  EXPECT_EQ(korva.PenColour(), 0x123456);
  prompts.AnswerColourCancel();
  Click(korva.SelectColour1);
  EXPECT_EQ(prompts.lastInitialColour, 0x123456);
  EXPECT_EQ(korva.CanvasColour(), kWhite);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(Colours, PenEqualToTheCanvasWarnsAndIsTaken) {
  prompts.AnswerColour(kWhite);
  Click(korva.PenColor);
  EXPECT_EQ(Shown(), std::vector<std::string>{kIdentical});
  EXPECT_EQ(prompts.messageButtons, std::vector<ui::MessageButtons>{ui::kOk});
  EXPECT_EQ(korva.PenColour(), kWhite);
  EXPECT_EQ(korva.DrawingArea().PenColour(), kWhite);
}

TEST_F(Colours, CanvasColourIsTakenOnlyWhileTheHistoryIsEmpty) {
  Click(korva.Draw);
  prompts.AnswerColour(0x00FF00);
  Click(korva.SelectColour1);
  EXPECT_EQ(korva.CanvasColour(), kWhite);
  EXPECT_EQ(korva.DrawingArea().PixelAt(0, 0), kWhite);
  EXPECT_TRUE(Shown().empty());

  Click(korva.Clear);
  prompts.AnswerColour(0x00FF00);
  Click(korva.SelectColour1);
  EXPECT_EQ(korva.CanvasColour(), 0x00FF00);
  EXPECT_EQ(korva.DrawingArea().PixelAt(639, 639), 0x00FF00);

  prompts.AnswerColour(kBlack);  // the pen's colour
  Click(korva.SelectColour1);
  EXPECT_EQ(Shown(), std::vector<std::string>{kIdentical});
  EXPECT_EQ(korva.CanvasColour(), kBlack);
}

TEST_F(Colours, SchemesApplyAtAnyTimeAndKeepTheHistory) {
  Click(korva.Draw);
  Click(korva.BlackWhitePen1);
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), kBlack);
  EXPECT_EQ(korva.PenColour(), kWhite);
  EXPECT_EQ(korva.CanvasColour(), kBlack);
  EXPECT_EQ(korva.history.NextPatternIndex(), 2);
  Click(korva.Draw);
  EXPECT_EQ(korva.history.Entry(2).Colour, kWhite);
  Click(korva.WhiteBlackPen1);
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), kWhite);
  EXPECT_EQ(korva.PenColour(), kBlack);
}

using Printing = WindowTest;

TEST_F(Printing, EmptyHistoryHasNothingToPrint) {
  Click(korva.PrintDesign1);
  EXPECT_EQ(Shown(), std::vector<std::string>{"message Warning: No pattern to print."});
  EXPECT_EQ(prompts.messageButtons, std::vector<ui::MessageButtons>{ui::kCancel});
  EXPECT_EQ(lastPrinter, nullptr);
}

TEST_F(Printing, DecliningAbandonsThePrint) {
  Click(korva.Draw);
  Click(korva.N2501);
  Click(korva.Mono2);
  prompts.AnswerNo();
  Click(korva.PrintDesign1);
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "message Confirm: Printing pattern of size 250% in monochrome.\\nAre "
                         "you sure ? ",
                         "message Warning: Printing abandoned."}));
  EXPECT_EQ(prompts.messageButtons, (std::vector<ui::MessageButtons>{ui::kYes | ui::kNo, ui::kOk}));
  EXPECT_EQ(lastPrinter, nullptr);
  EXPECT_TRUE(korva.N2501->Checked());
  EXPECT_FALSE(korva.N6001->Checked());
  EXPECT_TRUE(korva.FullColour1->Checked() == false && korva.Mono2->Checked());
}

TEST_F(Printing, InitialDesignMapsOntoThePage) {
  Click(korva.Draw);
  for (auto [item, factor, first] : {std::tuple{korva.N1001, 100, std::pair{320, 57}},
                                     {korva.N6001, 600, std::pair{1920, 345}}}) {
    Click(item);
    EXPECT_EQ(korva.design.PrintFactor, factor);
    PrintConfirmed();
    ASSERT_NE(lastPrinter, nullptr);
    EXPECT_EQ(lastPrinter->begun, 1);
    EXPECT_EQ(lastPrinter->ended, 1);
    ASSERT_EQ(lastPrinter->lines.size(), 921u);
    EXPECT_EQ(lastPrinter->lines[0].x0, first.first);
    EXPECT_EQ(lastPrinter->lines[0].y0, first.second);
  }
  EXPECT_EQ(korva.history.NextPatternIndex(), 2);
}

TEST_F(Printing, CentreOffsetCountsTwiceAndTopRotates) {
  Drag(korva.ScrollBarCentreX, 100);
  Click(korva.Draw);
  Click(korva.N1001);
  PrintConfirmed();
  EXPECT_EQ(lastPrinter->lines[0].x0, 340);

  Click(korva.Clear);
  Click(korva.default_centre);
  Drag(korva.ScrollBarTop, 100);
  Click(korva.Draw);
  PrintConfirmed();
  EXPECT_EQ(lastPrinter->lines[0].x0, 479);
  EXPECT_EQ(lastPrinter->lines[0].y0, 111);

  Click(korva.Clear);
  Click(korva.default_pos);
  Click(korva.rb_external);
  Drag(korva.ScrollBarMagni, 1000);  // the initial design, drawn outside the ring
  Drag(korva.ScrollBarHole, 480);
  Click(korva.Draw);
  PrintConfirmed();
  EXPECT_EQ(lastPrinter->lines[0].x0, 320);
  EXPECT_EQ(lastPrinter->lines[0].y0, 151);
}

TEST_F(Printing, ColourModesChooseThePrinterPen) {
  prompts.AnswerColour(0x64C8C8);  // r 200, g 200, b 100: yellow in seven colours
  Click(korva.PenColor);
  Click(korva.Draw);
  const std::pair<ui::MenuItem*, Colour> modes[] = {
      {korva.FullColour1, 0x64C8C8}, {korva.N7Colours1, 0x00FFFF}, {korva.Mono2, kBlack}};
  for (auto [item, expected] : modes) {
    Click(item);
    PrintConfirmed();
    EXPECT_EQ(lastPrinter->lines.back().colour, expected) << item->Name();
    EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), 0x64C8C8);
  }
}

TEST_F(Printing, FullHistoryPrintsEveryEntryAndKeepsTheHistory) {
  Drag(korva.ScrollBarStepFine, 3600);
  Drag(korva.ScrollBarReps, 200);
  for (int i = 0; i < 5; ++i) Click(korva.Draw);
  const std::vector<PatternRecord> before = HistoryRecords();
  PrintConfirmed();
  ASSERT_NE(lastPrinter, nullptr);
  EXPECT_EQ(lastPrinter->ended, 1);
  EXPECT_EQ(lastPrinter->lines.size(), 1000u * 6u);
  EXPECT_EQ(HistoryRecords(), before);
  EXPECT_EQ(Shown().size(), 1u);  // the confirmation only
}

}  // namespace
