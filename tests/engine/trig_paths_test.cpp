// The tracer's quick path takes its sines and cosines from fsincos, whose last
// bit some processors give differently from fsin and fcos. These tests trace
// through both paths, and through an fsincos that disagrees, and compare
// everything the trace stores and hands on.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "engine/curve.h"
#include "engine/gear_overlay.h"
#include "engine/x87_trig.h"

using namespace engine;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

uint64_t HashOf(long double x) {
  uint64_t significand;
  uint16_t exponent;
  std::memcpy(&significand, &x, 8);
  std::memcpy(&exponent, reinterpret_cast<const char*>(&x) + 8, 2);
  return Mix(significand ^ (uint64_t{exponent} << 48));
}

// One unit in the last place away: the significand's lowest bit flipped.
long double LastBitFlipped(long double x) {
  uint64_t significand;
  std::memcpy(&significand, &x, 8);
  significand ^= 1;
  std::memcpy(&x, &significand, 8);
  return x;
}

// fsincos as a processor might give it whose last bit differs from fsin's for
// 1 % of arguments and from fcos's for another 1 %, chosen by a hash of the
// argument.
struct OnePercentFlipped {
  static inline int64_t calls = 0, flips = 0;
  static void SinCos(long double x, long double& sine, long double& cosine) {
    Fsincos::SinCos(x, sine, cosine);
    const uint64_t h = HashOf(x);
    ++calls;
    if (h % 100 == 0) sine = LastBitFlipped(sine), ++flips;
    if ((h >> 32) % 100 == 0) cosine = LastBitFlipped(cosine), ++flips;
  }
};

// Every sine and cosine one unit off.
struct AllFlipped {
  static void SinCos(long double x, long double& sine, long double& cosine) {
    Fsincos::SinCos(x, sine, cosine);
    sine = LastBitFlipped(sine);
    cosine = LastBitFlipped(cosine);
  }
};

bool Same(double x, double y) {
  return std::bit_cast<uint64_t>(x) == std::bit_cast<uint64_t>(y);
}

