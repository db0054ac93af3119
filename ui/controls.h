#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/colour.h"
#include "core/value_controls.h"

class QWidget;
class QLineEdit;
class QScrollBar;
class QSpinBox;
class QRadioButton;
class QCheckBox;
class QComboBox;
class QPushButton;
class QLabel;
class QAction;
class QMenu;
class QPainter;
class QImage;
class QRect;
class QSize;

namespace ui {

class Form;
class ImageCanvas;

// A change or click handler of the main window. Program-made changes call it
// directly, nested inside the caller; user input reaches it through the
// form's dispatcher.
using Handler = std::function<void()>;

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

enum class FontWeight { Plain, Bold };

// What a control shows, kept to be put back later without running a handler.
struct ControlState {
  bool visible = true;
  bool enabled = true;
  int left = 0;
  int width = 0;
  std::string text;
  int min = 0, max = 0, value = 0;
  bool checked = false;
  Colour fill = 0, outline = 0;
  bool operator==(const ControlState&) const = default;
};

// A control of the main window, known by its layout name.
class Control {
 public:
  Control(Form& form, std::string name, QWidget* widget, Geometry geometry);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Left() const { return geometry_.left; }
  void SetLeft(int left);
  int Top() const { return geometry_.top; }
  int Width() const { return geometry_.width; }
  void SetWidth(int width);
  int Height() const { return geometry_.height; }
  QWidget* Widget() const { return widget_; }

  // Whether user input can reach the control (visible and enabled).
  bool Reachable() const { return visible_ && enabled_; }

  // Screen readers also speak the tooltip, as the control's description.
  void SetToolTip(const std::string& text);
  // What a screen reader calls the control.
  void SetAccessibleName(const std::string& name);
  // Gives the control the keyboard focus, as Tab would; false when it takes
  // none (hidden, disabled, or never reached by Tab).
  bool UserFocus();

  // Takes the application's palette again, after the desktop's theme changed.
  virtual void FollowPalette();

  virtual ControlState SaveState() const;
  // Shows the saved state again; no handler runs.
  virtual void RestoreState(const ControlState& state);

  // Shows the control at `place` in the client area, wherever its layout
  // geometry (which Left, Width and the saved states keep) says; from then on
  // its owner places it, and it no longer follows the panel.
  virtual void PlaceOnScreen(Geometry place);
  // Puts the widget where its layout geometry says, moved right with the
  // panel by the form's panel shift.
  void FollowPanel();

 protected:
  void Place(Geometry geometry);
  void SetBold(bool bold);

  Form& form_;

 private:
  std::string name_;
  QWidget* widget_;
  Geometry geometry_;
  bool visible_ = true;
  bool enabled_ = true;
  bool placedByOwner_ = false;
};

// A disabled edit box that only displays a value.
class ValueBox : public Control, public BoxControl {
 public:
  ValueBox(Form& form, std::string name, Geometry g, std::string text, FontWeight weight);
  const std::string& Text() const override { return text_; }
  // Runs onChange, before returning, if and only if the text differs.
  void SetText(const std::string& text) override;
  Handler onChange;
  void SetHandler(ControlHandler handler) override { onChange = std::move(handler); }
  // The box is white; this gives it the system's button-face colour instead.
  void UseButtonFaceBackground();
  void FollowPalette() override;
  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  void ShowValueColours();

  QLineEdit* edit_;
  std::string text_;
  bool buttonFace_ = false;
};

// A horizontal scroll bar with an integer position in [Min, Max].
class ScrollBar : public Control, public BarControl {
 public:
  ScrollBar(Form& form, std::string name, Geometry g, int min, int max, int position,
            int smallChange = 1, int largeChange = 10);
  int Min() const { return range_.min; }
  int Max() const { return range_.max; }
  int Position() const { return range_.position; }
  const BarRange& Range() const override { return range_; }
  // The position is limited to [Min, Max]; onChange runs when it moves.
  void SetPosition(int position) override;
  // Max below Min fails with "Scrollbar property out of range" and changes
  // nothing; otherwise the position is limited into the new range.
  void SetMin(int min) override;
  void SetMax(int max) override;
  Handler onChange;
  void SetHandler(ControlHandler handler) override { onChange = std::move(handler); }

