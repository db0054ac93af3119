// Qt's "XDG_RUNTIME_DIR not set" notice is dropped; every other message still
// reaches the handler installed before.
#include "ui/runtime_dir_notice.h"

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {
namespace {

std::vector<std::pair<QtMsgType, QString>> recorded;

void Record(QtMsgType type, const QMessageLogContext&, const QString& message) {
  recorded.emplace_back(type, message);
}

int NoticesRecorded() {
  int notices = 0;
  for (const auto& [type, message] : recorded) notices += IsRuntimeDirNotice(type, message);
  return notices;
}

// XDG_RUNTIME_DIR unset while it lives, as in a session without one.
class WithoutRuntimeDir {
 public:
  WithoutRuntimeDir() {
    if (const char* value = std::getenv("XDG_RUNTIME_DIR")) saved_ = value;
    unsetenv("XDG_RUNTIME_DIR");
  }
  ~WithoutRuntimeDir() {
    if (saved_) setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
  }

 private:
  std::optional<std::string> saved_;
};

TEST(RuntimeDirNotice, IsQtsNoticeAndNoOtherMessage) {
  EXPECT_TRUE(IsRuntimeDirNotice(
      QtWarningMsg, "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-ann'"));
  EXPECT_FALSE(IsRuntimeDirNotice(
      QtCriticalMsg, "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-ann'"));
  // Qt's warnings that the folder is unusable matter to the user.
  EXPECT_FALSE(IsRuntimeDirNotice(
      QtWarningMsg, "QStandardPaths: error creating runtime directory /tmp/runtime-ann: denied"));
  EXPECT_FALSE(IsRuntimeDirNotice(QtWarningMsg,
                                  "QStandardPaths: wrong permissions on runtime directory "
                                  "/tmp/runtime-ann, 0755 instead of 0700"));
}

// Installs the filter for the rest of this test program, which is harmless:
// no other test expects the notice.
TEST(RuntimeDirNotice, IsDroppedWhileOtherMessagesPassOn) {
  WithoutRuntimeDir unset;
  const QtMessageHandler original = qInstallMessageHandler(Record);
  recorded.clear();
  QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  // Qt words it as the filter expects: else the rest would prove nothing.
  EXPECT_EQ(NoticesRecorded(), 1);

  recorded.clear();
  QuietenRuntimeDirNotice();
  QuietenRuntimeDirNotice();  // a second call must not hand messages to itself
  QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  qWarning("QStandardPaths: a warning of another kind");
  qInfo("XDG_RUNTIME_DIR not set");
  qInstallMessageHandler(original);

  EXPECT_EQ(NoticesRecorded(), 0);
  const std::vector<std::pair<QtMsgType, QString>> passedOn = {
      {QtWarningMsg, "QStandardPaths: a warning of another kind"},
      {QtInfoMsg, "XDG_RUNTIME_DIR not set"}};
  EXPECT_EQ(recorded, passedOn);
}

}  // namespace
}  // namespace ui