::testing::AssertionResult SameValues(const Curve::StoredValues& quick,
                                      const Curve::StoredValues& plain, double theta) {
  if (Same(quick.a, plain.a) && Same(quick.b, plain.b) && Same(quick.u, plain.u) &&
      Same(quick.w, plain.w) && Same(quick.column, plain.column) && Same(quick.row, plain.row)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << std::hexfloat << "at theta " << theta << ": quick a " << quick.a << " b " << quick.b
         << " u " << quick.u << " w " << quick.w << ", plain a " << plain.a << " b " << plain.b
         << " u " << plain.u << " w " << plain.w;
}

// The trace as exports see it: every exact point, in order.
template <class FastTrig>
std::vector<AreaPoint> ExactPoints(const Curve& curve) {
  std::vector<AreaPoint> points;
  curve.TraceMapped<FastTrig>([&](const CurvePoint& p) { return curve.ExactScreenPoint(p); },
                              [&](const AreaPoint& from, const AreaPoint& to) {
                                if (points.empty()) points.push_back(from);
                                points.push_back(to);
                              });
  return points;
}

struct PlainTrace {
  std::vector<double> angles;
  std::vector<CurvePoint> points;
};

PlainTrace TraceThePlainWay(const Curve& curve) {
  PlainTrace t;
  curve.TraceReference([&](const CurvePoint& from, const CurvePoint& to) {
    if (t.points.empty()) t.points.push_back(from), t.angles.push_back(0);
    t.points.push_back(to);
    t.angles.push_back(curve.NextAngle(t.angles.back()));
  });
  return t;
}

// The quick path with FastTrig against fsin and fcos on one whole design:
// every stored value at every angle, the segments, the exact points and the
// pen of the gears.
template <class FastTrig>
void ExpectTheSameTrace(const Curve& curve) {
  const PlainTrace plain = TraceThePlainWay(curve);
  for (double theta : plain.angles) {
    ASSERT_TRUE(
        SameValues(curve.QuickValuesAt<FastTrig>(theta), curve.PlainValuesAt(theta), theta));
  }

  std::vector<CurvePoint> quick;
  curve.Trace<FastTrig>([&](const CurvePoint& from, const CurvePoint& to) {
    if (quick.empty()) quick.push_back(from);
    quick.push_back(to);
  });
  ASSERT_EQ(quick.size(), plain.points.size());
  for (size_t i = 0; i < quick.size(); ++i) {
    ASSERT_TRUE(Same(quick[i].column, plain.points[i].column) &&
                Same(quick[i].row, plain.points[i].row))
        << "point " << i;
  }

  const std::vector<AreaPoint> exact = ExactPoints<FastTrig>(curve);
  ASSERT_EQ(exact.size(), plain.points.size());
  for (size_t i = 0; i < exact.size(); ++i) {
    const AreaPoint expected = curve.ExactScreenPoint(plain.points[i]);
    ASSERT_TRUE(exact[i].x == expected.x && exact[i].y == expected.y) << "point " << i;
  }

  // The gears, drawn with fsin and fcos, hold the pen where the quick trace
  // has it.
  const size_t step = exact.size() / 7 + 1;
  for (size_t i = 0; i < exact.size(); i += step) {
    const AreaPoint pen = GearsAt(curve, plain.angles[i]).pen;
    ASSERT_TRUE(pen.x == exact[i].x && pen.y == exact[i].y) << "point " << i;
  }
}

// Random designs of the panel's ranges, each small enough to trace whole.
std::vector<PatternRecord> RandomDesigns(int count, uint32_t seed) {
  std::mt19937 random(seed);
  const auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  std::vector<PatternRecord> designs;
  while (static_cast<int>(designs.size()) < count) {
    const int mode = in(0, 1);
    const int fixed = in(2, 360);
    const int moving = mode == 1 ? in(1, 360) : in(1, fixed - 1);
    const PatternRecord p{0,
                          fixed,
                          moving,
                          mode,
                          in(-3600, 3600),
                          in(0, 20 * moving),
                          in(1, 400),
                          in(1, 2000),
                          in(-3200, 3200),
                          in(-3200, 3200)};
    if (Curve(p).EstimatedSegments() > 20000) continue;
    designs.push_back(p);
  }
  return designs;
}

// The panel's largest pattern (46,656,343 segments) is too long to trace
// twice in a test: it is compared at blocks of consecutive angles spread over
// the whole trace. each(start, angles, count) for each block, `start` being
// the trace's segments before it.
const Curve& Largest() {
  static const Curve curve(PatternRecord{0, 360, 1, 0, 0, 8, 1, 1000, 0, 0});
  return curve;
}

template <class Each>
void ForBlocksOfTheLargest(int blocks, int64_t blockLength, Each&& each) {
  const int64_t total = 46656343;
  std::vector<double> angles(static_cast<size_t>(blockLength));
  double theta = 0;
  int64_t done = 0;
  for (int block = 0; block < blocks; ++block) {
    const int64_t start = total / blocks * block;
    theta = Largest().SkipStretch(theta, start - done).theta;
    const Curve::Stretch s = Largest().SkipStretch(theta, blockLength, angles.data());
    ASSERT_FALSE(s.last);
    done = start + blockLength;
    theta = s.theta;
    each(start, angles.data(), s.points);
  }
}

template <class FastTrig>
void ExpectTheSameStoredValuesAcrossTheLargest(int blocks, int64_t blockLength) {
  int compared = 0;
  ForBlocksOfTheLargest(blocks, blockLength, [&](int64_t, const double* angles, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
      ASSERT_TRUE(SameValues(Largest().QuickValuesAt<FastTrig>(angles[i]),
                             Largest().PlainValuesAt(angles[i]), angles[i]));
      ++compared;
    }
  });
  EXPECT_EQ(compared, blocks * blockLength);
}

TEST(TrigPaths, QuickPathStoresWhatFsinAndFcosGive) {
  for (const PatternRecord& p : RandomDesigns(kSanitized ? 6 : 40, 20261208)) {
    SCOPED_TRACE(testing::Message()
                 << p.FixedTeeth << "/" << p.MovingTeeth << " mode " << p.GearMode << " top "
                 << p.TopOfDesign << " hole " << p.PenHole << " step " << p.StepDeg);
    ExpectTheSameTrace<Fsincos>(Curve(p));
  }
  ExpectTheSameStoredValuesAcrossTheLargest<Fsincos>(8, kSanitized ? 1000 : 25000);
}

