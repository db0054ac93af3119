#pragma once
#include <QImage>
#include <atomic>
#include <cstdint>

#include "core/colour.h"
#include "engine/parallel_trace.h"
#include "raster/banded_lines.h"
#include "ui/trace_log.h"

namespace ui {

// Where a smooth render puts the picture, in device pixels: the size of the
// whole shown area, device pixels per picture pixel, the place of the
// picture's top-left corner, and device pixels per unit of line width.
struct SmoothFrame {
  int width = 0, height = 0;
  double scale = 1, originX = 0, originY = 0, penScale = 1;
  bool operator==(const SmoothFrame&) const = default;
};

// Where `frame` places picture pixels.
inline LinePlacement PlacementOf(const SmoothFrame& frame) {
  return {frame.scale, frame.originX, frame.originY};
}
// Lines in picture pixels onto `image` (32-bit, opaque) as `frame` places
// them, on `threads` bands.
BandedLines LinesOnto(QImage& image, const SmoothFrame& frame, int threads,
                      const std::atomic<bool>* cancelled = nullptr);
// A run of a trace's points drawn with its pen.
LineRun TraceRun(const float* xy, size_t count, const LoggedTrace& trace, const SmoothFrame& frame);

// The log's traces, each from its kept points or else retraced from its
// pattern (as far as it was drawn) on every core, on the log's background,
// with `around` outside the picture. A retraced trace keeps its points
// when the budget has room. A null image when cancelled.
QImage RenderSmooth(const TraceLog& log, const SmoothFrame& frame, QRgb around,
                    const std::atomic<bool>& cancelled, int threads = engine::DefaultThreads());

// How many traces the renders have retraced so far.
uint64_t SmoothRetraces();

}  // namespace ui
