#pragma once
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
  engine::PatternRecord record;
  int lineWidth = 1;  // in screen pixels, 1..5
};

enum class ExportFormat { Svg, Pdf, Png };

struct ExportOptions {
  ExportFormat format = ExportFormat::Svg;
  double sizeMm = 200;  // SVG and PDF: the side of the square drawing
  int sizePx = 2560;    // PNG: the side of the square image, 1..16384
  bool includeCanvas = true;
  Colour canvasColour = kWhite;  // 0x00BBGGRR
  // SVG and PDF: each path keeps only the vertices it needs to stay within
  // this distance (mm) of every vertex it drops.
  std::optional<double> simplifyMm;
  // SVG: one Inkscape layer per pen colour, in order of first use; else one
  // layer with the patterns in drawing order.
  bool layerPerColour = true;
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
