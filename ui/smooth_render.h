#pragma once
#include <QImage>
#include <QPointF>
#include <atomic>
#include <cstddef>
#include <vector>

#include "core/colour.h"
#include "ui/trace_log.h"

class QPainter;

namespace ui {

// Where a smooth render puts the picture, in device pixels: the size of the
// whole shown area, device pixels per picture pixel, the place of the
// picture's top-left corner, and device pixels per unit of line width.
struct SmoothFrame {
  int width = 0, height = 0;
  double scale = 1, originX = 0, originY = 0, penScale = 1;
  bool operator==(const SmoothFrame&) const = default;
};

// Strokes polylines given in picture pixels onto a painter working in the
// frame's device pixels, antialiased, a pen of the trace's colour and width.
// A point with a NaN coordinate breaks the line.
class SmoothStroker {
 public:
  SmoothStroker(QPainter& painter, const SmoothFrame& frame);
  ~SmoothStroker() { Flush(); }
  SmoothStroker(const SmoothStroker&) = delete;
  SmoothStroker& operator=(const SmoothStroker&) = delete;
  void SetPen(Colour colour, int width);
  void Point(double x, double y);
  void Break();
  void Flush();

 private:
  QPainter& painter_;
  SmoothFrame frame_;
  std::vector<QPointF> line_;
};

// The log's traces, each retraced from its pattern (as far as it was drawn),
// on the log's background, with `around` outside the picture. A null image
// when cancelled.
QImage RenderSmooth(const TraceLog& log, const SmoothFrame& frame, QRgb around,
                    const std::atomic<bool>& cancelled);

}  // namespace ui
