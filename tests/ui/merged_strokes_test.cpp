// A trace's points merged into strokes on one thread and drawn on another
// must give, pixel for pixel, what the points drawn as they came give.
#include "raster/merged_strokes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "raster/banded_lines.h"

namespace {

constexpr int kSide = 96;

struct Picture {
  std::vector<uint32_t> bits = std::vector<uint32_t>(kSide * kSide, 0xFFFFFFFFu);
  BandedLines Lines(const LinePlacement& placement, int bands) {
    return BandedLines(bits.data(), kSide, kSide, kSide, bands, placement);
  }
};

// A walk over the picture: runs of sub-pixel steps bending slowly, long
// steps, sharp turns, repeated points and breaks.
std::vector<float> Walk(std::mt19937& random, size_t points) {
  std::uniform_real_distribution<float> unit(0, 1);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> xy;
  float x = 20 + 8 * unit(random), y = 20 + 8 * unit(random), heading = 6.28f * unit(random);
  for (size_t k = 0; k < points; ++k) {
    const float kind = unit(random);
    if (kind < 0.01f) {
      xy.insert(xy.end(), {nan, nan});
      continue;
    }
    if (kind < 0.03f && !xy.empty()) {
      xy.insert(xy.end(), {xy[xy.size() - 2], xy[xy.size() - 1]});
      continue;
    }
    heading += kind < 0.06f ? 2.5f * (unit(random) - 0.5f) : 0.05f * (unit(random) - 0.5f);
    const float step = kind < 0.1f ? 3 * unit(random) : 0.02f * unit(random);
    x = std::fmod(x + step * std::cos(heading) + 60.0f, 60.0f);
    y = std::fmod(y + step * std::sin(heading) + 60.0f, 60.0f);
    xy.insert(xy.end(), {x, y});
  }
  return xy;
}

TEST(MergedStrokes, DrawAsThePointsTheyWereWrittenFrom) {
  std::mt19937 random(20261208);
  const LinePlacement placements[] = {{1, 0, 0}, {1.5, 3.25, -2}, {7.5, -150, -120}};
  for (const LinePlacement& placement : placements) {
    for (int trial = 0; trial < 12; ++trial) {
      SCOPED_TRACE(testing::Message() << "scale " << placement.scale << ", trial " << trial);
      const std::vector<float> xy = Walk(random, 4000);
      const size_t count = xy.size() / 2;
      // Handed on in pieces, as a Draw hands them: each piece goes on from
      // the last point of the one before.
      std::vector<size_t> cuts{0};
      while (cuts.back() < count) cuts.push_back(std::min(count, cuts.back() + 1 + random() % 900));

      Picture given;
      {
        BandedLines lines = given.Lines(placement, 1);
        std::vector<std::vector<float>> pieces;
        for (size_t i = 1; i < cuts.size(); ++i) {
          const size_t from = cuts[i - 1] > 0 ? cuts[i - 1] - 1 : 0;
          pieces.emplace_back(xy.begin() + 2 * from, xy.begin() + 2 * cuts[i]);
        }
        for (const std::vector<float>& piece : pieces)
          lines.Draw({LineRun{piece.data(), piece.size() / 2, 0xFF204080u, 1.3}});
        lines.Finish();
      }

      Picture merged;
      StrokeWriter writer(placement);
      std::vector<float> strokes;
      for (size_t i = 1; i < cuts.size(); ++i) {
        // Fed unevenly within a piece, as the tracer's blocks come.
        for (size_t at = cuts[i - 1]; at < cuts[i];) {
          const size_t next = std::min(cuts[i], at + 1 + random() % 300);
          writer.Add(xy.data() + 2 * at, next - at);
          at = next;
        }
        ASSERT_EQ(writer.Given(), cuts[i] - cuts[i - 1]);
        const std::vector<float> piece = writer.Take();
        strokes.insert(strokes.end(), piece.begin(), piece.end());
      }
      {
        BandedLines lines = merged.Lines(placement, 3);
        lines.Draw({LineRun{strokes.data(), strokes.size() / 2, 0xFF204080u, 1.3, true}});
        lines.Finish();
      }
      ASSERT_EQ(merged.bits, given.bits);
      if (placement.scale < 2) {
        EXPECT_LT(strokes.size(), xy.size() / 3) << "the sub-pixel runs merged";
      }
    }
  }
}

}  // namespace
