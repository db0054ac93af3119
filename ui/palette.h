#pragma once
#include <QColor>
#include <QPalette>

namespace ui {

// WCAG relative luminance, 0 for black to 1 for white.
double RelativeLuminance(QColor colour);
// WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(QColor a, QColor b);

// A palette whose windows are darker than their text, as a dark desktop
// theme gives: the panel then shows its texts in the palette's colours
// instead of black.
bool IsDark(const QPalette& palette);

// A dark palette of the kind desktop themes give, for korva-batch and tests.
QPalette DarkPalette();

}  // namespace ui
