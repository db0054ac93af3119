#include "ui/palette.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(QColor colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(QColor a, QColor b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QPalette& palette) {
  return RelativeLuminance(palette.color(QPalette::Active, QPalette::Window)) <
         RelativeLuminance(palette.color(QPalette::Active, QPalette::WindowText));
}

QPalette DarkPalette() {
  const QColor window(45, 45, 48), text(230, 230, 230), base(30, 30, 32), button(60, 60, 64);
  QPalette p;
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(group, QPalette::Window, window);
    p.setColor(group, QPalette::WindowText, text);
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::AlternateBase, window);
    p.setColor(group, QPalette::Text, text);
    p.setColor(group, QPalette::Button, button);
    p.setColor(group, QPalette::ButtonText, text);
    p.setColor(group, QPalette::BrightText, Qt::white);
    p.setColor(group, QPalette::Light, QColor(90, 90, 96));
    p.setColor(group, QPalette::Midlight, QColor(75, 75, 80));
    p.setColor(group, QPalette::Mid, QColor(110, 110, 116));
    p.setColor(group, QPalette::Dark, QColor(150, 150, 156));
    p.setColor(group, QPalette::Shadow, QColor(10, 10, 10));
    p.setColor(group, QPalette::Highlight, QColor(61, 142, 201));
    p.setColor(group, QPalette::HighlightedText, Qt::white);
    p.setColor(group, QPalette::ToolTipBase, base);
    p.setColor(group, QPalette::ToolTipText, text);
    p.setColor(group, QPalette::PlaceholderText, QColor(150, 150, 150));
    p.setColor(group, QPalette::Link, QColor(120, 180, 255));
  }
  p.setColor(QPalette::Disabled, QPalette::Window, window);
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(150, 150, 150));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 150, 150));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(150, 150, 150));
  p.setColor(QPalette::Disabled, QPalette::Base, window);
  p.setColor(QPalette::Disabled, QPalette::Button, button);
  return p;
}

}  // namespace ui
