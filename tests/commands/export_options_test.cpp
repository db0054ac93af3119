// File > Export's options against the format, over scripted dialogs whose
// option answers a test chooses.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "commands/export_command.h"
#include "core/run_time_error.h"
#include "ui/scripted_prompts.h"

namespace {

using exporting::ExportFormat;

// Answers the options dialog with `chosen` instead of what it offers.
class ChoosingPrompts : public ui::ScriptedPrompts {
 public:
  std::optional<ui::ExportChoices> AskExportOptions(const std::string& title,
                                                    const ui::ExportChoices& offered) override {
    ScriptedPrompts::AskExportOptions(title, offered);
    ui::ExportChoices answer = chosen;
    answer.inPixels = offered.inPixels;
    answer.offersLayers = offered.offersLayers;
    return answer;
  }
  ui::ExportChoices chosen;
};

class ExportCommandTest : public testing::Test {
 protected:
  ExportCommandTest() { history.Record({0x0000FF, 96, 60, 0, 0, 480, 5, 1000, 0, 0}, 1); }

  // Exports and returns the error shown, empty when none.
  std::string Export(ExportFormat format, const std::string& name) {
    prompts.AnswerSave(Path(name));
    commands::ExportCommand command(
        prompts, history, [] { return kWhite; }, [] { return std::string(); });
    try {
      command.Export(format);
    } catch (const RunTimeError& e) {
      return e.what();
    }
    return "";
  }
  std::string Path(const std::string& name) const {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  bool Exists(const std::string& name) const {
    return QFileInfo::exists(QString::fromStdString(Path(name)));
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  QTemporaryDir dir;
  ChoosingPrompts prompts;
  engine::PatternHistory history;
};

TEST_F(ExportCommandTest, APngSizeIsWholePixelsNeverRounded) {
  prompts.chosen.size = 1.5;
  EXPECT_EQ(Export(ExportFormat::Png, "a.png"), "Image size must be a whole number of pixels");
  EXPECT_FALSE(Exists("a.png"));
  prompts.chosen.size = 16;
  EXPECT_EQ(Export(ExportFormat::Png, "b.png"), "");
  EXPECT_TRUE(Exists("b.png"));
}

// The dialog offers no simplification for a PNG and no layers for a PDF, so
// whatever those fields hold is not an option the user chose.
TEST_F(ExportCommandTest, OptionsTheDialogDoesNotOfferAreNotPassedOn) {
  prompts.chosen.simplify = true;
  prompts.chosen.layerPerColour = false;
  prompts.chosen.size = 64;
  EXPECT_EQ(Export(ExportFormat::Png, "a.png"), "");
  prompts.chosen.size = 100.5;
  EXPECT_EQ(Export(ExportFormat::Pdf, "a.pdf"), "");
  EXPECT_EQ(Export(ExportFormat::Svg, "a.svg"), "");
  const std::string svg = Read("a.svg");
  EXPECT_NE(svg.find("viewBox=\"0 0 100.5 100.5\""), std::string::npos);
  EXPECT_NE(svg.find("inkscape:label=\"1 patterns\""), std::string::npos);
}

}  // namespace
