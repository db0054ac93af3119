// Help > Quick Guide: the README's "Using Korva" section, readable in its
// dialog without scrolling sideways, and pointing at what an installed
// program has.
#include <QApplication>
#include <QScrollBar>
#include <QTextBrowser>

#include "tests/window/window_fixture.h"
#include "ui/document_dialog.h"

namespace {

class QuickGuide : public WindowTest {
 protected:
  // The guide's Markdown as the window hands it to the dialog.
  std::string ShownGuide() {
    Click(menuItem("QuickGuide1"));
    EXPECT_TRUE(prompts.lastDocument.has_value());
    return prompts.lastDocument.value_or("");
  }
};

TEST_F(QuickGuide, IsTheReadmesUsingSectionAndNamesTheManualPage) {
  const std::string guide = ShownGuide();
  EXPECT_EQ(guide.rfind("# Korva Quick Guide", 0), 0u);
  EXPECT_NE(guide.find("**Batch work.**"), std::string::npos);
  EXPECT_EQ(guide.find("## Reliability"), std::string::npos);
  EXPECT_NE(guide.find("`man korva-batch`"), std::string::npos);
  // An installed program has its manual pages, not the source tree's files.
  EXPECT_EQ(guide.find("packaging/"), std::string::npos);
}

TEST_F(QuickGuide, FitsItsDialogsWidth) {
  ui::DocumentDialog dialog(nullptr, "Korva Quick Guide", ShownGuide());
  dialog.show();
  QApplication::processEvents();
  QTextBrowser& text = *dialog.Browser();
  EXPECT_EQ(text.horizontalScrollBar()->maximum(), 0);
  EXPECT_LE(text.document()->idealWidth(), text.viewport()->width());
  // The text is long enough to scroll down, so the dialog really laid it out.
  EXPECT_GT(text.verticalScrollBar()->maximum(), 0);
}

// A long command line in a code block wraps between its words rather than
// widening the text.
TEST(DocumentDialog, WrapsLongCodeLines) {
  std::string command = "korva-batch";
  for (int i = 0; i < 40; ++i) command += " --option" + std::to_string(i);
  ui::DocumentDialog dialog(nullptr, "Wide", "Text.\n\n```sh\n" + command + "\n```\n");
  dialog.show();
  QApplication::processEvents();
  EXPECT_EQ(dialog.Browser()->horizontalScrollBar()->maximum(), 0);
  EXPECT_NE(dialog.Browser()->toPlainText().toStdString().find(command), std::string::npos);
}

}  // namespace
