#pragma once
#include <array>
#include <cstdint>

// The Printing > Zoom items: layout name, caption and zoom in percent.
struct ZoomItem {
  const char* name;
  const char* caption;
  int32_t percent;
};

inline constexpr std::array<ZoomItem, 8> kZoomItems = {{
    {"N6001", "600 %", 600},
    {"N5001", "500 %", 500},
    {"N4001", "400 %", 400},
    {"N3001", "300 %", 300},
    {"N2501", "250 %", 250},
    {"N2001", "200 %", 200},
    {"N1501", "150 %", 150},
    {"N1001", "100 %", 100},
}};