  // User input, through the dispatcher.
  void UserArrow(int direction);  // +1 right arrow, -1 left arrow
  void UserTrack(int direction);  // a click in the track right or left of the thumb
  void UserDrag(int value);       // the thumb dragged to a value
  void UserHome();
  void UserEnd();
  // A value typed in: the thumb goes there as a drag would take it.
  void UserType(int value) { UserDrag(value); }
  // Double-clicking `box`, or F2 on the bar, asks for a value to type in.
  void TypeValuesInto(ValueBox& box, std::string prompt);
  const ValueBox* TypingBox() const { return typingBox_; }
  // Asks for a value in the bar's range and types it in; false when cancelled.
  bool AskAndType();

  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  void SyncWidget();
  void UserMoveTo(int position);

  QScrollBar* bar_;
  BarRange range_;
  int smallChange_, largeChange_;
  bool dispatching_ = false;
  std::string typingPrompt_;
  const ValueBox* typingBox_ = nullptr;
};

// A spin box whose value changes only through its arrows.
class SpinBox : public Control {
 public:
  SpinBox(Form& form, std::string name, Geometry g, int min, int max, int value, FontWeight weight);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Value() const { return value_; }
  std::string Text() const;
  // Limited to the range; onChange runs when the text changes.
  void SetValue(int value);
  Handler onChange;

  void UserStep(int direction);  // +1 up arrow, -1 down arrow
  // A value typed in: the handler runs once, with the value limited to the range.
  void UserType(int value);
  // Double-clicking the number field asks for a value to type in; the arrows
  // only ever step.
  void TypeValues(std::string prompt);
  bool AskAndType();

  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  QSpinBox* spin_;
  int min_, max_, value_;
  bool dispatching_ = false;
  std::string typingPrompt_;
};

class RadioGroup;

// One of a group of radio buttons: checking the unchecked one from the user or
// the program unchecks the others and then runs its onClick.
class RadioButton : public Control, public ModeControl {
 public:
  RadioButton(Form& form, RadioGroup& group, std::string name, Geometry g, std::string caption,
              bool checked);
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override;
  Handler onClick;
  void SetHandler(ControlHandler handler) override { onClick = std::move(handler); }

  void UserClick();
  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  friend class RadioGroup;
  void Show(bool checked);

  RadioGroup& group_;
  QRadioButton* radio_;
  bool checked_;
};

class RadioGroup {
 public:
  void Add(RadioButton* button) { buttons_.push_back(button); }
  const std::vector<RadioButton*>& Buttons() const { return buttons_; }

 private:
  std::vector<RadioButton*> buttons_;
};

// A check box with its caption on the left; it has no handler.
class CheckBox : public Control {
 public:
  CheckBox(Form& form, std::string name, Geometry g, std::string caption, bool checked);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void UserClick();
  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  QCheckBox* box_;
  bool checked_;
};

// A drop-down list of fixed items, one of them chosen.
class ChoiceBox : public Control, public ChoiceControl {
 public:
  ChoiceBox(Form& form, std::string name, Geometry g, std::vector<std::string> items, int index);
  const std::vector<std::string>& Items() const { return items_; }
  int Index() const override { return index_; }
  const std::string& Text() const { return items_[static_cast<size_t>(index_)]; }
  // An index outside the list is ignored; onChange runs when the choice changes.
  void SetIndex(int index) override;
  Handler onChange;
  void SetHandler(ControlHandler handler) override { onChange = std::move(handler); }

  // The user picks an item, through the dispatcher.
  void UserChoose(int index);
  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  void Show(int index);

  QComboBox* combo_;
  std::vector<std::string> items_;
  int index_;
};

class Button : public Control {
 public:
  Button(Form& form, std::string name, Geometry g, std::string caption, FontWeight weight);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // Shows the platform's close glyph to the right of the caption.
  void ShowCloseGlyph();
  Handler onClick;
  void UserClick();

 private:
  // Shows the caption in the user's language, cut short if the button is too narrow.
  void ShowCaption();

  std::string caption_;
};

class Label : public Control {
 public:
  Label(Form& form, std::string name, int left, int top, std::string caption, FontWeight weight);
  const std::string& Caption() const { return caption_; }
  // Keeps the label within `room` pixels, cutting its text short if need be.
  void FitWithin(int room);
  // The control the label names: screen readers hear the label with it.
  void Labels(Control& control);

