#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOption>
#include <string>
#include <vector>

#include "core/run_time_error.h"
#include "ui/canvas.h"
#include "ui/form.h"
#include "ui/scripted_prompts.h"

namespace ui {
namespace {

class ControlsTest : public testing::Test {
 protected:
  ScriptedPrompts prompts;
  Form form{"Test  Form", 400, 300, prompts};
  std::vector<std::string> calls;

  ValueBox& Box(const std::string& name, const std::string& text = "") {
    return form.Add<ValueBox>(name, Geometry{300, 10, 49, 21}, text, FontWeight::Bold);
  }
  ScrollBar& Bar(const std::string& name, int min, int max, int position) {
    auto& bar = form.Add<ScrollBar>(name, Geometry{10, 10, 217, 16}, min, max, position);
    bar.onChange = [this, &bar] {
      calls.push_back(bar.Name() + "=" + std::to_string(bar.Position()));
    };
    return bar;
  }
  static QScrollBar* QtBar(ScrollBar& bar) { return static_cast<QScrollBar*>(bar.Widget()); }
};

// A box's handler runs inside SetText, and only when the text differs.
TEST_F(ControlsTest, ValueBoxRunsItsHandlerOnlyWhenTheTextChanges) {
  ValueBox& box = Box("Fixed", "96");
  box.onChange = [&] { calls.push_back("change " + box.Text()); };
  box.SetText("96");
  EXPECT_TRUE(calls.empty());
  box.SetText("97");
  box.SetText("97");
  box.SetText("");
  box.SetText("97");
  EXPECT_EQ(calls, (std::vector<std::string>{"change 97", "change ", "change 97"}));
  EXPECT_EQ(static_cast<QLineEdit*>(box.Widget())->text(), "97");
  EXPECT_FALSE(box.Widget()->isEnabled());
  EXPECT_EQ(box.Widget()->focusPolicy(), Qt::NoFocus);
}

// A handler setting another box runs that box's handler nested, which
// may set the first box again.
TEST_F(ControlsTest, BoxHandlersNestWithoutAReentryGuard) {
  ValueBox& a = Box("A", "1");
  ValueBox& b = Box("B", "1");
  a.onChange = [&] {
    calls.push_back("a " + a.Text() + " begin");
    b.SetText(a.Text() + "0");
    calls.push_back("a " + a.Text() + " end");
  };
  b.onChange = [&] {
    calls.push_back("b " + b.Text());
    if (b.Text().size() < 3) a.SetText("x");
  };
  a.SetText("2");
  EXPECT_EQ(calls, (std::vector<std::string>{"a 2 begin", "b 20", "a x begin", "b x0", "a x end",
                                             "a x end"}));
}

// A handler's exception goes through the setter untouched; what changed stays.
TEST_F(ControlsTest, SettersPassHandlerErrorsThrough) {
  ValueBox& box = Box("Hole", "480");
  box.onChange = [] { throw RunTimeError("'x' is not a valid integer value"); };
  EXPECT_THROW(box.SetText("x"), RunTimeError);
  EXPECT_EQ(box.Text(), "x");
  EXPECT_TRUE(prompts.log.empty());
}

// Positions are limited to [Min, Max]; the handler runs when it moves.
TEST_F(ControlsTest, ScrollBarLimitsPositions) {
  ScrollBar& bar = Bar("S", 1, 200, 1);
  bar.SetPosition(500);
  EXPECT_EQ(bar.Position(), 200);
  bar.SetPosition(201);
  bar.SetPosition(200);
  bar.SetPosition(-7);
  bar.SetPosition(0);
  EXPECT_EQ(calls, (std::vector<std::string>{"S=200", "S=1"}));
  EXPECT_EQ(QtBar(bar)->value(), 1);
}

TEST_F(ControlsTest, ScrollBarHandlerMaySetItsOwnBar) {
  ScrollBar& bar = Bar("S", 0, 100, 0);
  bar.onChange = [&] {
    calls.push_back(std::to_string(bar.Position()));
    if (bar.Position() > 50) bar.SetPosition(50);
    calls.push_back("end " + std::to_string(bar.Position()));
  };
  bar.SetPosition(70);
  EXPECT_EQ(calls, (std::vector<std::string>{"70", "50", "end 50", "end 50"}));
  EXPECT_EQ(QtBar(bar)->value(), 50);
}

TEST_F(ControlsTest, ScrollBarRangeBelowMinFailsAndChangesNothing) {
  ScrollBar& bar = Bar("Hole", 0, 1200, 480);
  try {
    bar.SetMax(-1);
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), "Scrollbar property out of range");
  }
  EXPECT_THROW(bar.SetMin(1201), RunTimeError);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 1200);
  EXPECT_EQ(bar.Position(), 480);
  EXPECT_EQ(QtBar(bar)->minimum(), 0);
  EXPECT_EQ(QtBar(bar)->maximum(), 1200);
  EXPECT_TRUE(calls.empty());
  // Min equal to Max is a valid range.
  bar.SetMin(1200);
  EXPECT_EQ(bar.Position(), 1200);
}

