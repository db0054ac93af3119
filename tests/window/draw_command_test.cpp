// Draw: one pattern, series with steps, reflection, limits and colour steps,
// and the full history.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using DrawCommand = WindowTest;

// Lists the tops (or any field) of the patterns recorded.
std::vector<int32_t> Field(const std::vector<PatternRecord>& records, int32_t PatternRecord::*f) {
  std::vector<int32_t> out;
  for (const PatternRecord& r : records) out.push_back(r.*f);
  return out;
}

void SetPenColour(WindowTest& t, ui::ScriptedPrompts& prompts, TKorva& k, Colour c) {
  prompts.AnswerColour(c);
  k.PenColor->UserClick();
  (void)t;
}

TEST_F(DrawCommand, InitialDesignDrawsOnePatternAndEnablesUndo) {
  Click(korva.Draw);
  ASSERT_EQ(korva.history.NextPatternIndex(), 2);
  EXPECT_EQ(korva.history.Entry(1), (PatternRecord{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0}));
  EXPECT_TRUE(korva.undo->Enabled());
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), kBlack);
  EXPECT_EQ(korva.DrawingArea().PixelAt(460, 164), kBlack);
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 320), kWhite);
  EXPECT_EQ(CurrentDesign(), korva.history.Entry(1));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DrawCommand, RecordCarriesThePenColour) {
  SetPenColour(*this, prompts, korva, 0x0000FF);
  Click(korva.Draw);
  EXPECT_EQ(korva.history.Entry(1), (PatternRecord{255, 96, 60, 0, 0, 480, 5, 1000, 0, 0}));
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), 0x0000FF);
}

TEST_F(DrawCommand, ReflectedSeriesMirrorsAboutTheStartingTop) {
  Drag(korva.ScrollBarReps, 5);
  Spin(korva.topspin, 100);
  korva.cb_reflect->UserClick();
  Click(korva.Draw);
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::TopOfDesign),
            (std::vector<int32_t>{0, 0, 100, -100, 200, -200, 300, -300, 400, -400}));
  EXPECT_EQ(korva.design.TopOfDesign, 500);
  // The panel shows the last pattern drawn, one step behind the design.
  EXPECT_EQ(korva.Align->Text(), "-400");
}

TEST_F(DrawCommand, SeriesEndsQuietlyAtTheHoleLimit) {
  Drag(korva.ScrollBarFixed, 150);
  Drag(korva.ScrollBarMoving, 100);
  Drag(korva.ScrollBarHole, 1900);
  Drag(korva.ScrollBarReps, 5);
  Spin(korva.holespin, 100);
  Click(korva.Draw);
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::PenHole), (std::vector<int32_t>{1900, 2000}));
  EXPECT_EQ(korva.design.PenHole, 2000);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DrawCommand, SeriesEndsAtTheSizeLimit) {
  Drag(korva.ScrollBarMagni, 200);
  Drag(korva.ScrollBarReps, 5);
  Spin(korva.sizespin, -100);
  Click(korva.Draw);
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::DesignSize), (std::vector<int32_t>{200, 100}));
  EXPECT_EQ(korva.design.DesignSize, 100);
}

TEST_F(DrawCommand, PanelLimitsAPenHoleBeyondTheMovingGearDuringASeries) {
  Drag(korva.ScrollBarReps, 6);
  Spin(korva.holespin, 400);
  Click(korva.Draw);
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::PenHole),
            (std::vector<int32_t>{480, 880, 1280, 1600, 1600, 1600}));
}

TEST_F(DrawCommand, SeriesEndsBeforeTheTopLimit) {
  // Beyond the top bar's end the design keeps the stepped top.
  korva.ScrollBarTop->UserEnd();
  Drag(korva.ScrollBarReps, 20);
  Spin(korva.topspin, 2000);
  Click(korva.Draw);
  const std::vector<int32_t> tops = Field(HistoryRecords(), &PatternRecord::TopOfDesign);
  ASSERT_EQ(tops.size(), 17u);
  EXPECT_EQ(tops[1], 5600);
  EXPECT_EQ(tops.back(), 35600);
  EXPECT_EQ(korva.design.TopOfDesign, 35600);
  EXPECT_EQ(korva.Align->Text(), "35600");
  EXPECT_EQ(korva.ScrollBarTop->Position(), 3600);
}

