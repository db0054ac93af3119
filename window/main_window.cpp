#include "window/main_window.h"

#include <string>

#include "core/drawing_area.h"
#include "generated/version.h"
#include "ui/canvas.h"

namespace {
constexpr int kClientWidth = 952;
constexpr int kClientHeight = 690;

// The sixteen preset custom colours of the colour picker.
constexpr ui::CustomColours kPresetCustomColours = {
    0x20FFE0, 0x20E0FF, 0xC040FF, 0xFF40C0, 0xC0FF40, 0xFFC040, 0x0060E0, 0x6000E0,
    0xE00060, 0x00E040, 0x00A0FF, 0x2080E0, 0x20C0E0, 0x00A0C0, 0x0020A0, 0x80A0FF};
}  // namespace

MainWindow::MainWindow(ui::Prompts& prompts, commands::PrinterFactory makePrinter,
                       RecentDesignStore* recentStore)
    : form_(korva::kCaption, kClientWidth, kClientHeight, prompts),
      customColours_(kPresetCustomColours),
      pictureHistory_(history_, *this, [this](const engine::DrawnPattern& p) { tracePattern(p); }),
      designFiles_(prompts, history_),
      bitmapExport_(prompts, *this),
      printCommand_(prompts, history_, std::move(makePrinter),
                    [this](const engine::DrawnPattern& p, ui::PrinterCanvas& printer,
                           Colour printerPen) { tracePatternForPrint(p, printer, printerPen); }),
      exportCommand_(
          prompts, history_, [this] { return canvasColour(); }, [this] { return designPath_; }),
      recentStore_(recentStore) {
  createPanel();
  createMenu();
  form_.AddStatusBar();
  form_.ShowViewStatus(pictureArea_->ZoomText());
  addToolTips();
  addAccessibleNames();
  startUp();
  form_.canClose = [this] { return confirmClose(); };
  if (recentStore_ != nullptr) recent_ = recentStore_->Load();
  if (recent_.size() > recentItems_.size()) recent_.resize(recentItems_.size());
  showRecentDesigns();
  afterHistoryChange();
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp() {
  form_.Move(8, 8);
  undoButton_->SetEnabled(false);
  canvasSwatch_->SetFillColour(kWhite);
  canvasSwatch_->SetOutlineColour(kBlack);
  penSwatch_->SetFillColour(kBlack);
  pictureHistory_.Blank();
  fullColourItem_->SetChecked(true);
  form_.FindMenuItem("N6001")->SetChecked(true);
}

// The swatches are the only store of the two colours.
Colour MainWindow::penColour() const {
  return penSwatch_->FillColour();
}
Colour MainWindow::canvasColour() const {
  return canvasSwatch_->FillColour();
}
const ui::ImageCanvas& MainWindow::picture() const {
  return pictureArea_->Canvas();
}
const ui::ImageCanvas& MainWindow::backingPicture() const {
  return backingArea_->Canvas();
}
ui::ImageCanvas& MainWindow::Picture() {
  return pictureArea_->Canvas();
}
ui::ImageCanvas& MainWindow::Backing() {
  return backingArea_->Canvas();
}
