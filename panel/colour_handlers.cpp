// Pen and canvas colours. The swatches hold the two colours; a new canvas
// colour is taken only while the history is empty.
#include "panel/korva_window.h"
#include "ui/canvas.h"

using namespace engine;

namespace {
constexpr const char* kIdenticalColours = "Canvas and Pen colors are identical.";
}

void TKorva::PenColorClick() {
  const auto chosen = form_.GetPrompts().PickColour(lastPickedColour, customColours);
  if (!chosen) return;
  lastPickedColour = *chosen;
  if (*chosen == DrawingArea().BrushColour()) {
    form_.GetPrompts().Message(ui::MessageKind::Warning, kIdenticalColours, ui::kOk);
  }
  DrawingArea().SetPenColour(*chosen);
  ShapePen->SetFillColour(DrawingArea().PenColour());
}

void TKorva::BackColorClick() {
  const auto chosen = form_.GetPrompts().PickColour(lastPickedColour, customColours);
  if (!chosen) return;
  lastPickedColour = *chosen;
  if (!history.Empty()) return;
  if (*chosen == DrawingArea().PenColour()) {
    form_.GetPrompts().Message(ui::MessageKind::Warning, kIdenticalColours, ui::kOk);
  }
  CanvasShape->SetFillColour(*chosen);
  FillDrawingArea(*chosen);
}

void TKorva::FillDrawingArea(Colour colour) {
  DrawingArea().SetBrushColour(colour);
  DrawingArea().FillRect(0, 0, 640, 640);
}

void TKorva::ApplyColourScheme(Colour canvas, Colour pen) {
  CanvasShape->SetFillColour(canvas);
  FillDrawingArea(canvas);
  DrawingArea().SetPenColour(pen);
  ShapePen->SetFillColour(pen);
}

void TKorva::BlackOnWhiteClick() {
  ApplyColourScheme(kWhite, kBlack);
}
void TKorva::WhiteonBlackClick() {
  ApplyColourScheme(kBlack, kWhite);
}
