#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "core/run_time_error.h"
#include "tests/qstring_print.h"
#include "ui/printer.h"
#include "ui/qt_prompts.h"
#include "ui/scripted_prompts.h"

namespace ui {
namespace {

TEST(MessageRulesTest, TitlesDefaultsAndEscapes) {
  EXPECT_EQ(TitleOf(MessageKind::Warning), "Warning");
  EXPECT_EQ(TitleOf(MessageKind::Error), "Error");
  EXPECT_EQ(TitleOf(MessageKind::Information), "Information");
  EXPECT_EQ(TitleOf(MessageKind::Confirm), "Confirm");
  struct Case {
    MessageButtons buttons;
    MessageButton defaultButton, escapeButton;
  };
  const Case cases[] = {{kOk, kOk, kOk},
                        {kOk | kCancel, kOk, kCancel},
                        {kYes | kNo, kYes, kNo},
                        {kYes | kNo | kCancel, kYes, kCancel},
                        {kYes | kNo | kOk | kCancel, kOk, kCancel},
                        {kNo | kCancel, kNo, kCancel},
                        {kCancel, kCancel, kCancel},
                        {kYes, kYes, kOk}};
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultButton(c.buttons), c.defaultButton) << c.buttons;
    EXPECT_EQ(EscapeButton(c.buttons), c.escapeButton) << c.buttons;
  }
}

TEST(ScriptedPromptsTest, MessagesTakeQueuedAnswersOrTheDefault) {
  ScriptedPrompts prompts;
  std::vector<std::string> seen;
  prompts.onLog = [&](const std::string& line) { seen.push_back(line); };
  prompts.AnswerNo();
  prompts.AnswerCancel();  // not on the next box: its Esc button instead
  EXPECT_EQ(prompts.Message(MessageKind::Confirm, "Print?\nSure", kYes | kNo), kNo);
  EXPECT_EQ(prompts.Message(MessageKind::Confirm, "Again", kYes | kNo), kNo);
  EXPECT_EQ(prompts.Message(MessageKind::Warning, "Same colours", kOk), kOk);
  prompts.AnswerOpen("a.txt");  // a file answer is not for a message box
  EXPECT_EQ(prompts.Message(MessageKind::Confirm, "Keep?", kYes | kNo | kCancel), kYes);
  EXPECT_EQ(prompts.Pending(), 1u);
  prompts.RunTimeErrorBox("Range check error");
  const std::vector<std::string> expected = {
      "message Confirm: Print?\\nSure", "message Confirm: Again", "message Warning: Same colours",
      "message Confirm: Keep?", "error: Range check error"};
  EXPECT_EQ(prompts.log, expected);
  EXPECT_EQ(seen, expected);
}

TEST(ScriptedPromptsTest, FileDialogsTakePathsOrCancel) {
  ScriptedPrompts prompts;
  FileDialogOptions request{"Pattern Command Text File (*.txt)|*.txt", "txt", true, false,
                            "pattern"};
  EXPECT_EQ(prompts.SaveFile(request), std::nullopt);
  EXPECT_EQ(prompts.lastFileDialog->initialName, "pattern");
  prompts.AnswerSave("/tmp/dir.v2/design");
  prompts.AnswerSave("/tmp/design.old");
  prompts.AnswerCancel();
  prompts.AnswerOpen("/tmp/in.txt");
  EXPECT_EQ(prompts.SaveFile(request), "/tmp/dir.v2/design.txt");
  EXPECT_EQ(prompts.SaveFile(request), "/tmp/design.old");
  EXPECT_EQ(prompts.OpenFile(request), std::nullopt);  // the Cancel
  EXPECT_EQ(prompts.SaveFile(request), std::nullopt);  // an open answer stays queued
  EXPECT_EQ(prompts.OpenFile(request), "/tmp/in.txt");
  EXPECT_EQ(prompts.Pending(), 0u);
}

TEST(ScriptedPromptsTest, ColourPickerTakesColoursOrCancel) {
  ScriptedPrompts prompts;
  CustomColours custom{};
  custom[3] = 0x20FFE0;
  prompts.AnswerColour(0x0000FF);
  prompts.AnswerColourCancel();
  prompts.AnswerCancel();
  EXPECT_EQ(prompts.PickColour(kBlack, custom), 0x0000FF);
  EXPECT_EQ(prompts.PickColour(0x0000FF, custom), std::nullopt);
  EXPECT_EQ(prompts.PickColour(0x0000FF, custom), std::nullopt);
  EXPECT_EQ(prompts.Pending(), 0u);
  EXPECT_EQ(prompts.PickColour(0x0000FF, custom), std::nullopt);
  EXPECT_EQ(prompts.lastInitialColour, 0x0000FF);
  EXPECT_EQ((*prompts.lastCustomColours)[3], 0x20FFE0);
}

TEST(QtPromptsTest, FiltersTakeQtsForm) {
  EXPECT_EQ(QtFileFilter("Pattern Command Text File(*.txt)|*.txt"),
            "Pattern Command Text File (*.txt)");
  EXPECT_EQ(QtFileFilter("Pattern Command Text File (*.txt)|*.txt"),
            "Pattern Command Text File (*.txt)");
  EXPECT_EQ(QtFileFilter("Bitmap(*bmp)|*.bmp"), "Bitmap (*.bmp)");
  EXPECT_EQ(QtFileFilter("Text|*.txt;*.text|All files|*.*"),
            "Text (*.txt *.text);;All files (*.*)");
}