 private:
  std::string caption_;
};

// A lowered frame around a group of controls.
class Frame : public Control {
 public:
  Frame(Form& form, std::string name, Geometry g);
};

// A colour swatch: a filled shape with an outline.
class Swatch : public Control, public ColourControl {
 public:
  enum class Shape { Rectangle, RoundedRectangle };
  Swatch(Form& form, std::string name, Geometry g, Shape shape, Colour fill, Colour outline);
  Colour FillColour() const override { return fill_; }
  void SetFillColour(Colour colour) override;
  Colour OutlineColour() const { return outline_; }
  void SetOutlineColour(Colour colour);
  ControlState SaveState() const override;
  void RestoreState(const ControlState& state) override;

 private:
  Shape shape_;
  Colour fill_, outline_;
};

// A paint area showing a retained image canvas as it is.
class PaintArea : public Control {
 public:
  PaintArea(Form& form, std::string name, Geometry g);
  ~PaintArea() override;
  ImageCanvas& Canvas() { return *canvas_; }
  const ImageCanvas& Canvas() const { return *canvas_; }
  // Schedules a repaint from the canvas.
  virtual void Repaint();
  // Shows at once what a long command has drawn so far.
  virtual void ShowProgress();
  // A line of text shown over the bottom of the area, never drawn into the
  // canvas; empty hides it.
  void ShowNote(const std::string& text);
  std::string Note() const;

  // Painted above the canvas each time the area is shown, never into it,
  // with antialiasing and scaled so that 1 unit is 1 canvas pixel: on a
  // high-DPI screen its lines are drawn at the screen's own resolution.
  // `scale` is screen pixels per unit, for sizes meant on screen.
  using Overlay = std::function<void(QPainter& painter, double scale)>;
  // An empty overlay removes it. Repaints.
  void SetOverlay(Overlay overlay);
  bool HasOverlay() const { return static_cast<bool>(overlay_); }
  // What the area shows, canvas and overlay, as the screen would at
  // `devicePixelRatio` device pixels to a screen pixel.
  QImage Grab(double devicePixelRatio = 1.0) const;

  // Paints what the area shows, `shown` screen pixels, within `dirty`.
  virtual void PaintOn(QPainter& painter, const QSize& shown, const QRect& dirty) const;
  // The size the area is shown at, in screen pixels.
  virtual QSize ShownSize() const;

 protected:
  // An area shown by a widget of its own, which calls PaintOn.
  PaintArea(Form& form, std::string name, Geometry g, QWidget* widget);
  const Overlay& CurrentOverlay() const { return overlay_; }
  // Keeps the note at the bottom of the area as shown.
  void PlaceNote();

 private:
  ImageCanvas* canvas_;
  QLabel* note_ = nullptr;
  Overlay overlay_;
};

// An item of the main menu, or a submenu when it has items of its own.
class MenuItem {
 public:
  MenuItem(Form& form, std::string name, std::string caption, QAction* action, int radioGroup);
  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the other items of its group.
  void SetChecked(bool checked);
  bool IsRadio() const { return radioGroup_ != 0; }
  QAction* Action() const { return action_; }
  // A check item that is not one of a radio group.
  void SetCheckable(bool checkable);
  bool IsToggle() const;
  // A choice of how the window shows things, which Edit > Undo and a
  // stopped command leave as it is.
  void SetOutsideHistory(bool outside) { outsideHistory_ = outside; }
  bool OutsideHistory() const { return outsideHistory_; }
  // Greyed out when disabled; a click then does nothing.
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Shortcuts such as "Ctrl+Z", the first shown in the menu.
  void SetShortcuts(const std::vector<std::string>& keys);
  // The caption as the menu shows it, with an '&' before the Alt key's letter.
  void SetMenuText(const std::string& text);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetToolTip(const std::string& text);
  Handler onClick;
  void UserClick();

  std::vector<MenuItem*> items;  // submenu items, in order
  MenuItem* parent = nullptr;

 private:
  friend class Form;
  // The one path of a user's click, from Qt or from UserClick.
  void Activate();
  void Mirror();

  Form& form_;
  std::string name_, caption_;
  QAction* action_;
  int radioGroup_;
  bool checked_ = false;
  bool outsideHistory_ = false;
};

}  // namespace ui
