#include "commands/design_files.h"

#include <QtGlobal>

#include "ui/file_io.h"
#include "ui/prompts.h"

namespace commands {

namespace {
// The file type as the file dialog names it.
[[maybe_unused]] constexpr const char* kFileType =
    QT_TRANSLATE_NOOP("Dialog", "Pattern Command Text File");
}  // namespace

DesignFiles::DesignFiles(ui::Prompts& prompts, const engine::PatternHistory& history)
    : prompts_(prompts), history_(history) {}

std::optional<std::string> DesignFiles::Save() {
  const ui::FileDialogOptions options{"Pattern Command Text File (*.txt)|*.txt",
                                      "txt",
                                      /*overwritePrompt=*/true,
                                      /*fileMustExist=*/false,
                                      lastSaveName_,
                                      /*folderMustExist=*/true};
  const auto name = prompts_.SaveFile(options);
  if (!name || name->empty()) return std::nullopt;
  lastSaveName_ = *name;
  SaveTo(*name);
  return *name;
}

void DesignFiles::SaveTo(const std::string& path) {
  ui::WriteFileAtomically(
      path, engine::FormatDesignFile(history_, path, ui::ShortDateNow(), ui::LongTimeNow()));
}

std::optional<OpenedDesign> DesignFiles::ChooseAndRead(const engine::DesignState& current) {
  const ui::FileDialogOptions options{"Pattern Command Text File(*.txt)|*.txt",
                                      "txt",
                                      /*overwritePrompt=*/true,
                                      /*fileMustExist=*/true,
                                      "",
                                      /*folderMustExist=*/true};
  const auto name = prompts_.OpenFile(options);
  if (!name || name->empty()) return std::nullopt;
  return Read(*name, current);
}

std::optional<OpenedDesign> DesignFiles::Read(const std::string& path,
                                              const engine::DesignState& current) {
  try {
    OpenedDesign design{path, engine::ReadDesignFile(ui::ReadWholeFile(path))};
    engine::CheckDesignLinesDrawable(design.lines, current);
    return design;
  } catch (const engine::DesignFileError& e) {
    if (e.kind() != engine::DesignFileError::Kind::NotKorva) throw;
    prompts_.Message(ui::MessageKind::Error, engine::kNotKorvaFile, ui::kOk);
    return std::nullopt;
  }
}

}  // namespace commands
