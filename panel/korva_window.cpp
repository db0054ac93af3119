#include "panel/korva_window.h"

#include <string>

#include "engine/int_text.h"
#include "ui/canvas.h"

using namespace engine;

namespace {
constexpr int kClientWidth = 952;
constexpr int kClientHeight = 656;
constexpr const char* kCaption = "Korva  Version 4.2";

// The sixteen preset custom colours of the colour picker, ColorA to ColorP.
constexpr ui::CustomColours kPresetCustomColours = {
    0x20FFE0, 0x20E0FF, 0xC040FF, 0xFF40C0, 0xC0FF40, 0xFFC040, 0x0060E0, 0x6000E0,
    0xE00060, 0x00E040, 0x00A0FF, 0x2080E0, 0x20C0E0, 0x00A0C0, 0x0020A0, 0x80A0FF};
}  // namespace

void ShowIn(ui::ValueBox* box, int32_t value) {
  box->SetText(std::to_string(value));
}

void ReadBox(const ui::ValueBox* box, int32_t& value) {
  if (!box->Text().empty()) value = StrToInt(box->Text());
}

TKorva::TKorva(ui::Prompts& prompts, PrinterFactory makePrinter)
    : customColours(kPresetCustomColours),
      form_(kCaption, kClientWidth, kClientHeight, prompts),
      makePrinter_(std::move(makePrinter)) {
  CreateLayout();
  CreateMenu();

  auto bind = [this](ui::Handler& slot, void (TKorva::*handler)()) {
    slot = [this, handler] { (this->*handler)(); };
  };
  bind(Clear->onClick, &TKorva::ClearClick);
  bind(Draw->onClick, &TKorva::DrawClick);
  bind(undo->onClick, &TKorva::undoClick);
  bind(PenColor->onClick, &TKorva::PenColorClick);
  BitBtn1->onClick = [this] { form_.Close(); };
  bind(Linesize->onChange, &TKorva::LinesizeChange);
  bind(DrawStep1Deg->onClick, &TKorva::DrawStep1DegClick);
  bind(DrawStep2Deg->onClick, &TKorva::DrawStep2DegClick);
  bind(DrawStep5Deg->onClick, &TKorva::DrawStep5DegClick);
  bind(DrawStep10Deg->onClick, &TKorva::DrawStep10DegClick);
  bind(ScrollBarStepFine->onChange, &TKorva::ScrollBarStepFineChange);
  bind(Stepdeg->onChange, &TKorva::StepdegChange);
  bind(rb_internal->onClick, &TKorva::rb_internalClick);
  bind(rb_external->onClick, &TKorva::rb_externalClick);
  bind(ScrollBarFixed->onChange, &TKorva::ScrollBarFixedChange);
  bind(Fixed->onChange, &TKorva::Fixedchange);
  bind(ScrollBarMoving->onChange, &TKorva::ScrollBarMovingChange);
  bind(Moving->onChange, &TKorva::MovingChange);
  bind(ScrollBarReps->onChange, &TKorva::ScrollBarRepsChange);
  bind(RepeatReset1->onClick, &TKorva::RepeatReset1Click);
  bind(SpinRed->onChange, &TKorva::SpinRedChange);
  bind(SpinGreen->onChange, &TKorva::SpinGreenChange);
  bind(SpinBlue->onChange, &TKorva::SpinBlueChange);
  bind(ZeroColStep->onClick, &TKorva::ZeroColStepClick);
  bind(default_pos->onClick, &TKorva::default_posClick);
  bind(ZeroPosStep->onClick, &TKorva::ZeroPosStepClick);
  bind(ScrollBarHole->onChange, &TKorva::ScrollBarHoleChange);
  bind(Hole->onChange, &TKorva::HoleChange);
  bind(holespin->onChange, &TKorva::holespinChange);
  bind(ScrollBarTop->onChange, &TKorva::ScrollBarTopChange);
  bind(Align->onChange, &TKorva::AlignChange);
  bind(topspin->onChange, &TKorva::topspinChange);
  bind(ScrollBarMagni->onChange, &TKorva::ScrollBarMagniChange);
  bind(Size->onChange, &TKorva::SizeChange);
  bind(sizespin->onChange, &TKorva::sizespinChange);
  bind(default_centre->onClick, &TKorva::default_centreClick);
  bind(ZeroCentStep->onClick, &TKorva::ZeroCentStepClick);
  bind(ScrollBarCentreX->onChange, &TKorva::ScrollBarCentreXChange);
  bind(xcent->onChange, &TKorva::xcent_change);
  bind(xspin->onChange, &TKorva::xspinChange);
  bind(ScrollBarCentreY->onChange, &TKorva::ScrollBarCentreYChange);
  bind(ycent->onChange, &TKorva::ycent_change);
  bind(yspin->onChange, &TKorva::yspinChange);
  bind(Load->onClick, &TKorva::LoadClick);
  bind(save->onClick, &TKorva::saveClick);
  bind(savebmp->onClick, &TKorva::savebmpClick);
  bind(BackColor->onClick, &TKorva::BackColorClick);
  bind(BlackOnWhite->onClick, &TKorva::BlackOnWhiteClick);
  bind(WhiteonBlack->onClick, &TKorva::WhiteonBlackClick);
  bind(Refresh->onClick, &TKorva::RefreshClick);
  bind(Button1->onClick, &TKorva::dumpClick);
  bind(Pfac->onChange, &TKorva::PfacChange);
  bind(ScrollBarPrintFac->onChange, &TKorva::ScrollBarPrintFacChange);

  bind(Open1->onClick, &TKorva::LoadClick);
  bind(SaveTXT1->onClick, &TKorva::saveClick);
  bind(SaveBMP1->onClick, &TKorva::savebmpClick);
  bind(SelectColour1->onClick, &TKorva::BackColorClick);
  bind(WhiteBlackPen1->onClick, &TKorva::BlackOnWhiteClick);
  bind(BlackWhitePen1->onClick, &TKorva::WhiteonBlackClick);
  bind(PrintDesign1->onClick, &TKorva::PrintDesign1Click);
  bind(Colour1->onClick, &TKorva::Colour1Click);
  bind(Mono2->onClick, &TKorva::Mono2Click);
  bind(N7Colours1->onClick, &TKorva::N7Colours1Click);
  bind(FullColour1->onClick, &TKorva::FullColour1Click);
  bind(N6001->onClick, &TKorva::N6001Click);
  bind(N5001->onClick, &TKorva::N5001Click);
  bind(N4001->onClick, &TKorva::N4001Click);
  bind(N3001->onClick, &TKorva::N3001Click);
  bind(N2501->onClick, &TKorva::N2501Click);
  bind(N2001->onClick, &TKorva::N2001Click);
  bind(N1501->onClick, &TKorva::N1501Click);
  bind(N1001->onClick, &TKorva::N1001Click);

  FormCreate();
}

TKorva::~TKorva() = default;

void TKorva::FormCreate() {
  form_.Move(8, 8);
  undo->SetEnabled(false);
  CanvasShape->SetFillColour(kWhite);
  CanvasShape->SetOutlineColour(kBlack);
  DrawingArea().SetBrushColour(kWhite);
  DrawingArea().FillRect(0, 0, 640, 640);
  DrawingArea().SetPenColour(kBlack);
  ShapePen->SetFillColour(kBlack);
  FullColour1->SetChecked(true);
  N6001->SetChecked(true);
}

Colour TKorva::PenColour() const {
  return ShapePen->FillColour();
}
Colour TKorva::CanvasColour() const {
  return CanvasShape->FillColour();
}
ui::ImageCanvas& TKorva::DrawingArea() {
  return PaintBox1->Canvas();
}
ui::ImageCanvas& TKorva::BackingArea() {
  return PaintBox2->Canvas();
}