TEST_F(ControlsTest, ScrollBarRangeLimitsThePosition) {
  ScrollBar& bar = Bar("Hole", 0, 1200, 480);
  bar.SetMax(600);  // position still inside
  bar.SetMin(-10);
  EXPECT_TRUE(calls.empty());
  bar.SetMax(300);
  EXPECT_EQ(bar.Position(), 300);
  bar.SetMax(1000);
  bar.SetMin(310);
  EXPECT_EQ(calls, (std::vector<std::string>{"Hole=300", "Hole=310"}));
  EXPECT_EQ(QtBar(bar)->minimum(), 310);
  EXPECT_EQ(QtBar(bar)->value(), 310);
}

// The user moves a bar by the small change, the large change, the thumb and
// Home/End; a move that lands where the bar is runs nothing.
TEST_F(ControlsTest, UserMovesScrollBar) {
  ScrollBar& bar = Bar("S", 1, 30, 5);
  bar.UserArrow(+1);
  bar.UserArrow(-1);
  bar.UserTrack(+1);
  bar.UserTrack(-1);
  bar.UserDrag(27);
  bar.UserDrag(27);
  bar.UserEnd();
  bar.UserArrow(+1);
  bar.UserTrack(+1);
  bar.UserHome();
  bar.UserHome();
  EXPECT_EQ(calls, (std::vector<std::string>{"S=6", "S=5", "S=15", "S=5", "S=27", "S=30", "S=1"}));
  EXPECT_EQ(QtBar(bar)->value(), 1);
}

// Input reaching a bar while its own handler waits in a nested event loop (a
// modal box) is dropped rather than run inside that handler.
TEST_F(ControlsTest, UserInputDuringTheBarsOwnHandlerIsDropped) {
  ScrollBar& bar = Bar("S", 0, 10, 5);
  auto& spin = form.Add<SpinBox>("Spin", Geometry{10, 40, 49, 22}, 0, 9, 0, FontWeight::Plain);
  bar.onChange = [&] {
    calls.push_back("bar " + std::to_string(bar.Position()));
    bar.UserArrow(+1);
  };
  spin.onChange = [&] {
    calls.push_back("spin " + spin.Text());
    spin.UserStep(+1);
  };
  bar.UserArrow(+1);
  spin.UserStep(+1);
  EXPECT_EQ(calls, (std::vector<std::string>{"bar 6", "spin 1"}));
  EXPECT_EQ(QtBar(bar)->value(), 6);
  EXPECT_EQ(static_cast<QSpinBox*>(spin.Widget())->value(), 1);
}

