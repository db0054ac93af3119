#include <gtest/gtest.h>

#include <limits>

#include "core/run_time_error.h"
#include "engine/placement.h"
#include "engine/print_colour.h"
#include "engine/series.h"

using namespace engine;

namespace {

Colour Rgb(int r, int g, int b) {
  return b * 65536 + g * 256 + r;
}

TEST(Placement, RoundHalfEven) {
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L + 0x1p-62L), 3);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(-1.5L), -2);
  EXPECT_EQ(RoundHalfEven(-(0.5L + 0x1p-64L)), -1);
  EXPECT_EQ(RoundHalfEven(1012.4999L), 1012);
  EXPECT_EQ(RoundHalfEven(2147483647.49L), INT32_MAX);
  EXPECT_EQ(RoundHalfEven(-2147483648.5L), INT32_MIN);
  for (long double v :
       {2147483647.5L, -2147483648.6L, 1e30L, std::numeric_limits<long double>::quiet_NaN()}) {
    EXPECT_THROW(RoundHalfEven(v), RunTimeError) << static_cast<double>(v);
  }
}

TEST(Placement, ExternalDefaults) {
  EXPECT_EQ(ExternalDesignSize(96, 60), 889);
  EXPECT_EQ(ExternalPenHole(96, 60), 510);
  EXPECT_EQ(ExternalDesignSize(20, 60), 286);
  EXPECT_EQ(ExternalPenHole(20, 60), 576);    // 624 capped at 9.6 x 60
  EXPECT_EQ(ExternalPenHole(8, 5), 42);       // 42.5 to even
  EXPECT_EQ(ExternalDesignSize(2, 159), 12);  // 12.5 to even
  // The extended quotients lie a hair above the half.
  EXPECT_EQ(ExternalDesignSize(162, 79), 1013);
  EXPECT_EQ(ExternalPenHole(40, 55), 501);
  EXPECT_EQ(ExternalDesignSize(50, 120), 345);
  try {
    ExternalDesignSize(1, 0x40000000);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), errors::kIntegerOverflow);
  }
  EXPECT_THROW(ExternalPenHole(0, 5), RunTimeError);
}

DesignState State(int32_t top, int32_t hole, int32_t size, int32_t x, int32_t y) {
  DesignState s;
  s.TopOfDesign = top;
  s.PenHole = hole;
  s.DesignSize = size;
  s.CentreX = x;
  s.CentreY = y;
  return s;
}

RepeatSteps Steps(int32_t top, int32_t hole, int32_t size, int32_t x, int32_t y) {
  RepeatSteps s;
  s.TopStep = top;
  s.HoleStep = hole;
  s.SizeStep = size;
  s.CentreXStep = x;
  s.CentreYStep = y;
  return s;
}

TEST(Series, LimitsOnTheSteppedValues) {
  const DesignState initial = State(0, 480, 1000, 0, 0);
  EXPECT_FALSE(SeriesLimitReached(initial, RepeatSteps{}));
  struct Case {
    DesignState state;
    RepeatSteps steps;
    bool reached;
  };
  const Case cases[] = {
      {State(35900, 480, 1000, 0, 0), Steps(100, 0, 0, 0, 0), false},  // 36000 allowed
      {State(35950, 480, 1000, 0, 0), Steps(100, 0, 0, 0, 0), true},
      {State(-35950, 480, 1000, 0, 0), Steps(-100, 0, 0, 0, 0), true},
      {State(-35900, 480, 1000, 0, 0), Steps(-100, 0, 0, 0, 0), false},
      {State(0, 1900, 1000, 0, 0), Steps(0, 100, 0, 0, 0), false},  // 2000 allowed
      {State(0, 2000, 1000, 0, 0), Steps(0, 100, 0, 0, 0), true},
      {State(0, 100, 1000, 0, 0), Steps(0, -100, 0, 0, 0), false},  // 0 allowed
      {State(0, 100, 1000, 0, 0), Steps(0, -101, 0, 0, 0), true},
      {State(0, 480, 1900, 0, 0), Steps(0, 0, 100, 0, 0), false},
      {State(0, 480, 1950, 0, 0), Steps(0, 0, 100, 0, 0), true},
      {State(0, 480, 200, 0, 0), Steps(0, 0, -100, 0, 0), false},
      {State(0, 480, 100, 0, 0), Steps(0, 0, -100, 0, 0), true},  // 0 below 1
      {State(0, 480, 1000, 3000, 0), Steps(0, 0, 0, 200, 0), false},
      {State(0, 480, 1000, 3100, 0), Steps(0, 0, 0, 200, 0), true},
      {State(0, 480, 1000, -3100, 0), Steps(0, 0, 0, -200, 0), true},
      {State(0, 480, 1000, 0, -3000), Steps(0, 0, 0, 0, -200), false},
      {State(0, 480, 1000, 0, 3100), Steps(0, 0, 0, 0, 101), true},
      {State(0, 480, 1000, 0, -3100), Steps(0, 0, 0, 0, -101), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SeriesLimitReached(c.state, c.steps), c.reached)
        << c.state.TopOfDesign << " " << c.state.PenHole << " " << c.state.DesignSize << " "
        << c.state.CentreX << " " << c.state.CentreY;
  }
  // The sums are overflow-checked, in the order of the checks: the top's
  // overflow comes before a hole that is already out of bounds.
  try {
    SeriesLimitReached(State(INT32_MAX, 5000, 1000, 0, 0), Steps(1, 0, 0, 0, 0));
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), errors::kIntegerOverflow);
  }
  EXPECT_TRUE(SeriesLimitReached(State(40000, INT32_MAX, 1000, 0, 0), Steps(0, 1, 0, 0, 0)));
}

