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

// What the reader accepts, the writer must write so that it reads back the
// same, rings included.
void CheckRoundTrip(const std::vector<DesignLine>& lines) {
  PatternHistory history;
  std::vector<DesignLine> written;
  for (const DesignLine& line : lines) {
    if (history.Full() || line.record.FixedTeeth <= 0) break;
    history.Record(line.record, line.lineWidth, line.ring);
    written.push_back(line);
  }
  if (ReadDesignFile(FormatDesignFile(history, "f", "d", "t")) != written) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (const std::optional<int32_t> value = TryStrToInt(bytes)) {
    if (TryStrToInt(std::to_string(*value)) != value) __builtin_trap();
  }
  try {
    const std::vector<DesignLine> lines = ReadDesignFile(bytes);
    CheckRoundTrip(lines);
    // Checking builds each pattern's curve; keep big inputs to the reader.
    if (lines.size() <= 20) CheckDesignLinesDrawable(lines, DesignState{});
  } catch (const RunTimeError&) {
    // DesignFileError and the engine's own run-time errors are refusals.
  }
  return 0;
}
