// Pen and canvas colours, and printing to a recording printer.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

constexpr const char* kIdentical = "message Warning: Canvas and Pen colors are identical.";

using Colours = WindowTest;

TEST_F(Colours, PickerOpensWithPresetsAndTheLastChosenColour) {
  prompts.AnswerColour(0x123456);
  Click(button("PenColor"));
  EXPECT_EQ(prompts.lastInitialColour, kBlack);
  EXPECT_EQ((*prompts.lastCustomColours)[0], 0x20FFE0);
  EXPECT_EQ((*prompts.lastCustomColours)[15], 0x80A0FF);
  EXPECT_EQ(window.penColour(), 0x123456);
  prompts.AnswerColourCancel();
  Click(menuItem("SelectColour1"));
  EXPECT_EQ(prompts.lastInitialColour, 0x123456);
  EXPECT_EQ(window.canvasColour(), kWhite);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(Colours, PenEqualToTheCanvasWarnsAndIsTaken) {
  prompts.AnswerColour(kWhite);
  Click(button("PenColor"));
  EXPECT_EQ(Shown(), std::vector<std::string>{kIdentical});
  EXPECT_EQ(prompts.messageButtons, std::vector<ui::MessageButtons>{ui::kOk});
  EXPECT_EQ(window.penColour(), kWhite);
  EXPECT_EQ(window.picture().PenColour(), kWhite);
}

TEST_F(Colours, CanvasColourIsTakenOnlyWhileTheHistoryIsEmpty) {
  Click(button("Draw"));
  prompts.AnswerColour(0x00FF00);
  Click(menuItem("SelectColour1"));
  EXPECT_EQ(window.canvasColour(), kWhite);
  EXPECT_EQ(window.picture().PixelAt(0, 0), kWhite);
  EXPECT_TRUE(Shown().empty());

  Click(button("Clear"));
  prompts.AnswerColour(0x00FF00);
  Click(menuItem("SelectColour1"));
  EXPECT_EQ(window.canvasColour(), 0x00FF00);
  EXPECT_EQ(window.picture().PixelAt(639, 639), 0x00FF00);

  prompts.AnswerColour(kBlack);  // the pen's colour
  Click(menuItem("SelectColour1"));
  EXPECT_EQ(Shown(), std::vector<std::string>{kIdentical});
  EXPECT_EQ(window.canvasColour(), kBlack);
}

TEST_F(Colours, SchemesApplyAtAnyTimeAndKeepTheHistory) {
  Click(button("Draw"));
  Click(menuItem("BlackWhitePen1"));
  EXPECT_EQ(window.picture().PixelAt(320, 58), kBlack);
  EXPECT_EQ(window.penColour(), kWhite);
  EXPECT_EQ(window.canvasColour(), kBlack);
  EXPECT_EQ(window.history().NextPatternIndex(), 2);
  Click(button("Draw"));
  EXPECT_EQ(window.history().Entry(2).Colour, kWhite);
  Click(menuItem("WhiteBlackPen1"));
  EXPECT_EQ(window.picture().PixelAt(320, 58), kWhite);
  EXPECT_EQ(window.penColour(), kBlack);
}

using Printing = WindowTest;

TEST_F(Printing, EmptyHistoryHasNothingToPrint) {
  Click(menuItem("PrintDesign1"));
  EXPECT_EQ(Shown(), std::vector<std::string>{"message Warning: No pattern to print."});
  EXPECT_EQ(prompts.messageButtons, std::vector<ui::MessageButtons>{ui::kCancel});
  EXPECT_EQ(lastPrinter, nullptr);
}

TEST_F(Printing, DecliningAbandonsThePrint) {
  Click(button("Draw"));
  Click(menuItem("N2501"));
  Click(menuItem("Mono2"));
  prompts.AnswerNo();
  Click(menuItem("PrintDesign1"));
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "message Confirm: Printing pattern of size 250% in monochrome.\\nAre "
                         "you sure ? ",
                         "message Warning: Printing abandoned."}));
  EXPECT_EQ(prompts.messageButtons, (std::vector<ui::MessageButtons>{ui::kYes | ui::kNo, ui::kOk}));
  EXPECT_EQ(lastPrinter, nullptr);
  EXPECT_TRUE(menuItem("N2501")->Checked());
  EXPECT_FALSE(menuItem("N6001")->Checked());
  EXPECT_TRUE(menuItem("FullColour1")->Checked() == false && menuItem("Mono2")->Checked());
}