TEST_F(DrawCommand, ColourStepsWrapAround) {
  SetPenColour(*this, prompts, korva, 0x0000FF);
  Drag(korva.ScrollBarReps, 2);
  Spin(korva.SpinRed, 1);
  Click(korva.Draw);
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::Colour), (std::vector<int32_t>{0xFF, 0}));
  EXPECT_EQ(korva.PenColour(), 0x000001);

  Click(korva.Clear);
  SetPenColour(*this, prompts, korva, 0x808080);
  Click(korva.ZeroColStep);
  Spin(korva.SpinRed, 10);
  Spin(korva.SpinGreen, -10);
  Spin(korva.SpinBlue, 128);
  Click(korva.Draw);
  EXPECT_EQ(korva.history.Entry(2).Colour, 0x00768A);
}

TEST_F(DrawCommand, FullHistoryDrawsButRecordsNothingAndWarnsOncePerCommand) {
  Drag(korva.ScrollBarStepFine, 3600);  // a six-segment pattern
  Drag(korva.ScrollBarReps, 200);
  for (int i = 0; i < 5; ++i) Click(korva.Draw);
  EXPECT_EQ(korva.history.NextPatternIndex(), 1001);
  EXPECT_TRUE(Shown().empty());

  const std::vector<PatternRecord> before = HistoryRecords();
  korva.cb_reflect->UserClick();
  Click(korva.Draw);
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "message Error: Error - Attempt to draw too many patterns - 1000 "
                         "maximum allowed."}));
  EXPECT_EQ(HistoryRecords(), before);
  Click(korva.Draw);
  EXPECT_EQ(Shown().size(), 2u);
}

TEST_F(DrawCommand, UndoRedrawsAnExternalPatternWithItsOwnGearPair) {
  // External 30/45 cannot be shown in internal mode: the panel's correction
  // shrinks the moving gear, but the curve must stay the pattern's own.
  Click(korva.rb_external);
  Drag(korva.ScrollBarFixed, 30);
  Drag(korva.ScrollBarMoving, 45);
  Click(korva.Draw);
  const QImage external = Picture();
  EXPECT_EQ(korva.derived.TraceSpanDeg, 1080);

  Click(korva.rb_internal);
  Click(korva.Draw);
  Click(korva.undo);
  EXPECT_EQ(Picture(), external);
  EXPECT_EQ(korva.history.NextPatternIndex(), 2);
  EXPECT_TRUE(korva.rb_external->Checked());
}

TEST_F(DrawCommand, AnyModeButOneIsDrawnAsInternal) {
  Click(korva.rb_external);
  const QImage blank = Picture();
  korva.TracePattern({0, 96, 60, 2, 0, 480, 5, 1000, 0, 0});
  EXPECT_TRUE(korva.rb_internal->Checked());
  EXPECT_FALSE(korva.rb_external->Checked());
  EXPECT_EQ(korva.design.GearMode, 0);
  EXPECT_EQ(korva.history.Entry(1).GearMode, 2);
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 58), kBlack);
  EXPECT_NE(Picture(), blank);
}

TEST_F(DrawCommand, DrawStartsWithUndoFollowingTheHistory) {
  korva.undo->SetEnabled(true);
  Drag(korva.ScrollBarReps, 1);
  Click(korva.Draw);
  EXPECT_TRUE(korva.undo->Enabled());
  EXPECT_TRUE(korva.BackColor->Enabled());  // enabled until a Draw on a non-empty history
  Click(korva.Draw);
  EXPECT_FALSE(korva.BackColor->Enabled());
  EXPECT_FALSE(korva.WhiteonBlack->Enabled());
  Click(korva.Clear);
  EXPECT_TRUE(korva.BackColor->Enabled());
}

}  // namespace
