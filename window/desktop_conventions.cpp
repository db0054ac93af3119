// The title, the question before closing, recent designs and the Help menu.
#include <QCoreApplication>
#include <algorithm>

#include "generated/quick_guide.h"
#include "generated/version.h"
#include "ui/prompts.h"
#include "window/main_window.h"

namespace {
// "Korva  Version 4.2", in the user's language.
std::string Caption() {
  return QCoreApplication::translate("Window", "Korva  Version %1")
      .arg(QString::fromLatin1(korva::kVersion))
      .toStdString();
}

constexpr const char* kSaveBeforeClosing =
    QT_TRANSLATE_NOOP("Message", "Save changes to the design before closing?");

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool MainWindow::hasUnsavedChanges() const {
  return !history_.SamePatterns(savedHistory_);
}

// "spiral.txt* - Korva  Version 4.2": the file and a mark for unsaved
// changes; the plain caption while there is neither.
void MainWindow::updateTitle() {
  const bool unsaved = hasUnsavedChanges();
  if (designPath_.empty() && !unsaved) {
    form_.SetCaption(Caption());
    return;
  }
  const std::string name = designPath_.empty()
                               ? QCoreApplication::translate("Window", "Untitled").toStdString()
                               : FileNameOf(designPath_);
  form_.SetCaption(name + (unsaved ? "*" : "") + " - " + Caption());
}

bool MainWindow::confirmClose() {
  if (!hasUnsavedChanges()) return true;
  switch (form_.GetPrompts().Message(ui::MessageKind::Confirm, kSaveBeforeClosing,
                                     ui::kYes | ui::kNo | ui::kCancel)) {
    case ui::kYes: {
      save();
      return !hasUnsavedChanges();
    }
    case ui::kNo:
      return true;
    default:
      return false;
  }
}

void MainWindow::rememberRecent(const std::string& path) {
  recent_.erase(std::remove(recent_.begin(), recent_.end(), path), recent_.end());
  recent_.insert(recent_.begin(), path);
  if (recent_.size() > kRecentDesigns) recent_.resize(kRecentDesigns);
  if (recentStore_ != nullptr) recentStore_->Save(recent_);
  showRecentDesigns();
}

void MainWindow::showRecentDesigns() {
  for (size_t i = 0; i < recentItems_.size(); ++i) {
    const bool used = i < recent_.size();
    recentItems_[i]->SetVisible(used);
    if (used) {
      std::string text = "&";
      text.append(std::to_string(i + 1)).append("  ").append(FileNameOf(recent_[i]));
      recentItems_[i]->SetMenuText(text);
      recentItems_[i]->SetToolTip(recent_[i]);
    }
  }
  recentMenu_->SetEnabled(!recent_.empty());
}

void MainWindow::showQuickGuide() {
  form_.GetPrompts().ShowDocument(QT_TRANSLATE_NOOP("Dialog", "Korva Quick Guide"),
                                  korva::kQuickGuide);
}

void MainWindow::showAbout() {
  form_.GetPrompts().ShowDocument(
      QT_TRANSLATE_NOOP("Dialog", "About Korva"),
      std::string("## Korva ") + korva::kVersion + "\n\n" +
          // A translation also says that the Quick Guide, taken from the
          // README, is in English.
          QCoreApplication::translate(
              "Dialog",
              "Draws the curves of the toothed-gear drawing toy, hypotrochoids and "
              "epitrochoids, exactly to the pixel: series of patterns, double spirals, colour "
              "cycling, design files, printing and batch scripts.\n\n"
              "Copyright © The Korva developers. Released under the MIT licence: you may use, "
              "copy, change and share it freely, with no warranty.")
              .toStdString());
}
