// The gear group and the pen, top, size, centre and step controls, driven
// through their scroll bars, buttons and mode buttons.
#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

using GearPanel = WindowTest;

TEST_F(GearPanel, StartsWithTheInitialDesignShown) {
  EXPECT_EQ(korva.form().Caption(), "Korva  Version 4.2");
  EXPECT_EQ(korva.ScrollBarHole->Min(), 0);
  EXPECT_EQ(korva.ScrollBarHole->Max(), 1200);
  EXPECT_EQ(korva.ScrollBarHole->Position(), 480);
  EXPECT_EQ(korva.Points->Text(), "8");
  EXPECT_TRUE(korva.rb_internal->Checked());
  EXPECT_FALSE(korva.rb_external->Checked());
  EXPECT_FALSE(korva.undo->Enabled());
  EXPECT_EQ(korva.derived.TraceSpanDeg, 2880);
  for (const char* hidden : {"holespin", "SpinRed", "ZeroPosStep", "repstep", "Load", "Pfac",
                             "ScrollBarPrintFac", "BackColor", "LabelColour"}) {
    EXPECT_FALSE(korva.form().Find(hidden)->Visible()) << hidden;
  }
  EXPECT_TRUE(korva.FullColour1->Checked());
  EXPECT_TRUE(korva.N6001->Checked());
  EXPECT_EQ(korva.CanvasColour(), kWhite);
  EXPECT_EQ(korva.PenColour(), kBlack);
  EXPECT_EQ(korva.DrawingArea().PixelAt(0, 0), kWhite);
  EXPECT_EQ(korva.DrawingArea().PixelAt(639, 639), kWhite);
}

TEST_F(GearPanel, MovingGearDraggedOntoTheFixedGearSnapsBackInInternalMode) {
  Drag(korva.ScrollBarMoving, 96);
  EXPECT_EQ(korva.Moving->Text(), "95");
  EXPECT_EQ(korva.ScrollBarMoving->Position(), 95);
  EXPECT_EQ(korva.design.MovingTeeth, 95);
  EXPECT_EQ(korva.design.PenHole, 760);
  EXPECT_EQ(korva.Hole->Text(), "760");
  EXPECT_EQ(korva.design.DesignSize, 1000);
  EXPECT_EQ(korva.Points->Text(), "96");
  EXPECT_EQ(korva.ScrollBarHole->Max(), 1900);
}

TEST_F(GearPanel, FixedGearDraggedBelowTheMovingGearShrinksIt) {
  Drag(korva.ScrollBarFixed, 50);
  EXPECT_EQ(korva.design.FixedTeeth, 50);
  EXPECT_EQ(korva.design.MovingTeeth, 49);
  EXPECT_EQ(korva.Moving->Text(), "49");
  EXPECT_EQ(korva.design.PenHole, 392);
  EXPECT_EQ(korva.ScrollBarHole->Position(), 392);
  EXPECT_EQ(korva.design.DesignSize, 1000);
  EXPECT_EQ(korva.Points->Text(), "50");
}

TEST_F(GearPanel, LargerFixedGearInInternalModeKeepsPenAndSize) {
  Drag(korva.ScrollBarFixed, 100);
  EXPECT_EQ(korva.design.FixedTeeth, 100);
  EXPECT_EQ(korva.design.MovingTeeth, 60);
  EXPECT_EQ(korva.design.PenHole, 480);
  EXPECT_EQ(korva.design.DesignSize, 1000);
  EXPECT_EQ(korva.Points->Text(), "5");
  EXPECT_EQ(korva.derived.TraceSpanDeg, 1800);  // lcm(360 * 5, 5)
}

TEST_F(GearPanel, ExternalPlacementRoundsExactly) {
  Click(korva.rb_external);
  EXPECT_EQ(korva.design.GearMode, 1);
  EXPECT_EQ(korva.design.DesignSize, 889);
  EXPECT_EQ(korva.Size->Text(), "889");
  EXPECT_EQ(korva.ScrollBarMagni->Position(), 889);
  EXPECT_EQ(korva.design.PenHole, 510);
  EXPECT_EQ(korva.Hole->Text(), "510");

  Drag(korva.ScrollBarFixed, 20);  // moving 60 stays: external mode allows it
  EXPECT_EQ(korva.design.MovingTeeth, 60);
  EXPECT_EQ(korva.design.DesignSize, 286);
  EXPECT_EQ(korva.design.PenHole, 576);  // 624 capped at 9.6 x 60

  Drag(korva.ScrollBarMoving, 5);
  Drag(korva.ScrollBarFixed, 8);
  EXPECT_EQ(korva.design.PenHole, 42);  // 42.5 to the even neighbour

  Drag(korva.ScrollBarFixed, 40);
  Drag(korva.ScrollBarMoving, 55);
  EXPECT_EQ(korva.design.PenHole, 501);
}

TEST_F(GearPanel, SwitchingBackToInternalPlacesPenAndSizeAgain) {
  Click(korva.rb_external);
  Click(korva.rb_internal);
  EXPECT_EQ(korva.design.GearMode, 0);
  EXPECT_EQ(korva.design.DesignSize, 1000);
  EXPECT_EQ(korva.design.PenHole, 480);
  EXPECT_EQ(korva.Hole->Text(), "480");

  // Clicking the checked button changes nothing.
  Drag(korva.ScrollBarHole, 300);
  Click(korva.rb_internal);
  EXPECT_EQ(korva.design.PenHole, 300);
}

