#pragma once
#include <memory>

#include "core/colour.h"

namespace ui {

// The drawing surface of a printed page, in device pixels from the top-left
// corner of the printable area.
class PrinterCanvas {
 public:
  virtual ~PrinterCanvas() = default;
  virtual void SetPenColour(Colour colour) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
};

// One print document of one page. BeginDoc and EndDoc throw RunTimeError
// with a clear message when the print service fails, BeginDoc also while a
// document is open; AbortDoc drops the job where the print service can (the
// system printer on CUPS prints the page drawn so far).
class Printer {
 public:
  virtual ~Printer() = default;
  virtual void BeginDoc() = 0;
  virtual PrinterCanvas& Canvas() = 0;
  virtual void EndDoc() = 0;
  virtual void AbortDoc() = 0;
};

// The system's default printer through Qt, high resolution, no dialog.
std::unique_ptr<Printer> MakeSystemPrinter();

}  // namespace ui
