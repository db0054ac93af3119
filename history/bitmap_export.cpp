// Save BMP writes the drawing area's pixels, taken before the dialog opens.
#include "panel/korva_window.h"
#include "ui/canvas.h"
#include "ui/file_io.h"

using namespace engine;

void TKorva::savebmpClick() {
  dumpClick();
  ui::ImageCanvas picture(640, 640);
  picture.CopyRect(DrawingArea(), 0, 0, 640, 640);
  const ui::FileDialogOptions options{"Bitmap(*bmp)|*.bmp", "bmp", /*overwritePrompt=*/true,
                                      /*fileMustExist=*/false, bmpDialogName_};
  const auto name = form_.GetPrompts().SaveFile(options);
  if (!name || name->empty()) return;
  bmpDialogName_ = *name;
  ui::WriteBitmapAtomically(picture, *name);
}
