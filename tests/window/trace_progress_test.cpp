// The progress note of a command that traces: patterns as the user counts
// them, and the time left from segments, at a time the test sets.
#include "window/trace_progress.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr long double kEndless = std::numeric_limits<long double>::infinity();

void Draw(TraceProgress& progress, long double estimate, int segments) {
  progress.BeginTrace(estimate);
  progress.Segments(segments);
}

TEST(TraceProgress, AMirrorBelongsToItsPattern) {
  TraceProgress progress;
  progress.Expect({1000, 1000}, 2);
  Draw(progress, 1000, 1000);
  EXPECT_EQ(progress.Text(4.0), "Pattern 1 of 1 - 50 % - about 4 s left - Esc stops");
  Draw(progress, 1000, 500);
  EXPECT_EQ(progress.Text(6.0), "Pattern 1 of 1 - 75 % - about 2 s left - Esc stops");

  // A reflected series of 3: traces 3 and 4 are pattern 2.
  TraceProgress three;
  three.Expect(std::vector<long double>(6, 100), 2);
  Draw(three, 100, 100);
  Draw(three, 100, 100);
  Draw(three, 100, 1);
  EXPECT_EQ(three.Text(1.0).substr(0, 17), "Pattern 2 of 3 - ");
}

TEST(TraceProgress, TimeLeftScalesTheTimeTakenBySegmentsLeftOverSegmentsDrawn) {
  // A small pattern before a large one: a tenth of the work is done.
  TraceProgress progress;
  progress.Expect({100, 900});
  Draw(progress, 100, 100);
  EXPECT_EQ(progress.Text(1.0), "Pattern 1 of 2 - 10 % - about 9 s left - Esc stops");
  // The trace under way counts with its own estimate.
  Draw(progress, 1900, 100);
  EXPECT_EQ(progress.Text(2.0), "Pattern 2 of 2 - 10 % - about 18 s left - Esc stops");
  // A trace longer than its estimate has nothing more left.
  progress.Segments(1900);
  EXPECT_EQ(progress.Text(5.0), "Pattern 2 of 2 - 100 % - about 0 s left - Esc stops");
}

TEST(TraceProgress, ALongSeriesShowsTimeLeftFromTheFirstSegments) {
  TraceProgress progress;
  progress.Expect(std::vector<long double>(200, 1000));
  EXPECT_EQ(progress.Text(0.0), "Pattern 1 of 200 - 0 % - Esc stops");
  Draw(progress, 1000, 500);
  EXPECT_EQ(progress.Text(3.0), "Pattern 1 of 200 - 0 % - about 1197 s left - Esc stops");
}

TEST(TraceProgress, OnePatternIsNotNumbered) {
  TraceProgress progress;
  progress.Expect({400});
  Draw(progress, 400, 100);
  EXPECT_EQ(progress.Text(0.5), "25 % - about 2 s left - Esc stops");
  // An endless or empty estimate counts as one segment.
  TraceProgress endless;
  endless.Expect({kEndless});
  Draw(endless, kEndless, 1);
  EXPECT_EQ(endless.Text(1.0), "100 % - about 0 s left - Esc stops");
}

}  // namespace
