#include "engine/series_plan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "core/run_time_error.h"
#include "engine/curve.h"

using namespace engine;

namespace {

constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();

// The records a plan holds, in order.
std::vector<PatternRecord> Records(const SeriesPlan& plan) {
  std::vector<PatternRecord> out;
  for (const DrawnPattern& p : plan.patterns) out.push_back(p.record);
  return out;
}

// A Draw from a panel that shows `d`.
SeriesPlan Plan(const DesignState& d, const RepeatSteps& steps, Colour pen, bool reflect,
                int32_t lineWidth, int64_t budget) {
  return PlanSeries(InputsShowing(d, steps, pen, reflect, lineWidth), budget);
}

PatternRecord Record(const DesignState& d, Colour colour, int32_t top) {
  return {colour,    d.FixedTeeth, d.MovingTeeth, d.GearMode, top,
          d.PenHole, d.StepDeg,    d.DesignSize,  d.CentreX,  d.CentreY};
}

TEST(SeriesPlan, OnePatternAsThePanelShowsIt) {
  DesignState d;
  const SeriesPlan plan = Plan(d, {}, 0x123456, false, 3, kNoLimit);
  ASSERT_EQ(plan.patterns.size(), 1u);
  EXPECT_EQ(plan.patterns[0], (DrawnPattern{Record(d, 0x123456, 0), 3}));
  EXPECT_EQ(plan.segments, Curve(Record(d, 0, 0)).EstimatedSegments());
  EXPECT_FALSE(plan.cutShort);
  EXPECT_FALSE(plan.failed);
}

TEST(SeriesPlan, StepsAndColoursAfterEachPattern) {
  DesignState d;
  d.RepeatCount = 3;
  RepeatSteps steps;
  steps.HoleStep = 10;
  steps.TopStep = 20;
  steps.SizeStep = -100;
  steps.CentreXStep = 7;
  steps.CentreYStep = -3;
  steps.RedStep = 100;
  steps.GreenStep = -1;
  steps.BlueStep = 128;
  // Red 128 + 100 = 228, then 328 - 256 = 72; green 0 - 1 + 256 = 255, then
  // 254; blue 200 + 128 - 256 = 72, then 200.
  const SeriesPlan plan = Plan(d, steps, 0xC80080, false, 1, kNoLimit);
  const std::vector<PatternRecord> expected = {
      {0xC80080, 96, 60, 0, 0, 480, 5, 1000, 0, 0},
      {0x48FFE4, 96, 60, 0, 20, 490, 5, 900, 7, -3},
      {0xC8FE48, 96, 60, 0, 40, 500, 5, 800, 14, -6},
  };
  EXPECT_EQ(Records(plan), expected);
  EXPECT_FALSE(plan.cutShort);
  EXPECT_FALSE(plan.failed);
}

TEST(SeriesPlan, ReflectionMirrorsAboutTheStartingTop) {
  DesignState d;
  d.TopOfDesign = 100;
  d.RepeatCount = 3;
  RepeatSteps steps;
  steps.TopStep = 50;
  steps.BlueStep = 1;
  const SeriesPlan plan = Plan(d, steps, 0, true, 2, kNoLimit);
  std::vector<int32_t> tops;
  std::vector<Colour> colours;
  for (const DrawnPattern& p : plan.patterns) {
    tops.push_back(p.record.TopOfDesign);
    colours.push_back(p.record.Colour);
    EXPECT_EQ(p.lineWidth, 2);
  }
  EXPECT_EQ(tops, (std::vector<int32_t>{100, 100, 150, 50, 200, 0}));
  // A mirror keeps its pattern's colour.
  EXPECT_EQ(colours, (std::vector<Colour>{0, 0, 0x10000, 0x10000, 0x20000, 0x20000}));
}

TEST(SeriesPlan, EndsAtTheSeriesLimit) {
  DesignState d;
  d.DesignSize = 1900;
  d.RepeatCount = 10;
  RepeatSteps steps;
  steps.SizeStep = 60;
  // 1960 + 60 passes 2000: no third pattern.
  const SeriesPlan plan = Plan(d, steps, 0, false, 1, kNoLimit);
  ASSERT_EQ(plan.patterns.size(), 2u);
  EXPECT_EQ(plan.patterns[1].record.DesignSize, 1960);
  EXPECT_FALSE(plan.cutShort);
  EXPECT_FALSE(plan.failed);

  // The pen hole's limit is 2000, within 20 x 100 teeth.
  DesignState h;
  h.FixedTeeth = 150;
  h.MovingTeeth = 100;
  h.PenHole = 1990;
  h.RepeatCount = 5;
  RepeatSteps holeSteps;
  holeSteps.HoleStep = 5;
  std::vector<int32_t> holes;
  for (const DrawnPattern& p : Plan(h, holeSteps, 0, true, 1, kNoLimit).patterns)
    holes.push_back(p.record.PenHole);
  EXPECT_EQ(holes, (std::vector<int32_t>{1990, 1990, 1995, 1995, 2000, 2000}));
}

TEST(SeriesPlan, ZeroStepsRepeatTheSamePattern) {
  DesignState d;
  d.RepeatCount = 4;
  const SeriesPlan plan = Plan(d, {}, 0xFF, false, 1, kNoLimit);
  ASSERT_EQ(plan.patterns.size(), 4u);
  for (const DrawnPattern& p : plan.patterns) EXPECT_EQ(p.record, Record(d, 0xFF, 0));
}

TEST(SeriesPlan, NoPatternsForACountBelowOne) {
  DesignState d;
  d.RepeatCount = 0;
  EXPECT_TRUE(Plan(d, {}, 0, true, 1, kNoLimit).patterns.empty());
}

TEST(SeriesPlan, BudgetCutsTheSeriesShort) {
  DesignState d;
  d.RepeatCount = 5;
  const int64_t one = static_cast<int64_t>(Curve(Record(d, 0, 0)).EstimatedSegments());
  ASSERT_EQ(Curve(Record(d, 0, 0)).EstimatedSegments(), static_cast<long double>(one));
  SeriesPlan plan = Plan(d, {}, 0, false, 1, 3 * one - 1);
  EXPECT_EQ(plan.patterns.size(), 2u);
  EXPECT_EQ(plan.segments, 2.0L * one);
  EXPECT_TRUE(plan.cutShort);
  EXPECT_FALSE(plan.failed);

  d.RepeatCount = 2;
  plan = Plan(d, {}, 0, false, 1, 2 * one);
  EXPECT_EQ(plan.patterns.size(), 2u);
  EXPECT_FALSE(plan.cutShort);

  plan = Plan(d, {}, 0, false, 1, 0);
  EXPECT_TRUE(plan.patterns.empty());
  EXPECT_TRUE(plan.cutShort);
}

TEST(SeriesPlan, AnEndlessTraceIsCutShort) {
  // dθ is below half a 40-bit ulp of θ long before the end.
  DesignState d;
  d.FixedTeeth = 200000;
  d.MovingTeeth = 1;
  d.PenHole = 8;
  d.StepDeg = 1;
  const SeriesPlan plan = Plan(d, {}, 0, false, 1, kNoLimit);
  EXPECT_TRUE(plan.patterns.empty());
  EXPECT_TRUE(plan.cutShort);
  EXPECT_FALSE(plan.failed);
}

TEST(SeriesPlan, RunTimeErrorsEndThePlanWhereTheDrawStops) {
  DesignState d;
  d.StepDeg = 0;
  SeriesPlan plan = Plan(d, {}, 0, false, 1, kNoLimit);
  EXPECT_TRUE(plan.failed);
  EXPECT_EQ(plan.error, errors::kDivisionByZero);
  EXPECT_TRUE(plan.patterns.empty());

  // A ring without teeth leaves the moving gear none either, and the pen
  // hole no range.
  d = DesignState{};
  d.FixedTeeth = 0;
  plan = Plan(d, {}, 0, false, 1, kNoLimit);
  EXPECT_TRUE(plan.failed);
  EXPECT_EQ(plan.error, kScrollBarRange);
  EXPECT_TRUE(plan.patterns.empty());

  // Twice the starting top overflows once the first pattern is drawn.
  DesignState top;
  top.TopOfDesign = 2'000'000'000;
  top.RepeatCount = 3;
  plan = Plan(top, {}, 0, true, 1, kNoLimit);
  EXPECT_TRUE(plan.failed);
  EXPECT_EQ(plan.error, errors::kIntegerOverflow);
  EXPECT_EQ(plan.patterns.size(), 1u);

  // The series limit's own sums are checked. (The top box takes any value;
  // the top bar only limits what it shows.)
  DesignState far;
  far.RepeatCount = 3;
  far.TopOfDesign = 2'147'483'000;
  RepeatSteps big;
  big.TopStep = 1000;
  plan = Plan(far, big, 0, false, 1, kNoLimit);
  EXPECT_TRUE(plan.failed);
  EXPECT_EQ(plan.error, errors::kIntegerOverflow);
  EXPECT_EQ(plan.patterns.size(), 1u);
}

TEST(SeriesPlan, RangeCheckInTheTraceEndsThePlan) {
  // s = 150 · 2000000, b = 1 + 100: the first point lies some 3 · 10^10
  // pixels away.
  DesignState d;
  d.FixedTeeth = 2;
  d.MovingTeeth = 1;
  d.DesignSize = 2'000'000'000;
  d.PenHole = 1000;
  d.RepeatCount = 2;
  const SeriesPlan plan = Plan(d, {}, 0, false, 1, kNoLimit);
  EXPECT_TRUE(plan.failed);
  EXPECT_EQ(plan.error, errors::kRangeCheck);
  EXPECT_TRUE(plan.patterns.empty());
}

// What the panel does to a value as it shows a pattern is what the next
// pattern starts from.
TEST(SeriesPlan, ThePanelCorrectsValuesBetweenPatterns) {
  // The hole box limits the pen hole to 20 x 60 = 1200; the step then adds
  // to 1200.
  DesignState d;
  d.RepeatCount = 6;
  RepeatSteps holeSteps;
  holeSteps.HoleStep = 400;
  std::vector<int32_t> holes;
  for (const PatternRecord& r : Records(Plan(d, holeSteps, 0, false, 1, kNoLimit)))
    holes.push_back(r.PenHole);
  EXPECT_EQ(holes, (std::vector<int32_t>{480, 880, 1280, 1600, 1600, 1600}));

  // The top bar stops at 3600. Moving there from 3560 stores 3600; already
  // there, it leaves the box's 3660 in the design.
  d = DesignState{};
  d.TopOfDesign = 3500;
  d.RepeatCount = 5;
  RepeatSteps topSteps;
  topSteps.TopStep = 60;
  std::vector<int32_t> tops;
  for (const PatternRecord& r : Records(Plan(d, topSteps, 0, false, 1, kNoLimit)))
    tops.push_back(r.TopOfDesign);
  EXPECT_EQ(tops, (std::vector<int32_t>{3500, 3560, 3620, 3660, 3720}));
}

TEST(SeriesPlan, AModeButtonThatChangesPlacesThePenAndSize) {
  // A design in mode 2 (from a file) with the panel on External: showing
  // the pattern checks Internal, whose handler puts the pen at 8 x 60 and the
  // size at 1000 for the patterns after it.
  DesignState d;
  d.GearMode = 2;
  d.PenHole = 300;
  d.DesignSize = 700;
  d.RepeatCount = 2;
  DrawInputs inputs = InputsShowing(d, {}, 0, false, 1);
  inputs.panel.internal = false;
  inputs.panel.external = true;
  const std::vector<PatternRecord> records = Records(PlanSeries(inputs, kNoLimit));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], (PatternRecord{0, 96, 60, 2, 0, 300, 5, 700, 0, 0}));
  EXPECT_EQ(records[1], (PatternRecord{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0}));
}

}  // namespace

