// File > Export SVG, PDF and PNG from the window.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "commands/export_command.h"
#include "tests/window/window_fixture.h"

namespace {

class ExportMenu : public WindowTest {
 protected:
  std::string Path(const std::string& name) {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  static bool Exists(const std::string& path) {
    return QFile::exists(QString::fromStdString(path));
  }
  QTemporaryDir dir;
};

TEST_F(ExportMenu, EachFormatWritesAfterThePickerAndTheOptions) {
  Spin(spin("Linesize"), 2);
  Click(button("Draw"));
  for (const char* format : {"SVG", "PDF", "PNG"}) {
    const std::string path = Path(std::string("design.") + format);
    prompts.AnswerSave(path);
    prompts.AnswerOk();
    Click(menuItem(std::string("Export") + format + "1"));
    EXPECT_TRUE(Exists(path)) << format;
    EXPECT_EQ(Shown().back(), std::string("options Export ") + format);
    EXPECT_TRUE(prompts.lastFileDialog->overwritePrompt);
    EXPECT_TRUE(prompts.lastFileDialog->folderMustExist);
  }
  // The picker offers the name last chosen for that format.
  prompts.AnswerCancel();
  Click(menuItem("ExportSVG1"));
  EXPECT_EQ(prompts.lastFileDialog->initialName, Path("design.SVG"));
}

TEST_F(ExportMenu, AScriptedValueChoosesTheSize) {
  Click(button("Draw"));
  const std::string path = Path("small.png");
  prompts.AnswerSave(path);
  prompts.AnswerValue(64);
  Click(menuItem("ExportPNG1"));
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(64, 64));
  EXPECT_EQ(prompts.Pending(), 0u);
}

TEST_F(ExportMenu, CancelWritesNothing) {
  Click(button("Draw"));
  const std::string path = Path("never.svg");
  prompts.AnswerSave(path);
  prompts.AnswerCancel();
  Click(menuItem("ExportSVG1"));
  EXPECT_FALSE(Exists(path));
  prompts.AnswerCancel();
  Click(menuItem("ExportPNG1"));
  EXPECT_EQ(Shown(), std::vector<std::string>{"options Export SVG"});
}

TEST_F(ExportMenu, APngOfTheDrawingAreaSizeEqualsThePicture) {
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("topspin"), 90);
  Spin(spin("Linesize"), 1);
  checkBox("cb_reflect")->UserClick();
  Click(button("Draw"));
  exporting::ExportOptions options;
  options.format = exporting::ExportFormat::Png;
  options.sizePx = 640;
  const std::string path = Path("same.png");
  ASSERT_TRUE(exporting::ExportDesign(commands::ExportPatternsOf(window.history()), options, path));
  QImage png(QString::fromStdString(path));
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), Picture());
}

TEST_F(ExportMenu, AnEmptyHistoryExportsTheCanvas) {
  const std::string path = Path("empty.svg");
  prompts.AnswerSave(path);
  Click(menuItem("ExportSVG1"));
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray svg = f.readAll();
  EXPECT_TRUE(svg.contains("<rect id=\"canvas\""));
  EXPECT_FALSE(svg.contains("<path"));
}

}  // namespace
