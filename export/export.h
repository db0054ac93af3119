#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/colour.h"
#include "engine/pattern_history.h"

// Exports of a history of patterns: SVG and PDF for print shops, plotters and
// lasers, PNG for screens. Every vertex is a point of the tracer before
// truncation, so each export draws the curve the drawing area shows.
namespace exporting {

struct ExportPattern {
  ExportPattern() = default;
  // A circle unless a ring is given.
  ExportPattern(const engine::PatternRecord& record, int lineWidth,
                const engine::RingShape& ring = {})
      : record(record), lineWidth(lineWidth), ring(ring) {}

  engine::PatternRecord record;
  int lineWidth = 1;  // in screen pixels, 1..5
  engine::RingShape ring;
};

enum class ExportFormat { Svg, Pdf, Png };

inline constexpr size_t kMaxPathDataBytes = 1'000'000;

struct ExportOptions {
  ExportFormat format = ExportFormat::Svg;
  double sizeMm = 200;  // SVG and PDF: the side of the square drawing
  int sizePx = 2560;    // PNG: the side of the square image, 1..16384
  bool includeCanvas = true;
  Colour canvasColour = kWhite;  // 0x00BBGGRR
  // SVG and PDF: each path keeps only the vertices it needs to stay within
  // this distance (mm) of every vertex it drops. Not for PNG.
  std::optional<double> simplifyMm;
  // SVG: one Inkscape layer per pen colour, in order of first use, labelled
  // with its number and colour ("1 #ff0000"); else one layer ("1 patterns")
  // with the patterns in drawing order. Only for SVG.
  bool layerPerColour = true;
  // SVG: the longest path data one <path> holds; a pattern's longer data
  // goes on in further <path> elements. XML readers refuse attributes much
  // longer than this.
  size_t maxPathDataBytes = kMaxPathDataBytes;
};

// Called every so often on the calling thread; returning false stops the
// export, which then writes nothing.
using Progress = std::function<bool(int64_t pointsDone, int64_t pointsTotalEstimate)>;

inline constexpr double kMinSizeMm = 1;
inline constexpr double kMaxSizeMm = 100000;
inline constexpr int kMaxSizePx = 16384;
inline constexpr int kMaxLineWidth = 5;

// Writes the patterns, oldest first, to `path` through a temporary file in the
// same folder that is renamed only when complete. Returns false when stopped.
// On any failure no file is left behind (an existing `path` stays as it was)
// and a RunTimeError tells why: "Cannot create file <path>", "Stream write
// error", an option out of range, or the error of a pattern that cannot be
// traced (as drawing it would show).
bool ExportDesign(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
                  const std::string& path, const Progress& progress = {});

// The expected size of the file in bytes, for a warning before a large
// export. For PNG it is the image held while drawing (4 bytes a pixel),
// which the file cannot exceed by much. Saturates at INT64_MAX for a pattern
// that never ends.
int64_t EstimateExportBytes(const std::vector<ExportPattern>& patterns,
                            const ExportOptions& options);

// "svg", "pdf" or "png".
const char* FileExtension(ExportFormat format);

}  // namespace exporting
