// The printer twin of TracePattern: the same panel update and the same curve,
// each segment drawn on the drawing area and then on the printed page.
// Nothing is recorded.
#include <optional>

#include "engine/print_colour.h"
#include "panel/korva_window.h"
#include "ui/canvas.h"

using namespace engine;

void TKorva::TracePatternForPrint(const PatternRecord& pattern, ui::PrinterCanvas& printer) {
  ui::ImageCanvas& canvas = DrawingArea();
  canvas.SetPenColour(pattern.Colour);
  ShowPatternOnPanel(pattern);
  const Colour printerPen =
      PrinterPenColour(pattern.Colour, Mono2->Checked(), FullColour1->Checked());
  printer.SetPenColour(printerPen);
  SetModeButtons(pattern.GearMode);

  const Curve curve(pattern);
  std::optional<ui::Form::BusyCursor> busy;
  if (curve.EstimatedSegments() > kLongTrace) busy.emplace();
  const int32_t factor = design.PrintFactor;
  struct Mapped {
    Pixel screen, printer;
  };
  const int64_t segments = curve.TraceMapped(
      [&](const CurvePoint& p) {
        return Mapped{curve.ScreenPixel(p), curve.PrinterPixel(p, factor)};
      },
      [&](const Mapped& from, const Mapped& to) {
        canvas.MoveTo(from.screen.x, from.screen.y);
        canvas.LineTo(to.screen.x, to.screen.y);
        printer.MoveTo(from.printer.x, from.printer.y);
        printer.LineTo(to.printer.x, to.printer.y);
        if (observer_ != nullptr) observer_->PrintSegment(from.printer, to.printer);
      });
  if (observer_ != nullptr) observer_->PrintTraceDone(segments, printerPen);
}
