#pragma once
#include <optional>
#include <string>
#include <vector>

#include "engine/design_state.h"
#include "engine/pattern_history.h"

namespace ui {
class Prompts;
}

namespace commands {

// Save TXT and the reading half of Open: the file pickers, the design file
// and its checks.
class DesignFiles {
 public:
  DesignFiles(ui::Prompts& prompts, const engine::PatternHistory& history);

  void Save();
  // The patterns of the chosen file once every one is known to be drawable
  // from `current`; nothing when the user cancels or the file is no design
  // (the user has been told). Other refusals throw.
  std::optional<std::vector<engine::PatternRecord>> ChooseAndRead(
      const engine::DesignState& current);

 private:
  ui::Prompts& prompts_;
  const engine::PatternHistory& history_;
  std::string lastSaveName_;
};

}  // namespace commands
