#pragma once
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/prompts.h"

class QWidget;
class QMenuBar;
class QLabel;
class QStatusBar;
class QActionGroup;

namespace ui {

// Everything the controls and menu items show, in creation order.
struct FormState {
  std::vector<ControlState> controls;
  std::vector<bool> checkedItems;
  bool operator==(const FormState&) const = default;
};

// The main window: a client area of fixed-position controls and a main menu.
// It owns its controls, finds them by layout name, and runs every user input
// through one dispatcher.
class Form {
 public:
  Form(std::string caption, int clientWidth, int clientHeight, Prompts& prompts);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates a control owned by the form and registers it under its name.
  template <class C, class... Args>
  C& Add(Args&&... args) {
    auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
    C& ref = *control;
    Register(std::move(control));
    return ref;
  }

  // A top-level menu, or a submenu of `parent`. Radio items share a group
  // number (0 for a plain command) and uncheck one another within one submenu.
  MenuItem& AddMenu(std::string name, std::string caption);
  MenuItem& AddItem(MenuItem& menu, std::string name, std::string caption, int radioGroup = 0);
  MenuItem& AddSubmenu(MenuItem& menu, std::string name, std::string caption);

  Control* Find(const std::string& name) const;
  MenuItem* FindMenuItem(const std::string& name) const;
  const std::vector<Control*>& Controls() const { return order_; }
  const std::vector<MenuItem*>& MenuItems() const { return menuOrder_; }

  // Runs the handler of one user input. A run-time error (or any other
  // exception) stops it and is shown in the standard error box; then every
  // paint area shows its canvas again.
  void Dispatch(const Handler& handler);
  Prompts& GetPrompts() { return prompts_; }

  // A keyboard shortcut of the whole window, such as "Ctrl+D"; its handler
  // runs through the dispatcher.
  void AddShortcut(const std::vector<std::string>& keys, Handler handler);

  FormState SaveState() const;
  // Shows a saved state again without running any handler.
  void RestoreState(const FormState& state);

  // Asked, through the dispatcher, before the window closes from Exit or the
  // title bar; false keeps it open. The window closes when it is unset.
  std::function<bool()> canClose;
  // Runs after every user input has been handled, to follow the panel.
  std::function<void()> afterInput;
  bool Closed() const { return closed_; }

  void Move(int left, int top);
  // Resizes the window to `width` x `height` screen pixels, menu and status
  // bar included (never below its minimum size, whatever the screen), and
  // lays the client area out at once.
  void Resize(int width, int height);
  // How far the panel has moved right of its designed place: the extra
  // width of the client area. Controls keep their designed geometry.
  int PanelShift() const { return panelShift_; }
  // Places what does not follow the panel, once the client area has taken
  // its new width and height.
  std::function<void(int width, int height)> onResize;
  void Show();
  void Close();
  std::string Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // A status bar below the client area, which keeps its designed size and
  // its controls their places: the window grows by the bar's height. What
  // the bar says is never part of a picture.
  void AddStatusBar();
  // Empty clears it.
  void ShowStatus(const std::string& text);
  std::string Status() const;
  // A second field at the bar's right end, for how the picture is shown
  // (its zoom); kept apart from the status above.
  void ShowViewStatus(const std::string& text);
  std::string ViewStatus() const;

  QWidget* Window() const { return window_; }
  QWidget* ClientArea() const { return client_; }

  // Shows a busy cursor while a long command runs.
  class BusyCursor {
   public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

   private:
    bool active_ = false;
  };

 private:
  // Asks canClose before the window closes.
  class CloseGuard : public QObject {
   public:
    CloseGuard(Form& form, QObject* parent) : QObject(parent), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    Form& form_;
  };
  // Lays the client area out again whenever it is resized.
  class ResizeWatch : public QObject {
   public:
    ResizeWatch(Form& form, QObject* parent) : QObject(parent), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    Form& form_;
  };

  // Gives the controls the desktop's new palette.
  class PaletteWatch : public QObject {
   public:
    PaletteWatch(Form& form, QObject* parent) : QObject(parent), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    Form& form_;
  };

  void Relayout();
  void Register(std::unique_ptr<Control> control);
  MenuItem& RegisterItem(std::unique_ptr<MenuItem> item, MenuItem* parent);
  // Sizes the window so that the client area below the menu bar has its
  // designed size.
  void FitClient();

  std::string caption_;
  int clientWidth_, clientHeight_;
  Prompts& prompts_;
  QWidget* window_;
  QWidget* client_;
  QMenuBar* menuBar_;
  QStatusBar* statusBar_ = nullptr;
  QLabel* statusText_ = nullptr;
  QLabel* viewStatus_ = nullptr;
  int panelShift_ = 0;
  bool resized_ = false;  // by Resize, which Show keeps
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> order_;
  std::map<std::string, Control*> byName_;
  std::vector<std::unique_ptr<MenuItem>> menuItems_;
  std::vector<MenuItem*> menuOrder_;
  std::map<std::string, MenuItem*> menuByName_;
  std::map<MenuItem*, QMenu*> menus_;
  std::map<std::pair<QMenu*, int>, QActionGroup*> radioGroups_;
  std::vector<PaintArea*> paintAreas_;
  bool closed_ = false;
};

}  // namespace ui
