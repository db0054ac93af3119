#pragma once
#include <QImage>
#include <functional>
#include <optional>

#include "engine/gear_overlay.h"

class QPainter;

namespace ui {

class PaintArea;

// What the View menu paints over the drawing: a faint preview of the next
// Draw, the gears the next Draw starts with, or the gear rolling through an
// animated Draw. It is painted in the view's coordinates (1 unit = 1 picture
// pixel), so it follows zoom and pan, and never into the picture.
class DrawingOverlay {
 public:
  // The gears of the pattern the next Draw starts with; it may throw for a
  // design that cannot be drawn, which then has none to show.
  explicit DrawingOverlay(std::function<engine::GearOverlay()> nextGears);

  void SetShown(bool gears, bool preview);
  // The preview's picture: the planned patterns on a clear background.
  void SetPreview(QImage image) { preview_ = std::move(image); }
  const QImage& Preview() const { return preview_; }
  // The gear as the animated Draw has rolled it; empty when none rolls.
  void SetRolling(std::optional<engine::GearOverlay> gears) { rolling_ = std::move(gears); }
  bool Rolling() const { return rolling_.has_value(); }

  // Puts the overlay on the area when there is anything to paint, takes it
  // off when not, and repaints.
  void ShowOn(PaintArea& area);
  void Paint(QPainter& painter, double scale) const;

 private:
  std::function<engine::GearOverlay()> nextGears_;
  bool gears_ = false, preview_shown_ = false;
  QImage preview_;
  std::optional<engine::GearOverlay> rolling_;
};

}  // namespace ui
