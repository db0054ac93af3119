#pragma once
#include <stdexcept>
#include <string>

#include "ui/controls.h"
#include "ui/form.h"
#include "window/main_window.h"

// Finds the window's controls and menu items by layout name, as korva-batch
// scripts do. A missing name or a control of another kind is a test bug.
class ControlsByName {
 public:
  // The window may still be under construction: it is only asked later.
  explicit ControlsByName(MainWindow& window) : window_(window) {}

  ui::Button* button(const std::string& name) const { return Get<ui::Button>(name); }
  ui::ScrollBar* bar(const std::string& name) const { return Get<ui::ScrollBar>(name); }
  ui::ValueBox* box(const std::string& name) const { return Get<ui::ValueBox>(name); }
  ui::SpinBox* spin(const std::string& name) const { return Get<ui::SpinBox>(name); }
  ui::RadioButton* radio(const std::string& name) const { return Get<ui::RadioButton>(name); }
  ui::CheckBox* checkBox(const std::string& name) const { return Get<ui::CheckBox>(name); }
  ui::Label* label(const std::string& name) const { return Get<ui::Label>(name); }
  ui::Swatch* swatch(const std::string& name) const { return Get<ui::Swatch>(name); }
  ui::MenuItem* menuItem(const std::string& name) const {
    ui::MenuItem* item = window_.form().FindMenuItem(name);
    if (item == nullptr) throw std::logic_error("no menu item " + name);
    return item;
  }

 private:
  template <class C>
  C* Get(const std::string& name) const {
    auto* control = dynamic_cast<C*>(window_.form().Find(name));
    if (control == nullptr) throw std::logic_error("no control of that kind named " + name);
    return control;
  }

  MainWindow& window_;
};
