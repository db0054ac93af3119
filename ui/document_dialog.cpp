#include "ui/document_dialog.h"

#include <QDialogButtonBox>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace ui {

namespace {

// Markdown's code blocks come in as lines that must not break, so one long
// command line would make the whole text scroll sideways: let them wrap.
void WrapCodeBlocks(QTextDocument& document) {
  QTextCursor cursor(&document);
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    QTextBlockFormat format = block.blockFormat();
    if (!format.nonBreakableLines()) continue;
    format.setNonBreakableLines(false);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(format);
  }
}

}  // namespace

DocumentDialog::DocumentDialog(QWidget* parent, const std::string& title,
                               const std::string& markdown)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
  setWindowTitle(QString::fromStdString(title));
  browser_->setOpenExternalLinks(true);
  browser_->setMarkdown(QString::fromStdString(markdown));
  WrapCodeBlocks(*browser_->document());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(560, 520);
}

}  // namespace ui
