#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "engine/gear_overlay.h"
#include "ui/gear_painter.h"

namespace ui {
namespace {

using engine::AreaPoint;

constexpr QRgb kWhiteRgb = 0xFFFFFFFF;

bool Tinted(QRgb shown, QRgb over) {
  return shown != kWhiteRgb && shown != (over | 0xFF000000);
}

// The gears of a pattern on a shaped ring at θ = 0, painted over white.
struct Painted {
  engine::Curve curve;
  engine::GearOverlay gears;
  QImage image{640, 640, QImage::Format_ARGB32};

  Painted(const engine::PatternRecord& pattern, const engine::RingShape& ring)
      : curve(pattern, ring), gears(engine::GearsAt(pattern, ring)) {
    image.fill(kWhiteRgb);
    QPainter painter(&image);
    PaintGears(painter, gears);
  }
  // The point `teeth` out along the normal from the contact at θ = 0, the
  // middle of the top side (straight up, as the top is 0), and `aside` teeth
  // to the right.
  QRgb Above(double teeth, double aside = 0) const {
    const double s = curve.SizeFactor();
    const double top = curve.Shape().Pitch().At(0).y;
    const AreaPoint centre = gears.ring.centre;
    return image.pixel(static_cast<int>(centre.x + aside * s),
                       static_cast<int>(centre.y - (top + teeth) * s));
  }
  engine::Pixel FirstTraced() const {
    engine::Pixel first{};
    bool seen = false;
    curve.TraceScreen([&](engine::Pixel from, engine::Pixel) {
      if (!seen) first = from;
      seen = true;
    });
    return first;
  }
};

// Inside a square ring the gear hangs from the middle of the top side, its
// centre M teeth below; the band runs along the side, not round a circle.
TEST(ShapedGearPaint, InsideASquare) {
  const Painted p({0, 96, 30, 0, 0, 200, 5, 1000, 0, 0}, {4, 40});
  const engine::Pixel pen = p.FirstTraced();
  EXPECT_EQ(p.image.pixel(pen.x, pen.y), kPenDotRgb | 0xFF000000);
  // The pen is straight above the gear's centre: below it, the gear alone.
  const QRgb gear = p.Above(-45);
  EXPECT_TRUE(Tinted(gear, kGearRgba));
  EXPECT_EQ(p.Above(-58), gear);
  EXPECT_EQ(p.Above(-62), kWhiteRgb);
  EXPECT_EQ(p.Above(-2, 7), gear);
  // The band between the teeth and the rim, 4 teeth out: a circle's ring
  // through the corners would leave this white.
  const QRgb ring = p.Above(2.5, 7);
  EXPECT_TRUE(Tinted(ring, kRingRgba));
  EXPECT_NE(ring, gear);
  EXPECT_EQ(p.Above(5.5, 7), kWhiteRgb);
  EXPECT_EQ(p.Above(-70), kWhiteRgb);
}

// Outside a rounded triangle the gear stands on the top side, its pen
// straight below its centre, and the ring is the toothed disc.
TEST(ShapedGearPaint, OutsideATriangle) {
  const Painted p({0, 90, 20, 1, 0, 150, 5, 1000, 0, 0}, {3, 5});
  const engine::Pixel pen = p.FirstTraced();
  EXPECT_EQ(p.image.pixel(pen.x, pen.y), kPenDotRgb | 0xFF000000);
  const QRgb gear = p.Above(30);
  EXPECT_TRUE(Tinted(gear, kGearRgba));
  EXPECT_EQ(p.Above(38), gear);
  EXPECT_EQ(p.Above(42), kWhiteRgb);
  const QRgb ring = p.Above(-2);
  EXPECT_TRUE(Tinted(ring, kRingRgba));
  EXPECT_NE(ring, gear);
  const AreaPoint c = p.gears.ring.centre;
  EXPECT_EQ(p.image.pixel(static_cast<int>(c.x), static_cast<int>(c.y)), ring);
  EXPECT_TRUE(p.gears.rimOutline.empty());
}

}  // namespace
}  // namespace ui
