#include "ui/prompts.h"

#include <QtGlobal>

namespace ui {

std::string TitleOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QT_TRANSLATE_NOOP("Dialog", "Warning");
    case MessageKind::Error:
      return QT_TRANSLATE_NOOP("Dialog", "Error");
    case MessageKind::Information:
      return QT_TRANSLATE_NOOP("Dialog", "Information");
    case MessageKind::Confirm:
      return QT_TRANSLATE_NOOP("Dialog", "Confirm");
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
