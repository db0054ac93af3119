#include "ui/controls.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "core/run_time_error.h"
#include "ui/accessible_radio.h"
#include "ui/canvas.h"
#include "ui/caption_fit.h"
#include "ui/form.h"
#include "ui/palette.h"
#include "ui/translate.h"

namespace ui {

namespace {}  // namespace

namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

// Runs a handler as a plain call. The copy keeps the callable alive should
// the handler replace itself.
void Run(const Handler& handler) {
  if (!handler) return;
  Handler copy = handler;
  copy();
}

QColor ToQColor(Colour colour) {
  return QColor::fromRgb(ToQRgb(colour));
}

// A handler that opens a modal box runs a nested event loop, in which the
// auto-repeat of a held arrow would fire again: the press it repeats is
// released instead.
void StopAutoRepeat(QWidget* widget) {
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(0, 0), widget->mapToGlobal(QPointF(0, 0)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &release);
}

// Captions are shown as given; Qt's buttons would take an ampersand for a
// mnemonic mark.
QString ButtonText(const std::string& caption) {
  return ToQString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void UseBlackText(QPalette& palette) {
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Active, role, Qt::black);
    palette.setColor(QPalette::Inactive, role, Qt::black);
  }
}

// A spin box whose edit line can be reached to make it read-only.
class NoTypingSpinBox : public QSpinBox {
 public:
  NoTypingSpinBox() {
    lineEdit()->setReadOnly(true);
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    setContextMenuPolicy(Qt::NoContextMenu);
  }

  QLineEdit* Edit() const { return lineEdit(); }

  // Stepping would select the text, which nobody can edit here.
  void stepBy(int steps) override {
    QSpinBox::stepBy(steps);
    lineEdit()->deselect();
  }

 protected:
  // The arrows step by one; there is no page step.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
      event->ignore();
      return;
    }
    QSpinBox::keyPressEvent(event);
  }
};

// A bar that shows it has the keyboard focus, which styles leave to the
// widget: Tab reaches ten bars, and F2 types into the one focused.
class FocusFrameScrollBar : public QScrollBar {
 public:
  FocusFrameScrollBar() : QScrollBar(Qt::Horizontal) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    // Shown however the focus came, as a click also gives the bar its keys.
    option.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
};

// Calls `hook` for every event of the object it watches; true eats the event.
class EventHook : public QObject {
 public:
  EventHook(QObject* watched, std::function<bool(QEvent*)> hook)
      : QObject(watched), hook_(std::move(hook)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override { return hook_(event); }

 private:
  std::function<bool(QEvent*)> hook_;
};

class SwatchWidget : public QWidget {
 public:
  Swatch::Shape shape = Swatch::Shape::Rectangle;
  Colour fill = kWhite;
  Colour outline = kBlack;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setPen(QPen(ToQColor(outline), 1));
    painter.setBrush(ToQColor(fill));
    const QRect r(0, 0, width() - 1, height() - 1);
    if (shape == Swatch::Shape::RoundedRectangle) {
      const int radius = std::min(width(), height()) / 4;
      painter.setRenderHint(QPainter::Antialiasing, true);
      painter.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, 0.5, 0.5), radius, radius);
    } else {
      painter.drawRect(r);
    }
  }
};

class PaintWidget : public QWidget {
 public:
  const PaintArea* area = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (area == nullptr) return;
    QPainter painter(this);
    area->PaintOn(painter, size(), event->rect());
  }
};

}  // namespace

// ---------------------------------------------------------------- Control

Control::Control(Form& form, std::string name, QWidget* widget, Geometry geometry)
    : form_(form), name_(std::move(name)), widget_(widget), geometry_(geometry) {
  widget_->setParent(form.ClientArea());
  widget_->setObjectName(ToQString(name_));
  widget_->setGeometry(geometry.left, geometry.top, geometry.width, geometry.height);
  QFont font(QStringLiteral("Calibri"));
  font.setPixelSize(11);
  widget_->setFont(font);
  // Black text, as on a light desktop; a dark one keeps its own colours.
  QPalette palette = widget_->palette();
  if (!IsDark(palette)) {
    UseBlackText(palette);
    widget_->setPalette(palette);
  }
  widget_->setContextMenuPolicy(Qt::NoContextMenu);
  widget_->show();
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  widget_->setVisible(visible);
}

