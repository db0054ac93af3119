#include "ui/qt_prompts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <map>
#include <memory>
#include <vector>

#include "ui/canvas.h"
#include "ui/start_folder.h"
#include "ui/document_dialog.h"

namespace ui {

namespace {

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  const size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

std::vector<std::string> Split(const std::string& s, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = s.find(separator, start);
    parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + 1;
  }
}

// A file picker that, when asked, refuses a name in a folder that is not there,
// and stays open for another choice. It starts in `start`, and never leaves
// Qt to remember a folder it should not start in: Qt saves the folder a
// dialog ended in when it is destroyed, for the next one.
class CheckedFileDialog : public QFileDialog {
 public:
  CheckedFileDialog(QWidget* parent, bool folderMustExist, const std::string& start)
      : QFileDialog(parent, QString(), QString::fromStdString(start)),
        folderMustExist_(folderMustExist),
        start_(QString::fromStdString(start)) {}
  ~CheckedFileDialog() override {
    if (!UsableStartFolder(directory().absolutePath().toStdString())) setDirectory(start_);
  }
  CheckedFileDialog(const CheckedFileDialog&) = delete;
  CheckedFileDialog& operator=(const CheckedFileDialog&) = delete;

  void accept() override {
    const QStringList files = selectedFiles();
    if (folderMustExist_ && !files.isEmpty()) {
      const QFileInfo chosen(files.first());
      if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
        QMessageBox::warning(this, QStringLiteral("Warning"),
                             QStringLiteral("The folder %1 does not exist.")
                                 .arg(QDir::toNativeSeparators(chosen.absolutePath())));
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  bool folderMustExist_;
  QString start_;
};

// The folder Qt's file dialogs remember between runs, forgotten when no
// dialog may start there (one saved by an earlier version, or by another
// program sharing Qt's settings).
std::string RememberedFolder() {
  QSettings settings(QSettings::UserScope, QStringLiteral("QtProject"));
  const QString key = QStringLiteral("FileDialog/lastVisited");
  const QUrl last = settings.value(key).toUrl();
  if (!last.isLocalFile()) return "";
  const std::string folder = last.toLocalFile().toStdString();
  if (UsableStartFolder(folder)) return folder;
  settings.remove(key);
  return "";
}

}  // namespace

std::string QtFileFilter(const std::string& filter) {
  const std::vector<std::string> parts = Split(filter, '|');
  std::string out;
  for (size_t i = 0; i < parts.size(); i += 2) {
    std::string description = Trim(parts[i]);
    std::string patterns = i + 1 < parts.size() ? parts[i + 1] : "*";
    // Qt reads the patterns from the last brackets of each entry.
    if (!description.empty() && description.back() == ')') {
      const size_t open = description.rfind('(');
      if (open != std::string::npos) description = Trim(description.substr(0, open));
    }
    for (char& c : patterns)
      if (c == ';') c = ' ';
    if (!out.empty()) out += ";;";
    out += (description.empty() ? patterns : description) + " (" + Trim(patterns) + ")";
  }
  return out;
}

MessageButton QtPrompts::Message(MessageKind kind, const std::string& text,
                                 MessageButtons buttons) {
  QMessageBox box(parent_);
  switch (kind) {
    case MessageKind::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageKind::Error:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageKind::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageKind::Confirm:
      box.setIcon(QMessageBox::Question);
      break;
  }
  box.setWindowTitle(QString::fromStdString(TitleOf(kind)));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  struct Choice {
    MessageButton button;
    const char* caption;
  };
  const Choice choices[] = {{kYes, "&Yes"}, {kNo, "&No"}, {kOk, "OK"}, {kCancel, "Cancel"}};
  std::map<QAbstractButton*, MessageButton> shown;
  std::map<MessageButton, QPushButton*> byButton;
  for (const Choice& choice : choices) {
    if (!(buttons & choice.button)) continue;
    // One role for all keeps them in our order on every platform's layout;
    // default and Esc buttons are set explicitly below.
    QPushButton* b = box.addButton(QString::fromLatin1(choice.caption), QMessageBox::ActionRole);
    shown[b] = choice.button;
    byButton[choice.button] = b;
  }
  if (byButton.empty()) {
    QPushButton* b = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    shown[b] = kOk;
    byButton[kOk] = b;
  }
  const MessageButton escape = EscapeButton(buttons);
  if (auto it = byButton.find(DefaultButton(buttons)); it != byButton.end())
    box.setDefaultButton(it->second);
  if (auto it = byButton.find(escape); it != byButton.end()) box.setEscapeButton(it->second);
  box.exec();
  auto it = shown.find(box.clickedButton());
  return it == shown.end() ? escape : it->second;
}

void QtPrompts::RunTimeErrorBox(const std::string& text) {
  QMessageBox box(parent_);
  box.setIcon(QMessageBox::Critical);
  box.setWindowTitle(QStringLiteral("Error"));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogOptions& request,
                                            bool save) {
  const std::string start = StartFolderFor(request.initialName, RememberedFolder());
  auto dialog = std::make_unique<CheckedFileDialog>(parent, request.folderMustExist, start);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!request.overwritePrompt) dialog->setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.filter.empty())
    dialog->setNameFilter(QString::fromStdString(QtFileFilter(request.filter)));
  std::string suffix = request.defaultExtension;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  dialog->setDefaultSuffix(QString::fromStdString(suffix));
  // The name alone: its folder, when usable, is where the dialog starts.
  if (!request.initialName.empty())
    dialog->selectFile(QFileInfo(QString::fromStdString(request.initialName)).fileName());
  return dialog;
}

