// Long path data split into pieces, and what every SVG holds on any design:
// vertices on the page, numbered layers, no point written twice in a row.
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

#include "core/run_time_error.h"
#include "export_support.h"

namespace export_test {
namespace {

ExportOptions Svg(double sizeMm, size_t maxPathDataBytes = exporting::kMaxPathDataBytes) {
  ExportOptions options;
  options.format = ExportFormat::Svg;
  options.sizeMm = sizeMm;
  options.maxPathDataBytes = maxPathDataBytes;
  return options;
}

Element Export(const std::vector<ExportPattern>& patterns, const ExportOptions& options) {
  Scratch scratch;
  const std::string path = scratch.Path("design.svg");
  EXPECT_TRUE(ExportDesign(patterns, options, path));
  return ParseSvg(ReadFile(path));
}

std::vector<const Element*> Paths(const Element& svg) {
  std::vector<const Element*> paths;
  for (const Element* layer : Layers(svg))
    for (const Element& e : layer->children)
      if (e.name == "path") paths.push_back(&e);
  return paths;
}

long double PenDownLength(const Stretches& stretches) {
  long double length = 0;
  for (const auto& s : stretches)
    for (size_t i = 1; i < s.size(); ++i)
      length += std::hypot(s[i].x - s[i - 1].x, s[i].y - s[i - 1].y);
  return length;
}

bool Same(const ScreenPoint& a, const ScreenPoint& b) {
  return a.x == b.x && a.y == b.y;
}

// Joins pieces whose first point is where the one before ended.
Stretches Joined(const std::vector<const Element*>& pieces) {
  Stretches joined;
  for (const Element* piece : pieces) {
    const PathData data = ParsePathData(piece->Attr("d"));
    EXPECT_TRUE(data.onlyAbsoluteMovesAndLines);
    for (size_t s = 0; s < data.subpaths.size(); ++s) {
      const auto& stretch = data.subpaths[s];
      if (s == 0 && !joined.empty() && Same(joined.back().back(), stretch.front())) {
        joined.back().insert(joined.back().end(), stretch.begin() + 1, stretch.end());
      } else {
        joined.push_back(stretch);
      }
    }
  }
  return joined;
}

// A centred design that leaves the page, an off-centre one, a small one.
std::vector<ExportPattern> ThreePatterns() {
  return {{Initial(0x0000FF), 1},
          {Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 250, -180), 3},
          {Design(0x0000FF, 105, 42, 1, 37, 310, 3, 640, -77, 31), 2}};
}

TEST(SvgPieces, LongPathDataGoesOnInTheFewestPiecesThatJoinBack) {
  const std::vector<ExportPattern> patterns = ThreePatterns();
  constexpr size_t kLimit = 2000;
  const Element whole = Export(patterns, Svg(200));
  const Element split = Export(patterns, Svg(200, kLimit));
  const auto wholePaths = Paths(whole);
  ASSERT_EQ(wholePaths.size(), 3u);
  const auto pieces = Paths(split);
  ASSERT_GT(pieces.size(), 3u);
  for (const Element* path : wholePaths) {
    const std::string id = path->Attr("id");
    SCOPED_TRACE(id);
    ASSERT_GT(path->Attr("d").size(), kLimit);
    // This pattern's pieces, in order: the first keeps the id.
    std::vector<const Element*> mine;
    for (const Element* piece : pieces) {
      const std::string pieceId = piece->Attr("id");
      if (pieceId == id || pieceId.rfind(id + "-", 0) == 0) mine.push_back(piece);
    }
    ASSERT_GE(mine.size(), 2u);
    for (size_t k = 0; k < mine.size(); ++k) {
      EXPECT_EQ(mine[k]->Attr("id"), k == 0 ? id : id + "-" + std::to_string(k + 1));
      EXPECT_LE(mine[k]->Attr("d").size(), kLimit);
      // As few as possible: each piece but the last is full to within two
      // commands.
      if (k + 1 < mine.size()) {
        EXPECT_GT(mine[k]->Attr("d").size(), kLimit - 100);
      }
      for (const char* attribute : {"stroke", "stroke-width", "fill", "stroke-linecap"})
        EXPECT_EQ(mine[k]->Attr(attribute), path->Attr(attribute));
    }
    // Joined back, the same stretches, and so the same pen-down length.
    const Stretches unsplit = ParsePathData(path->Attr("d")).subpaths;
    const Stretches joined = Joined(mine);
    ASSERT_EQ(joined.size(), unsplit.size());
    for (size_t s = 0; s < joined.size(); ++s) {
      ASSERT_EQ(joined[s].size(), unsplit[s].size()) << s;
      for (size_t i = 0; i < joined[s].size(); ++i)
        ASSERT_TRUE(Same(joined[s][i], unsplit[s][i])) << s << ", " << i;
    }
    EXPECT_EQ(PenDownLength(joined), PenDownLength(unsplit));
  }
}

TEST(SvgPieces, OnlyAPathLongerThanTheLimitIsSplit) {
  const std::vector<ExportPattern> patterns = ThreePatterns();
  const Element whole = Export(patterns, Svg(200));
  std::map<std::string, size_t> sizes;
  for (const Element* path : Paths(whole)) sizes[path->Attr("id")] = path->Attr("d").size();
  // A limit between the second and the longest splits the longest alone.
  std::vector<std::pair<size_t, std::string>> sorted;
  for (const auto& [id, size] : sizes) sorted.push_back({size, id});
  std::sort(sorted.begin(), sorted.end());
  ASSERT_LT(sorted[1].first, sorted[2].first);
  const Element split = Export(patterns, Svg(200, sorted[2].first - 1));
  std::vector<std::string> ids;
  for (const Element* path : Paths(split)) ids.push_back(path->Attr("id"));
  const std::string longestId = sorted[2].second;
  EXPECT_EQ(std::count(ids.begin(), ids.end(), longestId + "-2"), 1);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), longestId + "-3"), 0);
  EXPECT_EQ(ids.size(), patterns.size() + 1);
  // At exactly its length, nothing is split.
  EXPECT_EQ(Paths(Export(patterns, Svg(200, sorted[2].first))).size(), patterns.size());
}

