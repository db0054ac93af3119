// File > Save and Quit, in the window and in korva-batch.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <sstream>

#include "tests/window/window_fixture.h"
#include "tools/batch_script.h"

namespace {

const std::string kQuestion = "message Confirm: Save changes to the design before closing?";

class FileMenu : public WindowTest {
 protected:
  std::string Path(const std::string& name) {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  static std::string Read(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
  }
  std::string Caption() { return window.form().Caption(); }
  // Draws, then saves through Save TXT as `name`.
  std::string DrawAndSaveAs(const std::string& name) {
    Click(button("Draw"));
    const std::string path = Path(name);
    prompts.AnswerSave(path);
    Click(menuItem("SaveTXT1"));
    return path;
  }

  QTemporaryDir dir;
};

TEST_F(FileMenu, SaveWithoutADesignFileIsSaveTxt) {
  Click(button("Draw"));
  // Cancelled: nothing written, the mark stays.
  prompts.AnswerCancel();
  Click(menuItem("Save1"));
  EXPECT_EQ(prompts.lastFileDialog->defaultExtension, "txt");
  EXPECT_EQ(Caption(), "Untitled* - Korva  Version 4.2");

  const std::string path = Path("first.txt");
  prompts.AnswerSave(path);
  Click(menuItem("Save1"));
  EXPECT_TRUE(prompts.lastFileDialog->overwritePrompt);
  EXPECT_NE(Read(path).find("0,96,60,0,0,480,5,1000,0,0"), std::string::npos);
  EXPECT_EQ(Caption(), "first.txt - Korva  Version 4.2");
  EXPECT_EQ(prompts.Pending(), 0u);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(FileMenu, SaveWritesTheDesignsFileWithoutAsking) {
  const std::string path = DrawAndSaveAs("spiral.txt");
  prompts.lastFileDialog.reset();
  Drag(bar("ScrollBarTop"), 300);
  Click(button("Draw"));
  EXPECT_EQ(Caption(), "spiral.txt* - Korva  Version 4.2");

  Click(menuItem("Save1"));
  EXPECT_FALSE(prompts.lastFileDialog.has_value());  // no picker
  EXPECT_EQ(Caption(), "spiral.txt - Korva  Version 4.2");
  EXPECT_FALSE(window.hasUnsavedChanges());
  EXPECT_NE(Read(path).find("0,96,60,0,300,480,5,1000,0,0"), std::string::npos);
  EXPECT_TRUE(Shown().empty());

  // An opened design is the design's file too.
  const std::string other = Path("other.txt");
  ASSERT_TRUE(QFile::copy(QString::fromStdString(path), QString::fromStdString(other)));
  window.openDesignFile(other);
  Click(button("Draw"));
  Click(menuItem("Save1"));
  EXPECT_EQ(Caption(), "other.txt - Korva  Version 4.2");
  EXPECT_NE(Read(other), Read(path));
  EXPECT_FALSE(prompts.lastFileDialog.has_value());
}

TEST_F(FileMenu, ASaveThatCannotWriteShowsTheErrorAndKeepsTheMark) {
  QDir folder(dir.path());
  ASSERT_TRUE(folder.mkdir("gone"));
  const std::string path = DrawAndSaveAs("gone/spiral.txt");
  ASSERT_EQ(Caption(), "spiral.txt - Korva  Version 4.2");
  ASSERT_TRUE(QDir(folder.filePath("gone")).removeRecursively());

  Click(button("Draw"));
  Click(menuItem("Save1"));
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown().back(), "error: Cannot create file " + path);
  EXPECT_EQ(Caption(), "spiral.txt* - Korva  Version 4.2");
  EXPECT_TRUE(window.hasUnsavedChanges());
}

TEST_F(FileMenu, MenuPlacesSaveBeforeSaveTxtAndQuitLastWithTheirKeys) {
  EXPECT_EQ(menuItem("Save1")->Action()->shortcut().toString(), "Ctrl+S");
  EXPECT_EQ(menuItem("SaveTXT1")->Action()->shortcut().toString(), "Ctrl+Shift+S");
  EXPECT_EQ(menuItem("Quit1")->Action()->shortcut().toString(), "Ctrl+Q");
  std::vector<std::string> texts;
  for (QAction* a : menuItem("File1")->Action()->menu()->actions()) {
    if (!a->isSeparator()) texts.push_back(a->text().toStdString());
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"&Open...", "&Save", "Save &TXT...", "Save &BMP...",
                                             "Export S&VG...", "Export P&DF...", "Export P&NG...",
                                             "Open &Recent", "&Quit"}));
}

TEST_F(FileMenu, QuitClosesAsExitDoes) {
  Click(menuItem("Quit1"));  // nothing to save: no question
  EXPECT_TRUE(window.form().Closed());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(FileMenu, QuitAsksFirstWithUnsavedChanges) {
  const std::string path = DrawAndSaveAs("kept.txt");
  Click(button("Draw"));
  prompts.AnswerCancel();
  Click(menuItem("Quit1"));
  EXPECT_FALSE(window.form().Closed());
  EXPECT_EQ(Shown().back(), kQuestion);

  // Yes saves the design's own file, without a picker, then closes.
  prompts.lastFileDialog.reset();
  prompts.AnswerYes();
  Click(menuItem("Quit1"));
  EXPECT_TRUE(window.form().Closed());
  EXPECT_FALSE(prompts.lastFileDialog.has_value());
  EXPECT_FALSE(window.hasUnsavedChanges());
  const std::string saved = Read(path);
  const std::string line = "0,96,60,0,0,480,5,1000,0,0";
  EXPECT_NE(saved.find(line), saved.rfind(line));  // both patterns
}

TEST_F(FileMenu, ABatchScriptSavesAndQuits) {
  const std::string path = Path("batch.txt");
  const std::string script = "click Draw\nanswer save " + path +
                             "\nclick Save1\ndrag ScrollBarTop 300\nclick Draw\n"
                             "answer cancel\nclick Quit1\nanswer yes\nclick Quit1\nclick Draw\n";
  std::ostringstream out;
  BatchOptions options;
  options.panel = true;
  EXPECT_EQ(RunBatchScript(script, options, out), 0);
  const std::string log = out.str();
  // Asked twice; the second Yes saved to the file without a picker and closed,
  // and the script ended there.
  size_t asked = 0;
  for (size_t at = log.find(kQuestion); at != std::string::npos; at = log.find(kQuestion, at + 1))
    ++asked;
  EXPECT_EQ(asked, 2u);
  EXPECT_NE(log.find("history 3\n"), std::string::npos);
  EXPECT_NE(Read(path).find("0,96,60,0,300,480,5,1000,0,0"), std::string::npos);
}

}  // namespace