TEST_F(ControlsTest, HiddenOrDisabledControlsIgnoreTheUser) {
  ScrollBar& bar = Bar("S", 0, 10, 5);
  auto& spin = form.Add<SpinBox>("Spin", Geometry{10, 40, 49, 22}, 0, 9, 0, FontWeight::Plain);
  auto& button = form.Add<Button>("Draw", Geometry{10, 70, 37, 25}, "Draw", FontWeight::Bold);
  RadioGroup group;
  auto& r1 = form.Add<RadioButton>(group, "r1", Geometry{10, 100, 57, 17}, "One", true);
  auto& r2 = form.Add<RadioButton>(group, "r2", Geometry{70, 100, 57, 17}, "Two", false);
  auto& check = form.Add<CheckBox>("cb", Geometry{10, 130, 179, 17}, "Reflect", false);
  spin.onChange = [&] { calls.push_back("spin"); };
  button.onClick = [&] { calls.push_back("button"); };
  r2.onClick = [&] { calls.push_back("r2"); };

  for (Control* c : std::vector<Control*>{&bar, &spin, &button, &r2, &check}) c->SetVisible(false);
  bar.UserArrow(+1);
  bar.UserHome();
  bar.UserDrag(9);
  spin.UserStep(+1);
  button.UserClick();
  r2.UserClick();
  check.UserClick();
  for (Control* c : std::vector<Control*>{&bar, &spin, &button, &r2, &check}) {
    c->SetVisible(true);
    c->SetEnabled(false);
  }
  bar.UserTrack(-1);
  bar.UserEnd();
  spin.UserStep(+1);
  button.UserClick();
  r2.UserClick();
  check.UserClick();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(bar.Position(), 5);
  EXPECT_TRUE(r1.Checked());
  EXPECT_FALSE(check.Checked());

  button.SetEnabled(true);
  button.UserClick();
  EXPECT_EQ(calls, std::vector<std::string>{"button"});
}

// Arrows only, limited to the range; the handler runs on every change
// of the text.
TEST_F(ControlsTest, SpinBoxStepsWithinItsRangeAndTakesNoTyping) {
  auto& spin = form.Add<SpinBox>("Linesize", Geometry{10, 40, 33, 22}, 1, 5, 1, FontWeight::Bold);
  spin.onChange = [&] { calls.push_back(spin.Text()); };
  spin.UserStep(-1);
  spin.UserStep(+1);
  spin.SetValue(9);
  spin.SetValue(5);
  spin.UserStep(+1);
  spin.SetValue(-3);
  EXPECT_EQ(calls, (std::vector<std::string>{"2", "5", "1"}));
  EXPECT_EQ(spin.Value(), 1);

  auto* qspin = static_cast<QSpinBox*>(spin.Widget());
  form.Show();
  qspin->setFocus();
  for (int key : {Qt::Key_4, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_PageUp}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_4 ? "4" : "");
    QApplication::sendEvent(qspin, &press);
  }
  EXPECT_EQ(spin.Value(), 1);
  EXPECT_EQ(qspin->text(), "1");
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(qspin, &up);
  EXPECT_EQ(spin.Value(), 2);
  EXPECT_EQ(calls.back(), "2");
}

// Checking one radio button unchecks the other and runs the newly checked
// one's handler, from the program and from the user.
TEST_F(ControlsTest, RadioPairChecksExclusivelyAndClicksTheNewlyChecked) {
  RadioGroup group;
  auto& internal =
      form.Add<RadioButton>(group, "rb_internal", Geometry{10, 10, 57, 17}, "Internal", true);
  auto& external =
      form.Add<RadioButton>(group, "rb_external", Geometry{80, 10, 57, 17}, "External", false);
  internal.onClick = [&] {
    calls.push_back(std::string("internal, external ") + (external.Checked() ? "on" : "off"));
  };
  external.onClick = [&] {
    calls.push_back(std::string("external, internal ") + (internal.Checked() ? "on" : "off"));
  };

  internal.SetChecked(true);
  external.SetChecked(false);
  EXPECT_TRUE(calls.empty());
  external.SetChecked(true);
  EXPECT_EQ(calls, std::vector<std::string>{"external, internal off"});
  external.UserClick();  // already checked
  EXPECT_EQ(calls.size(), 1u);
  EXPECT_TRUE(static_cast<QRadioButton*>(external.Widget())->isChecked());
  internal.UserClick();
  EXPECT_EQ(calls.back(), "internal, external off");
  EXPECT_FALSE(static_cast<QRadioButton*>(external.Widget())->isChecked());
  EXPECT_TRUE(static_cast<QRadioButton*>(internal.Widget())->isChecked());
  // Unchecking from the program runs nothing and leaves both unchecked.
  internal.SetChecked(false);
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_FALSE(internal.Checked() || external.Checked());
}

TEST_F(ControlsTest, CheckBoxTogglesOnClickWithoutAHandler) {
  auto& box = form.Add<CheckBox>("cb_reflect", Geometry{10, 10, 179, 17},
                                 "Reflect (for double spirals)", false);
  box.UserClick();
  EXPECT_TRUE(box.Checked());
  box.UserClick();
  EXPECT_FALSE(box.Checked());
  box.SetChecked(true);
  EXPECT_TRUE(static_cast<QAbstractButton*>(box.Widget())->isChecked());
  EXPECT_EQ(box.Widget()->layoutDirection(), Qt::RightToLeft);
}

