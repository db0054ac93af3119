// The tracer written out once more, as plainly as possible and apart from the
// engine's own rounding code, must give the same segments as the engine.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "engine/curve.h"
#include "engine/gear_math.h"

using namespace engine;

namespace {

using LD = long double;

// 40 significant bits, the first dropped bit rounding away from zero.
LD Stored(LD x) {
  if (x == 0) return 0;
  int e = 0;
  const LD m = frexpl(x, &e);
  LD r = floorl(fabsl(m) * 0x1p40L + 0.5L);
  if (r >= 0x1p40L) r /= 2, ++e;
  if (e + 128 < 1) return 0;
  const LD v = ldexpl(r, e - 40);
  return m < 0 ? -v : v;
}

LD Sin(LD x) {
  LD r;
  __asm__("fsin" : "=t"(r) : "0"(x));
  return r;
}

LD Cos(LD x) {
  LD r;
  __asm__("fcos" : "=t"(r) : "0"(x));
  return r;
}

std::vector<Pixel> LiteralTrace(const PatternRecord& p) {
  const int F = p.FixedTeeth, M = p.MovingTeeth;
  const DerivedValues d = DerivedFor(F, M, p.StepDeg);
  const LD toRad = 1.0L / 57.2957795L;
  const LD s =
      Stored((LD)(p.GearMode == 1 ? 300 : 600) / (LD)(2 * F) * ((LD)p.DesignSize * 0.001L));
  const LD q = Stored(((LD)p.PenHole / (LD)M * 10) * 0.01L);
  const LD dt = Stored((LD)(p.StepDeg * d.ReducedMoving) / (LD)d.ReducedFixed * toRad);
  const LD phi = Stored((((LD)p.TopOfDesign * 0.1L) * (-2.0L) * 3.141592654L) / (LD)F);
  const LD sinPhi = Stored(Sin(phi)), cosPhi = Stored(Cos(phi));
  const LD end = Stored((LD)d.TraceSpanDeg * toRad - dt + 0.001L);
  const LD ratio = (LD)F / (LD)M;
  auto pixel = [&](LD theta) {
    LD a, b;
    if (p.GearMode == 1) {
      a = Stored((LD)(F + M) * Sin(theta) - (LD)M * q * Sin((ratio + 1) * theta));
      b = Stored((LD)(F + M) * Cos(theta) - (LD)M * q * Cos((ratio + 1) * theta));
    } else {
      a = Stored((LD)(F - M) * Sin(theta) - (LD)M * q * Sin((ratio - 1) * theta));
      b = Stored((LD)(F - M) * Cos(theta) + (LD)M * q * Cos((ratio - 1) * theta));
    }
    const LD u = Stored(s * (a * cosPhi - b * sinPhi));
    const LD w = Stored(s * (b * cosPhi + a * sinPhi));
    const LD column = Stored(u + 320), row = Stored(640 - Stored(w + 320));
    return Pixel{(int32_t)truncl((column + 0.5L) + (LD)p.CentreX * 0.1L),
                 (int32_t)truncl((row + 0.5L) - (LD)p.CentreY * 0.1L)};
  };
  std::vector<Pixel> points{pixel(0)};
  LD theta = 0;
  do {
    theta = Stored(theta + dt);
    points.push_back(pixel(theta));
  } while (!(theta > end));
  return points;
}

TEST(LiteralTrace, RandomPanelDesignsGiveTheSameSegments) {
  std::mt19937 random(20261207);
  auto in = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  int traced = 0;
  while (traced < 40) {
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
    const Curve curve(p);
    if (curve.EstimatedSegments() > 100000) continue;
    ++traced;
    const std::vector<Pixel> expected = LiteralTrace(p);
    std::vector<Pixel> actual;
    curve.TraceScreen([&](Pixel from, Pixel to) {
      if (actual.empty()) actual.push_back(from);
      actual.push_back(to);
    });
    ASSERT_EQ(actual, expected) << "fixed " << fixed << " moving " << moving << " mode " << mode
                                << " top " << p.TopOfDesign << " hole " << p.PenHole << " step "
                                << p.StepDeg << " size " << p.DesignSize << " x " << p.CentreX
                                << " y " << p.CentreY;
  }
}

}  // namespace