void Control::FollowPalette() {
  QPalette palette = QApplication::palette(widget_);
  if (!IsDark(palette)) UseBlackText(palette);
  // Every colour from the new palette: the client area may not have taken
  // it yet when the control asks.
  palette.setResolveMask(~QPalette::ResolveMask(0));
  widget_->setPalette(palette);
}

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  widget_->setEnabled(enabled);
}

void Control::SetToolTip(const std::string& text) {
  // A caption cut short is read whole first.
  const QString whole = WholeCaption(widget_);
  widget_->setToolTip(whole.isEmpty() ? ToQString(text)
                                      : whole + QStringLiteral("\n") + ToQString(text));
}

void Control::SetAccessibleName(const std::string& name) {
  widget_->setAccessibleName(ToQString(name));
}

bool Control::UserFocus() {
  if (!Reachable() || !(widget_->focusPolicy() & Qt::TabFocus)) return false;
  widget_->setFocus(Qt::TabFocusReason);
  return true;
}

ControlState Control::SaveState() const {
  ControlState state;
  state.visible = visible_;
  state.enabled = enabled_;
  state.left = geometry_.left;
  state.width = geometry_.width;
  return state;
}

void Control::RestoreState(const ControlState& state) {
  if (state.visible != visible_) SetVisible(state.visible);
  if (state.enabled != enabled_) SetEnabled(state.enabled);
  if (state.left != geometry_.left) SetLeft(state.left);
  if (state.width != geometry_.width) SetWidth(state.width);
}

void Control::SetLeft(int left) {
  geometry_.left = left;
  FollowPanel();
}

void Control::SetWidth(int width) {
  geometry_.width = width;
  FollowPanel();
}

void Control::Place(Geometry geometry) {
  geometry_ = geometry;
  FollowPanel();
}

void Control::FollowPanel() {
  if (placedByOwner_) return;
  widget_->setGeometry(geometry_.left + form_.PanelShift(), geometry_.top, geometry_.width,
                       geometry_.height);
}

void Control::PlaceOnScreen(Geometry place) {
  placedByOwner_ = true;
  widget_->setGeometry(place.left, place.top, place.width, place.height);
}

void Control::SetBold(bool bold) {
  QFont font = widget_->font();
  font.setBold(bold);
  widget_->setFont(font);
}

// ---------------------------------------------------------------- ValueBox

ValueBox::ValueBox(Form& form, std::string name, Geometry g, std::string text, FontWeight weight)
    : Control(form, std::move(name), new QLineEdit, g),
      edit_(static_cast<QLineEdit*>(Widget())),
      text_(std::move(text)) {
  edit_->setReadOnly(true);
  edit_->setFocusPolicy(Qt::NoFocus);
  ShowValueColours();
  SetBold(weight == FontWeight::Bold);
  SetEnabled(false);
  edit_->setText(ToQString(text_));
}

void ValueBox::UseButtonFaceBackground() {
  buttonFace_ = true;
  ShowValueColours();
}

// Disabled, yet the value stays readable: black on white (or on the button
// face), or a dark desktop's own text and field colours.
void ValueBox::ShowValueColours() {
  QPalette palette = edit_->palette();
  const bool dark = IsDark(palette);
  QColor ink = dark ? palette.color(QPalette::Active, QPalette::Text) : QColor(Qt::black);
  QColor base = dark ? palette.color(QPalette::Active, QPalette::Base) : QColor(Qt::white);
  if (buttonFace_) {
    base = palette.color(QPalette::Active, QPalette::Button);
    if (dark) ink = palette.color(QPalette::Active, QPalette::ButtonText);
  }
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Text, ink);
    palette.setColor(group, QPalette::Base, base);
  }
  edit_->setPalette(palette);
}

void ValueBox::FollowPalette() {
  Control::FollowPalette();
  ShowValueColours();
}

ControlState ValueBox::SaveState() const {
  ControlState state = Control::SaveState();
  state.text = text_;
  return state;
}

