#include <cmath>
#include <set>

#include "core/run_time_error.h"
#include "export_support.h"

namespace export_test {
namespace {

using exporting::ExportDesign;
using exporting::ExportFormat;
using exporting::ExportOptions;
using exporting::ExportPattern;

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

TEST(SvgExport, EveryVertexIsTheTracersExactPoint) {
  const std::vector<ExportPattern> patterns = Mixed();
  for (const double size : {200.0, 100.0, 297.0, 1000.0, 37.5, 1.0, 100000.0}) {
    SCOPED_TRACE(size);
    const Element svg = Export(patterns, Svg(size));
    const auto paths = Paths(svg);
    ASSERT_EQ(paths.size(), patterns.size());
    for (const Element* path : paths) {
      const size_t index = std::stoul(path->Attr("id").substr(8)) - 1;
      ASSERT_LT(index, patterns.size());
      const std::vector<ScreenPoint> exact = ExactPoints(patterns[index].record);
      const PathData data = ParsePathData(path->Attr("d"));
      EXPECT_TRUE(data.onlyAbsoluteMoveThenLines);
      ASSERT_EQ(data.vertices.size(), exact.size());
      long double worst = 0;
      for (size_t i = 0; i < exact.size(); ++i) {
        worst = std::max({worst, std::fabs(data.vertices[i].x * 640 / size - exact[i].x),
                          std::fabs(data.vertices[i].y * 640 / size - exact[i].y)});
      }
      EXPECT_LE(worst, 0.003L);
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
  EXPECT_EQ(layers[1]->Attr("inkscape:label"), "#ff0000");
  EXPECT_EQ(layers[2]->Attr("inkscape:label"), "#00ff00");
  EXPECT_EQ(layers[3]->Attr("inkscape:label"), "#563412");
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
      EXPECT_EQ(e.Attr("stroke"), layers[l]->Attr("inkscape:label"));
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

  options.includeCanvas = false;
  std::string text;
  const Element bare = Export({{Initial(), 1}}, options, &text);
  ASSERT_EQ(Layers(bare).size(), 1u);
  EXPECT_EQ(Layers(bare)[0]->Attr("inkscape:label"), "#ff0000");
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

long double SegmentDistance(const ScreenPoint& p, const ScreenPoint& a, const ScreenPoint& b) {
  const long double dx = b.x - a.x, dy = b.y - a.y;
  const long double length = dx * dx + dy * dy;
  long double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
  t = std::clamp(t, 0.0L, 1.0L);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Each path keeps an ordered subset of the exact points, both ends included,
// and every point it drops lies within the tolerance of the line between the
// written vertices around it.
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
        const std::vector<ScreenPoint> exact = ExactPoints(patterns[index].record);
        const PathData data = ParsePathData(path->Attr("d"));
        EXPECT_TRUE(data.onlyAbsoluteMoveThenLines);
        const long double mm = size / 640;
        std::vector<size_t> kept;
        size_t at = 0;
        for (const ScreenPoint& v : data.vertices) {
          while (at < exact.size() && !(std::fabs(v.x / mm - exact[at].x) <= 0.003L &&
                                        std::fabs(v.y / mm - exact[at].y) <= 0.003L))
            ++at;
          ASSERT_LT(at, exact.size()) << "a vertex that is not an exact point, in order";
          kept.push_back(at++);
        }
        ASSERT_GE(kept.size(), 2u);
        EXPECT_EQ(kept.front(), 0u);
        EXPECT_EQ(kept.back(), exact.size() - 1);
        long double worst = 0;
        for (size_t k = 1; k < kept.size(); ++k)
          for (size_t i = kept[k - 1] + 1; i < kept[k]; ++i) {
            const ScreenPoint p{exact[i].x * mm, exact[i].y * mm};
            worst = std::max(worst, SegmentDistance(p, data.vertices[k - 1], data.vertices[k]));
          }
        EXPECT_LE(worst, static_cast<long double>(tolerance));
        if (tolerance == 0) {
          EXPECT_EQ(kept.size(), exact.size());
        } else if (tolerance >= 0.1) {
          EXPECT_LT(kept.size(), exact.size() / 2);
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
