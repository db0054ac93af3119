#pragma once
#include <memory>
#include <string>

#include "core/value_controls.h"
#include "engine/design_state.h"
#include "engine/panel_rules.h"

namespace engine {

// What the panel's value controls hold at one moment.
struct PanelValues {
  BarRange step, fixed, moving, hole, top, size, centreX, centreY;
  std::string stepText, fixedText, movingText, pointsText, holeText, topText, sizeText, centreXText,
      centreYText;
  bool internal = true;
  bool external = false;
  Colour pen = kBlack;
  int ringChoice = 0;
  BarRange corner;
  std::string cornerText;
  bool operator==(const PanelValues&) const = default;
};

PanelValues ReadPanel(const PanelControls& controls);

// The panel as it stands once it has shown `design` through its handlers:
// every bar at its value in its usual range, every box showing its bar.
PanelValues PanelShowing(const DesignState& design, Colour pen);

// The design's reduced counts and span, or the start-up ones for gears
// that have none (no teeth, a step of zero).
DerivedValues DerivedOrDefault(const DesignState& design);

// The panel without widgets: plain controls that behave as the window's do,
// under the same rules, with a design state of their own.
class PlainPanel {
 public:
  PlainPanel(const PanelValues& values, const DesignState& design, const DerivedValues& derived);
  ~PlainPanel();
  PlainPanel(const PlainPanel&) = delete;
  PlainPanel& operator=(const PlainPanel&) = delete;

  PanelRules& Rules() { return *rules_; }
  const DesignState& Design() const { return design_; }
  PanelValues Values() const;

 private:
  struct Controls;
  std::unique_ptr<Controls> controls_;
  DesignState design_;
  DerivedValues derived_;
  std::unique_ptr<PanelRules> rules_;
};

}  // namespace engine
