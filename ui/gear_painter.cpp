#include "ui/gear_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <vector>

namespace ui {

namespace {

QPointF ToQPoint(const engine::AreaPoint& p) {
  return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

void AddCircle(QPainterPath& path, const engine::AreaPoint& centre, long double radius) {
  const double r = static_cast<double>(radius);
  path.addEllipse(ToQPoint(centre), r, r);
}

void AddClosed(QPainterPath& path, const std::vector<engine::AreaPoint>& outline) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(outline.size()));
  for (const engine::AreaPoint& p : outline) polygon << ToQPoint(p);
  path.addPolygon(polygon);
  path.closeSubpath();
}

// The toothed outline, or the pitch circle of a gear too small to have one.
void AddGear(QPainterPath& path, const engine::GearShape& gear) {
  if (gear.outline.empty()) {
    AddCircle(path, gear.centre, gear.radius);
    return;
  }
  AddClosed(path, gear.outline);
}

void Fill(QPainter& painter, const QPainterPath& path, unsigned rgba, double scale) {
  const QColor fill = QColor::fromRgba(rgba);
  QColor edge = fill.darker(160);
  edge.setAlpha(180);
  painter.setPen(QPen(edge, 1 / scale));
  painter.setBrush(fill);
  painter.drawPath(path);
}

}  // namespace

void PaintGears(QPainter& painter, const engine::GearOverlay& gears, double scale) {
  painter.save();
  QPainterPath ring;
  ring.setFillRule(Qt::OddEvenFill);
  // An internal ring is the band between its teeth and its rim.
  if (!gears.rimOutline.empty()) {
    AddClosed(ring, gears.rimOutline);
  } else if (gears.ringRim > 0) {
    AddCircle(ring, gears.ring.centre, gears.ringRim);
  }
  AddGear(ring, gears.ring);
  Fill(painter, ring, kRingRgba, scale);

  QPainterPath gear;
  AddGear(gear, gears.gear);
  Fill(painter, gear, kGearRgba, scale);

  const QPointF pen = ToQPoint(gears.pen);
  painter.setPen(QPen(QColor::fromRgb(kPenLineRgb), 1.5 / scale, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(ToQPoint(gears.gear.centre), pen);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor::fromRgb(kPenDotRgb));
  painter.drawEllipse(pen, 3 / scale, 3 / scale);
  painter.restore();
}

void PaintGhost(QPainter& painter, const QImage& image, double opacity) {
  if (image.isNull()) return;
  painter.save();
  painter.setOpacity(opacity);
  painter.drawImage(QPointF(0, 0), image);
  painter.restore();
}

}  // namespace ui
