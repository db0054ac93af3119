// Plain words for every control of the panel.
#include <QtGlobal>
#include <utility>

#include "ui/translate.h"
#include "window/main_window.h"

namespace {

constexpr const char* kTypeHint =
    QT_TRANSLATE_NOOP("ToolTip", "Double-click to type a value (F2 on a bar).");

constexpr std::pair<const char*, const char*> kToolTips[] = {
    {"PaintBox1",
     QT_TRANSLATE_NOOP("ToolTip", "The drawing. Patterns are drawn here, exactly to the pixel.")},
    {"Clear",
     QT_TRANSLATE_NOOP(
         "ToolTip", "Wipe the drawing and forget every pattern (Edit > Undo brings them back).")},
    {"Draw",
     QT_TRANSLATE_NOOP("ToolTip", "Draw the pattern, or the series, set on the panel (Ctrl+D).")},
    {"undo", QT_TRANSLATE_NOOP("ToolTip", "Remove the last pattern and redraw the others.")},
    {"PenColor", QT_TRANSLATE_NOOP("ToolTip", "Choose the pen colour for the next patterns.")},
    {"CanvasShape", QT_TRANSLATE_NOOP("ToolTip", "The canvas colour, with the pen colour inside.")},
    {"ShapePen", QT_TRANSLATE_NOOP("ToolTip", "The pen colour of the next pattern.")},
    {"BitBtn1",
     QT_TRANSLATE_NOOP("ToolTip",
                       "Close Korva; you are asked first if the drawing has unsaved changes.")},
    {"Linesize",
     QT_TRANSLATE_NOOP("ToolTip",
                       "Width of the pen, in pixels, for the patterns drawn from now on.")},
    {"DrawStep1Deg", QT_TRANSLATE_NOOP("ToolTip", "Step 1 degree: the smoothest curves.")},
    {"DrawStep2Deg", QT_TRANSLATE_NOOP("ToolTip", "Step 2 degrees.")},
    {"DrawStep5Deg", QT_TRANSLATE_NOOP("ToolTip", "Step 5 degrees.")},
    {"DrawStep10Deg",
     QT_TRANSLATE_NOOP("ToolTip", "Step 10 degrees: quicker, more angular curves.")},
    {"ScrollBarStepFine", QT_TRANSLATE_NOOP("ToolTip",
                                            "How far the moving gear rolls between two points, in "
                                            "degrees. Large steps give star shapes.")},
    {"Stepdeg", QT_TRANSLATE_NOOP("ToolTip", "The step, in degrees.")},
    {"rb_internal", QT_TRANSLATE_NOOP("ToolTip", "The moving gear rolls inside the fixed ring.")},
    {"rb_external",
     QT_TRANSLATE_NOOP("ToolTip", "The moving gear rolls around the outside of the fixed ring.")},
    {"ScrollBarFixed", QT_TRANSLATE_NOOP("ToolTip", "Teeth of the fixed ring.")},
    {"Fixed", QT_TRANSLATE_NOOP("ToolTip", "Teeth of the fixed ring.")},
    {"ScrollBarMoving",
     QT_TRANSLATE_NOOP("ToolTip",
                       "Teeth of the moving gear. Inside the ring it must be the smaller.")},
    {"Moving", QT_TRANSLATE_NOOP("ToolTip", "Teeth of the moving gear.")},
    {"Points", QT_TRANSLATE_NOOP("ToolTip", "How many loops (points) the pattern has.")},
    {"ScrollBarReps",
     QT_TRANSLATE_NOOP("ToolTip",
                       "How many patterns one Draw makes, each stepped from the one before.")},
    {"reps", QT_TRANSLATE_NOOP("ToolTip", "Patterns per Draw.")},
    {"cb_reflect",
     QT_TRANSLATE_NOOP("ToolTip", "Follow each pattern by its mirror image: a double spiral.")},
    {"RepeatReset1",
     QT_TRANSLATE_NOOP("ToolTip", "Back to one pattern per Draw, with every step at zero.")},
    {"SpinRed",
     QT_TRANSLATE_NOOP("ToolTip", "Added to the pen's red after each pattern of a series.")},
    {"SpinGreen",
     QT_TRANSLATE_NOOP("ToolTip", "Added to the pen's green after each pattern of a series.")},
    {"SpinBlue",
     QT_TRANSLATE_NOOP("ToolTip", "Added to the pen's blue after each pattern of a series.")},
    {"ZeroColStep", QT_TRANSLATE_NOOP("ToolTip", "Set the three colour steps to zero.")},
    {"default_pos",
     QT_TRANSLATE_NOOP("ToolTip",
                       "Put the pen position, top and size back to the gears' defaults.")},
    {"ZeroPosStep",
     QT_TRANSLATE_NOOP("ToolTip", "Set the pen position, top and size steps to zero.")},
    {"ScrollBarHole",
     QT_TRANSLATE_NOOP("ToolTip",
                       "Where the pen sits: 0 is the gear's centre, 10 x moving teeth its rim.")},
    {"Hole",
     QT_TRANSLATE_NOOP("ToolTip",
                       "Where the pen sits: 0 is the gear's centre, 10 x moving teeth its rim.")},
    {"holespin",
     QT_TRANSLATE_NOOP("ToolTip", "Added to the pen position after each pattern of a series.")},
    {"ScrollBarTop",
     QT_TRANSLATE_NOOP("ToolTip", "Turns the pattern: in tenths of a tooth of the fixed ring.")},
    {"Align", QT_TRANSLATE_NOOP("ToolTip", "The turn of the pattern, in tenths of a ring tooth.")},
    {"topspin",
     QT_TRANSLATE_NOOP("ToolTip", "Added to the turn after each pattern of a series: a spiral.")},
    {"ScrollBarMagni",
     QT_TRANSLATE_NOOP("ToolTip", "Size of the pattern, in thousandths: 1000 fills the drawing.")},
    {"Size", QT_TRANSLATE_NOOP("ToolTip", "Size, in thousandths.")},
    {"sizespin", QT_TRANSLATE_NOOP("ToolTip", "Added to the size after each pattern of a series.")},
    {"default_centre",
     QT_TRANSLATE_NOOP("ToolTip", "Put the pattern back in the middle of the drawing.")},
    {"ZeroCentStep", QT_TRANSLATE_NOOP("ToolTip", "Set the centre steps to zero.")},
    {"ScrollBarCentreX",
     QT_TRANSLATE_NOOP("ToolTip", "Moves the pattern right (or left), in tenths of a pixel.")},
    {"xcent",
     QT_TRANSLATE_NOOP("ToolTip", "Horizontal offset of the centre, in tenths of a pixel.")},
    {"xspin", QT_TRANSLATE_NOOP("ToolTip",
                                "Added to the horizontal centre after each pattern of a series.")},
    {"ScrollBarCentreY",
     QT_TRANSLATE_NOOP("ToolTip", "Moves the pattern up (or down), in tenths of a pixel.")},
    {"ycent", QT_TRANSLATE_NOOP("ToolTip", "Vertical offset of the centre, in tenths of a pixel.")},
    {"yspin",
     QT_TRANSLATE_NOOP("ToolTip", "Added to the vertical centre after each pattern of a series.")},
    {"RingShape",
     QT_TRANSLATE_NOOP("ToolTip",
                       "The fixed ring's shape: a circle, an oval or a rounded polygon.")},
    {"ScrollBarCorner",
     QT_TRANSLATE_NOOP(
         "ToolTip",
         "Radius of the ring's corners, in teeth: up to the ring's teeth, and inside at least the "
         "moving gear's.")},
    {"Corner", QT_TRANSLATE_NOOP("ToolTip", "Radius of the ring's corners, in teeth.")},
};

}  // namespace

void MainWindow::addToolTips() {
  for (auto [name, tip] : kToolTips) {
    ui::Control* control = form_.Find(name);
    std::string text = ui::TranslatedText(ui::kToolTipContext, tip);
    if (dynamic_cast<ui::ScrollBar*>(control) != nullptr ||
        (dynamic_cast<ui::ValueBox*>(control) != nullptr && std::string(name) != "Points") ||
        dynamic_cast<ui::SpinBox*>(control) != nullptr) {
      text += '\n';
      text += ui::TranslatedText(ui::kToolTipContext, kTypeHint);
    }
    control->SetToolTip(text);
  }
}