void ValueBox::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  text_ = state.text;
  QSignalBlocker block(edit_);
  edit_->setText(ToQString(text_));
}

void ValueBox::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  {
    QSignalBlocker block(edit_);
    edit_->setText(ToQString(text_));
  }
  Run(onChange);
}

// ---------------------------------------------------------------- ScrollBar

ScrollBar::ScrollBar(Form& form, std::string name, Geometry g, int min, int max, int position,
                     int smallChange, int largeChange)
    : Control(form, std::move(name), new FocusFrameScrollBar, g),
      bar_(static_cast<QScrollBar*>(Widget())),
      range_{min, max, position},
      smallChange_(smallChange),
      largeChange_(largeChange) {
  if (max < min) throw RunTimeError(kScrollBarRange);
  range_.position = std::clamp(position, min, max);
  // Home and End need the keyboard focus.
  bar_->setFocusPolicy(Qt::StrongFocus);
  SyncWidget();
  // Every user movement (arrow, track, thumb, key, wheel) ends in valueChanged;
  // program-made changes are mirrored with signals blocked and never get here.
  QObject::connect(bar_, &QScrollBar::valueChanged, bar_, [this](int value) {
    if (dispatching_) {
      StopAutoRepeat(bar_);
      SyncWidget();
      return;
    }
    dispatching_ = true;
    form_.Dispatch([this, value] { UserMoveTo(value); });
    dispatching_ = false;
    SyncWidget();
  });
}

void ScrollBar::TypeValuesInto(ValueBox& box, std::string prompt) {
  typingPrompt_ = std::move(prompt);
  typingBox_ = &box;
  new EventHook(box.Widget(), [this](QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    AskAndType();
    return true;
  });
  new EventHook(bar_, [this](QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F2) return false;
    AskAndType();
    return true;
  });
}

bool ScrollBar::AskAndType() {
  if (!Reachable()) return false;
  std::optional<int> value;
  form_.Dispatch([&] {
    value = form_.GetPrompts().AskInteger(typingPrompt_, range_.min, range_.max, range_.position);
  });
  if (!value) return false;
  UserType(*value);
  return true;
}

ControlState ScrollBar::SaveState() const {
  ControlState state = Control::SaveState();
  state.min = range_.min;
  state.max = range_.max;
  state.value = range_.position;
  return state;
}

void ScrollBar::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  range_ = {state.min, state.max, state.value};
  SyncWidget();
}

void ScrollBar::SyncWidget() {
  QSignalBlocker block(bar_);
  bar_->setRange(range_.min, range_.max);
  bar_->setSingleStep(smallChange_);
  bar_->setPageStep(largeChange_);
  bar_->setValue(range_.position);
}

void ScrollBar::SetPosition(int position) {
  if (!range_.MoveTo(position)) return;
  SyncWidget();
  Run(onChange);
}

void ScrollBar::SetMin(int min) {
  const bool moved = range_.SetMin(min);
  SyncWidget();
  if (moved) Run(onChange);
}

void ScrollBar::SetMax(int max) {
  const bool moved = range_.SetMax(max);
  SyncWidget();
  if (moved) Run(onChange);
}

void ScrollBar::UserMoveTo(int position) {
  SetPosition(position);
}

// The User* actions drive the Qt bar itself, so they take the same road as a
// mouse or a key: Qt moves the bar and the valueChanged slot dispatches.
void ScrollBar::UserArrow(int direction) {
  if (!Reachable() || direction == 0) return;
  bar_->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepAdd
                                    : QAbstractSlider::SliderSingleStepSub);
}

void ScrollBar::UserTrack(int direction) {
  if (!Reachable() || direction == 0) return;
  bar_->triggerAction(direction > 0 ? QAbstractSlider::SliderPageStepAdd
                                    : QAbstractSlider::SliderPageStepSub);
}

void ScrollBar::UserDrag(int value) {
  if (!Reachable()) return;
  bar_->setSliderDown(true);
  bar_->setSliderPosition(value);
  bar_->setSliderDown(false);
}

