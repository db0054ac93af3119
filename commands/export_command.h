#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/colour.h"
#include "engine/pattern_history.h"
#include "export/export.h"

namespace ui {
class Prompts;
}

namespace commands {

// The history's patterns, oldest first, each at its own width.
std::vector<exporting::ExportPattern> ExportPatternsOf(const engine::PatternHistory& history);

// File > Export SVG, PDF and PNG: a save picker, the options, a question
// before a very large file, then the file.
class ExportCommand {
 public:
  // Asked before a file above this size is written.
  static constexpr int64_t kLargeFileBytes = 100'000'000;
  // A PNG this wide needs a lot of memory: asked first.
  static constexpr int kLargePngPixels = 8192;

  ExportCommand(ui::Prompts& prompts, const engine::PatternHistory& history,
                std::function<Colour()> canvasColour);
  // `progress` may stop the export, which then writes nothing.
  void Export(exporting::ExportFormat format, const exporting::Progress& progress = {});

 private:
  ui::Prompts& prompts_;
  const engine::PatternHistory& history_;
  std::function<Colour()> canvasColour_;
  std::array<std::string, 3> lastNames_;
};

}  // namespace commands
