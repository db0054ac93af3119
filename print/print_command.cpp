// Printing: the whole history on one page of the default printer, at the
// chosen zoom and colour mode, after the user confirms.
#include <string>

#include "core/run_time_error.h"
#include "panel/korva_window.h"

using namespace engine;

void TKorva::PrintDesign1Click() {
  ui::Prompts& prompts = form_.GetPrompts();
  if (history.Empty()) {
    prompts.Message(ui::MessageKind::Warning, "No pattern to print.", ui::kCancel);
    return;
  }
  std::string mode;
  if (FullColour1->Checked()) mode = "full colour.";
  if (Mono2->Checked()) mode = "monochrome.";
  if (N7Colours1->Checked()) mode = "7 colours.";
  const std::string question = "Printing pattern of size " + std::to_string(design.PrintFactor) +
                               "% in " + mode + "\n" + "Are you sure ? ";
  if (prompts.Message(ui::MessageKind::Confirm, question, ui::kYes | ui::kNo) != ui::kYes) {
    prompts.Message(ui::MessageKind::Warning, "Printing abandoned.", ui::kOk);
    return;
  }

  // A print job cannot always be taken back once begun, so every pattern is
  // checked before the first line goes to the printer.
  for (int32_t i = 1; i <= history.NextPatternIndex() - 1; ++i) {
    if (!Curve(history.Entry(i)).PixelsFit()) throw RunTimeError(errors::kRangeCheck);
  }

  std::unique_ptr<ui::Printer> printer = makePrinter_();
  printer->BeginDoc();
  try {
    for (int32_t i = 1; i <= history.NextPatternIndex() - 1; ++i) {
      const PatternRecord pattern = history.Entry(i);
      TracePatternForPrint(pattern, printer->Canvas());
    }
  } catch (...) {
    printer->AbortDoc();
    throw;
  }
  printer->EndDoc();
}

void TKorva::ZoomClick(ui::MenuItem* item, int32_t factor) {
  design.PrintFactor = factor;
  item->SetChecked(true);
}

void TKorva::Mono2Click() {
  Mono2->SetChecked(true);
}
void TKorva::N7Colours1Click() {
  N7Colours1->SetChecked(true);
}
void TKorva::FullColour1Click() {
  FullColour1->SetChecked(true);
}

void TKorva::PfacChange() {
  ShowIn(Pfac, design.PrintFactor);
}

void TKorva::ScrollBarPrintFacChange() {
  design.PrintFactor = ScrollBarPrintFac->Position();
  ShowIn(Pfac, ScrollBarPrintFac->Position());
}
