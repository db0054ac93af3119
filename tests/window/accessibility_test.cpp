// What a screen reader finds on the panel: names, descriptions, values, the
// drawing's pattern count, the keyboard's way through the panel, and the
// korva-batch listing of it all.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QAccessibleValueInterface>
#include <QKeyEvent>
#include <QScrollBar>
#include <map>
#include <regex>
#include <sstream>
#include <tuple>

#include "tests/window/window_fixture.h"
#include "tools/accessibility_listing.h"
#include "tools/batch_script.h"

namespace {

using Accessibility = WindowTest;

QAccessibleInterface* Interface(const ui::Control* control) {
  return QAccessible::queryAccessibleInterface(control->Widget());
}

std::string NameOf(const ui::Control* control) {
  return Interface(control)->text(QAccessible::Name).toStdString();
}

struct Listed {
  std::string role, name;
  bool focus = false;
};

// The listing's lines by layout name, in their order; each line well formed.
std::vector<std::pair<std::string, Listed>> Listing(const ui::Form& form) {
  std::ostringstream out;
  ListAccessibility(form, out);
  static const std::regex line(R"re((\S+) role=(\w+) name="(.*)" focus=([01]))re");
  std::vector<std::pair<std::string, Listed>> lines;
  std::istringstream in(out.str());
  for (std::string text; std::getline(in, text);) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(text, m, line)) << text;
    if (!m.empty()) lines.push_back({m[1], {m[2], m[3], m[4] == "1"}});
  }
  return lines;
}

TEST_F(Accessibility, TheListingNamesEveryControlAndMenuItemInPanelOrder) {
  const auto lines = Listing(window.form());
  const auto& controls = window.form().Controls();
  const auto& items = window.form().MenuItems();
  ASSERT_EQ(lines.size(), controls.size() + items.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& expected =
        i < controls.size() ? controls[i]->Name() : items[i - controls.size()]->Name();
    EXPECT_EQ(lines[i].first, expected);
    EXPECT_FALSE(lines[i].second.name.empty()) << expected;
    EXPECT_NE(lines[i].second.role, "NoRole") << expected;
  }
}

// A bar is named by its label, shown or not; every shown bar takes the focus.
TEST_F(Accessibility, BarsAreNamedByTheirLabelsAndTakeTheFocus) {
  const std::map<std::string, std::string> named = {{"ScrollBarStepFine", "Step (degrees)"},
                                                    {"ScrollBarFixed", "Fixed ring teeth"},
                                                    {"ScrollBarMoving", "Moving gear teeth"},
                                                    {"ScrollBarReps", "Number of patterns to draw"},
                                                    {"ScrollBarHole", "Pen position"},
                                                    {"ScrollBarTop", "Top of design"},
                                                    {"ScrollBarMagni", "Size"},
                                                    {"ScrollBarCentreX", "Horizontal centre"},
                                                    {"ScrollBarCentreY", "Vertical centre"},
                                                    {"ScrollBarPrintFac", "Print zoom"},
                                                    {"ScrollBarCorner", "Corner (teeth)"}};
  size_t bars = 0;
  for (const auto& [name, line] : Listing(window.form())) {
    const auto* b = dynamic_cast<const ui::ScrollBar*>(window.form().Find(name));
    if (b == nullptr) continue;
    ++bars;
    EXPECT_EQ(line.role, "ScrollBar") << name;
    ASSERT_EQ(named.count(name), 1u) << name;
    EXPECT_EQ(line.name, named.at(name));
    if (b->Visible()) {
      EXPECT_TRUE(line.focus) << name;
    }
  }
  EXPECT_EQ(bars, named.size());
  // And the drawing's own bars, shown when zoomed in.
  const auto viewBars = window.form().Find("PaintBox1")->Widget()->findChildren<QScrollBar*>();
  EXPECT_EQ(viewBars.size(), 2);
  for (const QScrollBar* b : viewBars)
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(const_cast<QScrollBar*>(b))
                     ->text(QAccessible::Name)
                     .isEmpty());
}

TEST_F(Accessibility, ControlsSayWhatTheyAreAndWhatTheyHold) {
  // Radio buttons, though their exclusiveness is the panel's own.
  for (const char* name : {"rb_internal", "rb_external"}) {
    QAccessibleInterface* radio = Interface(window.form().Find(name));
    EXPECT_EQ(radio->role(), QAccessible::RadioButton) << name;
    EXPECT_TRUE(radio->state().checkable);
  }
  EXPECT_TRUE(Interface(radio("rb_internal"))->state().checked);
  Interface(radio("rb_external"))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(window.design().GearMode, 1);
  EXPECT_TRUE(Interface(radio("rb_external"))->state().checked);
  EXPECT_FALSE(Interface(radio("rb_internal"))->state().checked);

  // Tooltips are the descriptions.
  for (const char* name : {"ScrollBarHole", "Draw", "Linesize", "Hole"}) {
    const ui::Control* c = window.form().Find(name);
    EXPECT_FALSE(c->Widget()->toolTip().isEmpty()) << name;
    EXPECT_EQ(Interface(c)->text(QAccessible::Description), c->Widget()->toolTip()) << name;
  }

  // Bars and spin boxes report their values; value boxes their text.
  Drag(bar("ScrollBarHole"), 300);
  QAccessibleValueInterface* hole = Interface(bar("ScrollBarHole"))->valueInterface();
  ASSERT_NE(hole, nullptr);
  EXPECT_EQ(hole->currentValue().toInt(), 300);
  EXPECT_EQ(hole->maximumValue().toInt(), bar("ScrollBarHole")->Max());
  Spin(spin("Linesize"), 2);
  QAccessibleValueInterface* width = Interface(spin("Linesize"))->valueInterface();
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->currentValue().toInt(), 3);
  EXPECT_EQ(Interface(box("Hole"))->text(QAccessible::Value), "300");
  EXPECT_EQ(NameOf(box("Hole")), "Pen position");
}

