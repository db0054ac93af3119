#pragma once
#include <memory>
#include <string>

#include "ui/prompts.h"

class QFileDialog;
class QWidget;

namespace ui {

// The dialogs of the main window on Qt: message boxes, file and colour
// pickers, modal over the parent window.
class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  MessageButton Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  void RunTimeErrorBox(const std::string& text) override;
  std::optional<std::string> OpenFile(const FileDialogOptions& request) override;
  std::optional<std::string> SaveFile(const FileDialogOptions& request) override;
  std::optional<Colour> PickColour(Colour initial, CustomColours& custom) override;
  std::optional<int> AskInteger(const std::string& prompt, int min, int max, int value) override;
  void ShowDocument(const std::string& title, const std::string& markdown) override;
  std::optional<ExportChoices> AskExportOptions(const std::string& title,
                                                const ExportChoices& offered) override;

 private:
  std::optional<std::string> FileDialog(const FileDialogOptions& request, bool save);

  QWidget* parent_;
};

// The file picker QtPrompts shows for `request`, set up but not shown. It
// starts in the folder of the name offered, else in the one the last dialog
// ended in, else in the home folder: the first where a dialog may start
// (UsableStartFolder), and it never leaves another kind remembered.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogOptions& request,
                                            bool save);

// "Text file(*.txt)|*.txt|All|*.*" as Qt writes it: "Text file (*.txt);;All (*.*)".
// A description's own bracketed pattern is replaced by the real one.
std::string QtFileFilter(const std::string& filter);

}  // namespace ui
