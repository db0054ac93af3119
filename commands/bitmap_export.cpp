#include "commands/bitmap_export.h"

#include <QtGlobal>

#include "core/drawing_area.h"
#include "ui/canvas.h"
#include "ui/file_io.h"
#include "ui/prompts.h"

namespace commands {

BitmapExport::BitmapExport(ui::Prompts& prompts, DrawingSurface& surface)
    : prompts_(prompts), surface_(surface) {}

void BitmapExport::Save() {
  constexpr int n = kDrawingAreaSize;
  // Saving also keeps a copy behind the picture, as the Dump command does.
  surface_.Backing().CopyRect(surface_.Picture(), 0, 0, n, n);
  ui::ImageCanvas picture(n, n);
  picture.CopyRect(surface_.Picture(), 0, 0, n, n);
  [[maybe_unused]] constexpr const char* kFileType = QT_TRANSLATE_NOOP("Dialog", "Bitmap");
  const ui::FileDialogOptions options{"Bitmap(*bmp)|*.bmp",    "bmp",     /*overwritePrompt=*/true,
                                      /*fileMustExist=*/false, lastName_,
                                      /*folderMustExist=*/true};
  const auto name = prompts_.SaveFile(options);
  if (!name || name->empty()) return;
  lastName_ = *name;
  ui::WriteBitmapAtomically(picture, *name);
}

}  // namespace commands
