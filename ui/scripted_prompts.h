#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/prompts.h"

namespace ui {

// Dialogs answered from a queue, for tests and korva-batch. Every message box
// and error box is logged as the user would read it.
class ScriptedPrompts : public Prompts {
 public:
  enum class AnswerKind { Yes, No, Ok, Cancel, OpenFile, SaveFile, Colour, ColourCancel, Value };
  struct Answer {
    AnswerKind kind;
    std::string path;
    ::Colour colour = 0;
    int value = 0;
  };

  void AnswerYes() { answers_.push_back({AnswerKind::Yes, {}}); }
  void AnswerNo() { answers_.push_back({AnswerKind::No, {}}); }
  void AnswerOk() { answers_.push_back({AnswerKind::Ok, {}}); }
  void AnswerCancel() { answers_.push_back({AnswerKind::Cancel, {}}); }
  void AnswerOpen(std::string path) { answers_.push_back({AnswerKind::OpenFile, std::move(path)}); }
  void AnswerSave(std::string path) { answers_.push_back({AnswerKind::SaveFile, std::move(path)}); }
  void AnswerColour(::Colour colour) { answers_.push_back({AnswerKind::Colour, {}, colour}); }
  void AnswerColourCancel() { answers_.push_back({AnswerKind::ColourCancel, {}}); }
  void AnswerValue(int value) { answers_.push_back({AnswerKind::Value, {}, 0, value}); }
  size_t Pending() const { return answers_.size(); }

  // A message box takes a queued Yes, No, OK or Cancel: the button if the box
  // has it, else its Esc button. With none queued it takes the default button.
  MessageButton Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  void RunTimeErrorBox(const std::string& text) override;
  // A file dialog takes a queued file name (Cancel cancels it); the save
  // dialog adds the default extension to a name without one.
  std::optional<std::string> OpenFile(const FileDialogOptions& request) override;
  std::optional<std::string> SaveFile(const FileDialogOptions& request) override;
  std::optional<::Colour> PickColour(::Colour initial, CustomColours& custom) override;
  // Logged as "input <prompt> [min..max]"; takes a queued value (Cancel cancels).
  std::optional<int> AskInteger(const std::string& prompt, int min, int max, int value) override;
  // Logged as "options <title>"; a queued OK (or none) takes the options
  // offered, a value takes them at that size, Cancel cancels.
  std::optional<ExportChoices> AskExportOptions(const std::string& title,
                                                const ExportChoices& offered) override;
  // Logged as "document <title>".
  void ShowDocument(const std::string& title, const std::string& markdown) override;

  // "message <title>: <text>" with line feeds as \n, and "error: <text>".
  std::vector<std::string> log;
  std::function<void(const std::string&)> onLog;

  std::optional<FileDialogOptions> lastFileDialog;
  std::vector<MessageButtons> messageButtons;  // the buttons of each message box shown
  std::optional<::Colour> lastInitialColour;
  std::optional<CustomColours> lastCustomColours;
  std::optional<std::string> lastDocument;  // the Markdown of the last document shown

 private:
  void Log(std::string line);
  std::optional<std::string> FileAnswer(AnswerKind kind);

  std::deque<Answer> answers_;
};

}  // namespace ui
