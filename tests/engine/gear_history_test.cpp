#include <gtest/gtest.h>

#include "core/run_time_error.h"
#include "engine/gear_math.h"
#include "engine/pattern_history.h"

using namespace engine;

namespace {

void ExpectError(const auto& action, const char* text) {
  try {
    action();
    ADD_FAILURE() << "no error, expected " << text;
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), text);
  }
}

TEST(GearMath, GcdByRepeatedRemainders) {
  EXPECT_EQ(Gcd(60, 96), 12);
  EXPECT_EQ(Gcd(96, 60), 12);
  EXPECT_EQ(Gcd(2880, 5), 5);
  EXPECT_EQ(Gcd(7, 3), 1);
  EXPECT_EQ(Gcd(360, 360), 360);
  EXPECT_EQ(Gcd(0, 17), 17);
  ExpectError([] { Gcd(5, 0); }, errors::kDivisionByZero);
  ExpectError([] { Gcd(0, 0); }, errors::kDivisionByZero);
}

TEST(GearMath, ReducedCountsAndSpan) {
  DerivedValues d;
  ReduceTeeth(60, 96, d);
  EXPECT_EQ(d.ReducedFixed, 8);
  EXPECT_EQ(d.ReducedMoving, 5);

  const auto span = [](int32_t fixed, int32_t moving, int32_t step) {
    return DerivedFor(fixed, moving, step).TraceSpanDeg;
  };
  EXPECT_EQ(span(96, 60, 5), 2880);
  EXPECT_EQ(span(96, 60, 7), 20160);
  // The larger reduced count sets the span.
  const DerivedValues wide = DerivedFor(30, 45, 5);
  EXPECT_EQ(wide.ReducedFixed, 2);
  EXPECT_EQ(wide.ReducedMoving, 3);
  EXPECT_EQ(wide.TraceSpanDeg, 1080);
  EXPECT_EQ(span(30, 45, 7), 7560);
  // Equal counts reduce to 1 and 1.
  const DerivedValues equal = DerivedFor(50, 50, 7);
  EXPECT_EQ(equal.ReducedFixed, 1);
  EXPECT_EQ(equal.ReducedMoving, 1);
  EXPECT_EQ(equal.TraceSpanDeg, 2520);
  EXPECT_EQ(span(105, 30, 10), 2520);
  EXPECT_EQ(span(360, 1, 1), 129600);
  EXPECT_EQ(span(360, 359, 3600), 129600);
  EXPECT_EQ(span(360, 359, 7), 907200);
}

TEST(GearMath, SpanErrors) {
  DerivedValues d;
  ExpectError([&] { SetTraceSpan(2880, 0, d); }, errors::kDivisionByZero);
  ExpectError([&] { SetTraceSpan(65537, 65539, d); }, errors::kIntegerOverflow);
  ExpectError([] { DerivedFor(96, 60, 0); }, errors::kDivisionByZero);
  ExpectError([] { DerivedFor(0, 60, 5); }, errors::kDivisionByZero);
  // 360 x the reduced count.
  d.ReducedFixed = 6000000;
  d.ReducedMoving = 1;
  ExpectError([&] { RefreshTraceSpan(1, d); }, errors::kIntegerOverflow);
  d.ReducedFixed = 5965232;  // 360 x this fits; the lcm with 11 does not
  ExpectError([&] { RefreshTraceSpan(11, d); }, errors::kIntegerOverflow);
  RefreshTraceSpan(1, d);
  EXPECT_EQ(d.TraceSpanDeg, 360 * 5965232);
}

PatternRecord Numbered(int32_t n) {
  return {n, 96, 60, 0, n, 480, 5, 1000, 0, 0};
}

TEST(PatternHistory, IndexIsCheckedAgainstOneToAThousand) {
  PatternHistory h;
  ExpectError([&] { h.Entry(0); }, errors::kRangeCheck);
  ExpectError([&] { h.Entry(1001); }, errors::kRangeCheck);
  ExpectError([&] { h.Entry(-1); }, errors::kRangeCheck);
  const PatternHistory& constant = h;
  ExpectError([&] { constant.Entry(0); }, errors::kRangeCheck);
  ExpectError([&] { constant.Entry(1001); }, errors::kRangeCheck);
  EXPECT_NO_THROW(h.Entry(1));
  EXPECT_NO_THROW(h.Entry(1000));
  ExpectError([&] { h.SetNextPatternIndex(0); }, errors::kRangeCheck);
  ExpectError([&] { h.SetNextPatternIndex(1002); }, errors::kRangeCheck);
  h.SetNextPatternIndex(1001);
  EXPECT_TRUE(h.Full());
}

TEST(PatternHistory, RecordsUpToAThousandThenRefuses) {
  PatternHistory h;
  EXPECT_TRUE(h.Empty());
  for (int32_t i = 1; i <= 1000; ++i) {
    ASSERT_TRUE(h.Record(Numbered(i)));
    ASSERT_EQ(h.NextPatternIndex(), i + 1);
  }
  EXPECT_TRUE(h.Full());
  EXPECT_EQ(h.Count(), 1000);
  // The 1001st is refused and changes nothing.
  EXPECT_FALSE(h.Record(Numbered(1001)));
  EXPECT_EQ(h.NextPatternIndex(), 1001);
  EXPECT_EQ(h.Entry(1), Numbered(1));
  EXPECT_EQ(h.Entry(1000), Numbered(1000));

  h.Clear();
  EXPECT_TRUE(h.Empty());
  EXPECT_EQ(h.NextPatternIndex(), 1);
  EXPECT_TRUE(h.Record(Numbered(7)));
  EXPECT_EQ(h.Entry(1), Numbered(7));
}

TEST(PatternHistory, RecordFieldsInFileOrder) {
  const PatternRecord r{0x0000FF, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
  const std::array<int32_t, 10> expected{255, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
  EXPECT_EQ(r.Fields(), expected);
  const PatternRecord mixed{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(PatternRecord::FromFields(mixed.Fields()), mixed);
}

}  // namespace
