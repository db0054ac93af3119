#include "ui/drawing_overlay.h"

#include <exception>

#include "ui/controls.h"
#include "ui/gear_painter.h"

namespace ui {

namespace {
constexpr double kPreviewOpacity = 0.45;
}  // namespace

DrawingOverlay::DrawingOverlay(std::function<engine::GearOverlay()> nextGears)
    : nextGears_(std::move(nextGears)) {}

void DrawingOverlay::SetShown(bool gears, bool preview) {
  gears_ = gears;
  preview_shown_ = preview;
}

void DrawingOverlay::ShowOn(PaintArea& area) {
  if (!gears_ && !preview_shown_ && !rolling_) {
    if (area.HasOverlay()) area.SetOverlay({});
    return;
  }
  if (!area.HasOverlay()) {
    area.SetOverlay([this](QPainter& painter, double scale) { Paint(painter, scale); });
  }
  area.Repaint();
}

void DrawingOverlay::Paint(QPainter& painter, double scale) const {
  if (preview_shown_) PaintGhost(painter, preview_, kPreviewOpacity);
  if (rolling_) {
    PaintGears(painter, *rolling_, scale);
    return;
  }
  if (!gears_) return;
  try {
    PaintGears(painter, nextGears_(), scale);
  } catch (const std::exception&) {
    // A design that cannot be drawn has no gears to show.
  }
}

}  // namespace ui
