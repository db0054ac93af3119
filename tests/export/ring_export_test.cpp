// Exports of patterns on shaped rings: each traced on its own ring.
#include "export_support.h"

namespace export_test {
namespace {

std::string Exported(const std::vector<ExportPattern>& patterns, ExportFormat format) {
  ExportOptions options;
  options.format = format;
  options.sizeMm = 200;
  options.sizePx = 640;
  Scratch scratch;
  const std::string path = scratch.Path("design");
  EXPECT_TRUE(ExportDesign(patterns, options, path));
  return ReadFile(path);
}

std::vector<ExportPattern> Shapes() {
  return {{Initial(0x0000FF), 1, {4, 60}},
          {Design(0x00FF00, 96, 30, 0, 0, 240, 2, 1000, 0, 0), 2, {2, 40}},
          {Design(0xFF0000, 105, 42, 1, 37, 310, 3, 640, -77, 31), 1, {6, 10}}};
}

std::vector<ExportPattern> AsCircles(std::vector<ExportPattern> patterns) {
  for (ExportPattern& p : patterns) p.ring = {};
  return patterns;
}

TEST(RingExport, SvgVerticesAreTheShapedTracersExactPoints) {
  const std::vector<ExportPattern> patterns = Shapes();
  const Element svg = ParseSvg(Exported(patterns, ExportFormat::Svg));
  size_t paths = 0;
  for (const Element* layer : Layers(svg)) {
    for (const Element& path : layer->children) {
      if (path.name != "path") continue;
      ++paths;
      const size_t index = std::stoul(path.Attr("id").substr(8)) - 1;
      ASSERT_LT(index, patterns.size());
      Stretches written = ParsePathData(path.Attr("d")).subpaths;
      for (auto& stretch : written) {
        for (ScreenPoint& p : stretch) p = {p.x * 640 / 200, p.y * 640 / 200};
      }
      const ExportPattern& p = patterns[index];
      EXPECT_TRUE(WrittenFollowClipped(written, ClippedStretches(ExactPoints(p.record, p.ring)),
                                       0.003L, 0.006L))
          << index;
    }
  }
  EXPECT_EQ(paths, patterns.size());
}

TEST(RingExport, EveryFormatDrawsAShapeOtherwiseThanItsCircle) {
  for (const ExportFormat format : {ExportFormat::Svg, ExportFormat::Pdf, ExportFormat::Png}) {
    const std::string shaped = Exported(Shapes(), format);
    EXPECT_NE(shaped, Exported(AsCircles(Shapes()), format)) << static_cast<int>(format);
  }
  // And the same shapes the same picture.
  EXPECT_EQ(Exported(Shapes(), ExportFormat::Png), Exported(Shapes(), ExportFormat::Png));
}

}  // namespace
}  // namespace export_test
