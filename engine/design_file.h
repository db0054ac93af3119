#pragma once
#include <string>
#include <vector>

#include "core/run_time_error.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"

namespace engine {

// Why a design file was refused. The message names the line.
class DesignFileError : public RunTimeError {
 public:
  enum class Kind {
    NotKorva,    // the header does not begin with "KORVA"
    BadField,    // a field is not an integer
    Undrawable,  // a pattern the program cannot draw
  };
  DesignFileError(Kind kind, int line, const std::string& message)
      : RunTimeError(message), kind_(kind), line_(line) {}
  Kind kind() const { return kind_; }
  int line() const { return line_; }

 private:
  Kind kind_;
  int line_;
};

inline constexpr const char* kNotKorvaFile = "Error reading input file - not a KORVA file";

// The bytes of a design file: "KORVA," + path + "," + date + "," + time, then
// one line per pattern of its ten fields and its line width, and for a shaped
// ring its sides and corner, each followed by a comma, CR LF after every line.
// Readers of ten fields ignore the rest. Writing stops at the first entry
// whose fixed teeth count is below 1.
std::string FormatDesignFile(const PatternHistory& history, const std::string& fullPath,
                             const std::string& date, const std::string& time);

// One pattern line: the record, the line width from an eleventh field that
// is an integer 1..5 followed by a comma, else 0 (none given), and the ring.
// A twelfth field that is an integer followed by a comma is the ring's sides,
// and then the thirteenth must be its corner, followed by a comma; without
// them, or with sides 0, the ring is a circle.
struct DesignLine {
  PatternRecord record;
  int32_t lineWidth = 0;
  RingShape ring;
  bool operator==(const DesignLine&) const = default;
};

// Reads every pattern line. Lines end at CR LF, CR or LF; Ctrl-Z ends the
// input. Throws DesignFileError.
std::vector<DesignLine> ReadDesignFile(const std::string& bytes);
// The records alone.
std::vector<PatternRecord> ParseDesignFile(const std::string& bytes);

// Refuses, naming the line, a pattern the program cannot draw: teeth or step
// below 1, integer overflow in the trace's products (also those the panel
// makes while showing the patterns one after another, starting from
// `current`), pixels beyond 32-bit integers, more than 100 million segments.
// A ring that cannot carry its pattern is refused with RingProblem's reason.
void CheckDesignDrawable(const std::vector<PatternRecord>& patterns, const DesignState& current);
void CheckDesignLinesDrawable(const std::vector<DesignLine>& lines, const DesignState& current);

inline constexpr long double kMaxSegmentsPerPattern = 100'000'000.0L;

}  // namespace engine
