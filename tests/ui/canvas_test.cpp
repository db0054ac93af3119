#include "ui/canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <set>
#include <utility>

namespace ui {
namespace {

using Pixels = std::set<std::pair<int, int>>;

// The line rule, evaluated for each major coordinate of the image alone:
// pixel i sits at major p0 + i, minor m0 + floor((2*i*a + n) / (2*n)).
Pixels Reference(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int width, int height) {
  Pixels out;
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
  const int64_t a = xMajor ? std::llabs(dy) : std::llabs(dx);
  if (n == 0) return out;
  const int64_t p0 = xMajor ? x0 : y0, m0 = xMajor ? y0 : x0;
  const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
  for (int64_t p = 0; p < (xMajor ? width : height); ++p) {
    const int64_t i = (p - p0) * majorSign;
    if (i < 0 || i >= n) continue;
    const __int128 k = (__int128{2} * i * a + n) / (__int128{2} * n);
    const int64_t m = m0 + minorSign * static_cast<int64_t>(k);
    if (m < 0 || m >= (xMajor ? height : width)) continue;
    out.insert(xMajor ? std::make_pair(int(p), int(m)) : std::make_pair(int(m), int(p)));
  }
  return out;
}

Pixels Drawn(const ImageCanvas& canvas, Colour ink) {
  Pixels out;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.PixelAt(x, y) == ink) out.insert({x, y});
  return out;
}

Pixels Line(int x0, int y0, int x1, int y1, int width = 40, int height = 30) {
  ImageCanvas canvas(width, height);
  canvas.SetPenColour(0x0000FF);
  canvas.MoveTo(x0, y0);
  canvas.LineTo(x1, y1);
  return Drawn(canvas, 0x0000FF);
}

TEST(ImageCanvasTest, ThinLineLeavesOutItsEndPixel) {
  EXPECT_EQ(Line(2, 3, 6, 3), (Pixels{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
  EXPECT_EQ(Line(4, 4, 1, 1), (Pixels{{4, 4}, {3, 3}, {2, 2}}));
  EXPECT_TRUE(Line(5, 5, 5, 5).empty());
  // A polyline: each segment's start is the last one's left-out end.
  ImageCanvas canvas(10, 10);
  canvas.MoveTo(1, 1);
  canvas.LineTo(4, 1);
  canvas.LineTo(4, 4);
  EXPECT_EQ(Drawn(canvas, kBlack), (Pixels{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
}

// A half step of the minor axis rounds away from the start, so a line and its
// reverse differ.
TEST(ImageCanvasTest, ThinLineTiesGoAwayFromTheStart) {
  EXPECT_EQ(Line(0, 0, 2, 1), (Pixels{{0, 0}, {1, 1}}));
  EXPECT_EQ(Line(2, 1, 0, 0), (Pixels{{2, 1}, {1, 0}}));
  EXPECT_EQ(Line(10, 10, 14, 8), (Pixels{{10, 10}, {11, 9}, {12, 9}, {13, 8}}));
  EXPECT_EQ(Line(10, 10, 11, 14), (Pixels{{10, 10}, {10, 11}, {11, 12}, {11, 13}}));
}

TEST(ImageCanvasTest, ThinLineFollowsTheRuleInEveryOctant) {
  const std::pair<int, int> ends[] = {{9, 2},  {9, -2},  {-9, 2}, {-9, -2}, {2, 9},  {2, -9},
                                      {-2, 9}, {-2, -9}, {7, 7},  {-7, 7},  {7, -7}, {-7, -7},
                                      {9, 0},  {-9, 0},  {0, 9},  {0, -9},  {6, 3},  {-3, -6}};
  for (auto [dx, dy] : ends) {
    SCOPED_TRACE(testing::Message() << dx << "," << dy);
    EXPECT_EQ(Line(20, 15, 20 + dx, 15 + dy), Reference(20, 15, 20 + dx, 15 + dy, 40, 30));
  }
}

// Clipped lines give exactly the pixels of the whole line that lie inside.
TEST(ImageCanvasTest, ThinLineClipsToTheImage) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-90, 120);
  for (int t = 0; t < 3000; ++t) {
    const int x0 = coordinate(random), y0 = coordinate(random);
    const int x1 = coordinate(random), y1 = coordinate(random);
    SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " -> " << x1 << "," << y1);
    ASSERT_EQ(Line(x0, y0, x1, y1), Reference(x0, y0, x1, y1, 40, 30));
  }
  EXPECT_EQ(Line(-5000, 37, 7000, -600), Reference(-5000, 37, 7000, -600, 40, 30));
  EXPECT_TRUE(Line(-10, -10, 50, -1).empty());
}

TEST(ImageCanvasTest, ThinLineWithHugeCoordinatesIsExact) {
  const int64_t cases[][4] = {{INT_MIN, INT_MIN + 7, INT_MAX, INT_MAX - 3},
                              {INT_MAX, 100, INT_MIN, 200},
                              {300, INT_MIN, 310, INT_MAX},
                              {INT_MIN, INT_MAX, INT_MAX, INT_MIN},
                              {-1000000007, 5, 999999937, 420}};
  for (const auto& c : cases) {
    ImageCanvas canvas(640, 640);
    canvas.MoveTo(int(c[0]), int(c[1]));
    canvas.LineTo(int(c[2]), int(c[3]));
    EXPECT_EQ(Drawn(canvas, kBlack), Reference(c[0], c[1], c[2], c[3], 640, 640));
  }
}

TEST(ImageCanvasTest, WideLinesAreRoundCapped) {
  ImageCanvas canvas(40, 40);
  canvas.SetPenWidth(5);
  canvas.SetPenColour(0x00FF00);
  canvas.MoveTo(10, 20);
  canvas.LineTo(30, 20);
  for (int y = 18; y <= 22; ++y) EXPECT_EQ(canvas.PixelAt(20, y), 0x00FF00) << y;
  EXPECT_EQ(canvas.PixelAt(20, 24), kWhite);
  EXPECT_EQ(canvas.PixelAt(8, 20), 0x00FF00);   // the cap beyond the start
  EXPECT_EQ(canvas.PixelAt(31, 20), 0x00FF00);  // and beyond the end
  EXPECT_EQ(canvas.PixelAt(8, 22), 0xFFFFFF);   // rounded, not square
  EXPECT_EQ(canvas.PixelAt(33, 20), 0xFFFFFF);

  // A far-away wide line is cut without moving it.
  ImageCanvas far(40, 40);
  far.SetPenWidth(3);
  far.MoveTo(INT_MIN, 10);
  far.LineTo(INT_MAX, 10);
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(far.PixelAt(x, 9), kBlack);
    EXPECT_EQ(far.PixelAt(x, 11), kBlack);
    EXPECT_EQ(far.PixelAt(x, 13), kWhite);
  }
}

TEST(ImageCanvasTest, FillAndCopyRectanglesLeaveOutRightAndBottom) {
  ImageCanvas canvas(20, 10);
  canvas.SetBrushColour(0x123456);
  canvas.FillRect(2, 3, 5, 6);
  Pixels filled = Drawn(canvas, 0x123456);
  EXPECT_EQ(filled.size(), 9u);
  EXPECT_TRUE(filled.count({2, 3}) && filled.count({4, 5}));
  canvas.FillRect(-100, -100, 1, 100);  // clipped to column 0
  EXPECT_EQ(Drawn(canvas, 0x123456).size(), 19u);

  ImageCanvas copy(10, 10, 0x000000);
  copy.CopyRect(canvas, 1, 4, 100, 5);
  EXPECT_EQ(copy.PixelAt(0, 4), kBlack);
  EXPECT_EQ(copy.PixelAt(1, 4), kWhite);
  EXPECT_EQ(copy.PixelAt(3, 4), 0x123456);
  EXPECT_EQ(copy.PixelAt(9, 4), kWhite);
  EXPECT_EQ(copy.PixelAt(3, 5), kBlack);
  EXPECT_EQ(copy.PixelAt(10, 4), -1);
}

// A copy of the picture taken earlier keeps what it showed, whatever is drawn
// afterwards and however.
TEST(ImageCanvasTest, CopiesOfTheImageStayAsTheyWere) {
  ImageCanvas canvas(20, 20);
  const QImage before = canvas.Image();
  canvas.MoveTo(0, 5);
  canvas.LineTo(20, 5);
  const QImage afterThin = canvas.Image();
  canvas.SetPenWidth(3);
  canvas.MoveTo(0, 10);
  canvas.LineTo(20, 10);
  canvas.SetPenWidth(1);
  canvas.MoveTo(0, 15);
  canvas.LineTo(20, 15);  // while the wide pen's painter is open
  const QImage afterWide = canvas.Image();
  canvas.SetBrushColour(0x00FF00);
  canvas.FillRect(0, 0, 20, 2);

  EXPECT_EQ(FromQRgb(before.pixel(3, 5)), kWhite);
  EXPECT_EQ(FromQRgb(afterThin.pixel(3, 5)), kBlack);
  EXPECT_EQ(FromQRgb(afterThin.pixel(3, 10)), kWhite);
  EXPECT_EQ(FromQRgb(afterWide.pixel(3, 10)), kBlack);
  EXPECT_EQ(FromQRgb(afterWide.pixel(3, 15)), kBlack);
  EXPECT_EQ(FromQRgb(afterWide.pixel(3, 0)), kWhite);
  EXPECT_EQ(canvas.PixelAt(3, 0), 0x00FF00);
  EXPECT_EQ(canvas.PixelAt(3, 15), kBlack);
  EXPECT_EQ(canvas.PixelAt(3, 11), kBlack);
}

TEST(ImageCanvasTest, ColourValuesHoldRedInTheLowByte) {
  EXPECT_EQ(ToQRgb(0x0000FF), qRgb(255, 0, 0));
  EXPECT_EQ(ToQRgb(0xFF0000), qRgb(0, 0, 255));
  EXPECT_EQ(FromQRgb(qRgb(1, 2, 3)), 0x030201);
  ImageCanvas canvas(2, 2, 0x20FFE0);
  EXPECT_EQ(canvas.Image().pixel(1, 1), qRgb(0xE0, 0xFF, 0x20));
  EXPECT_EQ(canvas.PixelAt(1, 1), 0x20FFE0);
}

}  // namespace
}  // namespace ui
