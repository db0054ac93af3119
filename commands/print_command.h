#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "core/colour.h"
#include "engine/pattern_history.h"
#include "ui/printer.h"

namespace ui {
class Prompts;
}

namespace commands {

enum class PrintColours { Mono, SevenColours, Full };

struct PrintSettings {
  int32_t zoomPercent = 600;
  PrintColours colours = PrintColours::Full;
};

using PrinterFactory = std::function<std::unique_ptr<ui::Printer>()>;
// Draws one pattern on the page (and on the screen beside it) with the given
// printer pen.
using PrintTracer =
    std::function<void(const engine::DrawnPattern&, ui::PrinterCanvas&, Colour printerPen)>;

// Print Design: the whole history on one page of the printer, at the chosen
// zoom and colours, after the user confirms.
class PrintCommand {
 public:
  PrintCommand(ui::Prompts& prompts, const engine::PatternHistory& history,
               PrinterFactory makePrinter, PrintTracer trace);
  void Print(const PrintSettings& settings);

 private:
  ui::Prompts& prompts_;
  const engine::PatternHistory& history_;
  PrinterFactory makePrinter_;
  PrintTracer trace_;
};

}  // namespace commands
