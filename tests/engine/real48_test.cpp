#include "engine/real48.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "engine/x87_trig.h"

using namespace engine;

namespace {

constexpr long double kMax = (2.0L - 0x1p-39L) * 0x1p126L;
constexpr long double kMin = 0x1p-128L;

bool Overflows(long double x) {
  try {
    Store6(x);
    return false;
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), errors::kFloatOverflow);
    return true;
  }
}

// The rounding worked out another way: scale the significand to [2^39, 2^40)
// and let roundl (half away from zero) do it.
long double ReferenceStore6(long double x) {
  if (x == 0) return 0;
  const int e = std::ilogb(x);
  const long double r = std::round(std::ldexp(std::fabs(x), 39 - e));
  const long double v = std::copysign(std::ldexp(r, e - 39), x);
  return std::fabs(v) < kMin ? 0 : v;
}

long double FromBits(uint64_t mantissa, uint16_t signExponent) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &mantissa, 8);
  std::memcpy(bytes + 8, &signExponent, 2);
  long double x;
  std::memcpy(&x, bytes, sizeof x);
  return x;
}

TEST(Store6, KeepsValuesThatFit) {
  for (long double v : {1.0L, -1.0L, 0.5L, 3.125L, 1 + 0x1p-39L, 2 - 0x1p-39L, kMax, -kMax, kMin,
                        -kMin, 57.5L, 262.5L}) {
    EXPECT_EQ(Store6(v), v) << static_cast<double>(v);
  }
  EXPECT_EQ(Store6(0.0L), 0.0L);
  EXPECT_EQ(Store6(-0.0L), 0.0L);
}

TEST(Store6, RoundsByTheFirstDroppedBitAwayFromZero) {
  // Exactly half an ulp: away from zero, not to even.
  EXPECT_EQ(Store6(1 + 0x1p-40L), 1 + 0x1p-39L);
  EXPECT_EQ(Store6(-(1 + 0x1p-40L)), -(1 + 0x1p-39L));
  EXPECT_EQ(Store6(1 + 3 * 0x1p-40L), 1 + 2 * 0x1p-39L);
  // Just below half: down, however many bits follow.
  EXPECT_EQ(Store6(1 + 0x1p-40L - 0x1p-63L), 1.0L);
  EXPECT_EQ(Store6(-(1 + 0x1p-40L - 0x1p-63L)), -1.0L);
  // Just above: up.
  EXPECT_EQ(Store6(1 + 0x1p-40L + 0x1p-63L), 1 + 0x1p-39L);
  // Half-way in the 40-bit sense but not in the nearest double (the bits
  // past the double's 53 decide).
  EXPECT_EQ(Store6(1 + 0x1p-40L - 0x1p-60L), 1.0L);
  EXPECT_EQ(Store6(1 + 0x1p-40L + 0x1p-60L), 1 + 0x1p-39L);
  EXPECT_EQ(Store6(1 + 0x1p-40L - 0x1p-54L - 0x1p-60L), 1.0L);
}

TEST(Store6, CarriesIntoTheNextBinade) {
  EXPECT_EQ(Store6(2 - 0x1p-40L), 2.0L);
  EXPECT_EQ(Store6(-(2 - 0x1p-40L)), -2.0L);
  EXPECT_EQ(Store6(2 - 0x1p-41L), 2.0L);
  EXPECT_EQ(Store6(1024 - 0x1p-31L), 1024.0L);
  // The top of the range carries out of it.
  EXPECT_TRUE(Overflows((2 - 0x1p-40L) * 0x1p126L));
  // A value just below the smallest carries up to it and is kept.
  EXPECT_EQ(Store6((2 - 0x1p-40L) * 0x1p-129L), kMin);
}

TEST(Store6, TooSmallIsZeroTooLargeOverflows) {
  EXPECT_EQ(Store6(0x1p-129L), 0.0L);
  EXPECT_EQ(Store6(-0x1p-129L), 0.0L);
  EXPECT_EQ(Store6(1.5L * 0x1p-129L), 0.0L);
  EXPECT_EQ(Store6(0x1p-16000L), 0.0L);
  EXPECT_EQ(Store6(std::numeric_limits<long double>::denorm_min()), 0.0L);
  EXPECT_TRUE(Overflows(0x1p127L));
  EXPECT_TRUE(Overflows(-0x1p127L));
  EXPECT_TRUE(Overflows(1e300L));
  EXPECT_TRUE(Overflows(std::numeric_limits<long double>::infinity()));
  EXPECT_TRUE(Overflows(-std::numeric_limits<long double>::infinity()));
  EXPECT_TRUE(Overflows(std::numeric_limits<long double>::quiet_NaN()));
  // A NaN with every fraction bit set.
  EXPECT_TRUE(Overflows(FromBits(~uint64_t{0}, 0xFFFF)));
  EXPECT_FALSE(Overflows(kMax));
}