TEST(Series, ApplyAddsEveryStep) {
  DesignState s = State(100, 480, 1000, -5, 7);
  s.FixedTeeth = 50;
  ApplySeriesSteps(s, Steps(100, 400, -100, 10, -20));
  EXPECT_EQ(s.TopOfDesign, 200);
  EXPECT_EQ(s.PenHole, 880);
  EXPECT_EQ(s.DesignSize, 900);
  EXPECT_EQ(s.CentreX, 5);
  EXPECT_EQ(s.CentreY, -13);
  EXPECT_EQ(s.FixedTeeth, 50);
  DesignState big = State(0, INT32_MAX, 1000, 0, 0);
  EXPECT_THROW(ApplySeriesSteps(big, Steps(0, 1, 0, 0, 0)), RunTimeError);
}

TEST(Series, ColourStepWrapsEachComponent) {
  RepeatSteps red;
  red.RedStep = 1;
  EXPECT_EQ(StepColour(0x0000FF, red), 0x000000);
  red.RedStep = -128;
  EXPECT_EQ(StepColour(0x000000, red), Rgb(128, 0, 0));
  RepeatSteps mixed;
  mixed.RedStep = 10;
  mixed.GreenStep = -10;
  mixed.BlueStep = 128;
  EXPECT_EQ(StepColour(0x808080, mixed), Rgb(138, 118, 0));
  RepeatSteps each;
  each.RedStep = -1;
  each.GreenStep = 2;
  each.BlueStep = -3;
  EXPECT_EQ(StepColour(Rgb(0, 255, 1), each), Rgb(255, 1, 254));
  EXPECT_EQ(StepColour(Rgb(10, 20, 30), RepeatSteps{}), Rgb(10, 20, 30));
  // Colour values from a file may be out of 0..0xFFFFFF: the components
  // come from truncating division, and one correction of 256 is made.
  EXPECT_EQ(StepColour(-1, RepeatSteps{}), 255);
  EXPECT_EQ(StepColour(0x01000000, RepeatSteps{}), 0);  // blue 256 wraps to 0
}

TEST(PrintColour, SevenColourReduction) {
  EXPECT_EQ(SevenColourReduction(Rgb(0, 0, 0)), kBlack);
  EXPECT_EQ(SevenColourReduction(Rgb(255, 255, 255)), kBlack);
  EXPECT_EQ(SevenColourReduction(Rgb(128, 128, 128)), kBlack);
  EXPECT_EQ(SevenColourReduction(Rgb(200, 0, 0)), 0x0000FF);
  EXPECT_EQ(SevenColourReduction(Rgb(10, 20, 30)), 0xFF0000);
  EXPECT_EQ(SevenColourReduction(Rgb(200, 200, 100)), 0x00FFFF);
  EXPECT_EQ(SevenColourReduction(Rgb(100, 200, 200)), 0xFFFF00);
  EXPECT_EQ(SevenColourReduction(Rgb(200, 100, 200)), 0xFF00FF);
  EXPECT_EQ(SevenColourReduction(Rgb(0, 255, 0)), 0x00FF00);
  // Blue takes every bit above the green byte.
  EXPECT_EQ(SevenColourReduction(0x01000000), 0xFF0000);
  // Negative values: the remainders take the sign of the dividend.
  EXPECT_EQ(SevenColourReduction(-1), 0xFFFF00);
}

TEST(PrintColour, ModeChoosesThePen) {
  EXPECT_EQ(PrinterPenColour(kWhite, true, true), kBlack);
  EXPECT_EQ(PrinterPenColour(Rgb(200, 0, 0), true, false), kBlack);
  EXPECT_EQ(PrinterPenColour(kWhite, false, true), kWhite);
  EXPECT_EQ(PrinterPenColour(Rgb(10, 20, 30), false, true), Rgb(10, 20, 30));
  EXPECT_EQ(PrinterPenColour(kWhite, false, false), kBlack);
  EXPECT_EQ(PrinterPenColour(Rgb(10, 20, 30), false, false), 0xFF0000);
}

}  // namespace
