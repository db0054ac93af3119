#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

#include "core/run_time_error.h"
#include "ui/canvas.h"
#include "ui/printer.h"

namespace ui {

namespace {

class SystemPrinter : public Printer, public PrinterCanvas {
 public:
  void BeginDoc() override {
    if (painter_.isActive()) throw RunTimeError("Printing in progress");
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
      throw RunTimeError("No printer is installed: printing needs a default printer.");
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // Coordinates start at the printable area's top-left corner.
    printer_->setFullPage(false);
    if (!painter_.begin(printer_.get()))
      throw RunTimeError("The printer could not start the print job.");
    painter_.setRenderHint(QPainter::Antialiasing, false);
    SetPenColour(colour_);
  }

  PrinterCanvas& Canvas() override { return *this; }

  void EndDoc() override {
    if (!painter_.isActive()) return;
    const bool ended = painter_.end();
    const bool failed = printer_->printerState() == QPrinter::Error;
    printer_.reset();
    if (!ended || failed) throw RunTimeError("The print job failed.");
  }

  // Qt's CUPS engine cannot abort: ending its painter hands the page drawn so
  // far to the spooler, which is the best left to do.
  void AbortDoc() override {
    if (printer_ == nullptr) return;
    printer_->abort();
    if (painter_.isActive()) painter_.end();
    printer_.reset();
  }

  void SetPenColour(Colour colour) override {
    colour_ = colour;
    // Width 0: a cosmetic pen of one device pixel.
    if (painter_.isActive()) painter_.setPen(QPen(QColor::fromRgb(ToQRgb(colour)), 0));
  }

  void MoveTo(int x, int y) override { at_ = QPoint(x, y); }

  void LineTo(int x, int y) override {
    const QPoint to(x, y);
    if (painter_.isActive()) painter_.drawLine(at_, to);
    at_ = to;
  }

 private:
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  Colour colour_ = kBlack;
  QPoint at_;
};

}  // namespace

std::unique_ptr<Printer> MakeSystemPrinter() {
  return std::make_unique<SystemPrinter>();
}

}  // namespace ui
