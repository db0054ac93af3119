#pragma once
#include <algorithm>

namespace engine {

// Where the drawing area sits in the part of the window left of the panel:
// the largest square with a margin of 6 pixels (10 below), centred, never
// smaller than `minimum`. In the smallest window, `minimum` + 12 wide and
// `minimum` + 16 tall, that is (6, 6).
struct AreaPlace {
  int left = 0, top = 0, side = 0;
  bool operator==(const AreaPlace&) const = default;
};

inline AreaPlace PlaceDrawingArea(int width, int height, int minimum) {
  const int roomX = width - 12, roomY = height - 16;
  const int side = std::max(minimum, std::min(roomX, roomY));
  return {6 + std::max(0, (roomX - side) / 2), 6 + std::max(0, (roomY - side) / 2), side};
}

}  // namespace engine
