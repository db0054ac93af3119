#pragma once
#include <functional>
#include <string>

#include "engine/view_mapping.h"
#include "ui/controls.h"

namespace ui {

class DrawingViewWidget;

// The drawing area as the window shows it: the exact picture (the canvas,
// which stays the document) enlarged by nearest neighbour, each picture
// pixel floor(r) or ceil(r) device pixels wide, zoomed and panned, with the
// overlay in the same coordinates. At Fit in the smallest window it shows
// the canvas pixel for pixel.
//
// Zoom and pan change only how the picture is shown: never the canvas, the
// history or the panel.
class DrawingView : public PaintArea {
 public:
  enum class WheelKey { None, Ctrl, Shift };

  // `g` is the area's place in the smallest window; the window places it
  // anywhere else with PlaceOnScreen.
  DrawingView(Form& form, std::string name, Geometry g);

  const engine::ViewMapping& Mapping() const { return mapping_; }
  void ZoomIn();
  void ZoomOut();
  void Fit();
  void ActualPixels();
  // Screen pixels: dx > 0 shows more of the picture's right part.
  void Pan(double dx, double dy);
  // The zoom as the status bar shows it, such as "400 %".
  std::string ZoomText() const;
  // Runs after every change of zoom or pan.
  std::function<void()> onViewChange;

  // User input, as the widget passes it on and korva-batch gives it: a wheel
  // turned by `deltaX`, `deltaY` (120 a notch, positive away from the user)
  // with the pointer at `x`, `y` of the shown area; a pinch by a factor.
  void UserWheel(int deltaX, int deltaY, WheelKey key, double x, double y);
  void UserPinch(double factor, double x, double y);

  // Takes the new size at once, shown or not.
  void PlaceOnScreen(Geometry place) override;
  void Repaint() override;
  void PaintOn(QPainter& painter, const QSize& shown, const QRect& dirty) const override;
  QSize ShownSize() const override;

 private:
  friend class DrawingViewWidget;
  // The shown area took a new size (a window resize, scroll bars coming or
  // going).
  void ShownResized();
  // The scroll bars moved by the user.
  void ScrollBarsMoved();
  void Changed();
  void ShowOnScrollBars();

  DrawingViewWidget* view_;
  engine::ViewMapping mapping_;
  int pendingZoom_ = 0;  // wheel eighths of a degree not yet a whole notch
  bool showingOnBars_ = false;
};

}  // namespace ui
