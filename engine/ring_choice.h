#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace engine {

// The panel's Ring Shape choice: its items in order, with the sides each means.
struct RingChoiceItem {
  const char* name;
  int32_t sides;
};

inline constexpr std::array<RingChoiceItem, 6> kRingChoices{
    {{"Circle", 0}, {"Oval", 2}, {"Triangle", 3}, {"Square", 4}, {"Pentagon", 5}, {"Hexagon", 6}}};

inline constexpr int32_t kStartCorner = 60;

// The item of a ring of `sides`; the circle's for sides the choice has not.
inline int RingChoiceOf(int32_t sides) {
  for (size_t i = 0; i < kRingChoices.size(); ++i) {
    if (kRingChoices[i].sides == sides) return static_cast<int>(i);
  }
  return 0;
}

// The sides of the item at `index`; a circle outside the list.
inline int32_t SidesOfRingChoice(int index) {
  if (index < 0 || index >= static_cast<int>(kRingChoices.size())) return 0;
  return kRingChoices[static_cast<size_t>(index)].sides;
}

}  // namespace engine
