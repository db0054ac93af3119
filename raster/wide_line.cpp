#include "raster/wide_line.h"

#include <QLineF>
#include <QPainter>

#include "core/clip_to_box.h"

void DrawWideLine(QPainter& painter, int penWidth, int64_t width, int64_t height, int64_t x0,
                  int64_t y0, int64_t x1, int64_t y1) {
  const int64_t margin = 1024 + penWidth;
  const int64_t left = -margin, top = -margin;
  const int64_t right = width + margin, bottom = height + margin;
  auto within = [&](int64_t x, int64_t y) {
    return x >= left && x <= right && y >= top && y <= bottom;
  };
  if (within(x0, y0) && within(x1, y1)) {
    painter.drawLine(QPoint(static_cast<int>(x0), static_cast<int>(y0)),
                     QPoint(static_cast<int>(x1), static_cast<int>(y1)));
    return;
  }
  double fx0 = x0, fy0 = y0, fx1 = x1, fy1 = y1;
  if (!ClipToBox(fx0, fy0, fx1, fy1, left, top, right, bottom)) return;
  painter.drawLine(QLineF(fx0, fy0, fx1, fy1));
}
