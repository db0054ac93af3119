// Where a file dialog starts: never in a folder whose files may block a
// reader (/proc, /sys, /dev), whatever Qt or the program remembers.
#include "ui/start_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdlib>

#include "tests/qstring_print.h"
#include "ui/qt_prompts.h"

namespace ui {
namespace {

// A kernel folder as a machine has it: a file system of its own, not an
// empty folder of a chroot's.
bool MountedKernelFolder(const char* path) {
  return QFileInfo(path).isDir() && QStorageInfo(path).rootPath() != QStorageInfo("/").rootPath();
}

QUrl LastVisited() {
  return QSettings(QSettings::UserScope, QStringLiteral("QtProject"))
      .value(QStringLiteral("FileDialog/lastVisited"))
      .toUrl();
}

void SetLastVisited(const QString& folder) {
  QSettings(QSettings::UserScope, QStringLiteral("QtProject"))
      .setValue(QStringLiteral("FileDialog/lastVisited"), QUrl::fromLocalFile(folder));
}

TEST(StartFolder, OnlyWritableFoldersOfOrdinaryFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_TRUE(UsableStartFolder(dir.path().toStdString()));
  EXPECT_TRUE(UsableStartFolder(dir.path().toStdString() + "/."));
  QFile file(dir.filePath("design.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_FALSE(UsableStartFolder(file.fileName().toStdString())) << "a file";
  EXPECT_FALSE(UsableStartFolder(dir.filePath("missing").toStdString()));
  EXPECT_FALSE(UsableStartFolder(""));
  for (const char* kernel : {"/proc", "/proc/self", "/proc/sys/kernel", "/sys", "/sys/fs/cgroup",
                             "/dev", "/dev/shm", "/dev/pts"}) {
    if (!MountedKernelFolder(kernel)) continue;
    EXPECT_FALSE(UsableStartFolder(kernel)) << kernel;
  }
  // A link into /proc is /proc.
  ASSERT_TRUE(QFile::link("/proc", dir.filePath("link")));
  EXPECT_FALSE(UsableStartFolder(dir.filePath("link").toStdString()));
}

TEST(StartFolder, TheNamesFolderThenTheRememberedOneThenHome) {
  QTemporaryDir named, remembered;
  ASSERT_TRUE(named.isValid() && remembered.isValid());
  const std::string other = remembered.path().toStdString();
  EXPECT_EQ(StartFolderFor(named.filePath("a.svg").toStdString(), other),
            named.path().toStdString());
  EXPECT_EQ(StartFolderFor("a.svg", other), other);
  EXPECT_EQ(StartFolderFor("/proc/a.svg", other), other);
  EXPECT_EQ(StartFolderFor("/proc/a.svg", "/proc"), QDir::homePath().toStdString());
  if (MountedKernelFolder("/sys")) {
    EXPECT_EQ(StartFolderFor("", "/sys"), QDir::homePath().toStdString());
  }
}

// The settings of this run are its own (see qt_test_main.cpp), never the
// user's.
TEST(StartFolder, TheTestsKeepQtsSettingsApart) {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  ASSERT_NE(config, nullptr);
  const QString file = QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
  EXPECT_TRUE(file.startsWith(QString::fromLocal8Bit(config) + "/")) << file.toStdString();
  EXPECT_FALSE(file.startsWith(QDir::homePath() + "/.config/")) << file.toStdString();
}

// Inspected without being shown: a dialog that starts in /proc freezes the
// window as it lists it.
TEST(StartFolder, NoDialogStartsInAFolderQtRemembered) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  SetLastVisited(QStringLiteral("/proc"));
  const FileDialogOptions save{"SVG (*.svg)|*.svg", "svg", true, false, "/proc/x.svg", true};
  std::unique_ptr<QFileDialog> dialog = MakeFileDialog(nullptr, save, true);
  EXPECT_EQ(dialog->directory().absolutePath(), QDir::homePath());
  EXPECT_TRUE(LastVisited().isEmpty()) << "/proc is still remembered";
  dialog.reset();
  EXPECT_EQ(LastVisited().toLocalFile(), QDir::homePath());

  // A dialog that ends in a folder where none may start leaves the one it
  // started in remembered.
  dialog =
      MakeFileDialog(nullptr, {"", "", false, false, dir.filePath("a.svg").toStdString()}, true);
  EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
  const QString gone = dir.filePath("gone");
  ASSERT_TRUE(QDir().mkdir(gone));
  dialog->setDirectory(gone);
  ASSERT_TRUE(QDir(gone).removeRecursively());
  dialog.reset();
  EXPECT_EQ(LastVisited().toLocalFile(), dir.path());

  dialog = MakeFileDialog(nullptr, {"", "", false, true, ""}, false);
  EXPECT_EQ(dialog->directory().absolutePath(), dir.path()) << "the remembered folder";
  dialog.reset();
}

}  // namespace
}  // namespace ui
