// Draw: one pattern, series with steps, reflection, limits and colour steps,
// and the full history.
#include "core/run_time_error.h"
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

void SetPenColour(WindowTest& t, ui::ScriptedPrompts& prompts, Colour c) {
  prompts.AnswerColour(c);
  t.button("PenColor")->UserClick();
}

TEST_F(DrawCommand, InitialDesignDrawsOnePatternAndEnablesUndo) {
  Click(button("Draw"));
  ASSERT_EQ(window.history().NextPatternIndex(), 2);
  EXPECT_EQ(window.history().Entry(1), (PatternRecord{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0}));
  EXPECT_TRUE(button("undo")->Enabled());
  EXPECT_EQ(window.picture().PixelAt(320, 58), kBlack);
  EXPECT_EQ(window.picture().PixelAt(460, 164), kBlack);
  EXPECT_EQ(window.picture().PixelAt(320, 320), kWhite);
  EXPECT_EQ(CurrentDesign(), window.history().Entry(1));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DrawCommand, RecordCarriesThePenColour) {
  SetPenColour(*this, prompts, 0x0000FF);
  Click(button("Draw"));
  EXPECT_EQ(window.history().Entry(1), (PatternRecord{255, 96, 60, 0, 0, 480, 5, 1000, 0, 0}));
  EXPECT_EQ(window.picture().PixelAt(320, 58), 0x0000FF);
}

TEST_F(DrawCommand, ReflectedSeriesMirrorsAboutTheStartingTop) {
  Drag(bar("ScrollBarReps"), 5);
  Spin(spin("topspin"), 100);
  checkBox("cb_reflect")->UserClick();
  Click(button("Draw"));
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::TopOfDesign),
            (std::vector<int32_t>{0, 0, 100, -100, 200, -200, 300, -300, 400, -400}));
  EXPECT_EQ(window.design().TopOfDesign, 500);
  // The panel shows the last pattern drawn, one step behind the design.
  EXPECT_EQ(box("Align")->Text(), "-400");
}

TEST_F(DrawCommand, SeriesEndsQuietlyAtTheHoleLimit) {
  Drag(bar("ScrollBarFixed"), 150);
  Drag(bar("ScrollBarMoving"), 100);
  Drag(bar("ScrollBarHole"), 1900);
  Drag(bar("ScrollBarReps"), 5);
  Spin(spin("holespin"), 100);
  Click(button("Draw"));
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::PenHole), (std::vector<int32_t>{1900, 2000}));
  EXPECT_EQ(window.design().PenHole, 2000);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DrawCommand, SeriesEndsAtTheSizeLimit) {
  Drag(bar("ScrollBarMagni"), 200);
  Drag(bar("ScrollBarReps"), 5);
  Spin(spin("sizespin"), -100);
  Click(button("Draw"));
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::DesignSize), (std::vector<int32_t>{200, 100}));
  EXPECT_EQ(window.design().DesignSize, 100);
}

TEST_F(DrawCommand, PanelLimitsAPenHoleBeyondTheMovingGearDuringASeries) {
  Drag(bar("ScrollBarReps"), 6);
  Spin(spin("holespin"), 400);
  Click(button("Draw"));
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::PenHole),
            (std::vector<int32_t>{480, 880, 1280, 1600, 1600, 1600}));
}

TEST_F(DrawCommand, SeriesEndsBeforeTheTopLimit) {
  // Beyond the top bar's end the design keeps the stepped top.
  bar("ScrollBarTop")->UserEnd();
  Drag(bar("ScrollBarReps"), 20);
  Spin(spin("topspin"), 2000);
  Click(button("Draw"));
  const std::vector<int32_t> tops = Field(HistoryRecords(), &PatternRecord::TopOfDesign);
  ASSERT_EQ(tops.size(), 17u);
  EXPECT_EQ(tops[1], 5600);
  EXPECT_EQ(tops.back(), 35600);
  EXPECT_EQ(window.design().TopOfDesign, 35600);
  EXPECT_EQ(box("Align")->Text(), "35600");
  EXPECT_EQ(bar("ScrollBarTop")->Position(), 3600);
}