TEST(Store6, AgreesWithScaledRoundingOnRandomValues) {
  std::mt19937_64 rng(48);
  for (int i = 0; i < 2000000; ++i) {
    uint64_t m = rng() | (uint64_t{1} << 63);
    switch (i % 5) {
      case 0:  // exactly half-way
        m = (m & ~((uint64_t{1} << 24) - 1)) | (uint64_t{1} << 23);
        break;
      case 1:  // a few bits either side of half-way
        m = (m & ~((uint64_t{1} << 24) - 1)) | (uint64_t{1} << 23);
        m += (rng() & 1) ? (rng() & 0xFFF) : -(rng() & 0xFFF);
        m |= uint64_t{1} << 63;
        break;
      case 2:  // all ones up to the dropped bits: carries
        m |= ~((uint64_t{1} << 22) - 1);
        break;
      default:
        break;
    }
    const uint16_t sign = (rng() & 1) ? 0x8000 : 0;
    const uint16_t exponent = static_cast<uint16_t>(16383 - 135 + rng() % 270);
    const long double x = FromBits(m, sign | exponent);
    const long double expected = ReferenceStore6(x);
    if (std::fabs(expected) > kMax) {
      ASSERT_TRUE(Overflows(x)) << static_cast<double>(x);
    } else {
      ASSERT_EQ(Store6(x), expected) << std::hexfloat << static_cast<double>(x);
    }
  }
}

// A random 6-byte real: 40 significant bits, exponent in [low, high].
double Random6(std::mt19937_64& random, int low, int high) {
  const uint64_t significand = (uint64_t{1} << 39) | (random() & ((uint64_t{1} << 39) - 1));
  const int exponent = std::uniform_int_distribution<int>(low, high)(random);
  const double magnitude = std::ldexp(static_cast<double>(significand), exponent - 39);
  return random() & 1 ? -magnitude : magnitude;
}

// Store6SumAsDouble against the extended sum, also where that sum rounds
// twice to a different double than the exact one (the tracer's angles reach
// 2^26 steps, so their sums do).
TEST(Store6, SumInDoublesIsTheExtendedSumStored) {
  std::mt19937_64 random(20);
  int twice = 0, boundaries = 0;
  auto check = [&](double a, double b) {
    const long double extended = static_cast<long double>(a) + b;
    if (static_cast<double>(extended) != a + b) ++twice;
    if (((std::bit_cast<uint64_t>(a + b) ^ real48_detail::kHalf) & real48_detail::kDropped) == 0)
      ++boundaries;
    bool threw = false;
    double reference = 0;
    try {
      reference = Store6AsDouble(extended);
    } catch (const RunTimeError&) {
      threw = true;
    }
    if (threw) {
      EXPECT_THROW(Store6SumAsDouble(a, b), RunTimeError) << a << " + " << b;
    } else {
      EXPECT_EQ(std::bit_cast<uint64_t>(Store6SumAsDouble(a, b)),
                std::bit_cast<uint64_t>(reference))
          << std::hexfloat << a << " + " << b;
    }
  };
  for (int i = 0; i < 2'000'000; ++i) {
    const int e = std::uniform_int_distribution<int>(-127, 126)(random);
    const int spread = std::uniform_int_distribution<int>(0, 70)(random);
    check(Random6(random, e, e), Random6(random, e - spread, e - spread));
  }
  // Sums that lie just past half-way between two doubles, and just past a
  // 6-byte boundary: rounded to 64 bits first, they fall on the half-way
  // point and round to even instead.
  for (int i = 0; i < 200'000; ++i) {
    const double a = std::fabs(Random6(random, 0, 0));
    const double beyond = (i & 1 ? 1 : -1) * std::ldexp(1.0, -66 - i % 3);
    check(a, std::ldexp(1.0, -53) + beyond);
    check(a, std::ldexp(1.0, -40) + std::ldexp(1.0, -53) + beyond);
    check(a, std::ldexp(1.0, -40) - std::ldexp(1.0, -53) + beyond);
  }
  // The angle step of the largest pattern along its whole range.
  const double step = Store6AsDouble(1.0L / 360 / 57.2957795L);
  double theta = 0;
  for (int i = 0; i < 3'000'000; ++i) {
    check(theta, step);
    theta = Store6AsDouble(static_cast<long double>(theta) + step * 16);
  }
  check(kMax, kMax);
  check(kMin, -kMin);
  check(kMin, kMin * 0x1p-1);
  // Both kinds of case were met.
  EXPECT_GT(twice, 1000);
  EXPECT_GT(boundaries, 1000);
}

TEST(ProcessorTrig, IsTheInstructionNotTheLibrary) {
  // fsin reduces with a 66-bit pi, so near pi it is famously off in the
  // fifth digit; glibc's sinl is not.
  const long double nearPi = 3.141592653589793;
  EXPECT_EQ(static_cast<double>(ProcessorSin(nearPi)), 1.2246063538223773e-16);
  EXPECT_NE(ProcessorSin(nearPi), std::sin(nearPi));
  EXPECT_EQ(ProcessorCos(nearPi), -1.0L);
}

TEST(ProcessorTrig, ArgumentsBeyondTheInstructionGiveZero) {
  const long double beyond[] = {0x1p63L,
                                -0x1p63L,
                                1e30L,
                                std::numeric_limits<long double>::infinity(),
                                -std::numeric_limits<long double>::infinity(),
                                std::numeric_limits<long double>::quiet_NaN()};
  for (long double x : beyond) {
    EXPECT_EQ(ProcessorSin(x), 0.0L);
    EXPECT_EQ(ProcessorCos(x), 0.0L);
    long double s = 1, c = 1;
    QuickSinCos<Fsincos>(x, s, c);
    EXPECT_EQ(s, 0.0L);
    EXPECT_EQ(c, 0.0L);
  }
  // The largest argument below 2^63 is still reduced.
  EXPECT_NE(ProcessorCos(0x1p63L - 1), 0.0L);
  EXPECT_LE(std::fabs(ProcessorCos(0x1p63L - 1)), 1.0L);
}

}  // namespace
