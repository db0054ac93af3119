// The smooth render of a trace log: each trace's points kept within the
// budget so that the next render needs no retrace, the same picture whether
// they were kept or not, and on any number of threads.
#include "ui/smooth_render.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/curve.h"

namespace ui {
namespace {

engine::PatternRecord Pattern(int32_t fixed, int32_t colour) {
  return {colour, fixed, 60, 0, 0, 480, 5, 1000, 0, 0};
}

int64_t WholeCurve() {
  const engine::Curve curve(Pattern(97, 0));
  return curve.TraceMapped([](const engine::CurvePoint&) { return 0; }, [](int, int) {});
}

// A whole trace, and one stopped part-way.
TraceLog TwoTraces() {
  return TraceLog(kWhite)
      .With({Pattern(97, 0x0000FF), {}, 0x0000FF, 2, WholeCurve()})
      .With({Pattern(150, 0xFF0000), {}, 0xFF0000, 1, 600});
}

// A device pixel a picture pixel, the picture moved a little.
const SmoothFrame kFrame{700, 650, 1.0, 30, 5, 1.0};

QImage Render(const TraceLog& log, int threads = 2) {
  const std::atomic<bool> cancelled{false};
  return RenderSmooth(log, kFrame, 0xFF808080u, cancelled, threads);
}

// Restores the budget however the test ends.
struct BudgetOf {
  explicit BudgetOf(size_t bytes) : before(PointBudget::SetLimit(bytes)) {}
  ~BudgetOf() { PointBudget::SetLimit(before); }
  size_t before;
};

TEST(SmoothRender, KeepsThePointsSoThatTheNextRenderNeedsNoRetrace) {
  const TraceLog log = TwoTraces();
  const size_t heldBefore = PointBudget::InUse();
  const uint64_t before = SmoothRetraces();
  const QImage first = Render(log);
  EXPECT_EQ(SmoothRetraces(), before + 2);
  const std::vector<const LoggedTrace*> traces = log.Traces();
  ASSERT_TRUE(traces[0]->points->Get());
  // Each as far as it was drawn.
  EXPECT_EQ(traces[0]->points->Get()->Count(), static_cast<size_t>(WholeCurve()) + 1);
  EXPECT_EQ(traces[1]->points->Get()->Count(), 601u);
  ASSERT_GT(WholeCurve(), 5000) << "the first is over the budget of the next test";
  EXPECT_GT(PointBudget::InUse(), heldBefore);

  // A copy of the log shares them.
  const TraceLog copy = log;
  EXPECT_EQ(Render(copy), first);
  EXPECT_EQ(SmoothRetraces(), before + 2);
}

TEST(SmoothRender, RetracesATraceBeyondTheBudgetEachTimeToTheSamePicture) {
  const QImage kept = Render(TwoTraces());
  const BudgetOf budget(PointBudget::InUse() + 2 * 2000 * sizeof(float));
  const TraceLog log = TwoTraces();
  const uint64_t before = SmoothRetraces();
  EXPECT_EQ(Render(log), kept);
  EXPECT_EQ(SmoothRetraces(), before + 2);
  EXPECT_FALSE(log.Traces()[0]->points->Get()) << "over the budget";
  EXPECT_TRUE(log.Traces()[1]->points->Get()) << "within it";
  EXPECT_EQ(Render(log), kept);
  EXPECT_EQ(SmoothRetraces(), before + 3);
}

// A retraced trace is drawn in one band, kept ones in a band a core: between
// two kept traces it still lands over the first and under the second.
TEST(SmoothRender, DrawsKeptAndRetracedTracesInTheirOrder) {
  const auto log = [] {
    return TraceLog(kWhite)
        .With({Pattern(150, 0xFF0000), {}, 0xFF0000, 3, 600})
        .With({Pattern(97, 0x0000FF), {}, 0x0000FF, 2, WholeCurve()})
        .With({Pattern(200, 0x00C000), {}, 0x00C000, 3, 600});
  };
  const TraceLog allKept = log();
  (void)Render(allKept);
  const QImage expected = Render(allKept);
  const BudgetOf budget(PointBudget::InUse() + 2 * 2000 * sizeof(float));
  const TraceLog middleRetraced = log();
  (void)Render(middleRetraced);
  ASSERT_TRUE(middleRetraced.Traces()[0]->points->Get());
  ASSERT_FALSE(middleRetraced.Traces()[1]->points->Get()) << "over the budget";
  ASSERT_TRUE(middleRetraced.Traces()[2]->points->Get());
  const uint64_t before = SmoothRetraces();
  EXPECT_EQ(Render(middleRetraced, 3), expected);
  EXPECT_EQ(SmoothRetraces(), before + 1);
}

TEST(SmoothRender, GivesTheSamePictureOnAnyNumberOfThreads) {
  const QImage one = Render(TwoTraces(), 1);
  EXPECT_EQ(Render(TwoTraces(), 2), one);
  EXPECT_EQ(Render(TwoTraces(), 3), one);
  const TraceLog kept = TwoTraces();
  (void)Render(kept, 1);
  EXPECT_EQ(Render(kept, 3), one) << "from the kept points";
}

// A trace long enough to be traced on every core and drawn in several runs,
// stopped part-way through a run: retraced, it gives the picture its kept
// points give, and keeps as many points as it drew.
TEST(SmoothRender, ALongTraceRetracedInRunsGivesThePictureOfItsKeptPoints) {
  const engine::PatternRecord record{0x008000, 150, 7, 0, 0, 40, 1, 1000, 0, 0};
  const int64_t segments = 200'000;
  ASSERT_GT(engine::Curve(record).EstimatedSegments(), segments + 70'000);
  const TraceLog log = TraceLog(kWhite).With({record, {}, 0x008000, 1, segments});
  const uint64_t before = SmoothRetraces();
  const QImage retraced = Render(log);
  EXPECT_EQ(SmoothRetraces(), before + 1);
  ASSERT_TRUE(log.Traces()[0]->points->Get());
  EXPECT_EQ(log.Traces()[0]->points->Get()->Count(), static_cast<size_t>(segments) + 1);
  EXPECT_EQ(Render(log, 1), retraced);
  EXPECT_EQ(SmoothRetraces(), before + 1) << "drawn from the kept points";
}

TEST(SmoothRender, GivesNothingOnceCancelled) {
  const std::atomic<bool> cancelled{true};
  EXPECT_TRUE(RenderSmooth(TwoTraces(), kFrame, 0xFF808080u, cancelled).isNull());
}

TEST(TracePoints, StayWithinTheBudgetAndGiveItBack) {
  const size_t held = PointBudget::InUse();
  const BudgetOf budget(held + 10000 * sizeof(float));
  {
    TracePoints points;
    size_t added = 0;
    while (points.Add(1, 2)) ++added;
    EXPECT_GT(added, 2000u);
    EXPECT_LE(PointBudget::InUse(), held + 10000 * sizeof(float));
    points.KeepLast(1);
    EXPECT_TRUE(points.Add(3, 4)) << "room freed by the dropped points";
    EXPECT_EQ(points.Count(), 2u);
    points.Trim();
    EXPECT_EQ(PointBudget::InUse(), held + 2 * 2 * sizeof(float));
  }
  EXPECT_EQ(PointBudget::InUse(), held);
}

TEST(TracePoints, AppendAddsAllTheBatchOrNone) {
  const size_t held = PointBudget::InUse();
  const BudgetOf budget(held + 5000 * 2 * sizeof(float));
  std::vector<float> batch(2 * 1500);
  for (size_t i = 0; i < batch.size(); ++i) batch[i] = static_cast<float>(i);
  TracePoints points;
  ASSERT_TRUE(points.Append(batch.data(), 1500));
  ASSERT_TRUE(points.Append(batch.data(), 1500));
  ASSERT_EQ(points.Count(), 3000u);
  EXPECT_EQ(points.Data()[2 * 1500 + 7], 7.0f);
  // Growing for the next batch would go past the budget.
  EXPECT_FALSE(points.Append(batch.data(), 1500));
  EXPECT_EQ(points.Count(), 3000u);
  EXPECT_EQ(points.Data()[2 * 3000 - 1], batch.back());
  EXPECT_LE(PointBudget::InUse(), held + 5000 * 2 * sizeof(float));
  // Room freed by dropped points is used again.
  points.KeepLast(1);
  EXPECT_TRUE(points.Append(batch.data(), 1500));
  EXPECT_EQ(points.Count(), 1501u);
}

}  // namespace
}  // namespace ui
