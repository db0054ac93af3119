#include "engine/panel_rules.h"

#include <string>

#include "engine/checked.h"
#include "engine/gear_math.h"
#include "engine/int_text.h"
#include "engine/placement.h"
#include "engine/ring_choice.h"

namespace engine {

void ShowValue(BoxControl& box, int32_t value) {
  box.SetText(std::to_string(value));
}

void ReadValue(const BoxControl& box, int32_t& value) {
  if (!box.Text().empty()) value = StrToInt(box.Text());
}

namespace {
// Emptied first, so that the box's handler runs even for an unchanged value.
void ShowAfresh(BoxControl& box, int32_t value) {
  box.SetText("");
  ShowValue(box, value);
}
}  // namespace

PanelRules::PanelRules(const PanelControls& controls, DesignState& design, DerivedValues& derived)
    : c_(controls), design_(design), derived_(derived) {}

void PanelRules::Connect() {
  auto showsIn = [](BarControl* bar, BoxControl* box) {
    return [bar, box] { ShowValue(*box, bar->Range().position); };
  };
  auto reads = [](BoxControl* box, int32_t& value) {
    return [box, &value] { ReadValue(*box, value); };
  };
  c_.stepBar->SetHandler(showsIn(c_.stepBar, c_.stepBox));
  c_.stepBox->SetHandler([this] { StepBoxRead(); });
  c_.internal->SetHandler([this] { InternalChosen(); });
  c_.external->SetHandler([this] { ExternalChosen(); });
  c_.fixedBar->SetHandler([this] { FixedBarMoved(); });
  c_.fixedBox->SetHandler([this] { FixedBoxRead(); });
  c_.movingBar->SetHandler([this] { MovingBarMoved(); });
  c_.movingBox->SetHandler([this] { MovingBoxRead(); });
  c_.holeBar->SetHandler(showsIn(c_.holeBar, c_.holeBox));
  c_.holeBox->SetHandler([this] { HoleBoxRead(); });
  c_.topBar->SetHandler(showsIn(c_.topBar, c_.topBox));
  c_.topBox->SetHandler(reads(c_.topBox, design_.TopOfDesign));
  c_.sizeBar->SetHandler(showsIn(c_.sizeBar, c_.sizeBox));
  c_.sizeBox->SetHandler(reads(c_.sizeBox, design_.DesignSize));
  c_.centreXBar->SetHandler(showsIn(c_.centreXBar, c_.centreXBox));
  c_.centreXBox->SetHandler(reads(c_.centreXBox, design_.CentreX));
  c_.centreYBar->SetHandler(showsIn(c_.centreYBar, c_.centreYBox));
  c_.centreYBox->SetHandler(reads(c_.centreYBox, design_.CentreY));
  c_.ringChoice->SetHandler([this] { RingChosen(); });
  c_.cornerBar->SetHandler(showsIn(c_.cornerBar, c_.cornerBox));
  c_.cornerBox->SetHandler([this] { CornerBoxRead(); });
}

void PanelRules::ChooseStep(int32_t degrees) {
  c_.stepBar->SetPosition(degrees);
  design_.StepDeg = degrees;
  ShowValue(*c_.stepBox, degrees);
}

void PanelRules::StepBoxRead() {
  ReadValue(*c_.stepBox, design_.StepDeg);
  RefreshTraceSpan(design_.StepDeg, derived_);
}

void PanelRules::ResetPosition() {
  if (design_.GearMode == kInternalMode) PlaceInternally();
  if (design_.GearMode == kExternalMode) PlaceExternally();
  ShowPenHole();
  design_.TopOfDesign = 0;
  c_.topBox->SetText("0");
  c_.topBar->SetPosition(0);
}

void PanelRules::ResetCentre() {
  c_.centreXBox->SetText("0");
  design_.CentreX = 0;
  c_.centreXBar->SetPosition(0);
  design_.CentreY = 0;
  c_.centreYBox->SetText("0");
  c_.centreYBar->SetPosition(0);
}

void PanelRules::PlaceInternally() {
  design_.PenHole = CheckedMul(8, design_.MovingTeeth);
  c_.sizeBox->SetText("1000");
  design_.DesignSize = 1000;
  c_.sizeBar->SetPosition(1000);
}

void PanelRules::PlaceExternally() {
  design_.DesignSize = ExternalDesignSize(design_.FixedTeeth, design_.MovingTeeth);
  c_.sizeBar->SetPosition(design_.DesignSize);
  ShowValue(*c_.sizeBox, design_.DesignSize);
  design_.PenHole = ExternalPenHole(design_.FixedTeeth, design_.MovingTeeth);
}

void PanelRules::ShowPenHole() {
  ShowValue(*c_.holeBox, design_.PenHole);
  c_.holeBar->SetPosition(design_.PenHole);
}

void PanelRules::HoleBoxRead() {
  ReadValue(*c_.holeBox, design_.PenHole);
  ApplyHoleRange();
}

void PanelRules::ApplyHoleRange() {
  const int32_t low = 0;
  const int32_t high = CheckedMul(20, design_.MovingTeeth);
  // Without a moving gear there is no range; limiting the hole to it would
  // swing between its two ends for ever.
  if (high < low) throw RunTimeError(kScrollBarRange);
  if (design_.PenHole < low || design_.PenHole > high) {
    design_.PenHole = design_.PenHole < low ? low : high;
    ShowPenHole();
  }
  c_.holeBar->SetMin(low);
  c_.holeBar->SetMax(high);
}

void PanelRules::KeepMovingGearInsideRing() {
  if (design_.MovingTeeth >= design_.FixedTeeth && c_.internal->Checked()) {
    design_.MovingTeeth = CheckedSub(design_.FixedTeeth, 1);
    ShowValue(*c_.movingBox, design_.MovingTeeth);
    c_.movingBar->SetPosition(design_.MovingTeeth);
  }
}

void PanelRules::KeepCornerValid() {
  int32_t corner = design_.RingCorner;
  if (corner > design_.FixedTeeth) corner = design_.FixedTeeth;
  if (c_.internal->Checked() && corner < design_.MovingTeeth) corner = design_.MovingTeeth;
  if (corner < 1) corner = 1;
  if (corner != design_.RingCorner) {
    design_.RingCorner = corner;
    ShowValue(*c_.cornerBox, corner);
    c_.cornerBar->SetPosition(corner);
  }
  if (design_.FixedTeeth >= 1) c_.cornerBar->SetMax(design_.FixedTeeth);
}

void PanelRules::RingChosen() {
  design_.RingSides = SidesOfRingChoice(c_.ringChoice->Index());
}

void PanelRules::CornerBoxRead() {
  ReadValue(*c_.cornerBox, design_.RingCorner);
  KeepCornerValid();
}

void PanelRules::RefreshGearCounts() {
  ReduceTeeth(design_.MovingTeeth, design_.FixedTeeth, derived_);
  ShowValue(*c_.pointsBox, derived_.ReducedFixed);
  RefreshTraceSpan(design_.StepDeg, derived_);
}

void PanelRules::FixedBarMoved() {
  ShowValue(*c_.fixedBox, c_.fixedBar->Range().position);
  if (design_.GearMode == kExternalMode) PlaceExternally();
  ShowPenHole();
}

void PanelRules::FixedBoxRead() {
  ReadValue(*c_.fixedBox, design_.FixedTeeth);
  KeepMovingGearInsideRing();
  KeepCornerValid();
  RefreshGearCounts();
}

void PanelRules::MovingBarMoved() {
  ShowValue(*c_.movingBox, c_.movingBar->Range().position);
  if (design_.GearMode == kInternalMode) PlaceInternally();
  if (design_.GearMode == kExternalMode) PlaceExternally();
  ShowPenHole();
}

void PanelRules::MovingBoxRead() {
  ReadValue(*c_.movingBox, design_.MovingTeeth);
  KeepMovingGearInsideRing();
  KeepCornerValid();
  ApplyHoleRange();
  RefreshGearCounts();
}

void PanelRules::InternalChosen() {
  design_.GearMode = kInternalMode;
  if (design_.MovingTeeth >= design_.FixedTeeth) {
    design_.MovingTeeth = CheckedSub(design_.FixedTeeth, 1);
  }
  ShowValue(*c_.movingBox, design_.MovingTeeth);
  c_.movingBar->SetPosition(design_.MovingTeeth);
  KeepCornerValid();
  c_.sizeBox->SetText("1000");
  design_.DesignSize = 1000;
  c_.sizeBar->SetPosition(1000);
  design_.PenHole = CheckedMul(8, design_.MovingTeeth);
  ShowPenHole();
}

void PanelRules::ExternalChosen() {
  design_.GearMode = kExternalMode;
  PlaceExternally();
  ShowPenHole();
}

void PanelRules::ShowPattern(const PatternRecord& p) {
  ShowAfresh(*c_.fixedBox, p.FixedTeeth);
  ShowAfresh(*c_.movingBox, p.MovingTeeth);
  ReduceTeeth(p.MovingTeeth, p.FixedTeeth, derived_);
  ShowAfresh(*c_.pointsBox, derived_.ReducedFixed);
  ShowAfresh(*c_.holeBox, p.PenHole);
  ShowAfresh(*c_.topBox, p.TopOfDesign);
  ShowAfresh(*c_.sizeBox, p.DesignSize);
  ShowAfresh(*c_.stepBox, p.StepDeg);
  ShowAfresh(*c_.centreXBox, p.CentreX);
  ShowAfresh(*c_.centreYBox, p.CentreY);
  c_.pen->SetFillColour(p.Colour);
  c_.fixedBar->SetPosition(p.FixedTeeth);
  c_.movingBar->SetPosition(p.MovingTeeth);
  c_.holeBar->SetPosition(p.PenHole);
  c_.topBar->SetPosition(p.TopOfDesign);
  c_.sizeBar->SetPosition(p.DesignSize);
  c_.centreXBar->SetPosition(p.CentreX);
  c_.centreYBar->SetPosition(p.CentreY);
  c_.stepBar->SetPosition(p.StepDeg);
}

void PanelRules::ShowMode(int32_t mode) {
  if (mode == kExternalMode) {
    c_.external->SetChecked(true);
    c_.internal->SetChecked(false);
  } else {
    c_.internal->SetChecked(true);
    c_.external->SetChecked(false);
  }
}

void PanelRules::ShowRing(const RingShape& ring) {
  c_.ringChoice->SetIndex(RingChoiceOf(ring.sides));
  if (ring.Circle()) return;
  ShowAfresh(*c_.cornerBox, ring.corner);
  c_.cornerBar->SetPosition(ring.corner);
}

}  // namespace engine