TEST_F(GearPanel, InternalAfterALargeExternalMovingGearShrinksIt) {
  Click(korva.rb_external);
  Drag(korva.ScrollBarFixed, 50);
  Drag(korva.ScrollBarMoving, 120);
  EXPECT_EQ(korva.design.MovingTeeth, 120);
  Click(korva.rb_internal);
  EXPECT_EQ(korva.design.MovingTeeth, 49);
  EXPECT_EQ(korva.Moving->Text(), "49");
  EXPECT_EQ(korva.ScrollBarMoving->Position(), 49);
  EXPECT_EQ(korva.design.PenHole, 392);
  EXPECT_EQ(korva.design.DesignSize, 1000);
}

TEST_F(GearPanel, SmallerMovingGearLimitsThePenHoleBeforePlacingIt) {
  Drag(korva.ScrollBarHole, 1000);
  EXPECT_EQ(korva.design.PenHole, 1000);
  Drag(korva.ScrollBarMoving, 30);
  EXPECT_EQ(korva.design.PenHole, 240);
  EXPECT_EQ(korva.ScrollBarHole->Max(), 600);
  EXPECT_EQ(korva.ScrollBarHole->Position(), 240);
  EXPECT_EQ(korva.Points->Text(), "16");
  korva.ScrollBarHole->UserEnd();
  EXPECT_EQ(korva.design.PenHole, 600);
}

TEST_F(GearPanel, BarsMoveByArrowTrackDragAndKeys) {
  korva.ScrollBarHole->UserArrow(+1);
  EXPECT_EQ(korva.Hole->Text(), "481");
  EXPECT_EQ(korva.design.PenHole, 481);
  korva.ScrollBarHole->UserTrack(+1);
  EXPECT_EQ(korva.design.PenHole, 491);
  korva.ScrollBarTop->UserTrack(-1);
  EXPECT_EQ(korva.design.TopOfDesign, -10);
  korva.ScrollBarCentreX->UserHome();
  EXPECT_EQ(korva.design.CentreX, -3200);
  korva.ScrollBarCentreY->UserEnd();
  EXPECT_EQ(korva.design.CentreY, 3200);
  EXPECT_EQ(korva.ycent->Text(), "3200");
  korva.ScrollBarMagni->UserEnd();
  korva.ScrollBarMagni->UserArrow(+1);  // already at its end
  EXPECT_EQ(korva.design.DesignSize, 2000);
}

TEST_F(GearPanel, DefaultButtonsRestorePlacementAndCentre) {
  Drag(korva.ScrollBarHole, 100);
  Drag(korva.ScrollBarTop, 250);
  Drag(korva.ScrollBarMagni, 300);
  Drag(korva.ScrollBarCentreX, 55);
  Drag(korva.ScrollBarCentreY, -77);
  Click(korva.default_pos);
  EXPECT_EQ(korva.design.PenHole, 480);
  EXPECT_EQ(korva.design.DesignSize, 1000);
  EXPECT_EQ(korva.design.TopOfDesign, 0);
  EXPECT_EQ(korva.Align->Text(), "0");
  EXPECT_EQ(korva.design.CentreX, 55);
  Click(korva.default_centre);
  EXPECT_EQ(korva.design.CentreX, 0);
  EXPECT_EQ(korva.design.CentreY, 0);
  EXPECT_EQ(korva.xcent->Text(), "0");
  EXPECT_EQ(korva.ScrollBarCentreY->Position(), 0);

  Click(korva.rb_external);
  Drag(korva.ScrollBarHole, 100);
  Click(korva.default_pos);
  EXPECT_EQ(korva.design.PenHole, 510);
  EXPECT_EQ(korva.design.DesignSize, 889);
}

TEST_F(GearPanel, QuickStepButtonsAndTheSpan) {
  Click(korva.DrawStep10Deg);
  EXPECT_EQ(korva.design.StepDeg, 10);
  EXPECT_EQ(korva.Stepdeg->Text(), "10");
  EXPECT_EQ(korva.ScrollBarStepFine->Position(), 10);
  EXPECT_EQ(korva.derived.TraceSpanDeg, 2880);
  Drag(korva.ScrollBarStepFine, 7);
  EXPECT_EQ(korva.derived.TraceSpanDeg, 20160);
  Click(korva.DrawStep1Deg);
  EXPECT_EQ(korva.derived.TraceSpanDeg, 2880);
  Click(korva.DrawStep1Deg);
  EXPECT_EQ(korva.design.StepDeg, 1);
}

TEST_F(GearPanel, TracedValuesBeyondABarAreStoredAsTheBarHandlersLeaveThem) {
  // A pen hole beyond 20 x moving is limited by the hole box; the record keeps it.
  PatternRecord p = CurrentDesign();
  p.PenHole = 1500;
  korva.TracePattern(p);
  EXPECT_EQ(korva.design.PenHole, 1200);
  EXPECT_EQ(korva.Hole->Text(), "1200");
  EXPECT_EQ(korva.ScrollBarHole->Position(), 1200);
  EXPECT_EQ(korva.history.Entry(1).PenHole, 1500);

  // A size beyond the bar: stored, then the bar's move stores its end.
  Drag(korva.ScrollBarMagni, 1500);
  p = CurrentDesign();
  p.DesignSize = 2500;
  korva.TracePattern(p);
  EXPECT_EQ(korva.design.DesignSize, 2000);
  EXPECT_EQ(korva.Size->Text(), "2000");
  // With the bar already at its end nothing moves, so 2500 stays.
  korva.TracePattern(p);
  EXPECT_EQ(korva.design.DesignSize, 2500);
  EXPECT_EQ(korva.Size->Text(), "2500");
}

}  // namespace
