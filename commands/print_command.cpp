#include "commands/print_command.h"

#include <QCoreApplication>
#include <string>

#include "core/run_time_error.h"
#include "engine/curve.h"
#include "engine/print_colour.h"
#include "ui/prompts.h"

namespace commands {

namespace {
const char* ColoursText(PrintColours colours) {
  switch (colours) {
    case PrintColours::Full:
      return QT_TRANSLATE_NOOP("Message", "full colour.");
    case PrintColours::Mono:
      return QT_TRANSLATE_NOOP("Message", "monochrome.");
    case PrintColours::SevenColours:
      return QT_TRANSLATE_NOOP("Message", "7 colours.");
  }
  return "";
}
}  // namespace

PrintCommand::PrintCommand(ui::Prompts& prompts, const engine::PatternHistory& history,
                           PrinterFactory makePrinter, PrintTracer trace)
    : prompts_(prompts),
      history_(history),
      makePrinter_(std::move(makePrinter)),
      trace_(std::move(trace)) {}

void PrintCommand::Print(const PrintSettings& settings) {
  if (history_.Empty()) {
    prompts_.Message(ui::MessageKind::Warning, QT_TRANSLATE_NOOP("Message", "No pattern to print."),
                     ui::kCancel);
    return;
  }
  const std::string question =
      QCoreApplication::translate("Message", "Printing pattern of size %1% in %2\nAre you sure ? ")
          .arg(settings.zoomPercent)
          .arg(QCoreApplication::translate("Message", ColoursText(settings.colours)))
          .toStdString();
  if (prompts_.Message(ui::MessageKind::Confirm, question, ui::kYes | ui::kNo) != ui::kYes) {
    prompts_.Message(ui::MessageKind::Warning, QT_TRANSLATE_NOOP("Message", "Printing abandoned."),
                     ui::kOk);
    return;
  }

  // A print job cannot always be taken back once begun, so every pattern is
  // checked before the first line goes to the printer.
  for (int32_t i = 1; i <= history_.Count(); ++i) {
    if (!engine::Curve(history_.Entry(i), history_.Ring(i)).PixelsFit())
      throw RunTimeError(errors::kRangeCheck);
  }

  const bool mono = settings.colours == PrintColours::Mono;
  const bool full = settings.colours == PrintColours::Full;
  std::unique_ptr<ui::Printer> printer = makePrinter_();
  printer->BeginDoc();
  try {
    for (int32_t i = 1; i <= history_.Count(); ++i) {
      const engine::DrawnPattern pattern = history_.Drawn(i);
      trace_(pattern, printer->Canvas(),
             engine::PrinterPenColour(pattern.record.Colour, mono, full));
    }
  } catch (...) {
    printer->AbortDoc();
    throw;
  }
  printer->EndDoc();
}

}  // namespace commands
