#pragma once
#include <iosfwd>
#include <string>

#include "ui/printer.h"

struct BatchOptions {
  bool panel = false;          // dump every control and the state after the script
  bool segments = false;       // list every segment drawn on the drawing area
  bool printSegments = false;  // print to a recording printer and list its segments
  bool accessibility = false;  // list what a screen reader finds, after the panel
  std::string screenshot;      // save a picture of the window here after the script
};

// Runs a script of user actions on a fresh main window, writing the messages,
// errors and listings to `out`. Returns 0, or 2 for a script line that names
// no such control or is malformed (reported on `out` with its line number).
int RunBatchScript(const std::string& script, const BatchOptions& options, std::ostream& out);

// A printer that accepts and discards everything.
class NullPrinter : public ui::Printer, private ui::PrinterCanvas {
 public:
  void BeginDoc() override {}
  ui::PrinterCanvas& Canvas() override { return *this; }
  void EndDoc() override {}
  void AbortDoc() override {}

 private:
  void SetPenColour(Colour) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
};
