// The repeat count with its two layouts, the step spin boxes and the line width.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using RepeatPanel = WindowTest;

void ExpectLayout(TKorva& k, bool series) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           k.holespin, k.topspin, k.sizespin, k.xspin, k.yspin, k.SpinRed, k.SpinGreen, k.SpinBlue,
           k.ZeroPosStep, k.ZeroCentStep, k.ZeroColStep, k.repstep, k.repstep2, k.LabelColour,
           k.Label8, k.Label9}) {
    EXPECT_EQ(c->Visible(), series) << c->Name();
  }
  for (ui::ScrollBar* bar : {k.ScrollBarHole, k.ScrollBarTop, k.ScrollBarMagni, k.ScrollBarCentreX,
                             k.ScrollBarCentreY}) {
    EXPECT_EQ(bar->Width(), series ? 153 : 217) << bar->Name();
  }
  for (ui::ValueBox* box : {k.Hole, k.Align, k.Size, k.xcent, k.ycent}) {
    EXPECT_EQ(box->Left(), series ? 844 : 888) << box->Name();
  }
}

TEST_F(RepeatPanel, SeriesLayoutShowsStepsAndKeepsThemBetweenCounts) {
  ExpectLayout(korva, false);
  korva.ScrollBarReps->UserArrow(+1);
  EXPECT_EQ(korva.design.RepeatCount, 2);
  EXPECT_EQ(korva.reps->Text(), "2");
  ExpectLayout(korva, true);
  EXPECT_EQ(korva.topspin->Value(), 0);

  Spin(korva.topspin, 100);
  EXPECT_EQ(korva.steps.TopStep, 100);
  Drag(korva.ScrollBarReps, 7);
  EXPECT_EQ(korva.steps.TopStep, 100);
  EXPECT_EQ(korva.topspin->Value(), 100);

  Spin(korva.SpinBlue, -3);
  Spin(korva.xspin, 2);
  Drag(korva.ScrollBarReps, 1);
  ExpectLayout(korva, false);
  EXPECT_EQ(korva.steps.TopStep, 0);
  EXPECT_EQ(korva.steps.BlueStep, 0);
  EXPECT_EQ(korva.steps.CentreXStep, 0);
  EXPECT_EQ(korva.topspin->Value(), 0);
}

TEST_F(RepeatPanel, ResetToOneAndTheTrackStayWithinTheRange) {
  Click(korva.RepeatReset1);
  EXPECT_EQ(korva.reps->Text(), "1");
  ExpectLayout(korva, false);

  korva.ScrollBarReps->UserTrack(+1);
  EXPECT_EQ(korva.design.RepeatCount, 11);
  Spin(korva.holespin, 5);
  Click(korva.RepeatReset1);
  EXPECT_EQ(korva.design.RepeatCount, 1);
  EXPECT_EQ(korva.steps.HoleStep, 0);
  ExpectLayout(korva, false);

  korva.ScrollBarReps->UserEnd();
  korva.ScrollBarReps->UserTrack(+1);
  EXPECT_EQ(korva.design.RepeatCount, 200);
}

TEST_F(RepeatPanel, StepBoxesStopAtTheirLimitsAndZeroAllClearsTheirGroup) {
  Drag(korva.ScrollBarReps, 3);
  Spin(korva.SpinRed, 130);
  EXPECT_EQ(korva.steps.RedStep, 128);
  Spin(korva.SpinGreen, -200);
  EXPECT_EQ(korva.steps.GreenStep, -128);
  Spin(korva.holespin, 2);
  Spin(korva.sizespin, -2);
  Spin(korva.yspin, 4);

  Click(korva.ZeroColStep);
  EXPECT_EQ(korva.steps.RedStep, 0);
  EXPECT_EQ(korva.steps.GreenStep, 0);
  EXPECT_EQ(korva.steps.HoleStep, 2);
  Click(korva.ZeroPosStep);
  EXPECT_EQ(korva.steps.HoleStep, 0);
  EXPECT_EQ(korva.steps.SizeStep, 0);
  EXPECT_EQ(korva.steps.CentreYStep, 4);
  Click(korva.ZeroCentStep);
  EXPECT_EQ(korva.steps.CentreYStep, 0);
}

TEST_F(RepeatPanel, LineWidthAppliesToLaterPatternsOnly) {
  Click(korva.Draw);
  const QImage thin = Picture();
  Spin(korva.Linesize, 3);
  EXPECT_EQ(korva.Linesize->Value(), 4);
  EXPECT_EQ(Picture(), thin);
  Spin(korva.Linesize, 5);
  EXPECT_EQ(korva.Linesize->Value(), 5);
  Click(korva.Draw);
  EXPECT_NE(Picture(), thin);
  // The thick pen covers pixels beside the thin line's first pixel.
  EXPECT_EQ(korva.DrawingArea().PixelAt(320, 60), kBlack);
}

}  // namespace
