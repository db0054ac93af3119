#include "tools/accessibility_listing.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QMetaEnum>
#include <QWidget>
#include <ostream>
#include <string>

#include "ui/controls.h"
#include "ui/form.h"

namespace {

// A menu item is a child of the menu or menu bar that shows its action.
QAccessibleInterface* MenuItemInterface(const QAction* action) {
  for (QObject* shownIn : action->associatedObjects()) {
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(shownIn);
    if (menu == nullptr) continue;
    for (int i = 0; i < menu->childCount(); ++i) {
      QAccessibleInterface* child = menu->child(i);
      if (child != nullptr && child->object() == action) return child;
    }
  }
  return nullptr;
}

std::string Quoted(const QString& text) {
  std::string quoted = "\"";
  for (char c : text.toStdString()) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

void ListOne(const std::string& name, QAccessibleInterface* iface, std::ostream& out) {
  if (iface == nullptr) {
    out << name << " role=NoRole name=\"\" focus=0\n";
    return;
  }
  const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
  // The arrow keys of an open menu reach every enabled item, though Qt does
  // not call a menu item focusable.
  const QAccessible::State state = iface->state();
  const bool focus = (state.focusable || iface->role() == QAccessible::MenuItem) && !state.disabled;
  out << name << " role=" << (role != nullptr ? role : "NoRole")
      << " name=" << Quoted(iface->text(QAccessible::Name)) << " focus=" << (focus ? 1 : 0) << '\n';
}

}  // namespace

void ListAccessibility(const ui::Form& form, std::ostream& out) {
  // Accessibility is off until a screen reader asks for it; the listing is one.
  QAccessible::setActive(true);
  for (const ui::Control* c : form.Controls())
    ListOne(c->Name(), QAccessible::queryAccessibleInterface(c->Widget()), out);
  for (const ui::MenuItem* item : form.MenuItems())
    ListOne(item->Name(), MenuItemInterface(item->Action()), out);
}