void ScrollBar::UserHome() {
  if (!Reachable()) return;
  bar_->triggerAction(QAbstractSlider::SliderToMinimum);
}

void ScrollBar::UserEnd() {
  if (!Reachable()) return;
  bar_->triggerAction(QAbstractSlider::SliderToMaximum);
}

// ---------------------------------------------------------------- SpinBox

SpinBox::SpinBox(Form& form, std::string name, Geometry g, int min, int max, int value,
                 FontWeight weight)
    : Control(form, std::move(name), new NoTypingSpinBox, g),
      spin_(static_cast<QSpinBox*>(Widget())),
      min_(min),
      max_(std::max(min, max)),
      value_(std::clamp(value, min_, max_)) {
  SetBold(weight == FontWeight::Bold);
  {
    QSignalBlocker block(spin_);
    spin_->setRange(min_, max_);
    spin_->setValue(value_);
  }
  QObject::connect(spin_, &QSpinBox::valueChanged, spin_, [this](int v) {
    if (dispatching_) {
      StopAutoRepeat(spin_);
    } else {
      dispatching_ = true;
      form_.Dispatch([this, v] { SetValue(v); });
      dispatching_ = false;
    }
    QSignalBlocker block(spin_);
    spin_->setValue(value_);
  });
}

std::string SpinBox::Text() const {
  return std::to_string(value_);
}

void SpinBox::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  {
    QSignalBlocker block(spin_);
    spin_->setValue(value_);
  }
  Run(onChange);
}

void SpinBox::UserStep(int direction) {
  if (!Reachable() || direction == 0) return;
  spin_->stepBy(direction > 0 ? 1 : -1);
}

void SpinBox::UserType(int value) {
  if (!Reachable()) return;
  form_.Dispatch([this, value] { SetValue(value); });
}

void SpinBox::TypeValues(std::string prompt) {
  typingPrompt_ = std::move(prompt);
  // Only the number field: a double-click on an arrow is a second step.
  new EventHook(static_cast<NoTypingSpinBox*>(spin_)->Edit(), [this](QEvent* event) {
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    AskAndType();
    return true;
  });
}

bool SpinBox::AskAndType() {
  if (!Reachable()) return false;
  std::optional<int> value;
  form_.Dispatch([&] { value = form_.GetPrompts().AskInteger(typingPrompt_, min_, max_, value_); });
  if (!value) return false;
  UserType(*value);
  return true;
}

ControlState SpinBox::SaveState() const {
  ControlState state = Control::SaveState();
  state.value = value_;
  return state;
}

void SpinBox::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  value_ = state.value;
  QSignalBlocker block(spin_);
  spin_->setValue(value_);
}

// ---------------------------------------------------------------- RadioButton

RadioButton::RadioButton(Form& form, RadioGroup& group, std::string name, Geometry g,
                         std::string caption, bool checked)
    : Control(form, std::move(name), new QRadioButton, g),
      group_(group),
      radio_(static_cast<QRadioButton*>(Widget())),
      checked_(checked) {
  // Exclusiveness is ours, so that the program's checks follow the same rule.
  radio_->setAutoExclusive(false);
  // Before anything asks for the button's accessible interface, which Qt keeps.
  InstallRadioButtonAccessibility();
  // The indicator and its spacing take the left of the button.
  const int indicator =
      radio_->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio_) +
      radio_->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio_);
  radio_->setText(ButtonText(FitCaption(radio_, caption, g.width - indicator).toStdString()));
  Show(checked_);
  group_.Add(this);
  QObject::connect(radio_, &QRadioButton::clicked, radio_, [this] {
    form_.Dispatch([this] { SetChecked(true); });
    // Qt toggled the button on its own; show our state again.
    for (RadioButton* button : group_.Buttons()) button->Show(button->checked_);
  });
}

void RadioButton::Show(bool checked) {
  checked_ = checked;
  QSignalBlocker block(radio_);
  radio_->setChecked(checked);
}

void RadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  if (!checked) {
    Show(false);
    return;
  }
  for (RadioButton* other : group_.Buttons())
    if (other != this && other->checked_) other->Show(false);
  Show(true);
  Run(onClick);
}

