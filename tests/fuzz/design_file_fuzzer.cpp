// libFuzzer target: any bytes given to Open must end in patterns or in one of
// the program's own refusals, never in a crash, a hang or another exception.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/design_file.h"
#include "engine/design_state.h"
#include "engine/int_text.h"
#include "engine/pattern_history.h"

using namespace engine;

namespace {

// What the reader accepts, the writer must write so that it reads back the same.
void CheckRoundTrip(const std::vector<PatternRecord>& patterns) {
  PatternHistory history;
  std::vector<PatternRecord> written;
  for (const PatternRecord& p : patterns) {
    if (history.Full() || p.FixedTeeth <= 0) break;
    history.Record(p);
    written.push_back(p);
  }
  if (ParseDesignFile(FormatDesignFile(history, "f", "d", "t")) != written) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<int32_t> value = TryStrToInt(bytes)) {
    if (TryStrToInt(std::to_string(*value)) != value) __builtin_trap();
  }
  try {
    const std::vector<PatternRecord> patterns = ParseDesignFile(bytes);
    CheckRoundTrip(patterns);
    // Checking builds each pattern's curve; keep big inputs to the reader.
    if (patterns.size() <= 20) CheckDesignDrawable(patterns, DesignState{});
  } catch (const RunTimeError&) {
    // DesignFileError and the engine's own run-time errors are refusals.
  }
  return 0;
}
