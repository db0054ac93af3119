#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cmath>

#include "core/run_time_error.h"
#include "engine/gear_overlay.h"
#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/gear_painter.h"
#include "ui/scripted_prompts.h"

namespace ui {
namespace {

constexpr Colour kInk = 0x0000FF;
constexpr QRgb kOverlayRed = 0xFFFF0000;

class PaintOverlayTest : public testing::Test {
 protected:
  ScriptedPrompts prompts;
  Form form{"Overlay", 700, 700, prompts};
  PaintArea& area = form.Add<PaintArea>("PaintBox1", Geometry{6, 6, 640, 640});

  // A picture with something on it: a thick diagonal and a thin line.
  void DrawPicture() {
    ImageCanvas& canvas = area.Canvas();
    canvas.SetPenColour(kInk);
    canvas.SetPenWidth(5);
    canvas.MoveTo(0, 0);
    canvas.LineTo(639, 639);
    canvas.SetPenWidth(1);
    canvas.MoveTo(0, 320);
    canvas.LineTo(640, 320);
  }
};

TEST_F(PaintOverlayTest, OverlayIsSetAndRemoved) {
  EXPECT_FALSE(area.HasOverlay());
  area.SetOverlay([](QPainter&, double) {});
  EXPECT_TRUE(area.HasOverlay());
  area.SetOverlay({});
  EXPECT_FALSE(area.HasOverlay());
}

// The overlay is drawn over what the area shows, never into the picture.
TEST_F(PaintOverlayTest, OverlayNeverChangesTheCanvas) {
  DrawPicture();
  const QImage before = area.Canvas().Image().copy();
  double seenScale = 0;
  area.SetOverlay([&](QPainter& painter, double scale) {
    seenScale = scale;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(kOverlayRed));
    painter.drawRect(QRectF(100, 100, 200, 200));
  });

  const QImage grabbed = area.Grab();
  form.Show();
  QApplication::processEvents();
  const QImage shown = area.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  area.Repaint();
  QApplication::processEvents();

  EXPECT_EQ(seenScale, 1.0);
  EXPECT_EQ(area.Canvas().Image(), before);
  EXPECT_EQ(grabbed.size(), QSize(640, 640));
  EXPECT_EQ(shown, grabbed);
  EXPECT_EQ(grabbed.pixel(150, 200), kOverlayRed);
  EXPECT_EQ(FromQRgb(grabbed.pixel(20, 20)), kInk);
  EXPECT_EQ(FromQRgb(grabbed.pixel(500, 320)), kInk);
  EXPECT_EQ(FromQRgb(grabbed.pixel(500, 100)), kWhite);

  // Without it the area shows the canvas alone.
  area.SetOverlay({});
  EXPECT_EQ(area.Grab(), area.Canvas().Image());
}

// On a screen of two device pixels to a pixel the picture's pixels are
// doubled, the overlay's lines are not.
TEST_F(PaintOverlayTest, OverlayIsDrawnAtTheScreensResolution) {
  DrawPicture();
  area.SetOverlay([](QPainter& painter, double) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(400, 400, 0.5, 10), QColor::fromRgba(kOverlayRed));
  });
  const QImage sharp = area.Grab(2.0);
  ASSERT_EQ(sharp.size(), QSize(1280, 1280));
  EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
  // Each canvas pixel is a 2 x 2 block.
  for (int y = 0; y < 640; y += 7) {
    for (int x = 0; x < 640; x += 5) {
      if (x >= 395 && x <= 405) continue;
      const QRgb expected = area.Canvas().Image().pixel(x, y);
      ASSERT_EQ(sharp.pixel(2 * x, 2 * y), expected) << x << " " << y;
      ASSERT_EQ(sharp.pixel(2 * x + 1, 2 * y + 1), expected) << x << " " << y;
    }
  }
  // Half a pixel wide: one device column of the two.
  EXPECT_EQ(sharp.pixel(800, 810), kOverlayRed);
  EXPECT_EQ(FromQRgb(sharp.pixel(801, 810)), kWhite);
  EXPECT_EQ(area.Canvas().PixelAt(400, 405), kWhite);
}

TEST_F(PaintOverlayTest, FailingOverlayLeavesTheCanvasShown) {
  DrawPicture();
  area.SetOverlay([](QPainter& painter, double) {
    painter.fillRect(QRectF(0, 0, 10, 10), QColor::fromRgba(kOverlayRed));
    throw RunTimeError(errors::kRangeCheck);
  });
  QImage grabbed;
  EXPECT_NO_THROW(grabbed = area.Grab());
  EXPECT_EQ(grabbed.pixel(5, 5), kOverlayRed);
  EXPECT_EQ(FromQRgb(grabbed.pixel(320, 320)), kInk);
}

bool Tinted(QRgb shown, QRgb over, QRgb under) {
  // See-through: neither the picture's colour nor the paint's own.
  return shown != under && shown != (over | 0xFF000000);
}

TEST_F(PaintOverlayTest, GearsOverThePicture) {
  DrawPicture();
  const QImage before = area.Canvas().Image().copy();
  const engine::GearOverlay gears =
      engine::GearsAt(engine::PatternRecord{0, 96, 60, 0, 0, 480, 5, 1000, 0, 0});
  area.SetOverlay([&](QPainter& painter, double scale) { PaintGears(painter, gears, scale); });
  const QImage shown = area.Grab();
  EXPECT_EQ(area.Canvas().Image(), before);

  const QRgb white = 0xFFFFFFFF;
  // In the ring's band (radius 300 to 312.5 about 320.5, 320.5), left of
  // the centre, beyond the teeth.
  EXPECT_TRUE(Tinted(shown.pixel(14, 330), kRingRgba, white));
  // Inside the ring, away from the moving gear: the picture as it is.
  EXPECT_EQ(shown.pixel(320, 560), white);
  // Outside the rim.
  EXPECT_EQ(shown.pixel(3, 600), white);
  // In the moving gear (centre 320.5, 208, radius 187.5), off the pen line.
  EXPECT_TRUE(Tinted(shown.pixel(250, 250), kGearRgba, white));
  EXPECT_NE(shown.pixel(250, 250), shown.pixel(14, 330));
  // The pen dot at (320.5, 58), and the line down to the gear's centre.
  EXPECT_EQ(shown.pixel(320, 57), kPenDotRgb | 0xFF000000);
  const QColor line = QColor::fromRgb(shown.pixel(320, 150));
  EXPECT_LT(line.blue() - line.red(), 255);
  EXPECT_GT(line.blue(), line.red());
}

}  // namespace
}  // namespace ui
