// The gear group and the pen, top, size, centre and step controls, driven
// through their scroll bars, buttons and mode buttons.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using GearPanel = WindowTest;

TEST_F(GearPanel, StartsWithTheInitialDesignShown) {
  EXPECT_EQ(window.form().Caption(), "Korva  Version 4.2");
  EXPECT_EQ(bar("ScrollBarHole")->Min(), 0);
  EXPECT_EQ(bar("ScrollBarHole")->Max(), 1200);
  EXPECT_EQ(bar("ScrollBarHole")->Position(), 480);
  EXPECT_EQ(box("Points")->Text(), "8");
  EXPECT_TRUE(radio("rb_internal")->Checked());
  EXPECT_FALSE(radio("rb_external")->Checked());
  EXPECT_FALSE(button("undo")->Enabled());
  EXPECT_EQ(window.derived().TraceSpanDeg, 2880);
  for (const char* hidden : {"holespin", "SpinRed", "ZeroPosStep", "repstep", "Load", "Pfac",
                             "ScrollBarPrintFac", "BackColor", "LabelColour"}) {
    EXPECT_FALSE(window.form().Find(hidden)->Visible()) << hidden;
  }
  EXPECT_TRUE(menuItem("FullColour1")->Checked());
  EXPECT_TRUE(menuItem("N6001")->Checked());
  EXPECT_EQ(window.canvasColour(), kWhite);
  EXPECT_EQ(window.penColour(), kBlack);
  EXPECT_EQ(window.picture().PixelAt(0, 0), kWhite);
  EXPECT_EQ(window.picture().PixelAt(639, 639), kWhite);
}

TEST_F(GearPanel, MovingGearDraggedOntoTheFixedGearSnapsBackInInternalMode) {
  Drag(bar("ScrollBarMoving"), 96);
  EXPECT_EQ(box("Moving")->Text(), "95");
  EXPECT_EQ(bar("ScrollBarMoving")->Position(), 95);
  EXPECT_EQ(window.design().MovingTeeth, 95);
  EXPECT_EQ(window.design().PenHole, 760);
  EXPECT_EQ(box("Hole")->Text(), "760");
  EXPECT_EQ(window.design().DesignSize, 1000);
  EXPECT_EQ(box("Points")->Text(), "96");
  EXPECT_EQ(bar("ScrollBarHole")->Max(), 1900);
}

TEST_F(GearPanel, FixedGearDraggedBelowTheMovingGearShrinksIt) {
  Drag(bar("ScrollBarFixed"), 50);
  EXPECT_EQ(window.design().FixedTeeth, 50);
  EXPECT_EQ(window.design().MovingTeeth, 49);
  EXPECT_EQ(box("Moving")->Text(), "49");
  EXPECT_EQ(window.design().PenHole, 392);
  EXPECT_EQ(bar("ScrollBarHole")->Position(), 392);
  EXPECT_EQ(window.design().DesignSize, 1000);
  EXPECT_EQ(box("Points")->Text(), "50");
}

TEST_F(GearPanel, LargerFixedGearInInternalModeKeepsPenAndSize) {
  Drag(bar("ScrollBarFixed"), 100);
  EXPECT_EQ(window.design().FixedTeeth, 100);
  EXPECT_EQ(window.design().MovingTeeth, 60);
  EXPECT_EQ(window.design().PenHole, 480);
  EXPECT_EQ(window.design().DesignSize, 1000);
  EXPECT_EQ(box("Points")->Text(), "5");
  EXPECT_EQ(window.derived().TraceSpanDeg, 1800);  // lcm(360 * 5, 5)
}

TEST_F(GearPanel, ExternalPlacementRoundsExactly) {
  Click(radio("rb_external"));
  EXPECT_EQ(window.design().GearMode, 1);
  EXPECT_EQ(window.design().DesignSize, 889);
  EXPECT_EQ(box("Size")->Text(), "889");
  EXPECT_EQ(bar("ScrollBarMagni")->Position(), 889);
  EXPECT_EQ(window.design().PenHole, 510);
  EXPECT_EQ(box("Hole")->Text(), "510");

  Drag(bar("ScrollBarFixed"), 20);  // moving 60 stays: external mode allows it
  EXPECT_EQ(window.design().MovingTeeth, 60);
  EXPECT_EQ(window.design().DesignSize, 286);
  EXPECT_EQ(window.design().PenHole, 576);  // 624 capped at 9.6 x 60

  Drag(bar("ScrollBarMoving"), 5);
  Drag(bar("ScrollBarFixed"), 8);
  EXPECT_EQ(window.design().PenHole, 42);  // 42.5 to the even neighbour

  Drag(bar("ScrollBarFixed"), 40);
  Drag(bar("ScrollBarMoving"), 55);
  EXPECT_EQ(window.design().PenHole, 501);
}

TEST_F(GearPanel, SwitchingBackToInternalPlacesPenAndSizeAgain) {
  Click(radio("rb_external"));
  Click(radio("rb_internal"));
  EXPECT_EQ(window.design().GearMode, 0);
  EXPECT_EQ(window.design().DesignSize, 1000);
  EXPECT_EQ(window.design().PenHole, 480);
  EXPECT_EQ(box("Hole")->Text(), "480");

  // Clicking the checked button changes nothing.
  Drag(bar("ScrollBarHole"), 300);
  Click(radio("rb_internal"));
  EXPECT_EQ(window.design().PenHole, 300);
}