TEST_F(Printing, InitialDesignMapsOntoThePage) {
  Click(button("Draw"));
  for (auto [item, factor, first] : {std::tuple{menuItem("N1001"), 100, std::pair{320, 57}},
                                     {menuItem("N6001"), 600, std::pair{1920, 345}}}) {
    Click(item);
    EXPECT_EQ(window.design().PrintFactor, factor);
    PrintConfirmed();
    ASSERT_NE(lastPrinter, nullptr);
    EXPECT_EQ(lastPrinter->begun, 1);
    EXPECT_EQ(lastPrinter->ended, 1);
    ASSERT_EQ(lastPrinter->lines.size(), 921u);
    EXPECT_EQ(lastPrinter->lines[0].x0, first.first);
    EXPECT_EQ(lastPrinter->lines[0].y0, first.second);
  }
  EXPECT_EQ(window.history().NextPatternIndex(), 2);
}

TEST_F(Printing, CentreOffsetCountsTwiceAndTopRotates) {
  Drag(bar("ScrollBarCentreX"), 100);
  Click(button("Draw"));
  Click(menuItem("N1001"));
  PrintConfirmed();
  EXPECT_EQ(lastPrinter->lines[0].x0, 340);

  Click(button("Clear"));
  Click(button("default_centre"));
  Drag(bar("ScrollBarTop"), 100);
  Click(button("Draw"));
  PrintConfirmed();
  EXPECT_EQ(lastPrinter->lines[0].x0, 479);
  EXPECT_EQ(lastPrinter->lines[0].y0, 111);

  Click(button("Clear"));
  Click(button("default_pos"));
  Click(radio("rb_external"));
  Drag(bar("ScrollBarMagni"), 1000);  // the initial design, drawn outside the ring
  Drag(bar("ScrollBarHole"), 480);
  Click(button("Draw"));
  PrintConfirmed();
  EXPECT_EQ(lastPrinter->lines[0].x0, 320);
  EXPECT_EQ(lastPrinter->lines[0].y0, 151);
}

TEST_F(Printing, ColourModesChooseThePrinterPen) {
  prompts.AnswerColour(0x64C8C8);  // r 200, g 200, b 100: yellow in seven colours
  Click(button("PenColor"));
  Click(button("Draw"));
  const std::pair<ui::MenuItem*, Colour> modes[] = {{menuItem("FullColour1"), 0x64C8C8},
                                                    {menuItem("N7Colours1"), 0x00FFFF},
                                                    {menuItem("Mono2"), kBlack}};
  for (auto [item, expected] : modes) {
    Click(item);
    PrintConfirmed();
    EXPECT_EQ(lastPrinter->lines.back().colour, expected) << item->Name();
    EXPECT_EQ(window.picture().PixelAt(320, 58), 0x64C8C8);
  }
}

TEST_F(Printing, FullHistoryPrintsEveryEntryAndKeepsTheHistory) {
  Drag(bar("ScrollBarStepFine"), 3600);
  Drag(bar("ScrollBarReps"), 200);
  for (int i = 0; i < 5; ++i) Click(button("Draw"));
  const std::vector<PatternRecord> before = HistoryRecords();
  PrintConfirmed();
  ASSERT_NE(lastPrinter, nullptr);
  EXPECT_EQ(lastPrinter->ended, 1);
  EXPECT_EQ(lastPrinter->lines.size(), 1000u * 6u);
  EXPECT_EQ(HistoryRecords(), before);
  EXPECT_EQ(Shown().size(), 1u);  // the confirmation only
}

}  // namespace
