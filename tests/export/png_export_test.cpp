#include <QImage>
#include <cmath>

#include "export_support.h"
#include "ui/canvas.h"

namespace export_test {
namespace {

ExportOptions Png(int sizePx, Colour canvas = kWhite, bool includeCanvas = true) {
  ExportOptions options;
  options.format = ExportFormat::Png;
  options.sizePx = sizePx;
  options.canvasColour = canvas;
  options.includeCanvas = includeCanvas;
  return options;
}

QImage Export(const std::vector<ExportPattern>& patterns, const ExportOptions& options) {
  Scratch scratch;
  const std::string path = scratch.Path("design.png");
  EXPECT_TRUE(ExportDesign(patterns, options, path));
  QImage image(QString::fromStdString(path), "PNG");
  EXPECT_FALSE(image.isNull());
  return image;
}

// The picture as the window draws it: the canvas filled, then each pattern
// with its pen, a line from each screen pixel to the next.
QImage Screen(const std::vector<ExportPattern>& patterns, Colour canvasColour) {
  ui::ImageCanvas canvas(640, 640);
  canvas.SetBrushColour(canvasColour);
  canvas.FillRect(0, 0, 640, 640);
  for (const ExportPattern& p : patterns) {
    canvas.SetPenColour(p.record.Colour);
    canvas.SetPenWidth(p.lineWidth);
    engine::Curve(p.record).TraceScreen([&](engine::Pixel a, engine::Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
    });
  }
  return canvas.Image().convertToFormat(QImage::Format_RGB32);
}

int64_t DifferingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  int64_t differing = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int column = 0; column < x.width(); ++column)
      differing += x.pixel(column, row) != y.pixel(column, row);
  return differing;
}

void ExpectSameAsScreen(const std::vector<ExportPattern>& patterns, Colour canvas) {
  const QImage screen = Screen(patterns, canvas);
  const QImage png = Export(patterns, Png(640, canvas));
  EXPECT_EQ(DifferingPixels(png, screen), 0);
  // Something was drawn at all.
  EXPECT_NE(DifferingPixels(screen, Screen({}, canvas)), 0);
}

TEST(PngExport, AtScreenSizeThinPensDrawTheScreensPixels) {
  ExpectSameAsScreen({{Initial(0x0000FF), 1}}, kWhite);
  ExpectSameAsScreen({{Design(0x00AA00, 105, 42, 1, 37, 310, 3, 640, 0, 0), 1}}, 0x202020);
}

TEST(PngExport, AtScreenSizeWidePensDrawTheScreensPixels) {
  ExpectSameAsScreen({{Initial(0x0000FF), 3}}, kWhite);
  for (int width = 2; width <= 5; ++width)
    ExpectSameAsScreen({{Design(0xFF0000, 84, 30, 0, 12, 250, 7, 1500, 0, 0), width}}, 0x00FFFF);
}

TEST(PngExport, AtScreenSizeOffCentreDesignsDrawTheScreensPixels) {
  ExpectSameAsScreen({{Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 250, -180), 1}}, kWhite);
  ExpectSameAsScreen({{Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, -1234, 567), 3}}, kWhite);
}

// Far beyond the area both pens cut their lines the screen's way.
TEST(PngExport, AtScreenSizeHugeDesignsDrawTheScreensPixels) {
  for (const int width : {1, 4}) {
    // Loops through the middle of the area from tens of thousands of pixels
    // away, and from ten million.
    ExpectSameAsScreen({{Design(0x0000FF, 96, 60, 0, 0, 361, 5, 200000, 0, 0), width}}, kWhite);
    ExpectSameAsScreen({{Design(0x0000FF, 96, 60, 0, 0, 360, 1, 50000000, 0, 0), width}}, kWhite);
  }
}

TEST(PngExport, AtScreenSizeAHistoryOfPensDrawsTheScreensPixels) {
  ExpectSameAsScreen({{Initial(0x0000FF), 1},
                      {Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 250, -180), 3},
                      {Design(0xFF0000, 105, 42, 1, 37, 310, 3, 640, -77, 31), 2},
                      {Design(0x123456, 84, 30, 0, 12, 250, 7, 1500, 3, 5), 5},
                      {Initial(0x0000FF), 1}},
                     0x808080);
}

TEST(PngExport, WithoutTheCanvasTheBackgroundIsTransparent) {
  const std::vector<ExportPattern> patterns = {{Initial(0x0000FF), 1}};
  const QImage png = Export(patterns, Png(640, kWhite, false));
  ASSERT_TRUE(png.hasAlphaChannel());
  const QImage screen = Screen(patterns, kBlack);
  for (int y = 0; y < 640; ++y)
    for (int x = 0; x < 640; ++x) {
      const QRgb pixel = png.pixel(x, y);
      if (screen.pixel(x, y) == qRgb(255, 0, 0))
        ASSERT_EQ(pixel, qRgba(255, 0, 0, 255)) << x << "," << y;
      else
        ASSERT_EQ(qAlpha(pixel), 0) << x << "," << y;
    }
}

// A point starts a line unless every later point shares its scaled pixel,
// so that pixel is drawn.
void ExpectScaledPointsDrawn(const PatternRecord& record, int width, int side,
                             int64_t atLeast = 100) {
  const QImage png = Export({{record, width}}, Png(side));
  ASSERT_EQ(png.width(), side);
  ASSERT_EQ(png.height(), side);
  const std::vector<ScreenPoint> points = ExactPoints(record);
  const long double scale = side / 640.0L;
  const QRgb ink = ui::ToQRgb(record.Colour);
  const auto lastX = static_cast<int64_t>(std::trunc(points.back().x * scale));
  const auto lastY = static_cast<int64_t>(std::trunc(points.back().y * scale));
  int64_t checked = 0;
  for (size_t i = 0; i + 1 < points.size(); ++i) {
    const auto x = static_cast<int64_t>(std::trunc(points[i].x * scale));
    const auto y = static_cast<int64_t>(std::trunc(points[i].y * scale));
    if (x < 0 || y < 0 || x >= side || y >= side || (x == lastX && y == lastY)) continue;
    ASSERT_EQ(png.pixel(x, y) | 0xFF000000u, ink) << i;
    ++checked;
  }
  EXPECT_GE(checked, atLeast);
}

