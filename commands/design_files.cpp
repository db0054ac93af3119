#include "commands/design_files.h"

#include "engine/design_file.h"
#include "ui/file_io.h"
#include "ui/prompts.h"

namespace commands {

DesignFiles::DesignFiles(ui::Prompts& prompts, const engine::PatternHistory& history)
    : prompts_(prompts), history_(history) {}

void DesignFiles::Save() {
  const ui::FileDialogOptions options{"Pattern Command Text File (*.txt)|*.txt", "txt",
                                      /*overwritePrompt=*/true, /*fileMustExist=*/false,
                                      lastSaveName_};
  const auto name = prompts_.SaveFile(options);
  if (!name || name->empty()) return;
  lastSaveName_ = *name;
  ui::WriteFileAtomically(
      *name, engine::FormatDesignFile(history_, *name, ui::ShortDateNow(), ui::LongTimeNow()));
}

std::optional<std::vector<engine::PatternRecord>> DesignFiles::ChooseAndRead(
    const engine::DesignState& current) {
  const ui::FileDialogOptions options{"Pattern Command Text File(*.txt)|*.txt", "txt",
                                      /*overwritePrompt=*/true, /*fileMustExist=*/true, ""};
  const auto name = prompts_.OpenFile(options);
  if (!name || name->empty()) return std::nullopt;
  try {
    std::vector<engine::PatternRecord> patterns = engine::ParseDesignFile(ui::ReadWholeFile(*name));
    engine::CheckDesignDrawable(patterns, current);
    return patterns;
  } catch (const engine::DesignFileError& e) {
    if (e.kind() != engine::DesignFileError::Kind::NotKorva) throw;
    prompts_.Message(ui::MessageKind::Error, engine::kNotKorvaFile, ui::kOk);
    return std::nullopt;
  }
}

}  // namespace commands
