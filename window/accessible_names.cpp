// What a screen reader calls each control whose caption does not say it: a
// bar is named by the label beside it, its value box and step box after it.
#include <QCoreApplication>
#include <QtGlobal>
#include <utility>

#include "window/main_window.h"

namespace {

constexpr const char* kContext = "AccessibleName";

constexpr std::pair<const char*, const char*> kAccessibleNames[] = {
    {"Bevel1", QT_TRANSLATE_NOOP("AccessibleName", "Drawing frame")},
    {"PaintBox2", QT_TRANSLATE_NOOP("AccessibleName", "Copy of the drawing")},
    {"PenColor", QT_TRANSLATE_NOOP("AccessibleName", "Choose pen colour")},
    {"CanvasShape", QT_TRANSLATE_NOOP("AccessibleName", "Canvas colour")},
    {"ShapePen", QT_TRANSLATE_NOOP("AccessibleName", "Pen colour")},
    {"Linesize", QT_TRANSLATE_NOOP("AccessibleName", "Drawing line width")},
    {"Bevel2", QT_TRANSLATE_NOOP("AccessibleName", "Step")},
    {"DrawStep1Deg", QT_TRANSLATE_NOOP("AccessibleName", "Step 1 degree")},
    {"DrawStep2Deg", QT_TRANSLATE_NOOP("AccessibleName", "Step 2 degrees")},
    {"DrawStep5Deg", QT_TRANSLATE_NOOP("AccessibleName", "Step 5 degrees")},
    {"DrawStep10Deg", QT_TRANSLATE_NOOP("AccessibleName", "Step 10 degrees")},
    {"ScrollBarStepFine", QT_TRANSLATE_NOOP("AccessibleName", "Step (degrees)")},
    {"Stepdeg", QT_TRANSLATE_NOOP("AccessibleName", "Step (degrees)")},
    {"Bevel3", QT_TRANSLATE_NOOP("AccessibleName", "Gears")},
    {"ScrollBarFixed", QT_TRANSLATE_NOOP("AccessibleName", "Fixed ring teeth")},
    {"Fixed", QT_TRANSLATE_NOOP("AccessibleName", "Fixed ring teeth")},
    {"ScrollBarMoving", QT_TRANSLATE_NOOP("AccessibleName", "Moving gear teeth")},
    {"Moving", QT_TRANSLATE_NOOP("AccessibleName", "Moving gear teeth")},
    {"Points", QT_TRANSLATE_NOOP("AccessibleName", "Number of points in pattern")},
    {"Bevel4", QT_TRANSLATE_NOOP("AccessibleName", "Repeat")},
    {"ScrollBarReps", QT_TRANSLATE_NOOP("AccessibleName", "Number of patterns to draw")},
    {"reps", QT_TRANSLATE_NOOP("AccessibleName", "Number of patterns to draw")},
    {"cb_reflect", QT_TRANSLATE_NOOP("AccessibleName", "Reflect (for double spirals)")},
    {"Bevel5", QT_TRANSLATE_NOOP("AccessibleName", "Cycle colours")},
    {"Label9", QT_TRANSLATE_NOOP("AccessibleName", "Red, green, blue")},
    {"SpinRed", QT_TRANSLATE_NOOP("AccessibleName", "Red step")},
    {"SpinGreen", QT_TRANSLATE_NOOP("AccessibleName", "Green step")},
    {"SpinBlue", QT_TRANSLATE_NOOP("AccessibleName", "Blue step")},
    {"ZeroColStep", QT_TRANSLATE_NOOP("AccessibleName", "Zero all colour steps")},
    {"Bevel7", QT_TRANSLATE_NOOP("AccessibleName", "Pen position and size")},
    {"Label17", QT_TRANSLATE_NOOP("AccessibleName", "Pen position and size")},
    {"default_pos", QT_TRANSLATE_NOOP("AccessibleName", "Default pen position, top and size")},
    {"ZeroPosStep", QT_TRANSLATE_NOOP("AccessibleName", "Zero all pen steps")},
    {"ScrollBarHole", QT_TRANSLATE_NOOP("AccessibleName", "Pen position")},
    {"Hole", QT_TRANSLATE_NOOP("AccessibleName", "Pen position")},
    {"holespin", QT_TRANSLATE_NOOP("AccessibleName", "Pen position step")},
    {"ScrollBarTop", QT_TRANSLATE_NOOP("AccessibleName", "Top of design")},
    {"Align", QT_TRANSLATE_NOOP("AccessibleName", "Top of design")},
    {"topspin", QT_TRANSLATE_NOOP("AccessibleName", "Top of design step")},
    {"ScrollBarMagni", QT_TRANSLATE_NOOP("AccessibleName", "Size")},
    {"Size", QT_TRANSLATE_NOOP("AccessibleName", "Size")},
    {"sizespin", QT_TRANSLATE_NOOP("AccessibleName", "Size step")},
    {"Bevel6", QT_TRANSLATE_NOOP("AccessibleName", "Centre of design")},
    {"Label7", QT_TRANSLATE_NOOP("AccessibleName", "Centre of design")},
    {"default_centre", QT_TRANSLATE_NOOP("AccessibleName", "Default centre")},
    {"ZeroCentStep", QT_TRANSLATE_NOOP("AccessibleName", "Zero all centre steps")},
    {"ScrollBarCentreX", QT_TRANSLATE_NOOP("AccessibleName", "Horizontal centre")},
    {"xcent", QT_TRANSLATE_NOOP("AccessibleName", "Horizontal centre")},
    {"xspin", QT_TRANSLATE_NOOP("AccessibleName", "Horizontal centre step")},
    {"ScrollBarCentreY", QT_TRANSLATE_NOOP("AccessibleName", "Vertical centre")},
    {"ycent", QT_TRANSLATE_NOOP("AccessibleName", "Vertical centre")},
    {"yspin", QT_TRANSLATE_NOOP("AccessibleName", "Vertical centre step")},
    {"BackColor", QT_TRANSLATE_NOOP("AccessibleName", "Choose canvas colour")},
    {"BlackOnWhite", QT_TRANSLATE_NOOP("AccessibleName", "Black on white")},
    {"WhiteonBlack", QT_TRANSLATE_NOOP("AccessibleName", "White on black")},
    {"Button1", QT_TRANSLATE_NOOP("AccessibleName", "Keep a copy of the drawing")},
    {"Refresh", QT_TRANSLATE_NOOP("AccessibleName", "Restore the copy of the drawing")},
    {"Pfac", QT_TRANSLATE_NOOP("AccessibleName", "Print zoom")},
    {"ScrollBarPrintFac", QT_TRANSLATE_NOOP("AccessibleName", "Print zoom")},
    {"BevelRing", QT_TRANSLATE_NOOP("AccessibleName", "Ring shape")},
    {"RingShape", QT_TRANSLATE_NOOP("AccessibleName", "Ring shape")},
    {"ScrollBarCorner", QT_TRANSLATE_NOOP("AccessibleName", "Corner (teeth)")},
    {"Corner", QT_TRANSLATE_NOOP("AccessibleName", "Corner (teeth)")},
};

// Labels that stand beside one control, for a screen reader's "labelled by".
constexpr std::pair<const char*, const char*> kLabelled[] = {
    {"Label13", "Linesize"},
    {"Label6", "ScrollBarStepFine"},
    {"Label1", "ScrollBarFixed"},
    {"Label2", "ScrollBarMoving"},
    {"Label3", "Points"},
    {"Label12", "ScrollBarReps"},
    {"t_hole", "ScrollBarHole"},
    {"Label4", "ScrollBarTop"},
    {"Label5", "ScrollBarMagni"},
    {"CentreLabel1", "ScrollBarCentreX"},
    {"CentreLabel2", "ScrollBarCentreY"},
    {"LabelRing", "RingShape"},
    {"LabelCorner", "ScrollBarCorner"},
};

}  // namespace

void MainWindow::addAccessibleNames() {
  for (auto [name, accessibleName] : kAccessibleNames) {
    form_.Find(name)->SetAccessibleName(
        QCoreApplication::translate(kContext, accessibleName).toStdString());
  }
  for (auto [label, control] : kLabelled)
    dynamic_cast<ui::Label&>(*form_.Find(label)).Labels(*form_.Find(control));
  describeDrawing();
}

void MainWindow::describeDrawing() {
  const int count = history_.Count();
  // Two texts, as English has no translation file to pick the plural from.
  const QString text = count == 1
                           ? QCoreApplication::translate("AccessibleName", "Drawing: %n pattern",
                                                         "one pattern", count)
                           : QCoreApplication::translate("AccessibleName", "Drawing: %n patterns",
                                                         "any other count", count);
  pictureArea_->SetAccessibleName(text.toStdString());
}
