#pragma once
#include <cstdint>

#include "core/value_controls.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"

namespace engine {

// Shows a value in a box, which runs the box's handler when the text changes.
void ShowValue(BoxControl& box, int32_t value);
// Reads a box into a design value; an empty box leaves the value unchanged.
void ReadValue(const BoxControl& box, int32_t& value);

// The controls of the step, the gears, the pen position, the size and the
// centre, with the swatch of the pen colour and the fixed ring's shape and
// corner.
struct PanelControls {
  BarControl* stepBar;
  BoxControl* stepBox;
  BarControl* fixedBar;
  BoxControl* fixedBox;
  BarControl* movingBar;
  BoxControl* movingBox;
  BoxControl* pointsBox;
  BarControl* holeBar;
  BoxControl* holeBox;
  BarControl* topBar;
  BoxControl* topBox;
  BarControl* sizeBar;
  BoxControl* sizeBox;
  BarControl* centreXBar;
  BoxControl* centreXBox;
  BarControl* centreYBar;
  BoxControl* centreYBox;
  ModeControl* internal;
  ModeControl* external;
  ColourControl* pen;
  ChoiceControl* ringChoice;
  BarControl* cornerBar;
  BoxControl* cornerBox;
};

// What those controls do when they change: to the design state, and to each
// other, since a handler that moves another control runs that control's
// handler before going on. The bars' ranges correct values as they pass,
// so a value a series steps past a range is not always the value drawn next.
// The window runs these rules on its widgets and a series plan on plain
// stand-ins, which is how a preview knows what Draw will do.
class PanelRules {
 public:
  PanelRules(const PanelControls& controls, DesignState& design, DerivedValues& derived);
  PanelRules(const PanelRules&) = delete;
  PanelRules& operator=(const PanelRules&) = delete;

  // Gives every control its handler.
  void Connect();
  const PanelControls& Controls() const { return c_; }

  const DesignState& Design() const { return design_; }
  DesignState& Design() { return design_; }
  Colour PenColour() const { return c_.pen->FillColour(); }
  void SetPenColour(Colour colour) { c_.pen->SetFillColour(colour); }

  // The buttons beside the controls.
  void ChooseStep(int32_t degrees);
  void ResetPosition();
  void ResetCentre();

  // A pattern's values into every box, each box's handler running even for
  // an unchanged value, then into the bars, whose ranges may correct them.
  void ShowPattern(const PatternRecord& pattern);
  // Any mode other than external shows as internal.
  void ShowMode(int32_t mode);
  // A pattern's ring, shown after its mode: the shape, then for a shape its
  // corner. A circle leaves the corner as it is.
  void ShowRing(const RingShape& ring);

 private:
  void StepBoxRead();
  void FixedBarMoved();
  void FixedBoxRead();
  void MovingBarMoved();
  void MovingBoxRead();
  void HoleBoxRead();
  void InternalChosen();
  void ExternalChosen();
  void RingChosen();
  void CornerBoxRead();

  void PlaceInternally();
  void PlaceExternally();
  void ShowPenHole();
  void ApplyHoleRange();
  // In internal mode the moving gear must be smaller than the ring.
  void KeepMovingGearInsideRing();
  void RefreshGearCounts();
  // The corner never exceeds the ring's teeth and, in internal mode, is
  // never below the moving gear, so that a shape can always be drawn.
  void KeepCornerValid();

  PanelControls c_;
  DesignState& design_;
  DerivedValues& derived_;
};

}  // namespace engine
