// Puts a pattern on the panel as a user would, by dragging the bars, for the
// window benchmarks. Circle ring, internal gear, size 1000, centred.
#pragma once
#include <cstdio>
#include <cstdlib>

#include "ui/controls.h"
#include "ui/form.h"
#include "window/main_window.h"

struct GearPattern {
  int fixed;
  int moving;
  int hole;
  int step;
};

// 46,656,343 segments: the most the panel can make.
inline constexpr GearPattern kLargestPattern{360, 1, 8, 1};

inline void ShowOnPanel(MainWindow& window, const GearPattern& p) {
  auto drag = [&](const char* name, int value) {
    static_cast<ui::ScrollBar*>(window.form().Find(name))->UserDrag(value);
  };
  // The moving gear first, so that it always fits the ring; the pen hole is
  // limited by the moving gear.
  drag("ScrollBarMoving", 1);
  drag("ScrollBarFixed", p.fixed);
  drag("ScrollBarMoving", p.moving);
  drag("ScrollBarHole", p.hole);
  drag("ScrollBarStepFine", p.step);
  const engine::DesignState& d = window.design();
  if (d.FixedTeeth != p.fixed || d.MovingTeeth != p.moving || d.PenHole != p.hole ||
      d.StepDeg != p.step || d.GearMode != 0) {
    std::fprintf(stderr, "the panel did not take the pattern %d/%d/%d/%d\n", p.fixed, p.moving,
                 p.hole, p.step);
    std::exit(1);
  }
}

inline void ClickDraw(MainWindow& window) {
  static_cast<ui::Button*>(window.form().Find("Draw"))->UserClick();
}
