#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/colour.h"
#include "engine/pattern_history.h"
#include "export/export.h"
#include "ui/prompts.h"

namespace commands {

// The history's patterns, oldest first, each at its own width.
std::vector<exporting::ExportPattern> ExportPatternsOf(const engine::PatternHistory& history);

// File > Export SVG, PDF and PNG: a save picker, the options, a question
// before a very large file, then the file. The picker suggests the design's
// name, and the options are those last chosen for the format.
class ExportCommand {
 public:
  // Asked before a file above this size is written.
  static constexpr int64_t kLargeFileBytes = 100'000'000;
  // A PNG this wide needs a lot of memory: asked first.
  static constexpr int kLargePngPixels = 8192;

  // `designPath`: the design's file, empty while it has none.
  ExportCommand(ui::Prompts& prompts, const engine::PatternHistory& history,
                std::function<Colour()> canvasColour, std::function<std::string()> designPath);
  // `progress` may stop the export, which then writes nothing.
  void Export(exporting::ExportFormat format, const exporting::Progress& progress = {});

 private:
  ui::Prompts& prompts_;
  const engine::PatternHistory& history_;
  std::string SuggestedName(exporting::ExportFormat format) const;

  std::function<Colour()> canvasColour_;
  std::function<std::string()> designPath_;
  // Per format, for the rest of the run.
  std::array<std::string, 3> lastNames_;
  std::array<std::optional<ui::ExportChoices>, 3> lastChoices_;
};

}  // namespace commands
