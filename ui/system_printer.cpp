#include <cups/cups.h>

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/run_time_error.h"
#include "ui/canvas.h"
#include "ui/printer.h"

namespace ui {

namespace {

constexpr const char* kJobTitle = "Korva";

// The options Qt's own CUPS spooling would give the job: the page size, the
// printer's sides, the orientation.
std::vector<std::pair<std::string, std::string>> JobOptions(const QPrinter& printer) {
  std::vector<std::pair<std::string, std::string>> options;
  const QPageLayout layout = printer.pageLayout();
  options.emplace_back("media", layout.pageSize().key().toStdString());
  const bool portrait = layout.orientation() == QPageLayout::Portrait;
  switch (printer.duplex()) {
    case QPrinter::DuplexNone:
      options.emplace_back("sides", "one-sided");
      break;
    case QPrinter::DuplexAuto:
      options.emplace_back("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
      break;
    case QPrinter::DuplexLongSide:
      options.emplace_back("sides", "two-sided-long-edge");
      break;
    case QPrinter::DuplexShortSide:
      options.emplace_back("sides", "two-sided-short-edge");
      break;
  }
  if (!portrait) options.emplace_back("landscape", "");
  return options;
}

// The page is drawn into a file of our own and handed to the spooler only
// once it is complete, so that a stopped print leaves nothing behind. (Qt's
// CUPS engine would spool its own file whenever its painter ends, stopped or
// not.)
class SystemPrinter : public Printer, public PrinterCanvas {
 public:
  void BeginDoc() override {
    if (painter_.isActive()) throw RunTimeError("Printing in progress");
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
      throw RunTimeError("No printer is installed: printing needs a default printer.");
    page_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/korva-print-XXXXXX");
    if (!page_->open()) throw RunTimeError("The printer could not start the print job.");
    printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // Coordinates start at the printable area's top-left corner.
    printer_->setFullPage(false);
    // A name without ".pdf" keeps the printer's own engine and page layout.
    printer_->setOutputFileName(page_->fileName());
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
    const bool spooled = ended && !failed && Spool();
    printer_.reset();
    page_.reset();
    if (!spooled) throw RunTimeError("The print job failed.");
  }

  void AbortDoc() override {
    if (printer_ == nullptr) return;
    if (painter_.isActive()) painter_.end();
    printer_.reset();
    page_.reset();
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
  bool Spool() {
    std::vector<std::pair<std::string, std::string>> options = JobOptions(*printer_);
    std::vector<cups_option_t> cupsOptions;
    for (auto& [name, value] : options) cupsOptions.push_back({name.data(), value.data()});
    // The queue's name without an instance ("queue/instance").
    const std::string queue = printer_->printerName().section('/', 0, 0).toStdString();
    const std::string file = page_->fileName().toStdString();
    return cupsPrintFile(queue.c_str(), file.c_str(), kJobTitle,
                         static_cast<int>(cupsOptions.size()), cupsOptions.data()) > 0;
  }

  std::unique_ptr<QTemporaryFile> page_;
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
