#pragma once
#include "engine/gear_overlay.h"

class QPainter;
class QImage;

namespace ui {

// Draws the gears of a pattern in a paint area's overlay (1 unit = 1 canvas
// pixel, `scale` screen pixels per unit): the fixed ring and the moving gear
// see-through, the line from the gear's centre to the pen, and a dot of
// radius 3 screen pixels at the pen.
void PaintGears(QPainter& painter, const engine::GearOverlay& gears, double scale = 1.0);

// A picture drawn over the area at the given opacity, such as a preview.
void PaintGhost(QPainter& painter, const QImage& image, double opacity);

// Its colours, 0xAARRGGBB.
inline constexpr unsigned kRingRgba = 0x6E808080;  // grey, alpha 110
inline constexpr unsigned kGearRgba = 0x6E3C6EDC;  // blue, alpha 110
inline constexpr unsigned kPenLineRgb = 0x1E3C96;
inline constexpr unsigned kPenDotRgb = 0xD22828;

}  // namespace ui