// XML readers that keep at most 10 MB of unreleased input (libxml2, under
// librsvg) release it in a run of blanks between elements.
TEST(SvgPieces, LongPathDataIsBrokenByBlanksThatXmlReadersReleaseInputAt) {
  const std::string blanks = std::string(4095, ' ') + '\n';
  Scratch scratch;
  const std::string path = scratch.Path("design.svg");
  const PatternRecord dense = Design(0x0000FF, 150, 7, 0, 0, 480, 1, 1000, 0, 0);
  ASSERT_TRUE(ExportDesign({{dense, 1}, {Initial(), 1}}, Svg(200), path));
  const std::string text = ReadFile(path);
  ASSERT_GT(text.size(), 3'500'000u);
  std::vector<size_t> breaks;
  for (size_t at = text.find(blanks); at != std::string::npos; at = text.find(blanks, at + 1)) {
    breaks.push_back(at);
    // Between two elements, never inside one.
    EXPECT_EQ(text.compare(at - 3, 3, "/>\n"), 0);
    EXPECT_EQ(text[at + blanks.size()], '<');
  }
  ASSERT_GE(breaks.size(), 3u);
  breaks.push_back(text.size());
  size_t last = 0;
  for (size_t at : breaks) {
    // A megabyte and the piece that passed it.
    EXPECT_LT(at - last, 2'100'000u);
    last = at;
  }
  // Still the same drawing: the dense pattern in pieces, then the other.
  const Element svg = ParseSvg(text);
  const auto paths = Paths(svg);
  ASSERT_GT(paths.size(), 4u);
  EXPECT_EQ(paths.back()->Attr("id"), "pattern-2");
  // A small design has none.
  const std::string small = scratch.Path("small.svg");
  ASSERT_TRUE(ExportDesign(ThreePatterns(), Svg(200), small));
  EXPECT_EQ(ReadFile(small).find(blanks), std::string::npos);
}

TEST(SvgOnThePage, APatternEntirelyOffThePageWritesNothing) {
  const PatternRecord away = Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 30000, 0);
  ASSERT_TRUE(ClippedStretches(ExactPoints(away)).empty());
  const Element svg = Export({{Initial(), 1}, {away, 1}}, Svg(200));
  const auto paths = Paths(svg);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0]->Attr("id"), "pattern-1");
  // Its colour keeps its layer, empty.
  const auto layers = Layers(svg);
  ASSERT_EQ(layers.size(), 3u);
  EXPECT_EQ(layers[2]->Attr("inkscape:label"), "2 #00ff00");
  EXPECT_TRUE(layers[2]->children.empty());
}