TEST_F(Accessibility, TheDrawingTellsHowManyPatternsItShows) {
  const ui::Control* drawing = window.form().Find("PaintBox1");
  EXPECT_EQ(NameOf(drawing), "Drawing: 0 patterns");
  Click(button("Draw"));
  EXPECT_EQ(NameOf(drawing), "Drawing: 1 pattern");
  Drag(bar("ScrollBarReps"), 3);
  Click(button("Draw"));
  EXPECT_EQ(NameOf(drawing), "Drawing: 4 patterns");
  Click(button("undo"));
  EXPECT_EQ(NameOf(drawing), "Drawing: 3 patterns");
  Click(button("Clear"));
  EXPECT_EQ(NameOf(drawing), "Drawing: 0 patterns");
  Click(menuItem("Undo1"));
  EXPECT_EQ(NameOf(drawing), "Drawing: 3 patterns");
}

// The control whose widget has the focus (a spin box's edit line included).
const ui::Control* Focused(const ui::Form& form) {
  for (const QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    for (const ui::Control* c : form.Controls())
      if (c->Widget() == w) return c;
  }
  return nullptr;
}

// Tab goes through the panel from top to bottom, left to right within a
// row, then to the ring row below the drawing, and round again.
TEST_F(Accessibility, TabFollowsThePanelFromTopToBottom) {
  Drag(bar("ScrollBarReps"), 2);  // shows the step boxes of a series
  ui::Form& form = window.form();
  form.Show();
  QApplication::setActiveWindow(form.Window());
  QApplication::processEvents();
  ASSERT_TRUE(button("Clear")->UserFocus());
  QApplication::processEvents();
  std::vector<const ui::Control*> order{Focused(form)};
  ASSERT_EQ(order.front(), button("Clear"));
  for (int i = 0; i < 100; ++i) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &tab);
    QApplication::processEvents();
    const ui::Control* now = Focused(form);
    ASSERT_NE(now, nullptr);
    if (now == order.front()) break;
    order.push_back(now);
  }
  std::vector<std::string> names;
  for (const ui::Control* c : order) names.push_back(c->Name());
  // Every shown control that takes the focus, once.
  size_t reachable = 0;
  for (const ui::Control* c : form.Controls()) {
    if (c->Reachable() && (c->Widget()->focusPolicy() & Qt::TabFocus)) ++reachable;
  }
  EXPECT_EQ(order.size(), reachable) << testing::PrintToString(names);
  for (size_t i = 1; i < order.size(); ++i) {
    EXPECT_LT(std::tuple(order[i - 1]->Top(), order[i - 1]->Left()),
              std::tuple(order[i]->Top(), order[i]->Left()))
        << order[i - 1]->Name() << " before " << order[i]->Name();
  }
  EXPECT_EQ(names.back(), "RingShape");
}

TEST_F(Accessibility, FocusGivesTheKeyboardFocusAsTabWould) {
  ui::Form& form = window.form();
  form.Show();
  QApplication::setActiveWindow(form.Window());
  QApplication::processEvents();
  ASSERT_TRUE(bar("ScrollBarTop")->UserFocus());
  QApplication::processEvents();
  EXPECT_EQ(Focused(form), bar("ScrollBarTop"));
  EXPECT_TRUE(Interface(bar("ScrollBarTop"))->state().focused);
  // Never to a value box, a hidden control or a disabled one.
  EXPECT_FALSE(box("Align")->UserFocus());
  EXPECT_FALSE(spin("topspin")->UserFocus());
  EXPECT_FALSE(button("undo")->UserFocus());
  EXPECT_EQ(Focused(form), bar("ScrollBarTop"));
}

TEST_F(Accessibility, KorvaBatchListsAfterThePanelAndTakesFocus) {
  BatchOptions options;
  options.panel = true;
  options.accessibility = true;
  std::ostringstream out;
  ASSERT_EQ(RunBatchScript("focus ScrollBarHole\nclick Draw\n", options, out), 0);
  const std::string text = out.str();
  const size_t history = text.find("\nhistory 2\n");
  const size_t drawing = text.find("\nPaintBox1 role=Client name=\"Drawing: 1 pattern\" focus=1\n");
  ASSERT_NE(history, std::string::npos);
  ASSERT_NE(drawing, std::string::npos);
  EXPECT_LT(history, drawing);
  EXPECT_NE(text.find("\nScrollBarHole role=ScrollBar name=\"Pen position\" focus=1\n"),
            std::string::npos);

  std::ostringstream refused;
  EXPECT_EQ(RunBatchScript("focus Hole\n", BatchOptions{}, refused), 2);
  EXPECT_EQ(refused.str(), "korva-batch: line 1: 'Hole' takes no keyboard focus\n");
}

}  // namespace
