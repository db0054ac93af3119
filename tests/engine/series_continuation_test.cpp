#include "engine/series_continuation.h"

#include <gtest/gtest.h>

#include "engine/plain_panel.h"
#include "engine/series.h"

using namespace engine;

namespace {

// A Draw series on plain controls, each pattern shown on the panel as the
// window shows it; returns the panel as the series leaves it.
PanelValues AfterSeries(DesignState& design, const RepeatSteps& steps, bool reflect) {
  PlainPanel panel(PanelShowing(design, kBlack), design, DerivedOrDefault(design));
  int32_t startTop = 0;
  DrawSeries(panel.Rules(), steps, reflect, 1, startTop, [&](const DrawnPattern& p) {
    panel.Rules().ShowPattern(p.record);
    panel.Rules().ShowMode(p.record.GearMode);
    return true;
  });
  design = panel.Design();
  return panel.Values();
}

TEST(SeriesContinuation, NothingToSayWhileThePanelShowsTheNextDraw) {
  DesignState d;
  EXPECT_EQ(SeriesContinuationNote(d, PanelShowing(d, kBlack)), "");
  // A series without steps ends where it began.
  d.RepeatCount = 5;
  const PanelValues shown = AfterSeries(d, {}, false);
  EXPECT_EQ(SeriesContinuationNote(d, shown), "");
  // Reflected, a pattern at the starting top is its own mirror.
  EXPECT_EQ(SeriesContinuationNote(d, AfterSeries(d, {}, true)), "");
}

TEST(SeriesContinuation, NamesOnlyTheSteppedValuesThatDiffer) {
  DesignState d;
  d.RepeatCount = 12;
  RepeatSteps steps;
  steps.TopStep = 10;
  steps.SizeStep = -10;
  const PanelValues shown = AfterSeries(d, steps, false);
  // The panel shows pattern 12 (top 110, size 890); the next Draw goes on.
  EXPECT_EQ(shown.topText, "110");
  EXPECT_EQ(SeriesContinuationNote(d, shown), "Next Draw continues the series: top 120, size 880");

  // Every stepped value, in the panel's order.
  DesignState all;
  all.RepeatCount = 2;
  RepeatSteps every;
  every.HoleStep = 5;
  every.TopStep = 1;
  every.SizeStep = 2;
  every.CentreXStep = -3;
  every.CentreYStep = 4;
  const PanelValues shownAll = AfterSeries(all, every, false);
  EXPECT_EQ(SeriesContinuationNote(all, shownAll),
            "Next Draw continues the series: pen position 490, top 2, size 1004, centre X -6, "
            "centre Y 8");
  // A value the user puts back on the panel is no longer named.
  PanelValues moved = shownAll;
  moved.topText = std::string("2");
  moved.centreYText = std::string("8");
  EXPECT_EQ(SeriesContinuationNote(all, moved),
            "Next Draw continues the series: pen position 490, size 1004, centre X -6");
}

TEST(SeriesContinuation, AReflectedSeriesGoesOnFromThePatternNotItsMirror) {
  DesignState d;
  d.RepeatCount = 3;
  RepeatSteps steps;
  steps.TopStep = 40;
  const PanelValues shown = AfterSeries(d, steps, true);
  // The last mirror is at -80; the pattern it mirrors at 80.
  EXPECT_EQ(shown.topText, "-80");
  EXPECT_EQ(SeriesContinuationNote(d, shown), "Next Draw continues the series: top 120");

  // At the series limit nothing more is stepped, yet the top goes back from
  // the mirror's (-40) to the pattern's own.
  DesignState limit;
  limit.RepeatCount = 3;
  RepeatSteps toLimit;
  toLimit.TopStep = 40;
  toLimit.SizeStep = 1000;
  const PanelValues shownAtLimit = AfterSeries(limit, toLimit, true);
  EXPECT_EQ(shownAtLimit.topText, "-40");
  EXPECT_EQ(SeriesContinuationNote(limit, shownAtLimit), "Next Draw continues the series: top 40");
}

}  // namespace