// The dispatcher shows an error in the error box; the rest of the stopped
// handlers does not run, what they changed stays, and the next event works.
TEST_F(ControlsTest, DispatcherShowsErrorsAndTheEventLoopGoesOn) {
  ScrollBar& bar = Bar("ScrollBarFixed", 2, 360, 96);
  ValueBox& box = Box("Fixed", "96");
  bar.onChange = [&] {
    box.SetText(std::to_string(bar.Position()));
    calls.push_back("bar end");
  };
  box.onChange = [&] {
    calls.push_back("box " + box.Text());
    if (box.Text() == "97") throw RunTimeError("Integer overflow");
  };
  bar.UserArrow(+1);
  EXPECT_EQ(prompts.log, std::vector<std::string>{"error: Integer overflow"});
  EXPECT_EQ(bar.Position(), 97);
  EXPECT_EQ(box.Text(), "97");
  bar.UserArrow(+1);
  EXPECT_EQ(calls, (std::vector<std::string>{"box 97", "box 98", "bar end"}));
  EXPECT_EQ(prompts.log.size(), 1u);

  auto& button = form.Add<Button>("Draw", Geometry{10, 70, 37, 25}, "Draw", FontWeight::Bold);
  button.onClick = [] { throw std::out_of_range("vector"); };
  button.UserClick();
  EXPECT_EQ(prompts.log.back(), "error: vector");
}

