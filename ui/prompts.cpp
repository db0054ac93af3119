#include "ui/prompts.h"

namespace ui {

std::string TitleOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return "Warning";
    case MessageKind::Error:
      return "Error";
    case MessageKind::Information:
      return "Information";
    case MessageKind::Confirm:
      return "Confirm";
  }
  return "";
}

MessageButton DefaultButton(MessageButtons buttons) {
  for (MessageButton b : {kOk, kYes, kNo, kCancel})
    if (buttons & b) return b;
  return kOk;
}

MessageButton EscapeButton(MessageButtons buttons) {
  if (buttons & kCancel) return kCancel;
  if (buttons & kNo) return kNo;
  return kOk;
}

}  // namespace ui