TEST_F(DrawCommand, ColourStepsWrapAround) {
  SetPenColour(*this, prompts, 0x0000FF);
  Drag(bar("ScrollBarReps"), 2);
  Spin(spin("SpinRed"), 1);
  Click(button("Draw"));
  EXPECT_EQ(Field(HistoryRecords(), &PatternRecord::Colour), (std::vector<int32_t>{0xFF, 0}));
  EXPECT_EQ(window.penColour(), 0x000001);

  Click(button("Clear"));
  SetPenColour(*this, prompts, 0x808080);
  Click(button("ZeroColStep"));
  Spin(spin("SpinRed"), 10);
  Spin(spin("SpinGreen"), -10);
  Spin(spin("SpinBlue"), 128);
  Click(button("Draw"));
  EXPECT_EQ(window.history().Entry(2).Colour, 0x00768A);
}

TEST_F(DrawCommand, FullHistoryDrawsButRecordsNothingAndWarnsOncePerCommand) {
  Drag(bar("ScrollBarStepFine"), 3600);  // a six-segment pattern
  Drag(bar("ScrollBarReps"), 200);
  for (int i = 0; i < 5; ++i) Click(button("Draw"));
  EXPECT_EQ(window.history().NextPatternIndex(), 1001);
  EXPECT_TRUE(Shown().empty());

  const std::vector<PatternRecord> before = HistoryRecords();
  checkBox("cb_reflect")->UserClick();
  Click(button("Draw"));
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "message Error: Error - Attempt to draw too many patterns - 1000 "
                         "maximum allowed."}));
  EXPECT_EQ(HistoryRecords(), before);
  Click(button("Draw"));
  EXPECT_EQ(Shown().size(), 2u);
}

TEST_F(DrawCommand, UndoRedrawsAnExternalPatternWithItsOwnGearPair) {
  // External 30/45 cannot be shown in internal mode: the panel's correction
  // shrinks the moving gear, but the curve must stay the pattern's own.
  Click(radio("rb_external"));
  Drag(bar("ScrollBarFixed"), 30);
  Drag(bar("ScrollBarMoving"), 45);
  Click(button("Draw"));
  const QImage external = Picture();
  EXPECT_EQ(window.derived().TraceSpanDeg, 1080);

  Click(radio("rb_internal"));
  Click(button("Draw"));
  Click(button("undo"));
  EXPECT_EQ(Picture(), external);
  EXPECT_EQ(window.history().NextPatternIndex(), 2);
  EXPECT_TRUE(radio("rb_external")->Checked());
}

TEST_F(DrawCommand, AnyModeButOneIsDrawnAsInternal) {
  Click(radio("rb_external"));
  const QImage blank = Picture();
  WindowProbe::TracePattern(window, {0, 96, 60, 2, 0, 480, 5, 1000, 0, 0});
  EXPECT_TRUE(radio("rb_internal")->Checked());
  EXPECT_FALSE(radio("rb_external")->Checked());
  EXPECT_EQ(window.design().GearMode, 0);
  EXPECT_EQ(window.history().Entry(1).GearMode, 2);
  EXPECT_EQ(window.picture().PixelAt(320, 58), kBlack);
  EXPECT_NE(Picture(), blank);
}

// Fails the first segment drawn, so that a Draw records nothing.
class FailingObserver : public TraceObserver {
 public:
  void ScreenSegment(engine::Pixel, engine::Pixel) override { throw RunTimeError("observer"); }
  void ScreenTraceDone(int64_t) override {}
  void PrintSegment(engine::Pixel, engine::Pixel) override {}
  void PrintTraceDone(int64_t, Colour) override {}
};

TEST_F(DrawCommand, DrawStartsWithUndoFollowingTheHistory) {
  // Clear leaves the Undo button enabled over an empty history; a Draw that
  // records nothing must leave it disabled.
  Click(button("Draw"));
  Click(button("Clear"));
  ASSERT_TRUE(button("undo")->Enabled());
  FailingObserver failing;
  window.setTraceObserver(&failing);
  Click(button("Draw"));
  window.setTraceObserver(nullptr);
  EXPECT_EQ(Shown(), std::vector<std::string>{"error: observer"});
  EXPECT_TRUE(window.history().Empty());
  EXPECT_FALSE(button("undo")->Enabled());

  Click(button("Draw"));
  EXPECT_TRUE(button("undo")->Enabled());
  EXPECT_TRUE(button("BackColor")->Enabled());  // enabled until a Draw on a non-empty history
  Click(button("Draw"));
  EXPECT_FALSE(button("BackColor")->Enabled());
  EXPECT_FALSE(button("WhiteonBlack")->Enabled());
  Click(button("Clear"));
  EXPECT_TRUE(button("BackColor")->Enabled());
}

}  // namespace
