#pragma once
#include <iosfwd>

namespace ui {
class Form;
}

// One line per control, then per menu item, shown or not, as a screen reader
// finds it: NAME role=ROLE name="ACCESSIBLE NAME" focus=0|1, where focus=1
// means it takes the keyboard focus while shown.
void ListAccessibility(const ui::Form& form, std::ostream& out);
