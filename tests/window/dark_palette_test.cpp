// On a dark desktop the panel's texts and frames stay readable; on a light
// one its text stays black.
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <map>

#include "tests/window/window_fixture.h"
#include "tools/batch_script.h"
#include "ui/palette.h"

namespace {

// The application palette a dark desktop theme sets, for the test's span.
class DarkDesktop {
 public:
  DarkDesktop() { QApplication::setPalette(ui::DarkPalette()); }
  ~DarkDesktop() { QApplication::setPalette(saved_); }
  DarkDesktop(const DarkDesktop&) = delete;
  DarkDesktop& operator=(const DarkDesktop&) = delete;

 private:
  QPalette saved_ = QApplication::palette();
};

class DarkPanel : public testing::Test {
 protected:
  // The window as shown, one screen pixel a pixel.
  QImage Shot() {
    ui::Form& form = window.form();
    form.Show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    return form.Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  QRect PlaceOf(const ui::Control& c) {
    const QWidget* w = c.Widget();
    return QRect(w->mapTo(window.form().Window(), QPoint(0, 0)), w->size());
  }

  DarkDesktop desktop;  // before the window, as a theme is set before it
  ui::ScriptedPrompts prompts;
  MainWindow window{prompts, [] { return std::make_unique<NullPrinter>(); }};
};

// The most common colour of the area, its background.
QRgb Background(const QImage& image, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// The contrast of the area's strongest pixel (the core of a glyph, a frame's
// line) against its background.
double Contrast(const QImage& image, const QRect& area, QRgb background) {
  double best = 1;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      best = std::max(best, ui::ContrastRatio(QColor(image.pixel(x, y)), QColor(background)));
  return best;
}

TEST_F(DarkPanel, TextsAndFramesKeepAContrastOfFourAndAHalf) {
  ui::Form& form = window.form();
  // A series shows the step boxes too.
  dynamic_cast<ui::ScrollBar&>(*form.Find("ScrollBarReps")).UserDrag(2);
  const QImage shot = Shot();
  // A dark window indeed: the measure would say nothing on a light one.
  const QRgb window = Background(shot, PlaceOf(*form.Find("Bevel3")));
  ASSERT_LT(ui::RelativeLuminance(QColor(window)), 0.1);
  int measured = 0;
  for (const ui::Control* c : form.Controls()) {
    if (!c->Reachable() && dynamic_cast<const ui::ValueBox*>(c) == nullptr) continue;
    if (!c->Widget()->isVisible()) continue;
    const bool text = dynamic_cast<const ui::Label*>(c) || dynamic_cast<const ui::ValueBox*>(c) ||
                      dynamic_cast<const ui::Button*>(c) || dynamic_cast<const ui::SpinBox*>(c) ||
                      dynamic_cast<const ui::RadioButton*>(c) ||
                      dynamic_cast<const ui::CheckBox*>(c);
    const QRect place = PlaceOf(*c);
    if (text) {
      // Inside the control's edge, where only its text differs from its face.
      const QRect inside = place.adjusted(3, 3, -3, -3);
      const QRect area = dynamic_cast<const ui::Label*>(c) ? place : inside;
      const double contrast = Contrast(shot, area, Background(shot, area));
      EXPECT_GE(contrast, 4.5) << c->Name();
      ++measured;
    } else if (dynamic_cast<const ui::Frame*>(c) && c->Name() != "Bevel1") {
      // The frame's line against the window around it.
      const double contrast = Contrast(shot, QRect(place.left(), place.top(), place.width(), 2),
                                       Background(shot, place));
      EXPECT_GE(contrast, 4.5) << c->Name();
      ++measured;
    }
  }
  EXPECT_GT(measured, 50);
}

TEST_F(DarkPanel, TheDrawingKeepsItsCanvasColour) {
  const QImage shot = Shot();
  const ui::Control& drawing = *window.form().Find("PaintBox1");
  EXPECT_EQ(QColor(Background(shot, PlaceOf(drawing))), QColor(Qt::white));
  EXPECT_EQ(window.canvasColour(), kWhite);
}

// A light desktop keeps the panel's black text, whatever its own text colour.
TEST(LightPanel, TextStaysBlack) {
  ASSERT_FALSE(ui::IsDark(QApplication::palette()));
  ui::ScriptedPrompts prompts;
  MainWindow window(prompts, [] { return std::make_unique<NullPrinter>(); });
  for (const char* name : {"Label13", "Draw", "rb_internal", "Hole", "Points", "Linesize"}) {
    const QPalette palette = window.form().Find(name)->Widget()->palette();
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::WindowText), QColor(Qt::black)) << name;
    EXPECT_EQ(palette.color(QPalette::Active, QPalette::Text), QColor(Qt::black)) << name;
  }
}

// A theme that turns dark, and light again, while the window is open.
TEST(LightPanel, FollowsTheDesktopWhenItsThemeChanges) {
  ui::ScriptedPrompts prompts;
  MainWindow window(prompts, [] { return std::make_unique<NullPrinter>(); });
  auto text = [&window](const char* name, QPalette::ColorRole role) {
    return window.form().Find(name)->Widget()->palette().color(QPalette::Active, role);
  };
  const QColor darkText = ui::DarkPalette().color(QPalette::WindowText);
  {
    DarkDesktop desktop;
    EXPECT_EQ(text("Label13", QPalette::WindowText), darkText);
    EXPECT_EQ(text("Draw", QPalette::ButtonText), darkText);
    EXPECT_EQ(text("Hole", QPalette::Text), ui::DarkPalette().color(QPalette::Text));
    EXPECT_EQ(text("Hole", QPalette::Base), ui::DarkPalette().color(QPalette::Base));
    EXPECT_EQ(text("Points", QPalette::Text), ui::DarkPalette().color(QPalette::ButtonText));
    EXPECT_EQ(text("Points", QPalette::Base), ui::DarkPalette().color(QPalette::Button));
  }
  for (const char* name : {"Label13", "Hole", "Points"})
    EXPECT_EQ(text(name, QPalette::Text), QColor(Qt::black)) << name;
  EXPECT_EQ(text("Hole", QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(text("Points", QPalette::Base), QApplication::palette().color(QPalette::Button));
}

TEST(Palette, ContrastFollowsTheWcagFormula) {
  EXPECT_DOUBLE_EQ(ui::ContrastRatio(Qt::black, Qt::white), 21.0);
  EXPECT_DOUBLE_EQ(ui::ContrastRatio(Qt::white, Qt::black), 21.0);
  EXPECT_DOUBLE_EQ(ui::ContrastRatio(QColor(118, 118, 118), QColor(118, 118, 118)), 1.0);
  // #767676 on white is the classic grey that just passes 4.5:1.
  EXPECT_NEAR(ui::ContrastRatio(QColor(118, 118, 118), Qt::white), 4.54, 0.01);
  EXPECT_TRUE(ui::IsDark(ui::DarkPalette()));
}

}  // namespace
