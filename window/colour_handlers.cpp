// Pen and canvas colours. The swatches hold the two colours; a new canvas
// colour is taken only while the history is empty.
#include <QtGlobal>

#include "core/drawing_area.h"
#include "ui/canvas.h"
#include "window/main_window.h"

namespace {
constexpr const char* kIdenticalColours =
    QT_TRANSLATE_NOOP("Message", "Canvas and Pen colors are identical.");
}

void MainWindow::choosePenColour() {
  const auto chosen = form_.GetPrompts().PickColour(lastPickedColour_, customColours_);
  if (!chosen) return;
  lastPickedColour_ = *chosen;
  if (*chosen == Picture().BrushColour()) {
    form_.GetPrompts().Message(ui::MessageKind::Warning, kIdenticalColours, ui::kOk);
  }
  Picture().SetPenColour(*chosen);
  penSwatch_->SetFillColour(Picture().PenColour());
}

// A new canvas colour, and the two colour schemes, are Edit > Undo steps
// when they change the picture.
void MainWindow::chooseCanvasColour() {
  runHistoryCommand([this] {
    const auto chosen = form_.GetPrompts().PickColour(lastPickedColour_, customColours_);
    if (!chosen) return;
    lastPickedColour_ = *chosen;
    if (!history_.Empty()) return;
    if (*chosen == Picture().PenColour()) {
      form_.GetPrompts().Message(ui::MessageKind::Warning, kIdenticalColours, ui::kOk);
    }
    canvasSwatch_->SetFillColour(*chosen);
    pictureHistory_.Blank();
  });
}

void MainWindow::fillPicture(Colour colour) {
  Picture().SetBrushColour(colour);
  Picture().FillRect(0, 0, kDrawingAreaSize, kDrawingAreaSize);
}

// White (Black Pen) and Black (White Pen) wipe the picture but keep the
// history.
void MainWindow::applyColourScheme(Colour canvas, Colour pen) {
  runHistoryCommand([&] {
    canvasSwatch_->SetFillColour(canvas);
    penSwatch_->SetFillColour(pen);
    pictureHistory_.Blank();
  });
}

void MainWindow::setColourSchemesEnabled(bool enabled) {
  for (ui::Button* b : {blackOnWhiteButton_, whiteOnBlackButton_, canvasColourButton_}) {
    b->SetEnabled(enabled);
  }
}
