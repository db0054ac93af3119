// View: how the drawing is shown, zoomed and panned in a drawing area that
// fills the window. None of it touches the picture, the history or the panel.
#include <QtGlobal>

#include "core/drawing_area.h"
#include "engine/area_place.h"
#include "window/main_window.h"

void MainWindow::createZoomItems(ui::MenuItem& view) {
  struct Zoom {
    const char* name;
    const char* caption;
    const char* text;
    std::vector<std::string> keys;
    void (ui::DrawingView::*action)();
  };
  const Zoom zooms[] = {
      {"ZoomIn1",
       "Zoom In",
       QT_TRANSLATE_NOOP("Menu", "Zoom &In"),
       {"Ctrl++", "Ctrl+="},
       &ui::DrawingView::ZoomIn},
      {"ZoomOut1",
       "Zoom Out",
       QT_TRANSLATE_NOOP("Menu", "Zoom &Out"),
       {"Ctrl+-"},
       &ui::DrawingView::ZoomOut},
      {"ZoomFit1", "Fit", QT_TRANSLATE_NOOP("Menu", "&Fit"), {"Ctrl+0"}, &ui::DrawingView::Fit},
      {"ZoomActual1",
       "Actual Pixels",
       QT_TRANSLATE_NOOP("Menu", "Actual Pi&xels"),
       {"Ctrl+1"},
       &ui::DrawingView::ActualPixels}};
  for (const Zoom& z : zooms) {
    ui::MenuItem& item = form_.AddItem(view, z.name, z.caption);
    item.SetMenuText(z.text);
    item.SetShortcuts(z.keys);
    // The view itself is captured, not `this`: GCC 12's UndefinedBehavior-
    // Sanitizer misreads `this` in a lambda that also init-captures a member
    // function pointer.
    item.onClick = [view = pictureArea_, action = z.action] { (view->*action)(); };
  }
  // How lines are drawn on screen; like zoom, never part of the picture.
  smoothLinesItem_ = &form_.AddItem(view, "SmoothLines1", "Smooth Lines");
  smoothLinesItem_->SetMenuText(QT_TRANSLATE_NOOP("Menu", "Smooth &Lines"));
  smoothLinesItem_->SetCheckable(true);
  smoothLinesItem_->SetChecked(true);
  smoothLinesItem_->SetOutsideHistory(true);
  smoothLinesItem_->onClick = [item = smoothLinesItem_, view = pictureArea_] {
    item->SetChecked(!item->Checked());
    view->SetSmoothLines(item->Checked());
  };
  pictureArea_->onViewChange = [this] { form_.ShowViewStatus(pictureArea_->ZoomText()); };
  form_.onResize = [this](int width, int height) { placeDrawingArea(width, height); };
}

namespace {
// The panel's column at the right of the client area, from x = 652 in the
// smallest window, and the ring's row under the drawing area.
constexpr int kPanelColumn = 300;
constexpr int kRingRow = 34;
}  // namespace

// The panel keeps the right-hand side; the drawing area takes the rest but
// the ring's row, which keeps to the area's bottom left corner.
void MainWindow::placeDrawingArea(int clientWidth, int clientHeight) {
  const engine::AreaPlace at = engine::PlaceDrawingArea(clientWidth - kPanelColumn,
                                                        clientHeight - kRingRow, kDrawingAreaSize);
  pictureFrame_->PlaceOnScreen({at.left - 2, at.top - 2, at.side + 4, at.side + 4});
  pictureArea_->PlaceOnScreen({at.left, at.top, at.side, at.side});
  const int right = at.left - 6, down = at.top + at.side - (6 + kDrawingAreaSize);
  for (ui::Control* c : ringRow_)
    c->PlaceOnScreen({c->Left() + right, c->Top() + down, c->Width(), c->Height()});
}
