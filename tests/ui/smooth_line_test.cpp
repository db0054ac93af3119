// The antialiased line of the smooth view: coverage across the line, flat
// ends, clipping to the image and to a band, the order of blending, and the
// same picture from any number of bands.
#include "raster/smooth_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "raster/banded_lines.h"

namespace {

constexpr uint32_t kWhitePixel = 0xFFFFFFFFu;
constexpr uint32_t kBlackPixel = 0xFF000000u;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kBlue = 0xFF0000FFu;

struct Image {
  int width, height;
  std::vector<uint32_t> bits;
  Image(int w, int h) : width(w), height(h), bits(static_cast<size_t>(w) * h, kWhitePixel) {}
  uint32_t At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x]; }
  SmoothLine Lines(double penWidth, uint32_t colour = kBlackPixel, int top = 0, int bottom = -1) {
    SmoothLine line(bits.data(), width, width, top, bottom < 0 ? height : bottom);
    line.SetPen(colour, penWidth);
    return line;
  }
  // How much of a black line covers the pixel, 0 to 255.
  int Ink(int x, int y) const { return 255 - static_cast<int>(At(x, y) & 0xFF); }
  int InkedRows() const {
    int rows = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (Ink(x, y) != 0) {
          ++rows;
          break;
        }
    return rows;
  }
};

TEST(SmoothLine, CoversAcrossTheLineAsItsWidthDoes) {
  Image wide(20, 20);
  wide.Lines(2).Segment(-5, 10, 25, 10);
  EXPECT_EQ(wide.InkedRows(), 2);
  for (int x = 0; x < 20; ++x) {
    EXPECT_EQ(wide.At(x, 9), kBlackPixel) << x;
    EXPECT_EQ(wide.At(x, 10), kBlackPixel) << x;
  }

  // Thinner than a pixel: the pixels it lies on are covered by its width.
  Image thin(20, 20);
  thin.Lines(0.5).Segment(-5, 10.5, 25, 10.5);
  EXPECT_EQ(thin.InkedRows(), 1);
  for (int x = 0; x < 20; ++x) EXPECT_NEAR(thin.Ink(x, 10), 128, 1) << x;

  // Width 1 between two rows: half of each.
  Image between(20, 20);
  between.Lines(1).Segment(-5, 10, 25, 10);
  EXPECT_EQ(between.InkedRows(), 2);
  EXPECT_NEAR(between.Ink(7, 9), 128, 1);
  EXPECT_NEAR(between.Ink(7, 10), 128, 1);
}

TEST(SmoothLine, HasFlatEndsAndNothingOfNoLength) {
  Image image(20, 20);
  image.Lines(3).Segment(4, 10.5, 9, 10.5);
  for (int x = 0; x < 20; ++x) {
    const bool inside = x >= 4 && x < 9;
    EXPECT_EQ(image.Ink(x, 10), inside ? 255 : 0) << x;
    EXPECT_EQ(image.Ink(x, 9), inside ? 255 : 0) << x;
  }
  // Upright: the same, turned.
  Image upright(20, 20);
  upright.Lines(1).Segment(6.5, 12, 6.5, 3);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(upright.Ink(6, y), y >= 3 && y < 12 ? 255 : 0) << y;

  Image dot(20, 20);
  dot.Lines(4).Segment(10, 10, 10, 10);
  EXPECT_EQ(dot.InkedRows(), 0);
}

TEST(SmoothLine, JoinedPiecesDrawAsTheWholeLine) {
  Image whole(40, 40), pieces(40, 40);
  whole.Lines(1.5).Segment(2.3, 5.1, 37.9, 33.7);
  SmoothLine line = pieces.Lines(1.5);
  const int count = 97;
  for (int i = 0; i < count; ++i) {
    const double a = i / double(count), b = (i + 1) / double(count);
    line.Segment(2.3 + a * 35.6, 5.1 + a * 28.6, 2.3 + b * 35.6, 5.1 + b * 28.6);
  }
  // No pixel drawn twice at a join, none left out: at most a level apart
  // where a centre lies on a join within rounding.
  int worst = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      worst = std::max(worst, std::abs(whole.Ink(x, y) - pieces.Ink(x, y)));
  EXPECT_LE(worst, 1);
}

TEST(SmoothLine, ClipsToTheImageAndToItsBand) {
  Image image(20, 20);
  SmoothLine line = image.Lines(2);
  line.Segment(-1e9, -1e9, -1e8, -1e8);
  line.Segment(1e6, 5, 2e6, 5);
  line.Segment(5, -1e7, 5, 1e7);
  line.Segment(1e300, 0, 0, 1e300);
  line.Segment(std::nan(""), 3, 4, 5);
  EXPECT_EQ(image.InkedRows(), 20) << "the upright line crosses every row";
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(image.Ink(4, y), 255);
    EXPECT_EQ(image.Ink(5, y), 255);
    EXPECT_EQ(image.Ink(3, y), 0);
  }

  Image band(20, 20);
  band.Lines(1, kBlackPixel, 6, 9).Segment(2, -40, 12, 60);
  for (int y = 0; y < 20; ++y) {
    int inked = 0;
    for (int x = 0; x < 20; ++x) inked += band.Ink(x, y);
    EXPECT_EQ(inked > 0, y >= 6 && y < 9) << y;
  }
}