std::optional<std::string> QtPrompts::FileDialog(const FileDialogOptions& request, bool save) {
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent_, request, save);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog->selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.first().toStdString();
}

std::optional<std::string> QtPrompts::OpenFile(const FileDialogOptions& request) {
  return FileDialog(request, false);
}

std::optional<std::string> QtPrompts::SaveFile(const FileDialogOptions& request) {
  return FileDialog(request, true);
}

std::optional<Colour> QtPrompts::PickColour(Colour initial, CustomColours& custom) {
  for (int i = 0; i < static_cast<int>(custom.size()); ++i)
    QColorDialog::setCustomColor(i, QColor::fromRgb(ToQRgb(custom[i])));
  QColorDialog dialog(parent_);
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setCurrentColor(QColor::fromRgb(ToQRgb(initial)));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  for (int i = 0; i < static_cast<int>(custom.size()); ++i)
    custom[i] = FromQRgb(QColorDialog::customColor(i).rgb());
  return FromQRgb(dialog.selectedColor().rgb());
}

std::optional<int> QtPrompts::AskInteger(const std::string& prompt, int min, int max, int value) {
  bool ok = false;
  const int chosen = QInputDialog::getInt(parent_, QStringLiteral("Type a value"),
                                          QString::fromStdString(prompt), value, min, max, 1, &ok);
  if (!ok) return std::nullopt;
  return chosen;
}

void QtPrompts::ShowDocument(const std::string& title, const std::string& markdown) {
  DocumentDialog dialog(parent_, title, markdown);
  dialog.exec();
}

std::optional<ExportChoices> QtPrompts::AskExportOptions(const std::string& title,
                                                         const ExportChoices& offered) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(QString::fromStdString(title));
  auto* form = new QFormLayout;
  auto* size = new QDoubleSpinBox;
  size->setDecimals(offered.inPixels ? 0 : 1);
  size->setRange(1, offered.maxSize);
  size->setValue(offered.size);
  size->setSuffix(offered.inPixels ? QStringLiteral(" px") : QStringLiteral(" mm"));
  form->addRow(QStringLiteral("Size:"), size);
  auto* canvas = new QCheckBox(QStringLiteral("Include canvas colour"));
  canvas->setChecked(offered.includeCanvas);
  form->addRow(canvas);
  QCheckBox* simplify = nullptr;
  QDoubleSpinBox* tolerance = nullptr;
  if (!offered.inPixels) {
    simplify = new QCheckBox(QStringLiteral("Simplify for plotters"));
    simplify->setChecked(offered.simplify);
    tolerance = new QDoubleSpinBox;
    tolerance->setDecimals(3);
    tolerance->setRange(0, 10);
    tolerance->setSingleStep(0.01);
    tolerance->setValue(offered.toleranceMm);
    tolerance->setSuffix(QStringLiteral(" mm"));
    tolerance->setEnabled(offered.simplify);
    QObject::connect(simplify, &QCheckBox::toggled, tolerance, &QWidget::setEnabled);
    form->addRow(simplify);
    form->addRow(QStringLiteral("Tolerance:"), tolerance);
  }
  QRadioButton* perColour = nullptr;
  if (offered.offersLayers) {
    perColour = new QRadioButton(QStringLiteral("One layer per colour"));
    auto* single = new QRadioButton(QStringLiteral("A single layer in drawing order"));
    (offered.layerPerColour ? perColour : single)->setChecked(true);
    form->addRow(perColour);
    form->addRow(single);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  ExportChoices chosen = offered;
  chosen.size = size->value();
  chosen.includeCanvas = canvas->isChecked();
  if (simplify != nullptr) {
    chosen.simplify = simplify->isChecked();
    chosen.toleranceMm = tolerance->value();
  }
  if (perColour != nullptr) chosen.layerPerColour = perColour->isChecked();
  return chosen;
}

}  // namespace ui
