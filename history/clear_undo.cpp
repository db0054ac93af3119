// Clear wipes picture and history; Undo rebuilds the picture from the history
// without its last pattern. Refresh and Dump copy pixels between the drawing
// area and the backing area and never touch the history.
#include "panel/korva_window.h"
#include "ui/canvas.h"

using namespace engine;

void TKorva::BlankDrawingArea() {
  ui::ImageCanvas& canvas = DrawingArea();
  canvas.SetBrushColour(CanvasColour());
  canvas.FillRect(0, 0, 640, 640);
  canvas.SetPenColour(PenColour());
}

void TKorva::ClearClick() {
  for (ui::Button* b : {BlackOnWhite, WhiteonBlack, BackColor}) b->SetEnabled(true);
  BlankDrawingArea();
  history.Clear();
}

void TKorva::undoClick() {
  historyFullShown_ = false;
  if (history.Empty()) {
    undo->SetEnabled(false);
    return;
  }
  const int32_t last = history.NextPatternIndex() - 1;
  history.Entry(last) = PatternRecord{};
  history.SetNextPatternIndex(1);
  BlankDrawingArea();
  for (int32_t i = 1; i <= last - 1; ++i) {
    const PatternRecord pattern = history.Entry(i);
    TracePattern(pattern);
  }
}

void TKorva::RefreshClick() {
  DrawingArea().CopyRect(BackingArea(), 0, 0, 640, 640);
}

void TKorva::dumpClick() {
  BackingArea().CopyRect(DrawingArea(), 0, 0, 640, 640);
}
