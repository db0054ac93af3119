// File > Export's pickers: the design's name, and the options last chosen.
#include "commands/export_command.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "ui/scripted_prompts.h"

namespace {

using exporting::ExportFormat;

// Scripted dialogs whose options box shows what it was offered and answers
// with `change` applied.
class OptionsPrompts : public ui::ScriptedPrompts {
 public:
  std::optional<ui::ExportChoices> AskExportOptions(const std::string& /*title*/,
                                                    const ui::ExportChoices& offered) override {
    offers.push_back(offered);
    if (cancel) return std::nullopt;
    ui::ExportChoices chosen = offered;
    if (change) change(chosen);
    return chosen;
  }
  std::vector<ui::ExportChoices> offers;
  std::function<void(ui::ExportChoices&)> change;
  bool cancel = false;
};

class ExportPickers : public testing::Test {
 protected:
  std::string Path(const std::string& name) const {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  // Exports to `name`, and returns the name the picker suggested.
  std::string ExportTo(ExportFormat format, const std::string& name) {
    prompts.AnswerSave(Path(name));
    command.Export(format);
    return prompts.lastFileDialog ? prompts.lastFileDialog->initialName : "";
  }

  QTemporaryDir dir;
  OptionsPrompts prompts;
  engine::PatternHistory history;
  std::string designPath;
  commands::ExportCommand command{prompts, history, [] { return kWhite; },
                                  [this] { return designPath; }};
};

TEST_F(ExportPickers, SuggestTheDesignsNameWithTheFormatsExtension) {
  prompts.change = [](ui::ExportChoices& c) { c.size = 64; };  // small and quick
  // Without a design file: the name last chosen for that format.
  EXPECT_EQ(ExportTo(ExportFormat::Svg, "first.svg"), "");
  EXPECT_EQ(ExportTo(ExportFormat::Svg, "second.svg"), Path("first.svg"));
  EXPECT_EQ(ExportTo(ExportFormat::Png, "one.png"), "");

  designPath = "/home/ann/designs.v2/spiral.txt";
  EXPECT_EQ(ExportTo(ExportFormat::Svg, "a.svg"), "/home/ann/designs.v2/spiral.svg");
  EXPECT_EQ(ExportTo(ExportFormat::Pdf, "a.pdf"), "/home/ann/designs.v2/spiral.pdf");
  EXPECT_EQ(ExportTo(ExportFormat::Png, "a.png"), "/home/ann/designs.v2/spiral.png");
  designPath = "/home/ann/designs.v2/rose";  // a dot in the folder only
  EXPECT_EQ(ExportTo(ExportFormat::Svg, "b.svg"), "/home/ann/designs.v2/rose.svg");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("b.svg"))));
}

TEST_F(ExportPickers, OfferTheOptionsLastChosenForEachFormat) {
  prompts.change = [](ui::ExportChoices& c) {
    c.size = 150;
    c.includeCanvas = false;
    c.simplify = true;
    c.toleranceMm = 0.2;
    c.layerPerColour = false;
  };
  ExportTo(ExportFormat::Svg, "a.svg");
  prompts.change = nullptr;
  ExportTo(ExportFormat::Svg, "b.svg");
  ExportTo(ExportFormat::Pdf, "a.pdf");  // its own defaults
  prompts.change = [](ui::ExportChoices& c) { c.size = 800; };
  ExportTo(ExportFormat::Png, "a.png");
  ExportTo(ExportFormat::Png, "b.png");
  // A cancelled options box keeps what was chosen before.
  prompts.cancel = true;
  ExportTo(ExportFormat::Svg, "c.svg");
  prompts.cancel = false;
  prompts.change = nullptr;
  ExportTo(ExportFormat::Svg, "d.svg");

  ASSERT_EQ(prompts.offers.size(), 7u);
  const ui::ExportChoices& svgFirst = prompts.offers[0];
  EXPECT_EQ(svgFirst.size, 200);
  EXPECT_TRUE(svgFirst.includeCanvas);
  const ui::ExportChoices& svgAgain = prompts.offers[1];
  EXPECT_EQ(svgAgain.size, 150);
  EXPECT_FALSE(svgAgain.includeCanvas);
  EXPECT_TRUE(svgAgain.simplify);
  EXPECT_EQ(svgAgain.toleranceMm, 0.2);
  EXPECT_FALSE(svgAgain.layerPerColour);
  EXPECT_TRUE(svgAgain.offersLayers);
  EXPECT_EQ(prompts.offers[2].size, 200);  // PDF
  EXPECT_TRUE(prompts.offers[2].includeCanvas);
  EXPECT_EQ(prompts.offers[3].size, 2560);  // PNG, in pixels
  EXPECT_EQ(prompts.offers[4].size, 800);
  EXPECT_TRUE(prompts.offers[4].inPixels);
  EXPECT_EQ(prompts.offers[5], svgAgain);
  EXPECT_EQ(prompts.offers[6], svgAgain);
}

}  // namespace
