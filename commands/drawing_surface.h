#pragma once
#include <functional>

#include "core/colour.h"
#include "engine/pattern_history.h"

namespace ui {
class ImageCanvas;
}

namespace commands {

// The drawing area as the commands see it: the picture on screen, the copy
// kept behind it, and the two colours a blank picture takes.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual ui::ImageCanvas& Picture() = 0;
  virtual ui::ImageCanvas& Backing() = 0;
  virtual Colour CanvasColour() const = 0;
  virtual Colour PenColour() const = 0;
};

// Draws one pattern at its line width as Draw does: on the panel, on the
// picture and into the history.
using PatternTracer = std::function<void(const engine::DrawnPattern&)>;

}  // namespace commands