namespace {

// The progress of a Draw counts on these before it starts.
TEST(SeriesPlan, SeriesSegmentsAreThePlansPatternsEstimates) {
  DesignState d;
  d.RepeatCount = 4;
  RepeatSteps steps;
  steps.TopStep = 30;
  steps.HoleStep = 100;
  steps.SizeStep = -50;
  for (bool reflect : {false, true}) {
    const DrawInputs inputs = InputsShowing(d, steps, 0, reflect, 1);
    const SeriesPlan plan = PlanSeries(inputs, kNoLimit);
    std::vector<long double> expected;
    for (const DrawnPattern& p : plan.patterns)
      expected.push_back(Curve(p.record).EstimatedSegments());
    EXPECT_EQ(expected.size(), reflect ? 8u : 4u);
    EXPECT_EQ(SeriesSegments(inputs), expected);
  }
  // Where the Draw stops with an error, so do they.
  DesignState top;
  top.TopOfDesign = 2'000'000'000;
  top.RepeatCount = 3;
  EXPECT_EQ(SeriesSegments(InputsShowing(top, {}, 0, true, 1)).size(), 1u);
  DesignState noRing;
  noRing.FixedTeeth = 0;
  EXPECT_EQ(EstimatedSegments(Record(noRing, 0, 0)), 1);
}

}  // namespace
