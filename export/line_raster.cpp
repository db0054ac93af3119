#include "export/line_raster.h"

#include <QLineF>
#include <QPainter>
#include <algorithm>

#include "core/clip_to_box.h"

namespace exporting {

namespace {

using Wide = __int128;

Wide CeilDiv(Wide a, Wide b) {  // b > 0
  Wide q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return q;
}

}  // namespace

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

// Pixel i (0 <= i < n, n the longer of |dx| and |dy|) lies i steps along the
// major axis and floor((2*i*a + n) / (2*n)) steps along the minor one, a the
// shorter extent: the nearest pixel, ties away from the start. Finds the
// pixels that fall in the box [left, left + width) x [top, top + height).
bool LineRaster::VisibleRun(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t left,
                            int64_t top, int64_t width, int64_t height, Run& run) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady;
  const int64_t a = xMajor ? ady : adx;
  if (n == 0 || width <= 0 || height <= 0) return false;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;

  int64_t first = 0, count = n;  // the visible pixels i in [first, first + count)
  int64_t k = 0, r = n;          // minor steps at `first` and the remainder, out of 2n
  const int64_t bx0 = x0 - left, by0 = y0 - top, bx1 = x1 - left, by1 = y1 - top;
  const bool inside = uint64_t(bx0) < uint64_t(width) && uint64_t(by0) < uint64_t(height) &&
                      uint64_t(bx1) < uint64_t(width) && uint64_t(by1) < uint64_t(height);
  if (!inside) {
    const int64_t p0 = xMajor ? bx0 : by0, m0 = xMajor ? by0 : bx0;
    const int64_t majorSize = xMajor ? width : height, minorSize = xMajor ? height : width;
    const int majorSign = xMajor ? sx : sy, minorSign = xMajor ? sy : sx;
    int64_t lo = 0, hi = n - 1;
    if (majorSign > 0) {
      lo = std::max(lo, -p0);
      hi = std::min(hi, majorSize - 1 - p0);
    } else {
      lo = std::max(lo, p0 - (majorSize - 1));
      hi = std::min(hi, p0);
    }
    if (lo > hi) return false;
    // The minor steps k(i) that stay inside, k(i) being nondecreasing.
    const int64_t kLo = minorSign > 0 ? -m0 : m0 - (minorSize - 1);
    const int64_t kHi = minorSign > 0 ? minorSize - 1 - m0 : m0;
    if (a == 0) {
      if (kLo > 0 || kHi < 0) return false;
    } else {
      const Wide twoN = Wide{2} * n, twoA = Wide{2} * a;
      // k(i) >= kLo  <=>  i >= (2n*kLo - n) / 2a
      const Wide iLo = CeilDiv(twoN * kLo - n, twoA);
      // k(i) <= kHi  <=>  i < (2n*kHi + n) / 2a
      const Wide iHi = CeilDiv(twoN * kHi + n, twoA) - 1;
      if (iLo > lo) lo = iLo > hi ? hi + 1 : static_cast<int64_t>(iLo);
      if (iHi < hi) hi = iHi < lo ? lo - 1 : static_cast<int64_t>(iHi);
      if (lo > hi) return false;
    }
    first = lo;
    count = hi - lo + 1;
    const Wide numerator = Wide{2} * first * a + n;
    k = static_cast<int64_t>(numerator / (Wide{2} * n));
    r = static_cast<int64_t>(numerator % (Wide{2} * n));
  }
  run.xMajor = xMajor;
  run.sx = sx;
  run.sy = sy;
  run.x = x0 + (xMajor ? first : k) * sx;
  run.y = y0 + (xMajor ? k : first) * sy;
  run.count = count;
  run.r = r;
  run.twoA = 2 * a;
  run.twoN = 2 * n;
  return true;
}

void LineRaster::ThinLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  Run run;
  if (!VisibleRun(x0, y0, x1, y1, 0, 0, width_, height_, run)) return;
  const int64_t stride = stride_;
  const int64_t majorStep = run.xMajor ? run.sx : run.sy * stride;
  const int64_t minorStep = run.xMajor ? run.sy * stride : run.sx;
  uint32_t* bits = bits_;
  const uint32_t colour = argb_;
  const int64_t twoA = run.twoA, twoN = run.twoN;
  int64_t r = run.r;
  int64_t offset = run.y * stride + run.x;
  for (int64_t c = run.count; c > 0; --c) {
    bits[offset] = colour;
    offset += majorStep;
    r += twoA;
    const bool carry = r >= twoN;
    r -= carry ? twoN : 0;
    offset += carry ? minorStep : 0;
  }
}

// The pixels of the thin line, each widened to the pen's disc. Consecutive
// pixels of a path are neighbours, so each adds only the part of its disc
// that the last one did not cover: a few pixels a row, whatever the pen.
void LineRaster::DiscLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  const int64_t reach = disc_.reach;
  Run run;
  if (!VisibleRun(x0, y0, x1, y1, -reach, -reach, width_ + 2 * reach, height_ + 2 * reach, run))
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
  QPainter& painter = Painter();
  const int64_t margin = 1024 + penWidth_;
  const int64_t left = -margin, top = -margin;
  const int64_t right = width_ + margin, bottom = height_ + margin;
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

}  // namespace exporting
