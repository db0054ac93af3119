#include "ui/scripted_prompts.h"

#include <algorithm>

#include "ui/translate.h"

namespace ui {

namespace {

std::string EscapeLineFeeds(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::optional<MessageButton> ButtonOf(ScriptedPrompts::AnswerKind kind) {
  using K = ScriptedPrompts::AnswerKind;
  switch (kind) {
    case K::Yes:
      return kYes;
    case K::No:
      return kNo;
    case K::Ok:
      return kOk;
    case K::Cancel:
      return kCancel;
    default:
      return std::nullopt;
  }
}

bool HasExtension(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

}  // namespace

void ScriptedPrompts::Log(std::string line) {
  log.push_back(line);
  if (onLog) onLog(line);
}

MessageButton ScriptedPrompts::Message(MessageKind kind, const std::string& text,
                                       MessageButtons buttons) {
  Log("message " + TitleOf(kind) + ": " + EscapeLineFeeds(TranslatedMessage(text)));
  messageButtons.push_back(buttons);
  if (!answers_.empty()) {
    if (std::optional<MessageButton> button = ButtonOf(answers_.front().kind)) {
      answers_.pop_front();
      return (buttons & *button) ? *button : EscapeButton(buttons);
    }
  }
  return DefaultButton(buttons);
}

void ScriptedPrompts::RunTimeErrorBox(const std::string& text) {
  Log("error: " + EscapeLineFeeds(TranslatedMessage(text)));
}

std::optional<std::string> ScriptedPrompts::FileAnswer(AnswerKind kind) {
  if (answers_.empty()) return std::nullopt;
  const Answer answer = answers_.front();
  if (answer.kind == kind) {
    answers_.pop_front();
    return answer.path;
  }
  if (answer.kind == AnswerKind::Cancel) answers_.pop_front();
  return std::nullopt;
}

std::optional<std::string> ScriptedPrompts::OpenFile(const FileDialogOptions& request) {
  lastFileDialog = request;
  return FileAnswer(AnswerKind::OpenFile);
}

std::optional<std::string> ScriptedPrompts::SaveFile(const FileDialogOptions& request) {
  lastFileDialog = request;
  std::optional<std::string> path = FileAnswer(AnswerKind::SaveFile);
  if (path && !request.defaultExtension.empty() && !HasExtension(*path)) {
    const std::string& ext = request.defaultExtension;
    *path += ext.front() == '.' ? ext : "." + ext;
  }
  return path;
}

std::optional<::Colour> ScriptedPrompts::PickColour(::Colour initial, CustomColours& custom) {
  lastInitialColour = initial;
  lastCustomColours = custom;
  if (answers_.empty()) return std::nullopt;
  const Answer answer = answers_.front();
  if (answer.kind == AnswerKind::Colour) {
    answers_.pop_front();
    return answer.colour;
  }
  if (answer.kind == AnswerKind::ColourCancel || answer.kind == AnswerKind::Cancel)
    answers_.pop_front();
  return std::nullopt;
}

std::optional<int> ScriptedPrompts::AskInteger(const std::string& prompt, int min, int max,
                                               int /*value*/) {
  Log("input " + TranslatedText(kDialogContext, prompt) + " [" + std::to_string(min) + ".." +
      std::to_string(max) + "]");
  if (answers_.empty()) return std::nullopt;
  const Answer answer = answers_.front();
  if (answer.kind == AnswerKind::Value) {
    answers_.pop_front();
    return answer.value < min ? min : answer.value > max ? max : answer.value;
  }
  if (answer.kind == AnswerKind::Cancel) answers_.pop_front();
  return std::nullopt;
}

std::optional<ExportChoices> ScriptedPrompts::AskExportOptions(const std::string& title,
                                                               const ExportChoices& offered) {
  Log("options " + TranslatedText(kDialogContext, title));
  if (answers_.empty()) return offered;
  const AnswerKind kind = answers_.front().kind;
  if (kind == AnswerKind::Ok) {
    answers_.pop_front();
    return offered;
  }
  if (kind == AnswerKind::Cancel) {
    answers_.pop_front();
    return std::nullopt;
  }
  if (kind == AnswerKind::Value) {
    ExportChoices chosen = offered;
    chosen.size = std::clamp<double>(answers_.front().value, 1, offered.maxSize);
    answers_.pop_front();
    return chosen;
  }
  return offered;
}

void ScriptedPrompts::ShowDocument(const std::string& title, const std::string& markdown) {
  lastDocument = markdown;
  Log("document " + TranslatedText(kDialogContext, title));
}

}  // namespace ui