// Random designs at sizes whose numbers round differently.
TEST(SvgOnThePage, RandomDesignsHaveEveryVertexInTheViewBoxAndNumberedLayers) {
  std::mt19937 random(20261207);
  auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const Colour palette[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0x00FFFF};
  std::vector<ExportPattern> patterns;
  while (patterns.size() < 12) {
    const PatternRecord record =
        Design(palette[between(0, 4)], between(30, 150), between(10, 120), between(0, 1),
               between(0, 359), between(0, 900), between(1, 20), between(300, 3000),
               between(-500, 500), between(-500, 500));
    try {
      if (engine::Curve(record).EstimatedSegments() > 100000) continue;
    } catch (const RunTimeError&) {
      continue;
    }
    patterns.push_back({record, between(1, 5)});
  }
  for (const double size : {200.0, 37.3, 1.23456789, 1000.0}) {
    SCOPED_TRACE(size);
    const Element svg = Export(patterns, Svg(size));
    const auto layers = Layers(svg);
    for (size_t l = 1; l < layers.size(); ++l) {
      const std::string label = layers[l]->Attr("inkscape:label");
      EXPECT_EQ(label.substr(0, label.find(' ')), std::to_string(l));
    }
    size_t clippedPatterns = 0;
    for (const Element* path : Paths(svg)) {
      const size_t index = std::stoul(path->Attr("id").substr(8)) - 1;
      const PathData data = ParsePathData(path->Attr("d"));
      for (const std::string& n : data.numbers) {
        const double v = std::strtod(n.c_str(), nullptr);
        ASSERT_TRUE(v >= 0 && v <= size) << n;
      }
      // No point written twice in a row, but for a dot.
      for (const auto& stretch : data.subpaths) {
        ASSERT_GE(stretch.size(), 2u);
        if (stretch.size() == 2) continue;
        for (size_t i = 1; i < stretch.size(); ++i)
          ASSERT_FALSE(Same(stretch[i], stretch[i - 1])) << i;
      }
      const Stretches clipped = ClippedStretches(ExactPoints(patterns[index].record));
      clippedPatterns += clipped.size() > 1;
      Stretches written = data.subpaths;
      for (auto& stretch : written)
        for (ScreenPoint& p : stretch) p = {p.x * 640 / size, p.y * 640 / size};
      // Within 0.003 px, or a unit of the last decimal for a number held
      // on the page.
      EXPECT_TRUE(WrittenFollowClipped(written, clipped, 0.006L, 0.012L));
    }
    EXPECT_GT(clippedPatterns, 3u);
  }
}

// A small pattern whose points crowd in its loops: many of them read as
// the one before.
TEST(SvgOnThePage, APointThatReadsAsTheOneBeforeIsLeftOut) {
  const PatternRecord tiny = Design(0x0000FF, 30, 1, 1, 0, 8, 5, 1, 0, 0);
  const std::vector<ScreenPoint> exact = ExactPoints(tiny);
  size_t close = 0;
  for (size_t i = 1; i < exact.size(); ++i)
    close += std::hypot(exact[i].x - exact[i - 1].x, exact[i].y - exact[i - 1].y) < 1e-4L;
  ASSERT_GT(close, 1000u);
  const Element crowded = Export({{tiny, 1}}, Svg(200));
  const auto paths = Paths(crowded);
  ASSERT_EQ(paths.size(), 1u);
  const PathData data = ParsePathData(paths[0]->Attr("d"));
  ASSERT_EQ(data.subpaths.size(), 1u);
  ASSERT_GT(data.vertices.size(), 2u);
  EXPECT_LT(data.vertices.size(), exact.size() - close / 2);
  // A pattern that never moves (the gear as large as the ring) is a dot.
  const Element svg = Export({{Design(0x0000FF, 96, 96, 0, 0, 480, 5, 1000, 0, 0), 1}}, Svg(200));
  const auto dot = Paths(svg);
  ASSERT_EQ(dot.size(), 1u);
  const PathData still = ParsePathData(dot[0]->Attr("d"));
  ASSERT_EQ(still.vertices.size(), 2u);
  EXPECT_TRUE(Same(still.vertices[0], still.vertices[1]));
  for (size_t i = 1; i < data.vertices.size(); ++i)
    ASSERT_FALSE(Same(data.vertices[i], data.vertices[i - 1])) << i;
  Stretches written = {data.vertices};
  for (ScreenPoint& p : written[0]) p = {p.x * 640 / 200, p.y * 640 / 200};
  EXPECT_TRUE(WrittenFollowClipped(written, ClippedStretches(exact), 0.003L, 0.006L));
}

}  // namespace
}  // namespace export_test
