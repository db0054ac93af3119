// Plain words for every control of the panel.
#include <utility>

#include "window/main_window.h"

namespace {

constexpr const char* kTypeHint = "\nDouble-click to type a value (F2 on a bar).";

constexpr std::pair<const char*, const char*> kToolTips[] = {
    {"PaintBox1", "The drawing. Patterns are drawn here, exactly to the pixel."},
    {"Clear", "Wipe the drawing and forget every pattern (Edit > Undo brings them back)."},
    {"Draw", "Draw the pattern, or the series, set on the panel (Ctrl+D)."},
    {"undo", "Remove the last pattern and redraw the others."},
    {"PenColor", "Choose the pen colour for the next patterns."},
    {"CanvasShape", "The canvas colour, with the pen colour inside."},
    {"ShapePen", "The pen colour of the next pattern."},
    {"BitBtn1", "Close Korva; you are asked first if the drawing has unsaved changes."},
    {"Linesize", "Width of the pen, in pixels, for the patterns drawn from now on."},
    {"DrawStep1Deg", "Step 1 degree: the smoothest curves."},
    {"DrawStep2Deg", "Step 2 degrees."},
    {"DrawStep5Deg", "Step 5 degrees."},
    {"DrawStep10Deg", "Step 10 degrees: quicker, more angular curves."},
    {"ScrollBarStepFine",
     "How far the moving gear rolls between two points, in degrees. Large steps give star shapes."},
    {"Stepdeg", "The step, in degrees."},
    {"rb_internal", "The moving gear rolls inside the fixed ring."},
    {"rb_external", "The moving gear rolls around the outside of the fixed ring."},
    {"ScrollBarFixed", "Teeth of the fixed ring."},
    {"Fixed", "Teeth of the fixed ring."},
    {"ScrollBarMoving", "Teeth of the moving gear. Inside the ring it must be the smaller."},
    {"Moving", "Teeth of the moving gear."},
    {"Points", "How many loops (points) the pattern has."},
    {"ScrollBarReps", "How many patterns one Draw makes, each stepped from the one before."},
    {"reps", "Patterns per Draw."},
    {"cb_reflect", "Follow each pattern by its mirror image: a double spiral."},
    {"RepeatReset1", "Back to one pattern per Draw, with every step at zero."},
    {"SpinRed", "Added to the pen's red after each pattern of a series."},
    {"SpinGreen", "Added to the pen's green after each pattern of a series."},
    {"SpinBlue", "Added to the pen's blue after each pattern of a series."},
    {"ZeroColStep", "Set the three colour steps to zero."},
    {"default_pos", "Put the pen position, top and size back to the gears' defaults."},
    {"ZeroPosStep", "Set the pen position, top and size steps to zero."},
    {"ScrollBarHole", "Where the pen sits: 0 is the gear's centre, 10 x moving teeth its rim."},
    {"Hole", "Where the pen sits: 0 is the gear's centre, 10 x moving teeth its rim."},
    {"holespin", "Added to the pen position after each pattern of a series."},
    {"ScrollBarTop", "Turns the pattern: in tenths of a tooth of the fixed ring."},
    {"Align", "The turn of the pattern, in tenths of a ring tooth."},
    {"topspin", "Added to the turn after each pattern of a series: a spiral."},
    {"ScrollBarMagni", "Size of the pattern, in thousandths: 1000 fills the drawing."},
    {"Size", "Size, in thousandths."},
    {"sizespin", "Added to the size after each pattern of a series."},
    {"default_centre", "Put the pattern back in the middle of the drawing."},
    {"ZeroCentStep", "Set the centre steps to zero."},
    {"ScrollBarCentreX", "Moves the pattern right (or left), in tenths of a pixel."},
    {"xcent", "Horizontal offset of the centre, in tenths of a pixel."},
    {"xspin", "Added to the horizontal centre after each pattern of a series."},
    {"ScrollBarCentreY", "Moves the pattern up (or down), in tenths of a pixel."},
    {"ycent", "Vertical offset of the centre, in tenths of a pixel."},
    {"yspin", "Added to the vertical centre after each pattern of a series."},
    {"RingShape", "The fixed ring's shape: a circle, an oval or a rounded polygon."},
    {"ScrollBarCorner",
     "Radius of the ring's corners, in teeth: up to the ring's teeth, and inside at least the "
     "moving gear's."},
    {"Corner", "Radius of the ring's corners, in teeth."},
};

}  // namespace

void MainWindow::addToolTips() {
  for (auto [name, tip] : kToolTips) {
    ui::Control* control = form_.Find(name);
    std::string text = tip;
    if (dynamic_cast<ui::ScrollBar*>(control) != nullptr ||
        (dynamic_cast<ui::ValueBox*>(control) != nullptr && std::string(name) != "Points") ||
        dynamic_cast<ui::SpinBox*>(control) != nullptr) {
      text += kTypeHint;
    }
    control->SetToolTip(text);
  }
}
