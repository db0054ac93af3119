#include "ui/start_folder.h"

#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ui {

namespace {

// Kernel file systems: what they list are not files to open or save.
bool OnKernelFileSystem(const std::filesystem::path& path) {
  struct statfs info {};
  if (statfs(path.c_str(), &info) != 0) return true;
  constexpr decltype(info.f_type) kKernel[] = {
      PROC_SUPER_MAGIC, SYSFS_MAGIC,      DEVPTS_SUPER_MAGIC, DEBUGFS_MAGIC,
      TRACEFS_MAGIC,    SECURITYFS_MAGIC, CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC,
      PSTOREFS_MAGIC,   BPF_FS_MAGIC,     BINFMTFS_MAGIC,     EFIVARFS_MAGIC};
  return std::find(std::begin(kKernel), std::end(kKernel), info.f_type) != std::end(kKernel);
}

}  // namespace

bool UsableStartFolder(const std::string& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  const std::filesystem::path path = std::filesystem::canonical(folder, error);
  if (error || !std::filesystem::is_directory(path, error) || error) return false;
  // /dev, whatever file system holds it (devtmpfs, or a tmpfs in a container).
  const std::filesystem::path dev("/dev");
  if (std::mismatch(dev.begin(), dev.end(), path.begin(), path.end()).first == dev.end())
    return false;
  // A kernel file system may be mounted anywhere, also inside another one
  // (/sys/fs/cgroup): the folder and every folder above it must hold files.
  for (std::filesystem::path p = path;; p = p.parent_path()) {
    if (OnKernelFileSystem(p)) return false;
    if (p == p.root_path()) break;
  }
  return access(path.c_str(), W_OK | X_OK) == 0;
}

std::string StartFolderFor(const std::string& initialName, const std::string& remembered) {
  if (!initialName.empty()) {
    const QFileInfo named(QString::fromStdString(initialName));
    if (named.isAbsolute() || initialName.find('/') != std::string::npos) {
      const std::string folder = named.absolutePath().toStdString();
      if (UsableStartFolder(folder)) return folder;
    }
  }
  for (const std::string& folder :
       {remembered, QDir::homePath().toStdString(), QDir::tempPath().toStdString()}) {
    if (UsableStartFolder(folder)) return folder;
  }
  return QDir::rootPath().toStdString();
}

}  // namespace ui
