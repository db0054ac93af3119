#pragma once
#include <string>

#include "commands/drawing_surface.h"

namespace ui {
class Prompts;
}

namespace commands {

// Save BMP: the picture's pixels, taken before the file picker opens.
class BitmapExport {
 public:
  BitmapExport(ui::Prompts& prompts, DrawingSurface& surface);
  void Save();

 private:
  ui::Prompts& prompts_;
  DrawingSurface& surface_;
  std::string lastName_;
};

}  // namespace commands