void RadioButton::UserClick() {
  if (!Reachable()) return;
  radio_->click();
}

ControlState RadioButton::SaveState() const {
  ControlState state = Control::SaveState();
  state.checked = checked_;
  return state;
}

void RadioButton::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  Show(state.checked);
}

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(Form& form, std::string name, Geometry g, std::string caption, bool checked)
    : Control(form, std::move(name), new QCheckBox, g),
      box_(static_cast<QCheckBox*>(Widget())),
      checked_(checked) {
  // The caption stands left of the box. The marks keep a caption ending in
  // punctuation in its left-to-right order.
  box_->setLayoutDirection(Qt::RightToLeft);
  const int indicator = box_->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box_) +
                        box_->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box_);
  const QString shown = FitCaption(box_, caption, g.width - indicator);
  box_->setText(QChar(0x200E) + ButtonText(shown.toStdString()) + QChar(0x200E));
  SetChecked(checked_);
  QObject::connect(box_, &QCheckBox::clicked, box_, [this] {
    form_.Dispatch([this] { SetChecked(!checked_); });
    SetChecked(checked_);
  });
}

void CheckBox::SetChecked(bool checked) {
  checked_ = checked;
  QSignalBlocker block(box_);
  box_->setChecked(checked);
}

void CheckBox::UserClick() {
  if (!Reachable()) return;
  box_->click();
}

ControlState CheckBox::SaveState() const {
  ControlState state = Control::SaveState();
  state.checked = checked_;
  return state;
}

void CheckBox::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  SetChecked(state.checked);
}

// ---------------------------------------------------------------- ChoiceBox

ChoiceBox::ChoiceBox(Form& form, std::string name, Geometry g, std::vector<std::string> items,
                     int index)
    : Control(form, std::move(name), new QComboBox, g),
      combo_(static_cast<QComboBox*>(Widget())),
      items_(std::move(items)),
      index_(index) {
  for (const std::string& item : items_) combo_->addItem(Translated(kPanelContext, item));
  Show(index_);
  QObject::connect(combo_, &QComboBox::activated, combo_, [this](int chosen) {
    form_.Dispatch([this, chosen] { SetIndex(chosen); });
    // Qt shows the pick on its own; show what the handlers left.
    Show(index_);
  });
}

void ChoiceBox::Show(int index) {
  index_ = index;
  QSignalBlocker block(combo_);
  combo_->setCurrentIndex(index);
}

void ChoiceBox::SetIndex(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size()) || index == index_) return;
  Show(index);
  Run(onChange);
}

void ChoiceBox::UserChoose(int index) {
  if (!Reachable()) return;
  form_.Dispatch([this, index] { SetIndex(index); });
}

ControlState ChoiceBox::SaveState() const {
  ControlState state = Control::SaveState();
  state.value = index_;
  return state;
}

void ChoiceBox::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  Show(state.value);
}

// ---------------------------------------------------------------- Button

Button::Button(Form& form, std::string name, Geometry g, std::string caption, FontWeight weight)
    : Control(form, std::move(name), new QPushButton, g), caption_(std::move(caption)) {
  auto* button = static_cast<QPushButton*>(Widget());
  button->setAutoDefault(false);
  SetBold(weight == FontWeight::Bold);
  ShowCaption();
  QObject::connect(button, &QPushButton::clicked, button, [this] { form_.Dispatch(onClick); });
}

void Button::SetCaption(const std::string& caption) {
  caption_ = caption;
  ShowCaption();
}

