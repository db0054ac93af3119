#pragma once
#include <algorithm>
#include <functional>
#include <string>

#include "core/colour.h"
#include "core/run_time_error.h"

// The panel's value controls as the panel's rules see them. The window's
// widgets and the plain stand-ins a preview works with implement them alike,
// so that one set of rules decides what both do.

inline constexpr const char* kScrollBarRange = "Scrollbar property out of range";

// A bar's range and position. Each change tells whether the position moved,
// which is when the bar's handler runs.
struct BarRange {
  int min = 0;
  int max = 100;
  int position = 0;
  bool operator==(const BarRange&) const = default;

  // The position is limited to [min, max].
  bool MoveTo(int to) {
    to = std::clamp(to, min, max);
    if (to == position) return false;
    position = to;
    return true;
  }
  // A maximum below the minimum fails and changes nothing; otherwise the
  // position is limited into the new range.
  bool SetMin(int to) {
    if (max < to) throw RunTimeError(kScrollBarRange);
    min = to;
    if (position >= min) return false;
    position = min;
    return true;
  }
  bool SetMax(int to) {
    if (to < min) throw RunTimeError(kScrollBarRange);
    max = to;
    if (position <= max) return false;
    position = max;
    return true;
  }
};

using ControlHandler = std::function<void()>;

// A bar runs its handler, before returning, whenever its position moves.
class BarControl {
 public:
  virtual ~BarControl() = default;
  virtual const BarRange& Range() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual void SetMin(int min) = 0;
  virtual void SetMax(int max) = 0;
  virtual void SetHandler(ControlHandler handler) = 0;
};

// A value box runs its handler, before returning, whenever its text changes.
class BoxControl {
 public:
  virtual ~BoxControl() = default;
  virtual const std::string& Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetHandler(ControlHandler handler) = 0;
};

// One of a group of mode buttons. Checking it unchecks the others and runs
// its handler; unchecking it runs nothing.
class ModeControl {
 public:
  virtual ~ModeControl() = default;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;
  virtual void SetHandler(ControlHandler handler) = 0;
};

// A choice of one item from a fixed list, by index. Choosing another item
// runs the handler before returning.
class ChoiceControl {
 public:
  virtual ~ChoiceControl() = default;
  virtual int Index() const = 0;
  virtual void SetIndex(int index) = 0;
  virtual void SetHandler(ControlHandler handler) = 0;
};

// The swatch that shows the pen colour.
class ColourControl {
 public:
  virtual ~ColourControl() = default;
  virtual Colour FillColour() const = 0;
  virtual void SetFillColour(Colour colour) = 0;
};
