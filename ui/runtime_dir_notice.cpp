#include "ui/runtime_dir_notice.h"

#include <mutex>

namespace ui {

namespace {

QtMessageHandler previousHandler = nullptr;

void DropRuntimeDirNotice(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (IsRuntimeDirNotice(type, message)) return;
  previousHandler(type, context, message);
}

}  // namespace

bool IsRuntimeDirNotice(QtMsgType type, const QString& message) {
  return type == QtWarningMsg && message.startsWith(QLatin1String(
                                     "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '"));
}

void QuietenRuntimeDirNotice() {
  static std::once_flag installed;
  std::call_once(installed, [] { previousHandler = qInstallMessageHandler(DropRuntimeDirNotice); });
}

}  // namespace ui