TEST_F(GearPanel, InternalAfterALargeExternalMovingGearShrinksIt) {
  Click(radio("rb_external"));
  Drag(bar("ScrollBarFixed"), 50);
  Drag(bar("ScrollBarMoving"), 120);
  EXPECT_EQ(window.design().MovingTeeth, 120);
  Click(radio("rb_internal"));
  EXPECT_EQ(window.design().MovingTeeth, 49);
  EXPECT_EQ(box("Moving")->Text(), "49");
  EXPECT_EQ(bar("ScrollBarMoving")->Position(), 49);
  EXPECT_EQ(window.design().PenHole, 392);
  EXPECT_EQ(window.design().DesignSize, 1000);
}

TEST_F(GearPanel, SmallerMovingGearLimitsThePenHoleBeforePlacingIt) {
  Drag(bar("ScrollBarHole"), 1000);
  EXPECT_EQ(window.design().PenHole, 1000);
  Drag(bar("ScrollBarMoving"), 30);
  EXPECT_EQ(window.design().PenHole, 240);
  EXPECT_EQ(bar("ScrollBarHole")->Max(), 600);
  EXPECT_EQ(bar("ScrollBarHole")->Position(), 240);
  EXPECT_EQ(box("Points")->Text(), "16");
  bar("ScrollBarHole")->UserEnd();
  EXPECT_EQ(window.design().PenHole, 600);
}

TEST_F(GearPanel, BarsMoveByArrowTrackDragAndKeys) {
  bar("ScrollBarHole")->UserArrow(+1);
  EXPECT_EQ(box("Hole")->Text(), "481");
  EXPECT_EQ(window.design().PenHole, 481);
  bar("ScrollBarHole")->UserTrack(+1);
  EXPECT_EQ(window.design().PenHole, 491);
  bar("ScrollBarTop")->UserTrack(-1);
  EXPECT_EQ(window.design().TopOfDesign, -10);
  bar("ScrollBarCentreX")->UserHome();
  EXPECT_EQ(window.design().CentreX, -3200);
  bar("ScrollBarCentreY")->UserEnd();
  EXPECT_EQ(window.design().CentreY, 3200);
  EXPECT_EQ(box("ycent")->Text(), "3200");
  bar("ScrollBarMagni")->UserEnd();
  bar("ScrollBarMagni")->UserArrow(+1);  // already at its end
  EXPECT_EQ(window.design().DesignSize, 2000);
}

TEST_F(GearPanel, DefaultButtonsRestorePlacementAndCentre) {
  Drag(bar("ScrollBarHole"), 100);
  Drag(bar("ScrollBarTop"), 250);
  Drag(bar("ScrollBarMagni"), 300);
  Drag(bar("ScrollBarCentreX"), 55);
  Drag(bar("ScrollBarCentreY"), -77);
  Click(button("default_pos"));
  EXPECT_EQ(window.design().PenHole, 480);
  EXPECT_EQ(window.design().DesignSize, 1000);
  EXPECT_EQ(window.design().TopOfDesign, 0);
  EXPECT_EQ(box("Align")->Text(), "0");
  EXPECT_EQ(window.design().CentreX, 55);
  Click(button("default_centre"));
  EXPECT_EQ(window.design().CentreX, 0);
  EXPECT_EQ(window.design().CentreY, 0);
  EXPECT_EQ(box("xcent")->Text(), "0");
  EXPECT_EQ(bar("ScrollBarCentreY")->Position(), 0);

  Click(radio("rb_external"));
  Drag(bar("ScrollBarHole"), 100);
  Click(button("default_pos"));
  EXPECT_EQ(window.design().PenHole, 510);
  EXPECT_EQ(window.design().DesignSize, 889);
}

TEST_F(GearPanel, QuickStepButtonsAndTheSpan) {
  Click(button("DrawStep10Deg"));
  EXPECT_EQ(window.design().StepDeg, 10);
  EXPECT_EQ(box("Stepdeg")->Text(), "10");
  EXPECT_EQ(bar("ScrollBarStepFine")->Position(), 10);
  EXPECT_EQ(window.derived().TraceSpanDeg, 2880);
  Drag(bar("ScrollBarStepFine"), 7);
  EXPECT_EQ(window.derived().TraceSpanDeg, 20160);
  Click(button("DrawStep1Deg"));
  EXPECT_EQ(window.derived().TraceSpanDeg, 2880);
  Click(button("DrawStep1Deg"));
  EXPECT_EQ(window.design().StepDeg, 1);
}

TEST_F(GearPanel, TracedValuesBeyondABarAreStoredAsTheBarHandlersLeaveThem) {
  // A pen hole beyond 20 x moving is limited by the hole box; the record keeps it.
  PatternRecord p = CurrentDesign();
  p.PenHole = 1500;
  WindowProbe::TracePattern(window, p);
  EXPECT_EQ(window.design().PenHole, 1200);
  EXPECT_EQ(box("Hole")->Text(), "1200");
  EXPECT_EQ(bar("ScrollBarHole")->Position(), 1200);
  EXPECT_EQ(window.history().Entry(1).PenHole, 1500);

  // A size beyond the bar: stored, then the bar's move stores its end.
  Drag(bar("ScrollBarMagni"), 1500);
  p = CurrentDesign();
  p.DesignSize = 2500;
  WindowProbe::TracePattern(window, p);
  EXPECT_EQ(window.design().DesignSize, 2000);
  EXPECT_EQ(box("Size")->Text(), "2000");
  // With the bar already at its end nothing moves, so 2500 stays.
  WindowProbe::TracePattern(window, p);
  EXPECT_EQ(window.design().DesignSize, 2500);
  EXPECT_EQ(box("Size")->Text(), "2500");
}

}  // namespace