TEST(TrigPaths, AnFsincosOffInTheLastBitChangesNothing) {
  OnePercentFlipped::calls = OnePercentFlipped::flips = 0;
  for (const PatternRecord& p : RandomDesigns(kSanitized ? 6 : 40, 20261209)) {
    SCOPED_TRACE(testing::Message()
                 << p.FixedTeeth << "/" << p.MovingTeeth << " mode " << p.GearMode << " top "
                 << p.TopOfDesign << " hole " << p.PenHole << " step " << p.StepDeg);
    ExpectTheSameTrace<OnePercentFlipped>(Curve(p));
  }
  ExpectTheSameStoredValuesAcrossTheLargest<OnePercentFlipped>(8, kSanitized ? 1000 : 25000);
  // About 2 % of the calls had a result flipped.
  EXPECT_GT(OnePercentFlipped::flips, OnePercentFlipped::calls / 100);
  EXPECT_LT(OnePercentFlipped::flips, OnePercentFlipped::calls * 3 / 100);
}

// What storing a or b straight from AllFlipped's sines and cosines would give.
double DirectlyStored(const Curve& curve, double Curve::StoredValues::*value, double theta) {
  using X = long double;
  X s, c, sr, cr;
  AllFlipped::SinCos(theta, s, c);
  AllFlipped::SinCos(curve.RollRatio() * theta, sr, cr);
  const X d = curve.CentreDistance(), pen = curve.PenRadius();
  if (value == &Curve::StoredValues::a) return Store6AsDouble(d * s - pen * sr);
  return Store6AsDouble(curve.External() ? d * c - pen * cr : d * c + pen * cr);
}

// Where a or b passes through 0, a unit in the last place of a sine moves it
// by many of its own 40-bit units, and a little further off by a fraction of
// one: there the last bit of fsincos changes the stored value at nearly every
// angle, then at some, and the quick path must notice and give fsin's and
// fcos's.
TEST(TrigPaths, NearAZeroOfAOrBTheQuickPathStillGivesFsinAndFcos) {
  struct Case {
    PatternRecord design;
    double Curve::StoredValues::*value;
    double low, high;  // the value changes sign between these angles
  };
  const Case cases[] = {
      {{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0}, &Curve::StoredValues::a, 0.5, 3.0},
      {{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0}, &Curve::StoredValues::b, 0.5, 3.0},
      {{0, 105, 30, 1, 37, 200, 5, 1000, 0, 0}, &Curve::StoredValues::a, 2.0, 4.0},
      {{0, 105, 30, 1, 37, 200, 5, 1000, 0, 0}, &Curve::StoredValues::b, 1.0, 2.0},
  };
  std::mt19937_64 random(5);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.design.FixedTeeth << "/" << c.design.MovingTeeth
                                    << (c.value == &Curve::StoredValues::a ? " a" : " b"));
    const Curve curve(c.design);
    const auto value = [&](double theta) { return curve.PlainValuesAt(theta).*c.value; };
    double low = c.low, high = c.high;
    ASSERT_LT(value(low) * value(high), 0);
    while (std::nextafter(low, high) != high) {
      const double middle = low + (high - low) / 2;
      (value(middle) * value(low) > 0 ? low : high) = middle;
    }
    // Angles are 40-bit values, as the trace's are.
    const double unit = std::ldexp(1.0, std::ilogb(low) - 39);
    const double zero = std::round(low / unit) * unit;
    const auto expectSame = [&](double theta) {
      const Curve::StoredValues plain = curve.PlainValuesAt(theta);
      EXPECT_TRUE(SameValues(curve.QuickValuesAt<AllFlipped>(theta), plain, theta));
      return !Same(DirectlyStored(curve, c.value, theta), plain.*c.value);
    };
    // The angles either side of the zero.
    int changed = 0;
    for (int i = -1000; i < 1000; ++i) changed += expectSame(zero + i * unit);
    EXPECT_GT(changed, 1000);
    // Angles up to 2^-2 away, spread evenly over the powers of two.
    changed = 0;
    std::uniform_real_distribution<double> exponent(-22, -2);
    for (int i = 0; i < (kSanitized ? 5000 : 50000); ++i) {
      const double away = std::exp2(exponent(random)) * ((i & 1) ? 1 : -1);
      changed += expectSame(std::round((zero + away) / unit) * unit);
    }
    EXPECT_GT(changed, kSanitized ? 0 : 20);
  }
}

constexpr Curve::PointOrder kOrders[] = {Curve::PointOrder::kInTurn, Curve::PointOrder::kTrigAhead,
                                         Curve::PointOrder::kTurned};

