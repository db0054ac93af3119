// The repeat count with its two layouts, the step spin boxes and the line width.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using RepeatPanel = WindowTest;

void ExpectLayout(const ControlsByName& k, bool series) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           k.spin("holespin"), k.spin("topspin"), k.spin("sizespin"), k.spin("xspin"),
           k.spin("yspin"), k.spin("SpinRed"), k.spin("SpinGreen"), k.spin("SpinBlue"),
           k.button("ZeroPosStep"), k.button("ZeroCentStep"), k.button("ZeroColStep"),
           k.label("repstep"), k.label("repstep2"), k.label("LabelColour"), k.label("Label8"),
           k.label("Label9")}) {
    EXPECT_EQ(c->Visible(), series) << c->Name();
  }
  for (ui::ScrollBar* bar : {k.bar("ScrollBarHole"), k.bar("ScrollBarTop"), k.bar("ScrollBarMagni"),
                             k.bar("ScrollBarCentreX"), k.bar("ScrollBarCentreY")}) {
    EXPECT_EQ(bar->Width(), series ? 153 : 217) << bar->Name();
  }
  for (ui::ValueBox* box :
       {k.box("Hole"), k.box("Align"), k.box("Size"), k.box("xcent"), k.box("ycent")}) {
    EXPECT_EQ(box->Left(), series ? 844 : 888) << box->Name();
  }
}

TEST_F(RepeatPanel, SeriesLayoutShowsStepsAndKeepsThemBetweenCounts) {
  ExpectLayout(*this, false);
  bar("ScrollBarReps")->UserArrow(+1);
  EXPECT_EQ(window.design().RepeatCount, 2);
  EXPECT_EQ(box("reps")->Text(), "2");
  ExpectLayout(*this, true);
  EXPECT_EQ(spin("topspin")->Value(), 0);

  Spin(spin("topspin"), 100);
  EXPECT_EQ(window.steps().TopStep, 100);
  Drag(bar("ScrollBarReps"), 7);
  EXPECT_EQ(window.steps().TopStep, 100);
  EXPECT_EQ(spin("topspin")->Value(), 100);

  Spin(spin("SpinBlue"), -3);
  Spin(spin("xspin"), 2);
  Drag(bar("ScrollBarReps"), 1);
  ExpectLayout(*this, false);
  EXPECT_EQ(window.steps().TopStep, 0);
  EXPECT_EQ(window.steps().BlueStep, 0);
  EXPECT_EQ(window.steps().CentreXStep, 0);
  EXPECT_EQ(spin("topspin")->Value(), 0);
}

TEST_F(RepeatPanel, ResetToOneAndTheTrackStayWithinTheRange) {
  Click(button("RepeatReset1"));
  EXPECT_EQ(box("reps")->Text(), "1");
  ExpectLayout(*this, false);

  bar("ScrollBarReps")->UserTrack(+1);
  EXPECT_EQ(window.design().RepeatCount, 11);
  Spin(spin("holespin"), 5);
  Click(button("RepeatReset1"));
  EXPECT_EQ(window.design().RepeatCount, 1);
  EXPECT_EQ(window.steps().HoleStep, 0);
  ExpectLayout(*this, false);

  bar("ScrollBarReps")->UserEnd();
  bar("ScrollBarReps")->UserTrack(+1);
  EXPECT_EQ(window.design().RepeatCount, 200);
}

TEST_F(RepeatPanel, StepBoxesStopAtTheirLimitsAndZeroAllClearsTheirGroup) {
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("SpinRed"), 130);
  EXPECT_EQ(window.steps().RedStep, 128);
  Spin(spin("SpinGreen"), -200);
  EXPECT_EQ(window.steps().GreenStep, -128);
  Spin(spin("holespin"), 2);
  Spin(spin("sizespin"), -2);
  Spin(spin("yspin"), 4);

  Click(button("ZeroColStep"));
  EXPECT_EQ(window.steps().RedStep, 0);
  EXPECT_EQ(window.steps().GreenStep, 0);
  EXPECT_EQ(window.steps().HoleStep, 2);
  Click(button("ZeroPosStep"));
  EXPECT_EQ(window.steps().HoleStep, 0);
  EXPECT_EQ(window.steps().SizeStep, 0);
  EXPECT_EQ(window.steps().CentreYStep, 4);
  Click(button("ZeroCentStep"));
  EXPECT_EQ(window.steps().CentreYStep, 0);
}

TEST_F(RepeatPanel, LineWidthAppliesToLaterPatternsOnly) {
  Click(button("Draw"));
  const QImage thin = Picture();
  Spin(spin("Linesize"), 3);
  EXPECT_EQ(spin("Linesize")->Value(), 4);
  EXPECT_EQ(Picture(), thin);
  Spin(spin("Linesize"), 5);
  EXPECT_EQ(spin("Linesize")->Value(), 5);
  Click(button("Draw"));
  EXPECT_NE(Picture(), thin);
  // The thick pen covers pixels beside the thin line's first pixel.
  EXPECT_EQ(window.picture().PixelAt(320, 60), kBlack);
}

}  // namespace
