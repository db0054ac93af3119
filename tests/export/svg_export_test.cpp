#include <cmath>
#include <set>

#include "core/run_time_error.h"
#include "export_support.h"

namespace export_test {
namespace {

ExportOptions Svg(double sizeMm) {
  ExportOptions options;
  options.format = ExportFormat::Svg;
  options.sizeMm = sizeMm;
  return options;
}

Element Export(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
               std::string* text = nullptr) {
  Scratch scratch;
  const std::string path = scratch.Path("design.svg");
  EXPECT_TRUE(ExportDesign(patterns, options, path));
  const std::string svg = ReadFile(path);
  if (text != nullptr) *text = svg;
  return ParseSvg(svg);
}

std::vector<const Element*> Paths(const Element& svg) {
  std::vector<const Element*> paths;
  for (const Element* layer : Layers(svg))
    for (const Element& e : layer->children)
      if (e.name == "path") paths.push_back(&e);
  return paths;
}

double Number(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

// The largest number of decimals that keeps 0.003 px.
int DecimalsFor(double sizeMm) {
  int d = 0;
  while (0.5 * std::pow(10.0, -d) > 0.003 * sizeMm / 640) ++d;
  return d;
}

// Centred and off-centre designs, internal and external, turned.
std::vector<ExportPattern> Mixed() {
  return {{Initial(0x0000FF), 1},
          {Design(0x00FF00, 96, 60, 0, 0, 480, 5, 1000, 250, -180), 3},
          {Design(0x0000FF, 105, 42, 1, 37, 310, 3, 640, -77, 31), 2},
          {Design(0x123456, 84, 30, 0, 12, 250, 7, 1500, 3, 5), 5}};
}

// Written vertices in drawing-area pixels, a stretch from each M.
Stretches InPixels(const PathData& data, double sizeMm) {
  Stretches stretches = data.subpaths;
  for (auto& stretch : stretches)
    for (ScreenPoint& p : stretch) {
      p.x = p.x * 640 / sizeMm;
      p.y = p.y * 640 / sizeMm;
    }
  return stretches;
}

// Every vertex is an exact point on the page or the point where the curve
// crosses the page's edge, within 0.003 px; a repeat of the written point
// before is left out.
TEST(SvgExport, EveryVertexIsTheTracersExactPointOnThePage) {
  const std::vector<ExportPattern> patterns = Mixed();
  for (const double size : {200.0, 100.0, 297.0, 1000.0, 37.5, 1.0, 100000.0}) {
    SCOPED_TRACE(size);
    const Element svg = Export(patterns, Svg(size));
    const auto paths = Paths(svg);
    ASSERT_EQ(paths.size(), patterns.size());
    for (const Element* path : paths) {
      const size_t index = std::stoul(path->Attr("id").substr(8)) - 1;
      ASSERT_LT(index, patterns.size());
      const PathData data = ParsePathData(path->Attr("d"));
      EXPECT_TRUE(data.onlyAbsoluteMovesAndLines);
      EXPECT_TRUE(WrittenFollowClipped(InPixels(data, size),
                                       ClippedStretches(ExactPoints(patterns[index].record)),
                                       0.003L, 0.006L));
      // Compact: no more decimals than 0.003 px needs, no trailing zeros,
      // no "-0".
      for (const std::string& n : data.numbers) {
        const size_t point = n.find('.');
        if (point != std::string::npos) {
          EXPECT_LE(static_cast<int>(n.size() - point - 1), DecimalsFor(size)) << n;
          EXPECT_NE(n.back(), '0') << n;
          EXPECT_NE(n.back(), '.') << n;
        }
        EXPECT_NE(n, "-0");
      }
    }
  }
}

TEST(SvgExport, TruncatingTheExactPointGivesTheScreenPixel) {
  for (const ExportPattern& pattern : Mixed()) {
    const engine::Curve curve(pattern.record);
    std::vector<engine::Pixel> pixels;
    curve.TraceScreen([&](engine::Pixel from, engine::Pixel to) {
      if (pixels.empty()) pixels.push_back(from);
      pixels.push_back(to);
    });
    const std::vector<ScreenPoint> exact = ExactPoints(pattern.record);
    ASSERT_EQ(exact.size(), pixels.size());
    for (size_t i = 0; i < exact.size(); ++i) {
      ASSERT_EQ(static_cast<int32_t>(std::trunc(exact[i].x)), pixels[i].x) << i;
      ASSERT_EQ(static_cast<int32_t>(std::trunc(exact[i].y)), pixels[i].y) << i;
    }
  }
}

TEST(SvgExport, RootIsMillimetresWithOneUserUnitAMillimetre) {
  const Element svg = Export({}, Svg(210.5));
  EXPECT_EQ(svg.name, "svg");
  EXPECT_EQ(svg.Attr("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(svg.Attr("xmlns:inkscape"), "http://www.inkscape.org/namespaces/inkscape");
  EXPECT_EQ(svg.Attr("width"), "210.5mm");
  EXPECT_EQ(svg.Attr("height"), "210.5mm");
  EXPECT_EQ(svg.Attr("viewBox"), "0 0 210.5 210.5");
}

TEST(SvgExport, OneLayerAPenColourInOrderOfFirstUse) {
  const std::vector<ExportPattern> patterns = Mixed();
  const Element svg = Export(patterns, Svg(200));
  const auto layers = Layers(svg);
  ASSERT_EQ(layers.size(), 4u);
  EXPECT_EQ(layers[0]->Attr("inkscape:label"), "canvas");
  // 0x00BBGGRR: red in the low byte.
  // Plotter tools number a layer by the digits its label starts with.
  EXPECT_EQ(layers[1]->Attr("inkscape:label"), "1 #ff0000");
  EXPECT_EQ(layers[2]->Attr("inkscape:label"), "2 #00ff00");
  EXPECT_EQ(layers[3]->Attr("inkscape:label"), "3 #563412");
  const std::vector<std::vector<std::string>> expected = {
      {}, {"pattern-1", "pattern-3"}, {"pattern-2"}, {"pattern-4"}};
  std::set<std::string> ids;
  for (size_t l = 0; l < layers.size(); ++l) {
    EXPECT_TRUE(ids.insert(layers[l]->Attr("id")).second);
    std::vector<std::string> inLayer;
    for (const Element& e : layers[l]->children) {
      EXPECT_TRUE(ids.insert(e.Attr("id")).second);
      if (e.name != "path") continue;
      inLayer.push_back(e.Attr("id"));
      EXPECT_EQ(std::to_string(l) + " " + e.Attr("stroke"), layers[l]->Attr("inkscape:label"));
    }
    EXPECT_EQ(inLayer, expected[l]) << l;
  }
}

TEST(SvgExport, PathsCarryTheirPenColourAndWidth) {
  const std::vector<ExportPattern> patterns = Mixed();
  for (const double size : {200.0, 123.4}) {
    const Element svg = Export(patterns, Svg(size));
    const auto paths = Paths(svg);
    ASSERT_EQ(paths.size(), patterns.size());
    const char* strokes[] = {"#ff0000", "#00ff00", "#ff0000", "#563412"};
    for (const Element* path : paths) {
      const size_t index = std::stoul(path->Attr("id").substr(8)) - 1;
      EXPECT_EQ(path->Attr("stroke"), strokes[index]);
      EXPECT_EQ(path->Attr("fill"), "none");
      EXPECT_EQ(path->Attr("stroke-linecap"), "round");
      EXPECT_EQ(path->Attr("stroke-linejoin"), "round");
      EXPECT_DOUBLE_EQ(Number(path->Attr("stroke-width")), patterns[index].lineWidth * size / 640);
    }
  }
  const Element blue = Export({{Initial(0xFF0000), 1}}, Svg(200));
  EXPECT_EQ(Paths(blue).at(0)->Attr("stroke"), "#0000ff");
  EXPECT_EQ(Paths(blue).at(0)->Attr("stroke-width"), "0.3125");
}

TEST(SvgExport, CanvasIsARectInAFirstLayerOfItsOwn) {
  ExportOptions options = Svg(150);
  options.canvasColour = 0x00C0FF;  // orange
  const Element svg = Export({{Initial(), 1}}, options);
  const auto layers = Layers(svg);
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0]->Attr("inkscape:label"), "canvas");
  ASSERT_EQ(layers[0]->children.size(), 1u);
  const Element& rect = layers[0]->children[0];
  EXPECT_EQ(rect.name, "rect");
  EXPECT_EQ(rect.Attr("id"), "canvas");
  EXPECT_EQ(rect.Attr("x"), "0");
  EXPECT_EQ(rect.Attr("y"), "0");
  EXPECT_EQ(rect.Attr("width"), "150");
  EXPECT_EQ(rect.Attr("height"), "150");
  EXPECT_EQ(rect.Attr("fill"), "#ffc000");
  EXPECT_EQ(rect.Attr("stroke"), "none");  // a background, not a pen path

  options.includeCanvas = false;
  std::string text;
  const Element bare = Export({{Initial(), 1}}, options, &text);
  ASSERT_EQ(Layers(bare).size(), 1u);
  EXPECT_EQ(Layers(bare)[0]->Attr("inkscape:label"), "1 #ff0000");
  EXPECT_EQ(text.find("<rect"), std::string::npos);
}

TEST(SvgExport, OneLayerInDrawingOrderWhenAsked) {
  ExportOptions options = Svg(200);
  options.layerPerColour = false;
  const std::vector<ExportPattern> patterns = Mixed();
  const Element svg = Export(patterns, options);
  const auto layers = Layers(svg);
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0]->Attr("inkscape:label"), "canvas");
  EXPECT_EQ(layers[1]->Attr("inkscape:label"), "1 patterns");
  std::vector<std::string> ids;
  for (const Element& e : layers[1]->children) ids.push_back(e.Attr("id"));
  EXPECT_EQ(ids, (std::vector<std::string>{"pattern-1", "pattern-2", "pattern-3", "pattern-4"}));
  // The same vertices as in the layers by colour.
  const Element byColour = Export(patterns, Svg(200));
  for (const Element* path : Paths(byColour)) {
    const size_t index = std::stoul(path->Attr("id").substr(8)) - 1;
    EXPECT_TRUE(path->Attr("d") == layers[1]->children[index].Attr("d")) << index;
  }
}

// Each stretch keeps an ordered subset of its clipped points, both ends
// included, and every point it drops lies within the tolerance of the line
// between the written vertices around it.
TEST(SvgExport, SimplifiedPathsStayWithinTheTolerance) {
  const std::vector<ExportPattern> patterns = Mixed();
  for (const double size : {200.0, 75.0}) {
    for (const double tolerance : {0.0, 0.02, 0.1, 1.0}) {
      SCOPED_TRACE(testing::Message() << size << " mm, tolerance " << tolerance);
      ExportOptions options = Svg(size);
      options.simplifyMm = tolerance;
      const Element svg = Export(patterns, options);
      for (const Element* path : Paths(svg)) {
        const size_t index = std::stoul(path->Attr("id").substr(8)) - 1;
        const Stretches clipped = ClippedStretches(ExactPoints(patterns[index].record));
        const PathData data = ParsePathData(path->Attr("d"));
        EXPECT_TRUE(data.onlyAbsoluteMovesAndLines);
        const long double tolerancePx = tolerance * 640 / size;
        EXPECT_TRUE(WrittenFollowClipped(InPixels(data, size), clipped, 0.003L,
                                         std::max(tolerancePx, 0.006L)));
        size_t points = 0;
        for (const auto& stretch : clipped) points += stretch.size();
        if (tolerance >= 0.1) {
          EXPECT_LT(data.vertices.size(), points / 2);
        }
      }
    }
  }
}

TEST(SvgExport, EmptyHistoryIsTheCanvasAlone) {
  const Element svg = Export({}, Svg(200));
  const auto layers = Layers(svg);
  ASSERT_EQ(layers.size(), 1u);
  EXPECT_EQ(layers[0]->children.at(0).Attr("id"), "canvas");
  ExportOptions options = Svg(200);
  options.includeCanvas = false;
  EXPECT_TRUE(Export({}, options).children.empty());
  options.layerPerColour = false;
  EXPECT_TRUE(Export({}, options).children.empty());
}

}  // namespace
}  // namespace export_test