// The workers' loop takes either order of work (which is quicker depends on
// the processor); each must give the traced points, in blocks of any length,
// the last block included.
TEST(TrigPaths, EveryOrderOfTheWorkersLoopGivesTheTracedPoints) {
  std::vector<PatternRecord> designs = RandomDesigns(kSanitized ? 6 : 30, 20261210);
  designs.push_back({0, 105, 30, 1, 37, 200, 5, 1000, 250, -90});  // off centre
  for (const PatternRecord& p : designs) {
    SCOPED_TRACE(testing::Message() << p.FixedTeeth << "/" << p.MovingTeeth << " mode "
                                    << p.GearMode << " top " << p.TopOfDesign);
    const Curve curve(p);
    const Curve::ScreenPointMap map{&curve};
    std::vector<Curve::ScreenPointPixel> traced;
    curve.TraceMapped(map, [&](const Curve::ScreenPointPixel&, const Curve::ScreenPointPixel& to) {
      traced.push_back(to);
    });
    std::vector<double> angles(traced.size() + 1);
    const Curve::Stretch all =
        curve.SkipStretch(0, static_cast<int64_t>(angles.size()), angles.data());
    ASSERT_TRUE(all.last);
    ASSERT_EQ(all.points, static_cast<int64_t>(traced.size()));
    for (const Curve::PointOrder order : kOrders) {
      std::vector<Curve::ScreenPointPixel> mapped;
      const auto out = [&](const Curve::ScreenPointPixel& v) { mapped.push_back(v); };
      for (int64_t start = 0, length = 0; start < all.points; start += length) {
        length = std::min<int64_t>(all.points - start, start % 3 == 0 ? 1 : 777);
        curve.MapPointsAt(map, angles.data() + start, length, out, order);
      }
      curve.MapPointsAt(map, angles.data(), 0, out, order);
      ASSERT_EQ(mapped.size(), traced.size());
      for (size_t i = 0; i < traced.size(); ++i) {
        const Curve::ScreenPointPixel &a = mapped[i], &b = traced[i];
        ASSERT_TRUE(a.pixel.x == b.pixel.x && a.pixel.y == b.pixel.y &&
                    std::bit_cast<uint32_t>(a.x) == std::bit_cast<uint32_t>(b.x) &&
                    std::bit_cast<uint32_t>(a.y) == std::bit_cast<uint32_t>(b.y))
            << "point " << i << " order " << static_cast<int>(order);
      }
    }
  }
}

// Blocks of consecutive points spread over the largest pattern, mapped as a
// worker maps them, each compared with the point fsin and fcos give.
template <class FastTrig>
void ExpectTheLargestsPointsMappedInBlocks(Curve::PointOrder order, int blocks,
                                           int64_t blockLength) {
  std::vector<CurvePoint> mapped;
  ForBlocksOfTheLargest(
      blocks, blockLength, [&](int64_t start, const double* angles, int64_t count) {
        mapped.clear();
        Largest().MapPointsAt<FastTrig>([](const CurvePoint& p) { return p; }, angles, count,
                                        [&](const CurvePoint& p) { mapped.push_back(p); }, order);
        ASSERT_EQ(static_cast<int64_t>(mapped.size()), count);
        for (int64_t i = 0; i < count; ++i) {
          const CurvePoint plain = Largest().PointAtAngle(angles[i]);
          ASSERT_TRUE(mapped[i].column == plain.column && mapped[i].row == plain.row)
              << "segment " << start + i + 1;
        }
      });
}

// Each turn's error adds to the last: the points furthest from a fresh
// fsincos, in the densest trace, still store what fsin and fcos give, also
// from an fsincos a unit off everywhere.
TEST(TrigPaths, TurnedPointsStoreWhatFsinAndFcosGive) {
  const int blocks = kSanitized ? 3 : 24;
  ExpectTheLargestsPointsMappedInBlocks<Fsincos>(Curve::PointOrder::kTurned, blocks, 40000);
  ExpectTheLargestsPointsMappedInBlocks<AllFlipped>(Curve::PointOrder::kTurned, blocks / 3, 40000);
  ExpectTheLargestsPointsMappedInBlocks<OnePercentFlipped>(Curve::PointOrder::kTurned, blocks / 3,
                                                           40000);
}

