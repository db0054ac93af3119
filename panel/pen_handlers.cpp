// Pen hole, top, size, centre and step: each bar shows its position in its
// box, and each box stores its number in the design state.
#include "engine/gear_math.h"
#include "panel/korva_window.h"

using namespace engine;

void TKorva::ScrollBarHoleChange() {
  ShowIn(Hole, ScrollBarHole->Position());
}
void TKorva::ScrollBarTopChange() {
  ShowIn(Align, ScrollBarTop->Position());
}
void TKorva::ScrollBarMagniChange() {
  ShowIn(Size, ScrollBarMagni->Position());
}
void TKorva::ScrollBarCentreXChange() {
  ShowIn(xcent, ScrollBarCentreX->Position());
}
void TKorva::ScrollBarCentreYChange() {
  ShowIn(ycent, ScrollBarCentreY->Position());
}
void TKorva::ScrollBarStepFineChange() {
  ShowIn(Stepdeg, ScrollBarStepFine->Position());
}

void TKorva::HoleChange() {
  ReadBox(Hole, design.PenHole);
  ApplyHoleRange();
}

void TKorva::AlignChange() {
  ReadBox(Align, design.TopOfDesign);
}
void TKorva::SizeChange() {
  ReadBox(Size, design.DesignSize);
}
void TKorva::xcent_change() {
  ReadBox(xcent, design.CentreX);
}
void TKorva::ycent_change() {
  ReadBox(ycent, design.CentreY);
}

void TKorva::StepdegChange() {
  ReadBox(Stepdeg, design.StepDeg);
  RefreshTraceSpan(design.StepDeg, derived);
}

void TKorva::default_posClick() {
  if (design.GearMode == kInternalMode) InternalPlacement();
  if (design.GearMode == kExternalMode) ExternalPlacement();
  ShowPenHole();
  design.TopOfDesign = 0;
  Align->SetText("0");
  ScrollBarTop->SetPosition(0);
}

void TKorva::default_centreClick() {
  xcent->SetText("0");
  design.CentreX = 0;
  ScrollBarCentreX->SetPosition(0);
  design.CentreY = 0;
  ycent->SetText("0");
  ScrollBarCentreY->SetPosition(0);
}

void TKorva::QuickStepClick(int32_t n) {
  ScrollBarStepFine->SetPosition(n);
  design.StepDeg = n;
  ShowIn(Stepdeg, n);
}
