// The gear group: fixed and moving teeth, the mode, and the gear rules that
// keep pen hole and size consistent with them.
#include "engine/checked.h"
#include "engine/gear_math.h"
#include "engine/placement.h"
#include "panel/korva_window.h"

using namespace engine;

void TKorva::InternalPlacement() {
  design.PenHole = CheckedMul(8, design.MovingTeeth);
  Size->SetText("1000");
  design.DesignSize = 1000;
  ScrollBarMagni->SetPosition(1000);
}

void TKorva::ExternalPlacement() {
  design.DesignSize = ExternalDesignSize(design.FixedTeeth, design.MovingTeeth);
  ScrollBarMagni->SetPosition(design.DesignSize);
  ShowIn(Size, design.DesignSize);
  design.PenHole = ExternalPenHole(design.FixedTeeth, design.MovingTeeth);
}

void TKorva::ShowPenHole() {
  ShowIn(Hole, design.PenHole);
  ScrollBarHole->SetPosition(design.PenHole);
}

void TKorva::ApplyHoleRange() {
  const int32_t low = 0;
  const int32_t high = CheckedMul(20, design.MovingTeeth);
  if (design.PenHole < low || design.PenHole > high) {
    design.PenHole = design.PenHole < low ? low : high;
    ShowPenHole();
  }
  ScrollBarHole->SetMin(low);
  ScrollBarHole->SetMax(high);
}

// In internal mode the moving gear must be smaller than the ring.
void TKorva::KeepMovingGearInsideRing() {
  if (design.MovingTeeth >= design.FixedTeeth && rb_internal->Checked()) {
    design.MovingTeeth = CheckedSub(design.FixedTeeth, 1);
    ShowIn(Moving, design.MovingTeeth);
    ScrollBarMoving->SetPosition(design.MovingTeeth);
  }
}

void TKorva::RefreshGearCounts() {
  ReduceTeeth(design.MovingTeeth, design.FixedTeeth, derived);
  ShowIn(Points, derived.ReducedFixed);
  RefreshTraceSpan(design.StepDeg, derived);
}

void TKorva::ScrollBarFixedChange() {
  ShowIn(Fixed, ScrollBarFixed->Position());
  if (design.GearMode == kExternalMode) ExternalPlacement();
  ShowPenHole();
}

void TKorva::Fixedchange() {
  ReadBox(Fixed, design.FixedTeeth);
  KeepMovingGearInsideRing();
  RefreshGearCounts();
}

void TKorva::ScrollBarMovingChange() {
  ShowIn(Moving, ScrollBarMoving->Position());
  if (design.GearMode == kInternalMode) InternalPlacement();
  if (design.GearMode == kExternalMode) ExternalPlacement();
  ShowPenHole();
}

void TKorva::MovingChange() {
  ReadBox(Moving, design.MovingTeeth);
  KeepMovingGearInsideRing();
  ApplyHoleRange();
  RefreshGearCounts();
}

void TKorva::rb_internalClick() {
  design.GearMode = kInternalMode;
  if (design.MovingTeeth >= design.FixedTeeth) {
    design.MovingTeeth = CheckedSub(design.FixedTeeth, 1);
  }
  ShowIn(Moving, design.MovingTeeth);
  ScrollBarMoving->SetPosition(design.MovingTeeth);
  Size->SetText("1000");
  design.DesignSize = 1000;
  ScrollBarMagni->SetPosition(1000);
  design.PenHole = CheckedMul(8, design.MovingTeeth);
  ShowPenHole();
}

void TKorva::rb_externalClick() {
  design.GearMode = kExternalMode;
  ExternalPlacement();
  ShowPenHole();
}
