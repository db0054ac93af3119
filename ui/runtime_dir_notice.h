#pragma once
// Qt's notice "XDG_RUNTIME_DIR not set", kept off standard error.
#include <QString>
#include <QtGlobal>

namespace ui {

// Whether a message is that notice: a warning, repeated each time Qt looks for
// the runtime folder without the variable. Qt then uses a folder of its own
// (/tmp/runtime-USER, checked to be the user's and 0700), which serves Korva
// as well, so the notice asks nothing of the user. Qt's warnings that it could
// not make or trust that folder are other messages and still reach the user.
bool IsRuntimeDirNotice(QtMsgType type, const QString& message);

// Drops that notice and hands every other message to the handler installed
// before; call it before the QApplication is made. Calling it again does nothing.
void QuietenRuntimeDirNotice();

}  // namespace ui