TEST(PngExport, OtherSizesScaleThePoints) {
  ExpectScaledPointsDrawn(Initial(0x0000FF), 1, 320);
  ExpectScaledPointsDrawn(Initial(0x0000FF), 1, 1280);
  ExpectScaledPointsDrawn(Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 250, -180), 3, 2000);
  ExpectScaledPointsDrawn(Design(0x0000FF, 96, 60, 0, 0, 361, 5, 200000, 0, 0), 1, 1000, 10);
  ExpectScaledPointsDrawn(Design(0x0000FF, 96, 60, 0, 0, 361, 5, 200000, 0, 0), 2, 1000, 10);
  EXPECT_EQ(Export({{Initial(), 1}}, Png(1)).size(), QSize(1, 1));
}

TEST(PngExport, OtherSizesScaleThePen) {
  // Across a horizontal stretch at the initial design's top: 6.4 px a screen
  // pixel at 4096 makes a pen of 6 px, 2 px at 1280 for width 1.
  const PatternRecord record = Initial(0x0000FF);
  const auto thickness = [&](int width, int side) {
    const QImage png = Export({{record, width}}, Png(side));
    const std::vector<ScreenPoint> points = ExactPoints(record);
    const long double scale = side / 640.0L;
    const int x = static_cast<int>(points[0].x * scale);
    const int y = static_cast<int>(points[0].y * scale);
    const auto inked = [&](int row) {
      return row >= 0 && row < side && png.pixel(x, row) == qRgb(255, 0, 0);
    };
    int top = y, bottom = y;
    while (inked(top - 1)) --top;
    while (inked(bottom + 1)) ++bottom;
    return inked(y) ? bottom - top + 1 : 0;
  };
  EXPECT_EQ(thickness(1, 640), 1);
  EXPECT_EQ(thickness(1, 1280), 2);
  EXPECT_EQ(thickness(3, 1280), 6);
  EXPECT_EQ(thickness(1, 4096), 6);
}

// Beyond the screen's size a wide pen is the screen's thin line at the scaled
// points, widened by a disc the pen's width across: worked out here the slow
// way, on a canvas with room for the discs of pixels just outside.
QImage WidenedReference(const PatternRecord& record, int penWidth, int side) {
  const int reach = (penWidth + 1) / 2;
  ui::ImageCanvas thin(side + 2 * reach, side + 2 * reach, kWhite);
  thin.SetPenColour(kBlack);
  const long double scale = side / 640.0L;
  const std::vector<ScreenPoint> points = ExactPoints(record);
  for (size_t i = 1; i < points.size(); ++i) {
    thin.MoveTo(static_cast<int>(std::trunc(points[i - 1].x * scale)) + reach,
                static_cast<int>(std::trunc(points[i - 1].y * scale)) + reach);
    thin.LineTo(static_cast<int>(std::trunc(points[i].x * scale)) + reach,
                static_cast<int>(std::trunc(points[i].y * scale)) + reach);
  }
  const double centre = penWidth % 2 == 1 ? 0.0 : 0.5;
  QImage out(side, side, QImage::Format_RGB32);
  out.fill(ui::ToQRgb(kWhite));
  for (int y = 0; y < thin.Height(); ++y)
    for (int x = 0; x < thin.Width(); ++x) {
      if (thin.PixelAt(x, y) != kBlack) continue;
      for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
          const double ex = dx + centre, ey = dy + centre;
          const int px = x - reach + dx, py = y - reach + dy;
          if (ex * ex + ey * ey <= penWidth * penWidth / 4.0 && px >= 0 && py >= 0 && px < side &&
              py < side)
            out.setPixel(px, py, ui::ToQRgb(record.Colour));
        }
    }
  return out;
}

TEST(PngExport, OtherSizesWidenTheThinLineByADisc) {
  const PatternRecord offCentre = Design(0x00AA00, 96, 60, 0, 0, 480, 5, 1000, 250, -180);
  const PatternRecord huge = Design(0x0000FF, 96, 60, 0, 0, 361, 5, 200000, 0, 0);
  struct Case {
    PatternRecord record;
    int lineWidth, side;
  };
  for (const Case& c : {Case{Initial(0x0000FF), 1, 1280}, Case{Initial(0x0000FF), 3, 1000},
                        Case{offCentre, 2, 700}, Case{offCentre, 5, 900}, Case{huge, 4, 1100}}) {
    const int pen = static_cast<int>(std::lround(c.lineWidth * c.side / 640.0));
    SCOPED_TRACE(testing::Message() << c.lineWidth << " at " << c.side << ": pen " << pen);
    const QImage png = Export({{c.record, c.lineWidth}}, Png(c.side));
    EXPECT_EQ(DifferingPixels(png, WidenedReference(c.record, pen, c.side)), 0);
  }
}

TEST(PngExport, EmptyHistoryIsAllCanvas) {
  const QImage png = Export({}, Png(100, 0x336699));
  ASSERT_EQ(png.size(), QSize(100, 100));
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) ASSERT_EQ(png.pixel(x, y), qRgb(0x99, 0x66, 0x33));
  const QImage bare = Export({}, Png(64, kWhite, false));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(qAlpha(bare.pixel(x, y)), 0);
}

}  // namespace
}  // namespace export_test
