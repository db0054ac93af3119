#include "export/line_raster.h"

#include <QPainter>
#include <algorithm>

#include "raster/thin_line.h"
#include "raster/wide_line.h"

namespace exporting {

LineRaster::LineRaster(QImage& image) : image_(image) {
  width_ = image_.width();
  height_ = image_.height();
  stride_ = image_.bytesPerLine() / 4;
  bits_ = reinterpret_cast<uint32_t*>(image_.bits());
}

LineRaster::~LineRaster() {
  Finish();
}

void LineRaster::Finish() {
  painter_.reset();
}

void LineRaster::SetPen(Colour colour, int width, WidePen widePen) {
  argb_ = OpaqueArgb(colour);
  penWidth_ = width < 1 ? 1 : width;
  widePen_ = widePen;
  haveLast_ = false;
  if (widePen == WidePen::Disc && penWidth_ > 1) disc_.Make(penWidth_);
}

void LineRaster::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (penWidth_ <= 1)
    ThinLine(x0, y0, x1, y1);
  else if (widePen_ == WidePen::Screen)
    WideLine(x0, y0, x1, y1);
  else
    DiscLine(x0, y0, x1, y1);
}

void LineRaster::ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  ThinLineRun run;
  if (!VisibleThinLine(x0, y0, x1, y1, 0, 0, width_, height_, run)) return;
  PaintThinLine(run, bits_, stride_, argb_);
}

// The pixels of the thin line, each widened to the pen's disc. Consecutive
// pixels of a path are neighbours, so each adds only the part of its disc
// that the last one did not cover: a few pixels a row, whatever the pen.
void LineRaster::DiscLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const int64_t reach = disc_.reach;
  ThinLineRun run;
  if (!VisibleThinLine(x0, y0, x1, y1, -reach, -reach, width_ + 2 * reach, height_ + 2 * reach,
                       run))
    return;
  int64_t x = run.x, y = run.y, r = run.r;
  const int64_t majorX = run.xMajor ? run.sx : 0, majorY = run.xMajor ? 0 : run.sy;
  const int64_t minorX = run.xMajor ? 0 : run.sx, minorY = run.xMajor ? run.sy : 0;
  for (int64_t c = run.count; c > 0; --c) {
    Stamp(x, y);
    x += majorX;
    y += majorY;
    r += run.twoA;
    if (r >= run.twoN) {
      r -= run.twoN;
      x += minorX;
      y += minorY;
    }
  }
}

void LineRaster::Stamp(int64_t x, int64_t y) {
  const int64_t dx = x - lastX_, dy = y - lastY_;
  const std::vector<Disc::Span>* spans = &disc_.full;
  if (haveLast_ && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
    if (dx == 0 && dy == 0) return;
    spans = &disc_.added[(dy + 1) * 3 + (dx + 1)];
  }
  haveLast_ = true;
  lastX_ = x;
  lastY_ = y;
  const uint32_t colour = argb_;
  const bool clear = x - disc_.reach >= 0 && y - disc_.reach >= 0 && x + disc_.reach < width_ &&
                     y + disc_.reach < height_;
  for (const Disc::Span& span : *spans) {
    const int64_t row = y + span.dy;
    int64_t from = x + span.from, to = x + span.to;
    if (!clear) {
      if (row < 0 || row >= height_) continue;
      from = std::max<int64_t>(from, 0);
      to = std::min<int64_t>(to, width_);
    }
    uint32_t* line = bits_ + row * stride_;
    for (int64_t i = from; i < to; ++i) line[i] = colour;
  }
}

void LineRaster::Disc::Make(int width) {
  // Centred on the pixel for an odd width, on its top-left corner for an
  // even one, so that the disc is `width` pixels across.
  const double centre = width % 2 == 1 ? 0.0 : 0.5;
  const double radius = width / 2.0;
  reach = (width + 1) / 2;
  auto inside = [&](int64_t dx, int64_t dy) {
    const double ex = dx + centre, ey = dy + centre;
    return ex * ex + ey * ey <= radius * radius;
  };
  full.clear();
  for (auto& a : added) a.clear();
  for (int64_t dy = -reach; dy <= reach; ++dy) {
    int64_t from = reach + 1, to = -reach - 1;
    for (int64_t dx = -reach; dx <= reach; ++dx)
      if (inside(dx, dy)) {
        from = std::min(from, dx);
        to = std::max(to, dx + 1);
      }
    if (from < to) full.push_back({dy, from, to});
  }
  // What a disc adds to its neighbour's: the pixels o of the disc with
  // o + step outside it.
  for (int sy = -1; sy <= 1; ++sy)
    for (int sx = -1; sx <= 1; ++sx) {
      std::vector<Span>& spans = added[(sy + 1) * 3 + (sx + 1)];
      for (const Span& row : full)
        for (int64_t dx = row.from; dx < row.to; ++dx) {
          if (inside(dx + sx, row.dy + sy)) continue;
          if (!spans.empty() && spans.back().dy == row.dy && spans.back().to == dx)
            ++spans.back().to;
          else
            spans.push_back({row.dy, dx, dx + 1});
        }
    }
}

QPainter& LineRaster::Painter() {
  if (painter_ == nullptr) {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
  }
  QPainter& painter = *painter_;
  const QPen pen(QColor::fromRgb(argb_), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  if (painter.pen() != pen) painter.setPen(pen);
  return painter;
}

void LineRaster::WideLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (image_.isNull()) return;
  DrawWideLine(Painter(), penWidth_, width_, height_, x0, y0, x1, y1);
}

}  // namespace exporting
