#pragma once
// The dialog that Help's items show a document in: Markdown in a text
// browser that wraps every line to the dialog's width, and a Close button.
#include <QDialog>
#include <string>

class QTextBrowser;

namespace ui {

class DocumentDialog : public QDialog {
 public:
  DocumentDialog(QWidget* parent, const std::string& title, const std::string& markdown);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace ui
