#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/design_file.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"

namespace ui {
class Prompts;
}

namespace commands {

struct OpenedDesign {
  std::string path;
  std::vector<engine::DesignLine> lines;
};

// Save, Save TXT and the reading half of Open: the file pickers, the design
// file and its checks.
class DesignFiles {
 public:
  DesignFiles(ui::Prompts& prompts, const engine::PatternHistory& history);

  // The path written, or nothing when the user cancels. Failures throw.
  std::optional<std::string> Save();
  // Writes the history to `path` without asking. Failures throw.
  void SaveTo(const std::string& path);
  // The patterns of the chosen file once every one is known to be drawable
  // from `current`; nothing when the user cancels or the file is no design
  // (the user has been told). Other refusals throw.
  std::optional<OpenedDesign> ChooseAndRead(const engine::DesignState& current);
  // The same for a file already chosen.
  std::optional<OpenedDesign> Read(const std::string& path, const engine::DesignState& current);

 private:
  ui::Prompts& prompts_;
  const engine::PatternHistory& history_;
  std::string lastSaveName_;
};

}  // namespace commands
