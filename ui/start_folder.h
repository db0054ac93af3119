#pragma once
#include <string>

namespace ui {

// Whether a file dialog may start in `folder`, and remember it for the next
// one: it exists, is a directory the user may write in, and holds ordinary
// files. The device folder (/dev) and kernel file systems such as /proc and
// /sys do not: their "files" may block whoever reads them, and a dialog reads
// what it lists, on the UI thread.
bool UsableStartFolder(const std::string& folder);

// The folder a dialog for `initialName` starts in: the name's own folder,
// else `remembered` (the folder the last dialog ended in), else the home
// folder, else the temporary folder: the first of them that is usable.
std::string StartFolderFor(const std::string& initialName, const std::string& remembered);

}  // namespace ui
