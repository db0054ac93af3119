// The printer twin of TracePattern: the same panel update and the same curve,
// each segment drawn on the drawing area and then on the printed page.
// Nothing is recorded.
#include "engine/print_colour.h"
#include "panel/korva_window.h"
#include "ui/canvas.h"

void TKorva::TracePatternForPrint(const PatternRecord& pattern, ui::PrinterCanvas& printer) {
  ui::Form::BusyCursor busy;
  ui::ImageCanvas& canvas = DrawingArea();
  canvas.SetPenColour(pattern.Colour);
  ShowPatternOnPanel(pattern);
  const Colour printerPen =
      PrinterPenColour(pattern.Colour, Mono2->Checked(), FullColour1->Checked());
  printer.SetPenColour(printerPen);
  SetModeButtons(pattern.GearMode);

  const Curve curve(pattern);
  const int32_t factor = design.PrintFactor;
  const int64_t segments = curve.Trace([&](const CurvePoint& from, const CurvePoint& to) {
    const Pixel a = curve.ScreenPixel(from);
    const Pixel b = curve.ScreenPixel(to);
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
    const Pixel pa = curve.PrinterPixel(from, factor);
    const Pixel pb = curve.PrinterPixel(to, factor);
    printer.MoveTo(pa.x, pa.y);
    printer.LineTo(pb.x, pb.y);
    if (observer_ != nullptr) observer_->PrintSegment(pa, pb);
  });
  if (observer_ != nullptr) observer_->PrintTraceDone(segments, printerPen);
}