// A worker's angles rise, but the points must not depend on it: angles
// falling, jumping about and repeating give the points fsin and fcos give.
TEST(TrigPaths, TurnedPointsAtAnglesInAnyOrder) {
  const Curve curve(PatternRecord{0, 360, 1, 0, 0, 8, 1, 1000, 0, 0});
  std::vector<double> rising(3000);
  curve.SkipStretch(curve.SkipStretch(0, 5000000).theta, static_cast<int64_t>(rising.size()),
                    rising.data());
  std::vector<double> falling(rising.rbegin(), rising.rend());
  std::vector<double> jumping = rising;
  std::shuffle(jumping.begin(), jumping.begin() + 1000, std::mt19937(7));
  std::vector<double> repeating;
  for (double theta : rising) repeating.insert(repeating.end(), {theta, theta, theta});
  for (const std::vector<double>* angles : {&falling, &jumping, &repeating}) {
    std::vector<CurvePoint> mapped;
    curve.MapPointsAt([](const CurvePoint& p) { return p; }, angles->data(),
                      static_cast<int64_t>(angles->size()),
                      [&](const CurvePoint& p) { mapped.push_back(p); });
    ASSERT_EQ(mapped.size(), angles->size());
    for (size_t i = 0; i < mapped.size(); ++i) {
      const CurvePoint plain = curve.PointAtAngle((*angles)[i]);
      ASSERT_TRUE(mapped[i].column == plain.column && mapped[i].row == plain.row) << "point " << i;
    }
  }
}

// fsincos 2^11 units off, up or down at random: far past what a turn may be
// trusted for. Every run of turns must then be found out and worked out
// point by point, as the loop that takes fsincos for each point does.
struct Noisy {
  static void SinCos(long double x, long double& sine, long double& cosine) {
    Fsincos::SinCos(x, sine, cosine);
    const uint64_t h = HashOf(x);
    sine += (h & 1) != 0 ? 0x1p-52L : -0x1p-52L;
    cosine += (h & 2) != 0 ? 0x1p-52L : -0x1p-52L;
  }
};

// Where fsincos agrees, the turns stand: a run of them takes far fewer
// fsincos than its points.
struct Counted {
  static inline int64_t calls = 0;
  static void SinCos(long double x, long double& sine, long double& cosine) {
    ++calls;
    Fsincos::SinCos(x, sine, cosine);
  }
};

TEST(TrigPaths, TurnsStandWhereFsincosAgrees) {
  for (const PatternRecord& p : {PatternRecord{0, 360, 1, 0, 0, 8, 1, 1000, 0, 0},
                                 PatternRecord{0, 105, 30, 1, 37, 200, 5, 1000, 250, -90}}) {
    const Curve curve(p);
    std::vector<double> angles(100000);
    const Curve::Stretch s =
        curve.SkipStretch(0, static_cast<int64_t>(angles.size()), angles.data());
    Counted::calls = 0;
    int64_t points = 0;
    curve.MapPointsAt<Counted>(
        Curve::ScreenMap{&curve}, angles.data(), s.points, [&](Pixel) { ++points; },
        Curve::PointOrder::kTurned);
    EXPECT_EQ(points, s.points);
    EXPECT_LT(Counted::calls, s.points / 3) << p.FixedTeeth << "/" << p.MovingTeeth;
  }
}

TEST(TrigPaths, RunsOfTurnsThatFsincosDisagreesWithAreWorkedOutAgain) {
  const Curve curve(PatternRecord{0, 360, 1, 0, 0, 8, 1, 1000, 0, 0});
  std::vector<double> angles(kSanitized ? 20000 : 400000);
  const Curve::Stretch s = curve.SkipStretch(curve.SkipStretch(0, 3000000).theta,
                                             static_cast<int64_t>(angles.size()), angles.data());
  const auto identity = [](const CurvePoint& p) { return p; };
  std::vector<CurvePoint> turned, inTurn;
  curve.MapPointsAt<Noisy>(
      identity, angles.data(), s.points, [&](const CurvePoint& p) { turned.push_back(p); },
      Curve::PointOrder::kTurned);
  curve.MapPointsAt<Noisy>(
      identity, angles.data(), s.points, [&](const CurvePoint& p) { inTurn.push_back(p); },
      Curve::PointOrder::kInTurn);
  ASSERT_EQ(turned.size(), inTurn.size());
  int differences = 0;
  for (size_t i = 0; i < turned.size(); ++i) {
    if (!(turned[i].column == inTurn[i].column && turned[i].row == inTurn[i].row)) ++differences;
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