void Button::ShowCaption() {
  auto* button = static_cast<QPushButton*>(Widget());
  const QStyle* style = button->style();
  int chrome = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
  if (!button->icon().isNull()) chrome += button->iconSize().width() + 4;
  const QString shown = FitCaption(button, caption_, Width() - chrome);
  // QPushButton takes an ampersand for a mnemonic mark: doubled, it shows.
  button->setText(QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void Button::ShowCloseGlyph() {
  auto* button = static_cast<QPushButton*>(Widget());
  button->setIcon(button->style()->standardIcon(QStyle::SP_DialogCloseButton));
  button->setLayoutDirection(Qt::RightToLeft);
  ShowCaption();
}

void Button::UserClick() {
  if (!Reachable()) return;
  static_cast<QPushButton*>(Widget())->click();
}

// ---------------------------------------------------------------- Label

Label::Label(Form& form, std::string name, int left, int top, std::string caption,
             FontWeight weight)
    : Control(form, std::move(name), new QLabel, Geometry{left, top, 0, 0}),
      caption_(std::move(caption)) {
  auto* label = static_cast<QLabel*>(Widget());
  label->setTextFormat(Qt::PlainText);
  label->setText(Translated(kPanelContext, caption_));
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  SetBold(weight == FontWeight::Bold);
  const QSize size = label->sizeHint();
  Place(Geometry{left, top, size.width(), size.height()});
}

void Label::FitWithin(int room) {
  auto* label = static_cast<QLabel*>(Widget());
  label->setText(FitCaption(label, caption_, room));
  const QSize size = label->sizeHint();
  const int width = WholeCaption(label).isEmpty() ? size.width() : std::min(size.width(), room);
  Place(Geometry{Left(), Top(), width, size.height()});
  // A label its owner placed keeps its place on screen, and takes the width.
  label->resize(width, size.height());
}

void Label::Labels(Control& control) {
  static_cast<QLabel*>(Widget())->setBuddy(control.Widget());
}

// ---------------------------------------------------------------- Frame

Frame::Frame(Form& form, std::string name, Geometry g)
    : Control(form, std::move(name), new QFrame, g) {
  auto* frame = static_cast<QFrame*>(Widget());
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame->setLineWidth(1);
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  // A bevel lies beneath the controls it groups.
  frame->lower();
}

// ---------------------------------------------------------------- Swatch

Swatch::Swatch(Form& form, std::string name, Geometry g, Shape shape, Colour fill, Colour outline)
    : Control(form, std::move(name), new SwatchWidget, g),
      shape_(shape),
      fill_(fill),
      outline_(outline) {
  auto* widget = static_cast<SwatchWidget*>(Widget());
  widget->shape = shape_;
  widget->fill = fill_;
  widget->outline = outline_;
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Swatch::SetFillColour(Colour colour) {
  fill_ = colour;
  static_cast<SwatchWidget*>(Widget())->fill = colour;
  Widget()->update();
}

void Swatch::SetOutlineColour(Colour colour) {
  outline_ = colour;
  static_cast<SwatchWidget*>(Widget())->outline = colour;
  Widget()->update();
}

ControlState Swatch::SaveState() const {
  ControlState state = Control::SaveState();
  state.fill = fill_;
  state.outline = outline_;
  return state;
}

void Swatch::RestoreState(const ControlState& state) {
  Control::RestoreState(state);
  SetFillColour(state.fill);
  SetOutlineColour(state.outline);
}

// ---------------------------------------------------------------- PaintArea

PaintArea::PaintArea(Form& form, std::string name, Geometry g)
    : PaintArea(form, std::move(name), g, new PaintWidget) {
  auto* widget = static_cast<PaintWidget*>(Widget());
  widget->area = this;
  widget->setAttribute(Qt::WA_OpaquePaintEvent);
}

PaintArea::PaintArea(Form& form, std::string name, Geometry g, QWidget* widget)
    : Control(form, std::move(name), widget, g),
      canvas_(new ImageCanvas(g.width, g.height, kWhite)) {}

// The form deletes its window, and with it the widget, before its controls.
PaintArea::~PaintArea() {
  delete canvas_;
}

void PaintArea::Repaint() {
  Widget()->update();
}

void PaintArea::ShowProgress() {
  Widget()->repaint();
}

void PaintArea::ShowNote(const std::string& text) {
  if (note_ == nullptr) {
    if (text.empty()) return;
    note_ = new QLabel(Widget());
    note_->setStyleSheet(QStringLiteral(
        "QLabel { background: rgba(40, 40, 40, 190); color: white; padding: 4px 8px; "
        "border-radius: 4px; }"));
    note_->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  note_->setText(ToQString(TranslatedMessage(text)));
  note_->adjustSize();
  PlaceNote();
  note_->setVisible(!text.empty());
}

void PaintArea::PlaceNote() {
  if (note_ == nullptr) return;
  const QSize shown = ShownSize();
  note_->move((shown.width() - note_->width()) / 2, shown.height() - note_->height() - 10);
}

std::string PaintArea::Note() const {
  return note_ != nullptr && !note_->isHidden() ? note_->text().toStdString() : "";
}

void PaintArea::SetOverlay(Overlay overlay) {
  overlay_ = std::move(overlay);
  Repaint();
}

QSize PaintArea::ShownSize() const {
  return {Width(), Height()};
}

// The canvas's pixels as they are, then the overlay over them in vectors.
void PaintArea::PaintOn(QPainter& painter, const QSize& shown, const QRect& dirty) const {
  painter.drawImage(dirty, canvas_->Image(), dirty);
  if (!overlay_) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double scale = static_cast<double>(shown.width()) / canvas_->Width();
  painter.scale(scale, scale);
  // Nothing may cross back into Qt: an overlay that fails is left unfinished.
  try {
    overlay_(painter, scale);
  } catch (...) {
  }
  painter.restore();
}

QImage PaintArea::Grab(double devicePixelRatio) const {
  const QSize size = ShownSize();
  QImage image(size * devicePixelRatio, QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  QPainter painter(&image);
  PaintOn(painter, size, QRect(QPoint(0, 0), size));
  return image;
}

// ---------------------------------------------------------------- MenuItem

MenuItem::MenuItem(Form& form, std::string name, std::string caption, QAction* action,
                   int radioGroup)
    : form_(form),
      name_(std::move(name)),
      caption_(std::move(caption)),
      action_(action),
      radioGroup_(radioGroup) {
  action_->setObjectName(ToQString(name_));
  if (IsRadio()) action_->setCheckable(true);
}

void MenuItem::SetChecked(bool checked) {
  if (checked && IsRadio() && parent != nullptr) {
    for (MenuItem* other : parent->items) {
      if (other != this && other->radioGroup_ == radioGroup_ && other->checked_) {
        other->checked_ = false;
        other->Mirror();
      }
    }
  }
  checked_ = checked;
  Mirror();
}

void MenuItem::Mirror() {
  if (checked_ && !action_->isCheckable()) action_->setCheckable(true);
  // Only `triggered` is connected, which setChecked never emits; the action
  // group's own bookkeeping must see the change, so signals stay on.
  action_->setChecked(checked_);
}

void MenuItem::Activate() {
  form_.Dispatch(onClick);
  // Qt toggles a checkable action before it reports the trigger: the check
  // marks are ours, whatever the handler did.
  if (parent != nullptr) {
    for (MenuItem* item : parent->items) item->Mirror();
  } else {
    Mirror();
  }
}

void MenuItem::SetCheckable(bool checkable) {
  action_->setCheckable(checkable);
}

bool MenuItem::IsToggle() const {
  return !IsRadio() && action_->isCheckable() && action_->menu() == nullptr;
}

bool MenuItem::Enabled() const {
  return action_->isEnabled();
}

void MenuItem::SetEnabled(bool enabled) {
  action_->setEnabled(enabled);
}

void MenuItem::SetShortcuts(const std::vector<std::string>& keys) {
  QList<QKeySequence> sequences;
  for (const std::string& k : keys) sequences.push_back(QKeySequence(ToQString(k)));
  action_->setShortcuts(sequences);
}

void MenuItem::SetMenuText(const std::string& text) {
  action_->setText(Translated(kMenuContext, text));
}

void MenuItem::SetToolTip(const std::string& text) {
  action_->setToolTip(ToQString(text));
}

bool MenuItem::Visible() const {
  return action_->isVisible();
}

void MenuItem::SetVisible(bool visible) {
  action_->setVisible(visible);
}

void MenuItem::UserClick() {
  if (!action_->isEnabled() || !action_->isVisible()) return;
  if (action_->menu() == nullptr) {
    action_->trigger();
  } else {
    // A submenu reports its click as it opens.
    Activate();
  }
}

}  // namespace ui