TEST(SmoothLine, BlendsEachSegmentOverTheOnesBefore) {
  Image redLast(10, 10), blueLast(10, 10);
  for (auto [image, first, last] : {std::tuple{&redLast, kBlue, kRed}, {&blueLast, kRed, kBlue}}) {
    image->Lines(2, first).Segment(0, 5, 10, 5);
    image->Lines(2, last).Segment(0, 5, 10, 5);
  }
  EXPECT_EQ(redLast.At(3, 4), kRed);
  EXPECT_EQ(blueLast.At(3, 4), kBlue);

  // Half covered: half the new colour over what was there.
  Image half(10, 10);
  half.Lines(2, kRed).Segment(0, 5, 10, 5);
  half.Lines(0.5, kBlue).Segment(0, 4.5, 10, 4.5);
  const uint32_t mixed = half.At(3, 4);
  EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 127, 1);
  EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 1);
  EXPECT_EQ(mixed >> 24, 0xFFu);
}

// A dense rose in picture pixels, crossing itself and the image's edges.
std::vector<float> Rose() {
  std::vector<float> xy;
  for (int i = 0; i <= 20000; ++i) {
    const double t = i * 0.0031;
    const double r = 70 * std::cos(7.3 * t);
    xy.push_back(static_cast<float>(60 + r * std::cos(t)));
    xy.push_back(static_cast<float>(55 + r * std::sin(t)));
  }
  xy.push_back(std::nanf(""));
  xy.push_back(std::nanf(""));
  xy.insert(xy.end(), {1, 1, 119, 3, 5, 117});
  return xy;
}

TEST(BandedLines, DrawTheSamePictureOnAnyNumberOfBands) {
  const std::vector<float> rose = Rose();
  auto draw = [&](int threads) {
    Image image(123, 117);
    BandedLines lines(image.bits.data(), image.width, image.width, image.height, threads,
                      {1.0, 0.25, -0.5});
    const size_t points = rose.size() / 2, half = points / 2;
    // In two hand-overs that share a point, two pens.
    lines.Draw({LineRun{rose.data(), half + 1, kRed, 2.5}});
    lines.Draw({LineRun{rose.data() + 2 * half, points - half, 0xFF2080C0u, 0.7}});
    lines.Finish();
    return image.bits;
  };
  const std::vector<uint32_t> one = draw(1);
  EXPECT_GT(std::count_if(one.begin(), one.end(), [](uint32_t p) { return p != kWhitePixel; }),
            3000);
  EXPECT_EQ(draw(2), one);
  EXPECT_EQ(draw(3), one);
  EXPECT_EQ(draw(8), one);
}

// A circle of segments far shorter than a pixel, as a dense pattern has at
// Fit, and of segments a few pixels long: each pixel is covered as by the
// circle itself, no pixel missed or doubled at a join.
TEST(BandedLines, JoinSegmentsWithoutGapsOrOverlaps) {
  for (const int count : {30000, 100}) {
    std::vector<float> xy;
    for (int i = 0; i <= count; ++i) {
      const double t = 6.283185307179586 * i / count;
      xy.push_back(static_cast<float>(50 + 40 * std::cos(t)));
      xy.push_back(static_cast<float>(50 + 40 * std::sin(t)));
    }
    Image image(100, 100);
    {
      BandedLines lines(image.bits.data(), 100, 100, 100, 2, {});
      lines.Draw({LineRun{xy.data(), xy.size() / 2, kBlackPixel, 1.5}});
    }
    // The chords of the 100-gon lie up to 40 (1 - cos(pi / 100)) = 0.02
    // pixels inside the circle.
    int worst = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        const double distance = std::abs(std::hypot(x + 0.5 - 50, y + 0.5 - 50) - 40);
        const double ideal =
            std::max(0.0, std::min(distance + 0.5, 0.75) - std::max(distance - 0.5, -0.75));
        // The start and end of the line are square cuts, not a join.
        if (x >= 88 && y >= 45 && y <= 54) continue;
        worst = std::max(worst, std::abs(image.Ink(x, y) - static_cast<int>(ideal * 255 + 0.5)));
      }
    EXPECT_LE(worst, 10) << count << " segments";
  }
}

TEST(BandedLines, LeaveTheRestOnceCancelled) {
  const std::vector<float> rose = Rose();
  Image image(123, 117);
  const std::atomic<bool> cancelled{true};
  BandedLines lines(image.bits.data(), image.width, image.width, image.height, 2, {}, &cancelled);
  lines.Draw({LineRun{rose.data(), rose.size() / 2, kBlackPixel, 1}});
  lines.Finish();
  EXPECT_EQ(image.InkedRows(), 0);
}

}  // namespace
