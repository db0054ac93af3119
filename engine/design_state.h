#pragma once
#include <cstdint>

#include "engine/ring_shape.h"

namespace engine {

// The values of the next pattern to be drawn.
struct DesignState {
  int32_t FixedTeeth = 96;
  int32_t MovingTeeth = 60;
  int32_t GearMode = 0;  // 1 = external, anything else internal
  int32_t TopOfDesign = 0;
  int32_t PenHole = 480;
  int32_t StepDeg = 5;
  int32_t DesignSize = 1000;
  int32_t CentreX = 0;
  int32_t CentreY = 0;
  int32_t PrintFactor = 600;
  int32_t RepeatCount = 1;
  // The fixed ring's shape (0 = circle) and corner radius in teeth; the
  // corner is kept while the ring is a circle, for the next shape.
  int32_t RingSides = 0;
  int32_t RingCorner = 60;  // as the panel's Corner starts
  bool operator==(const DesignState&) const = default;
};

// The ring a Draw now uses: every circle the same, whatever its corner.
inline RingShape DesignRing(const DesignState& design) {
  if (design.RingSides == 0) return {};
  return {design.RingSides, design.RingCorner};
}

// Added after each pattern of a Draw series.
struct RepeatSteps {
  int32_t HoleStep = 0;
  int32_t TopStep = 0;
  int32_t SizeStep = 0;
  int32_t CentreXStep = 0;
  int32_t CentreYStep = 0;
  int32_t RedStep = 0;
  int32_t GreenStep = 0;
  int32_t BlueStep = 0;
  bool operator==(const RepeatSteps&) const = default;
};

// Kept up to date from the gear pair and the step.
struct DerivedValues {
  int32_t ReducedFixed = 8;
  int32_t ReducedMoving = 5;
  int32_t TraceSpanDeg = 2880;
  bool operator==(const DerivedValues&) const = default;
};

inline constexpr int32_t kExternalMode = 1;
inline constexpr int32_t kInternalMode = 0;

}  // namespace engine