// Runs `open`, which shows a modal dialog, and `act` on that dialog once it
// is up.
template <class Result>
Result WithModal(std::function<Result()> open, std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    act(modal);
  });
  return open();
}

std::vector<QString> ButtonsLeftToRight(QWidget* box) {
  QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
  std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
    return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
  });
  std::vector<QString> texts;
  for (QPushButton* b : buttons) texts.push_back(b->text());
  return texts;
}

TEST(QtPromptsTest, MessageBoxesKeepButtonOrderDefaultAndEscape) {
  QtPrompts prompts;
  std::vector<QString> order;
  QString title, defaultText;
  auto answer = WithModal<MessageButton>(
      [&] { return prompts.Message(MessageKind::Confirm, "Print?", kYes | kNo | kOk | kCancel); },
      [&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        order = ButtonsLeftToRight(box);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        defaultText = box->defaultButton()->text();
        box->close();
      });
  EXPECT_EQ(title, "Confirm");
  EXPECT_EQ(order, (std::vector<QString>{"&Yes", "&No", "OK", "Cancel"}));
  EXPECT_EQ(defaultText, "OK");
  EXPECT_EQ(answer, kCancel);

  answer = WithModal<MessageButton>(
      [&] { return prompts.Message(MessageKind::Confirm, "Save?", kYes | kNo); },
      [](QWidget* box) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(box, &escape);
      });
  EXPECT_EQ(answer, kNo);
  answer = WithModal<MessageButton>(
      [&] { return prompts.Message(MessageKind::Warning, "Same", kYes | kNo); },
      [](QWidget* box) {
        EXPECT_EQ(qobject_cast<QMessageBox*>(box)->icon(), QMessageBox::Warning);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
      });
  EXPECT_EQ(answer, kYes);
}

TEST(QtPromptsTest, FileDialogFollowsItsRequest) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtPrompts prompts;
  const FileDialogOptions request{"Bitmap(*bmp)|*.bmp", ".bmp", true, false,
                                  (dir.path() + "/picture").toStdString()};
  auto path = WithModal<std::optional<std::string>>(
      [&] { return prompts.SaveFile(request); },
      [&dir](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Bitmap (*.bmp)"});
        EXPECT_EQ(dialog->defaultSuffix(), "bmp");
        EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        static_cast<QDialog*>(dialog)->accept();
      });
  ASSERT_TRUE(path.has_value());
  EXPECT_EQ(*path, (dir.path() + "/picture.bmp").toStdString());

  const FileDialogOptions open{"Pattern Command Text File(*.txt)|*.txt", "txt", false, true, ""};
  path = WithModal<std::optional<std::string>>([&] { return prompts.OpenFile(open); },
                                               [](QWidget* w) {
                                                 auto* dialog = qobject_cast<QFileDialog*>(w);
                                                 ASSERT_NE(dialog, nullptr);
                                                 EXPECT_EQ(dialog->fileMode(),
                                                           QFileDialog::ExistingFile);
                                                 dialog->reject();
                                               });
  EXPECT_FALSE(path.has_value());
}

// The custom colours go into the picker and the user's edits come back.
TEST(QtPromptsTest, ColourPickerSharesCustomColours) {
  QtPrompts prompts;
  CustomColours custom{};
  for (size_t i = 0; i < custom.size(); ++i) custom[i] = Colour(0x010101 * i);
  custom[0] = 0x20FFE0;
  auto colour = WithModal<std::optional<Colour>>(
      [&] { return prompts.PickColour(0x0000FF, custom); },
      [](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->currentColor(), QColor(255, 0, 0));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(0xE0, 0xFF, 0x20));
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));
        dialog->setCurrentColor(QColor(0, 128, 0));
        dialog->accept();
      });
  EXPECT_EQ(colour, 0x008000);
  EXPECT_EQ(custom[5], 0x030201);
  EXPECT_EQ(custom[0], 0x20FFE0);

  custom[5] = 0;
  colour = WithModal<std::optional<Colour>>([&] { return prompts.PickColour(0, custom); },
                                            [](QWidget* w) {
                                              QColorDialog::setCustomColor(5, QColor(9, 9, 9));
                                              qobject_cast<QDialog*>(w)->reject();
                                            });
  EXPECT_FALSE(colour.has_value());
  EXPECT_EQ(custom[5], 0);
}

TEST(SystemPrinterTest, NoDefaultPrinterGivesAClearError) {
  // The suite points CUPS at a server that is not there, so that no printer
  // of the machine's can be reached, whatever is installed.
  ASSERT_TRUE(QPrinterInfo::defaultPrinter().isNull()) << "a printer is reachable from the test";
  auto printer = MakeSystemPrinter();
  try {
    printer->BeginDoc();
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), "No printer is installed: printing needs a default printer.");
  }
  printer->Canvas().MoveTo(0, 0);
  printer->Canvas().LineTo(10, 10);  // harmless without a document
  EXPECT_NO_THROW(printer->EndDoc());
}

}  // namespace
}  // namespace ui
