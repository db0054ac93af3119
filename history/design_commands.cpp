// Save TXT writes the history as a design file; Open reads one back and
// redraws it. Open changes nothing until the whole file has been read and
// every pattern in it is known to be drawable.
#include "engine/design_file.h"
#include "engine/gear_math.h"
#include "panel/korva_window.h"
#include "ui/file_io.h"

using namespace engine;

void TKorva::saveClick() {
  const ui::FileDialogOptions options{"Pattern Command Text File (*.txt)|*.txt", "txt",
                                      /*overwritePrompt=*/true, /*fileMustExist=*/false,
                                      saveDialogName_};
  const auto name = form_.GetPrompts().SaveFile(options);
  if (!name || name->empty()) return;
  saveDialogName_ = *name;
  ui::WriteFileAtomically(*name,
                          FormatDesignFile(history, *name, ui::ShortDateNow(), ui::LongTimeNow()));
}

void TKorva::LoadClick() {
  const ui::FileDialogOptions options{"Pattern Command Text File(*.txt)|*.txt", "txt",
                                      /*overwritePrompt=*/true, /*fileMustExist=*/true, ""};
  const auto name = form_.GetPrompts().OpenFile(options);
  if (!name || name->empty()) return;

  std::vector<PatternRecord> patterns;
  try {
    patterns = ParseDesignFile(ui::ReadWholeFile(*name));
    CheckDesignDrawable(patterns, design);
  } catch (const DesignFileError& e) {
    if (e.kind() != DesignFileError::Kind::NotKorva) throw;
    form_.GetPrompts().Message(ui::MessageKind::Error, kNotKorvaFile, ui::kOk);
    return;
  }

  historyFullShown_ = false;
  BlankDrawingArea();
  history.Clear();
  for (const PatternRecord& pattern : patterns) {
    ReduceTeeth(pattern.MovingTeeth, pattern.FixedTeeth, derived);
    RefreshTraceSpan(design.StepDeg, derived);
    TracePattern(pattern);
  }
  dumpClick();
}