// Real input events reach the handlers through Qt's own signals.
TEST_F(ControlsTest, QtInputEventsReachHandlers) {
  ScrollBar& bar = Bar("S", -50, 50, 0);
  auto& button = form.Add<Button>("Clear", Geometry{10, 70, 37, 25}, "Clear", FontWeight::Plain);
  button.onClick = [&] { calls.push_back("clear"); };
  form.Show();

  QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
  QApplication::sendEvent(bar.Widget(), &end);
  QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
  QApplication::sendEvent(bar.Widget(), &home);
  const QPointF centre(18, 12);
  QMouseEvent press(QEvent::MouseButtonPress, centre, button.Widget()->mapToGlobal(centre),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, button.Widget()->mapToGlobal(centre),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(button.Widget(), &press);
  QApplication::sendEvent(button.Widget(), &release);
  EXPECT_EQ(calls, (std::vector<std::string>{"S=50", "S=-50", "clear"}));
}

TEST_F(ControlsTest, FormLaysOutAndFindsItsControls) {
  auto& label = form.Add<Label>("Label17", 20, 30, "Pen Position &  Size", FontWeight::Bold);
  auto& button =
      form.Add<Button>("LoadPrint", Geometry{100, 8, 57, 25}, "Open & Print", FontWeight::Plain);
  Box("Points", "8");
  MenuItem& file = form.AddMenu("File1", "File");
  form.AddItem(file, "Open1", "Open");
  form.Show();
  QApplication::processEvents();
  EXPECT_EQ(form.ClientArea()->size(), QSize(400, 300));
  EXPECT_EQ(form.Window()->windowTitle(), "Test  Form");
  EXPECT_GT(form.ClientArea()->y(), 0);  // below the menu bar
  EXPECT_EQ(form.Find("Points")->Name(), "Points");
  EXPECT_EQ(form.Find("Open1"), nullptr);
  EXPECT_EQ(form.FindMenuItem("Open1")->Caption(), "Open");
  EXPECT_EQ(form.Controls().size(), 3u);
  EXPECT_THROW(Box("Points"), std::logic_error);

  // Captions show as given, ampersands included.
  EXPECT_EQ(static_cast<QLabel*>(label.Widget())->text(), "Pen Position &  Size");
  EXPECT_EQ(static_cast<QPushButton*>(button.Widget())->text(), "Open && Print");
  EXPECT_EQ(label.Left(), 20);
  EXPECT_GT(label.Width(), 40);
  EXPECT_TRUE(label.Widget()->font().bold());
  EXPECT_EQ(label.Widget()->font().pixelSize(), 11);

  Control& points = *form.Find("Points");
  points.SetLeft(844);
  points.SetWidth(30);
  EXPECT_EQ(points.Widget()->geometry(), QRect(844, 10, 30, 21));
}

// The paint area shows its canvas as it is, and the dispatcher repaints it.
TEST_F(ControlsTest, PaintAreaShowsItsCanvasAfterAnEvent) {
  auto& area = form.Add<PaintArea>("PaintBox1", Geometry{6, 6, 64, 64});
  auto& button = form.Add<Button>("Draw", Geometry{100, 8, 37, 25}, "Draw", FontWeight::Bold);
  button.onClick = [&] {
    area.Canvas().SetBrushColour(0x0000FF);
    area.Canvas().FillRect(0, 0, 32, 64);
  };
  form.Show();
  button.UserClick();
  QApplication::processEvents();
  const QImage shown = area.Widget()->grab().toImage();
  EXPECT_EQ(FromQRgb(shown.pixel(5, 5)), 0x0000FF);
  EXPECT_EQ(FromQRgb(shown.pixel(40, 5)), 0xFFFFFF);
}

TEST_F(ControlsTest, SwatchesKeepTheirColours) {
  auto& swatch = form.Add<Swatch>("CanvasShape", Geometry{10, 10, 25, 25}, Swatch::Shape::Rectangle,
                                  0xFFFFFF, 0x000000);
  swatch.SetFillColour(0x102030);
  EXPECT_EQ(swatch.FillColour(), 0x102030);
  form.Show();
  QApplication::processEvents();
  const QImage shown = swatch.Widget()->grab().toImage();
  EXPECT_EQ(FromQRgb(shown.pixel(12, 12)), 0x102030);
  EXPECT_EQ(FromQRgb(shown.pixel(0, 12)), 0x000000);
}

// Radio items uncheck one another only within their own submenu and group.
TEST_F(ControlsTest, MenuRadioItemsAreExclusiveWithinTheirSubmenu) {
  MenuItem& printing = form.AddMenu("Printer1", "Printing");
  MenuItem& colour = form.AddSubmenu(printing, "Colour1", "Colour");
  MenuItem& zoom = form.AddSubmenu(printing, "Zoom1", "Zoom");
  MenuItem& mono = form.AddItem(colour, "Mono2", "Mono", 1);
  MenuItem& full = form.AddItem(colour, "FullColour1", "Full Colour", 1);
  MenuItem& z600 = form.AddItem(zoom, "N6001", "600 %", 1);
  MenuItem& z100 = form.AddItem(zoom, "N1001", "100 %", 1);
  for (MenuItem* item : {&mono, &full, &z600, &z100})
    item->onClick = [this, item, &z100] {
      calls.push_back(item->Name());
      if (item != &z100) item->SetChecked(true);
    };
  colour.onClick = [&] { calls.push_back("Colour1"); };

  full.SetChecked(true);
  z600.SetChecked(true);
  EXPECT_TRUE(full.Checked() && z600.Checked());
  mono.UserClick();
  EXPECT_TRUE(mono.Checked());
  EXPECT_FALSE(full.Checked());
  EXPECT_TRUE(z600.Checked());
  EXPECT_TRUE(mono.Action()->isChecked());
  EXPECT_FALSE(full.Action()->isChecked());

  // The handler of N1001 does not check it: Qt's own toggle must not stick.
  z100.UserClick();
  EXPECT_FALSE(z100.Checked());
  EXPECT_FALSE(z100.Action()->isChecked());
  EXPECT_TRUE(z600.Action()->isChecked());
  // Qt's trigger is the same road.
  full.Action()->trigger();
  EXPECT_TRUE(full.Checked() && !mono.Checked());
  colour.UserClick();
  EXPECT_EQ(calls, (std::vector<std::string>{"Mono2", "N1001", "FullColour1", "Colour1"}));
  EXPECT_EQ(printing.items, (std::vector<MenuItem*>{&colour, &zoom}));
  EXPECT_EQ(z100.parent, &zoom);
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

// The mouse as Qt delivers a double-click: press, release, double-click, release.
void DoubleClick(QWidget* widget, QPoint at) {
  const QPointF p(at);
  const QPointF global = widget->mapToGlobal(p);
  for (auto [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                               std::pair{QEvent::MouseButtonRelease, Qt::NoButton},
                               std::pair{QEvent::MouseButtonDblClick, Qt::LeftButton},
                               std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
    QMouseEvent event(type, p, global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  }
}

QRect SpinArrow(QSpinBox* spin, QStyle::SubControl arrow) {
  QStyleOptionSpinBox option;
  option.initFrom(spin);
  option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxEditField;
  option.buttonSymbols = spin->buttonSymbols();
  option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  option.frame = true;
  return spin->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, spin);
}

TEST_F(ControlsTest, OnlyTheNumberFieldOfASpinBoxTypesAValue) {
  auto& spin =
      form.Add<SpinBox>("SpinRed", Geometry{10, 40, 49, 22}, -128, 128, 0, FontWeight::Plain);
  spin.TypeValues("Red step per pattern:");
  form.Show();
  QApplication::processEvents();
  auto* qspin = static_cast<QSpinBox*>(spin.Widget());

  // However fast the arrows are clicked, they step.
  DoubleClick(qspin, SpinArrow(qspin, QStyle::SC_SpinBoxUp).center());
  EXPECT_EQ(spin.Value(), 2);
  DoubleClick(qspin, SpinArrow(qspin, QStyle::SC_SpinBoxDown).center());
  EXPECT_EQ(spin.Value(), 0);
  EXPECT_TRUE(prompts.log.empty());

  // The number field asks.
  QLineEdit* field = qspin->findChild<QLineEdit*>();
  ASSERT_NE(field, nullptr);
  prompts.AnswerValue(-40);
  DoubleClick(field, field->rect().center());
  EXPECT_EQ(prompts.log, (std::vector<std::string>{"input Red step per pattern: [-128..128]"}));
  EXPECT_EQ(spin.Value(), -40);
}

// Tab reaches the bars; the one with the keyboard focus is framed.
TEST_F(ControlsTest, AFocusedScrollBarShowsAFocusFrame) {
  ScrollBar& bar = Bar("ScrollBarTop", -3600, 3600, 0);
  auto& other = Bar("ScrollBarMagni", 1, 2000, 1000);
  other.Widget()->move(10, 60);
  form.Show();
  QApplication::setActiveWindow(form.Window());
  QApplication::processEvents();
  other.Widget()->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_FALSE(bar.Widget()->hasFocus());
  const QImage unfocused = bar.Widget()->grab().toImage();
  bar.Widget()->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(bar.Widget()->hasFocus());
  const QImage focused = bar.Widget()->grab().toImage();
  ASSERT_EQ(focused.size(), unfocused.size());
  // The frame runs along the bar's edges.
  int changed = 0;
  for (int x = 0; x < focused.width(); ++x) {
    if (focused.pixel(x, 0) != unfocused.pixel(x, 0)) ++changed;
  }
  EXPECT_GT(changed, focused.width() / 2);
  // And goes with the focus.
  other.Widget()->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(bar.Widget()->grab().toImage(), unfocused);
}

// The window grows by the status bar; the client area and its controls stay.
TEST_F(ControlsTest, AStatusBarKeepsTheClientAreaAsDesigned) {
  auto withMenu = [](Form& f) { f.AddItem(f.AddMenu("File1", "File"), "Open1", "Open"); };
  withMenu(form);
  form.Show();
  Form barred{"Test  Form", 400, 300, prompts};
  withMenu(barred);
  auto& box = barred.Add<ValueBox>("Points", Geometry{300, 10, 49, 21}, "8", FontWeight::Bold);
  EXPECT_EQ(barred.Status(), "");
  barred.AddStatusBar();
  barred.ShowStatus("Next Draw continues the series: top 120");
  barred.Show();
  QApplication::processEvents();
  EXPECT_EQ(barred.ClientArea()->geometry(), form.ClientArea()->geometry());
  EXPECT_EQ(barred.ClientArea()->size(), QSize(400, 300));
  EXPECT_EQ(box.Widget()->geometry(), QRect(300, 10, 49, 21));
  EXPECT_EQ(barred.Window()->minimumSize().width(), form.Window()->minimumSize().width());
  EXPECT_GT(barred.Window()->minimumSize().height(), form.Window()->minimumSize().height());
  EXPECT_EQ(barred.Status(), "Next Draw continues the series: top 120");
  barred.ShowStatus("");
  EXPECT_EQ(barred.Status(), "");
}

}  // namespace
}  // namespace ui
