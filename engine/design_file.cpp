#include "engine/design_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "engine/curve.h"
#include "engine/int_text.h"

namespace engine {

namespace {

constexpr char kCtrlZ = 26;

// Cuts text into lines at CR LF, CR or a lone LF, so that files edited on
// other systems open.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ >= bytes_.size() || bytes_[pos_] == kCtrlZ; }

  std::string_view Next() {
    const size_t start = pos_;
    while (pos_ < bytes_.size()) {
      const char c = bytes_[pos_];
      if (c == kCtrlZ) return bytes_.substr(start, pos_ - start);
      if (c == '\r' || c == '\n') {
        std::string_view line = bytes_.substr(start, pos_ - start);
        ++pos_;
        if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
        return line;
      }
      ++pos_;
    }
    return bytes_.substr(start);
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

// The text up to the next comma, taken off `rest`; nothing when no comma follows.
std::optional<std::string> TakeField(std::string_view& rest) {
  const size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  std::string field(rest.substr(0, comma));
  rest.remove_prefix(comma + 1);
  return field;
}

[[noreturn]] void RefuseField(const std::string& field, int lineNumber) {
  throw DesignFileError(
      DesignFileError::Kind::BadField, lineNumber,
      InvalidIntegerMessage(field) + " (line " + std::to_string(lineNumber) + ")");
}

// The fields after the tenth comma: the line width, an integer 1..5 followed
// by a comma, or none (0) for anything else; then the ring's sides and
// corner, each an integer followed by a comma, once the sides are there.
void ReadTrailingFields(std::string_view rest, int lineNumber, DesignLine& line) {
  const std::optional<std::string> widthField = TakeField(rest);
  if (!widthField) return;
  const std::optional<int32_t> width = TryStrToInt(*widthField);
  if (width && *width >= kMinLineWidth && *width <= kMaxLineWidth) line.lineWidth = *width;
  const std::optional<std::string> sidesField = TakeField(rest);
  const std::optional<int32_t> sides = sidesField ? TryStrToInt(*sidesField) : std::nullopt;
  if (!sides) return;
  // As for the first ten fields, one without its comma reads as empty.
  const std::string cornerField = TakeField(rest).value_or("");
  const std::optional<int32_t> corner = TryStrToInt(cornerField);
  if (!corner) RefuseField(cornerField, lineNumber);
  if (*sides != 0) line.ring = {*sides, *corner};
}

DesignLine ParsePatternLine(std::string_view line, int lineNumber) {
  std::array<int32_t, PatternRecord::kFieldCount> fields{};
  for (int32_t& value : fields) {
    std::string field;
    const size_t comma = line.find(',');
    if (comma != std::string_view::npos) {
      field = std::string(line.substr(0, comma));
      line.remove_prefix(comma + 1);
    } else {
      line = {};
    }
    const std::optional<int32_t> converted = TryStrToInt(field);
    if (!converted) RefuseField(field, lineNumber);
    value = *converted;
  }
  DesignLine read;
  read.record = PatternRecord::FromFields(fields);
  ReadTrailingFields(line, lineNumber, read);
  return read;
}

[[noreturn]] void RefuseUndrawable(int lineNumber, const char* reason) {
  const std::string n = std::to_string(lineNumber);
  throw DesignFileError(DesignFileError::Kind::Undrawable, lineNumber,
                        "The pattern in line " + n + " cannot be drawn: " + reason + ".");
}

}  // namespace

std::string FormatDesignFile(const PatternHistory& history, const std::string& fullPath,
                             const std::string& date, const std::string& time) {
  std::string out = "KORVA," + fullPath + "," + date + "," + time + "\r\n";
  for (int32_t i = 1; i < history.NextPatternIndex(); ++i) {
    const PatternRecord& record = history.Entry(i);
    if (record.FixedTeeth <= 0) break;
    for (int32_t field : record.Fields()) {
      out += std::to_string(field);
      out += ',';
    }
    out += std::to_string(history.LineWidth(i));
    out += ',';
    const RingShape& ring = history.Ring(i);
    if (!ring.Circle()) out += std::to_string(ring.sides) + ',' + std::to_string(ring.corner) + ',';
    out += "\r\n";
  }
  return out;
}

std::vector<DesignLine> ReadDesignFile(const std::string& bytes) {
  LineReader reader(bytes);
  if (!reader.Next().starts_with("KORVA")) {
    throw DesignFileError(DesignFileError::Kind::NotKorva, 1, kNotKorvaFile);
  }
  std::vector<DesignLine> lines;
  int lineNumber = 1;
  while (!reader.AtEnd()) {
    ++lineNumber;
    lines.push_back(ParsePatternLine(reader.Next(), lineNumber));
  }
  return lines;
}

std::vector<PatternRecord> ParseDesignFile(const std::string& bytes) {
  std::vector<PatternRecord> patterns;
  for (const DesignLine& line : ReadDesignFile(bytes)) patterns.push_back(line.record);
  return patterns;
}

void CheckDesignDrawable(const std::vector<PatternRecord>& patterns, const DesignState& current) {
  std::vector<DesignLine> lines;
  for (const PatternRecord& p : patterns) lines.push_back({p, 0, {}});
  CheckDesignLinesDrawable(lines, current);
}

void CheckDesignLinesDrawable(const std::vector<DesignLine>& lines, const DesignState& current) {
  // While the patterns are shown one after another, the panel mixes a
  // pattern's teeth with the step left by earlier ones (and by the panel's own
  // values), so the largest of each seen so far must keep the span's product
  // 360 * teeth * step inside 32 bits.
  int64_t maxTeeth =
      std::max({int64_t{360}, int64_t{current.FixedTeeth}, int64_t{current.MovingTeeth}});
  int64_t maxStep = std::max(int64_t{3600}, int64_t{current.StepDeg});
  for (size_t i = 0; i < lines.size(); ++i) {
    const PatternRecord& p = lines[i].record;
    const RingShape& ring = lines[i].ring;
    const int lineNumber = static_cast<int>(i) + 2;
    if (p.FixedTeeth < 1 || p.MovingTeeth < 1) RefuseUndrawable(lineNumber, "teeth below 1");
    // A one-tooth ring would leave the panel with no room for a moving gear.
    if (p.FixedTeeth < 2) RefuseUndrawable(lineNumber, "fixed gear below 2 teeth");
    if (p.StepDeg < 1) RefuseUndrawable(lineNumber, "step below 1");
    const std::optional<std::string> ringProblem =
        RingProblem(ring, p.FixedTeeth, p.MovingTeeth, p.GearMode == kExternalMode);
    if (ringProblem) RefuseUndrawable(lineNumber, ringProblem->c_str());
    maxTeeth = std::max({maxTeeth, int64_t{p.FixedTeeth}, int64_t{p.MovingTeeth}});
    maxStep = std::max(maxStep, int64_t{p.StepDeg});
    // 360 * t * s > INT32_MAX exactly when t * s > INT32_MAX / 360 (integers).
    if (maxTeeth * maxStep > std::numeric_limits<int32_t>::max() / 360) {
      RefuseUndrawable(lineNumber, "integer overflow");
    }
    std::optional<Curve> curve;
    try {
      curve.emplace(p, ring);
    } catch (const RunTimeError&) {
      // A working value that overflows cannot be placed on any pixel either.
    }
    if (!curve || !curve->PixelsFit()) {
      RefuseUndrawable(lineNumber, "its points lie beyond the drawing area's pixel range");
    }
    if (curve->EstimatedSegments() > kMaxSegmentsPerPattern) {
      RefuseUndrawable(lineNumber, "more than 100 million segments");
    }
  }
}

}  // namespace engine
