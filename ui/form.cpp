#include "ui/form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "core/command_stopped.h"
#include "ui/translate.h"

namespace ui {

Form::Form(std::string caption, int clientWidth, int clientHeight, Prompts& prompts)
    : caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      prompts_(prompts) {
  auto* window = new QMainWindow;
  window_ = window;
  window->setWindowTitle(QString::fromStdString(caption_));
  window->setContextMenuPolicy(Qt::NoContextMenu);
  QFont font = window->font();
  font.setPixelSize(11);
  window->setFont(font);
  menuBar_ = new QMenuBar(window);
  menuBar_->setNativeMenuBar(false);
  window->setMenuBar(menuBar_);
  client_ = new QWidget;
  window->setCentralWidget(client_);
  FitClient();
  window->installEventFilter(new CloseGuard(*this, window));
  client_->installEventFilter(new ResizeWatch(*this, client_));
  QCoreApplication::instance()->installEventFilter(new PaletteWatch(*this, client_));
}

bool Form::ResizeWatch::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Resize) form_.Relayout();
  return false;
}

void Form::Resize(int width, int height) {
  resized_ = true;
  window_->resize(width, height);
  // An activated layout would not look at the new size again.
  window_->layout()->invalidate();
  window_->layout()->activate();
  Relayout();
}

// The panel keeps to the top right corner; the owner places the rest.
void Form::Relayout() {
  const int shift = std::max(0, client_->width() - clientWidth_);
  if (shift != panelShift_) {
    panelShift_ = shift;
    for (Control* c : order_) c->FollowPanel();
  }
  if (onResize)
    onResize(std::max(client_->width(), clientWidth_), std::max(client_->height(), clientHeight_));
}

// A desktop whose theme turns dark, or light again, while the window is open.
bool Form::PaletteWatch::eventFilter(QObject* watched, QEvent* event) {
  if (watched == QCoreApplication::instance() &&
      event->type() == QEvent::ApplicationPaletteChange) {
    for (Control* c : form_.order_) c->FollowPalette();
  }
  return false;
}

bool Form::CloseGuard::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::Close) return false;
  bool allowed = !form_.canClose;
  if (form_.canClose) form_.Dispatch([this, &allowed] { allowed = form_.canClose(); });
  if (!allowed) {
    event->ignore();
    return true;
  }
  form_.closed_ = true;
  return false;
}

void Form::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  window_->setWindowTitle(QString::fromStdString(caption_));
}

void Form::AddShortcut(const std::vector<std::string>& keys, Handler handler) {
  auto* action = new QAction(window_);
  QList<QKeySequence> sequences;
  for (const std::string& k : keys) sequences.push_back(QKeySequence(QString::fromStdString(k)));
  action->setShortcuts(sequences);
  action->setShortcutContext(Qt::WindowShortcut);
  window_->addAction(action);
  QObject::connect(action, &QAction::triggered, action,
                   [this, handler = std::move(handler)] { Dispatch(handler); });
}

FormState Form::SaveState() const {
  FormState state;
  for (const Control* c : order_) state.controls.push_back(c->SaveState());
  for (const MenuItem* item : menuOrder_) state.checkedItems.push_back(item->Checked());
  return state;
}

void Form::RestoreState(const FormState& state) {
  for (size_t i = 0; i < order_.size() && i < state.controls.size(); ++i) {
    order_[i]->RestoreState(state.controls[i]);
  }
  for (size_t i = 0; i < menuOrder_.size() && i < state.checkedItems.size(); ++i) {
    if (menuOrder_[i]->Checked() != state.checkedItems[i] && !menuOrder_[i]->OutsideHistory()) {
      menuOrder_[i]->SetChecked(state.checkedItems[i]);
    }
  }
  for (PaintArea* area : paintAreas_) area->Repaint();
}

// The window goes first: its widgets die with it, and no control touches its
// widget when destroyed.
Form::~Form() {
  delete window_;
}

void Form::FitClient() {
  const int menuHeight = menuBar_->heightForWidth(clientWidth_) > 0
                             ? menuBar_->heightForWidth(clientWidth_)
                             : menuBar_->sizeHint().height();
  if (statusBar_ != nullptr) statusBar_->ensurePolished();
  const int statusHeight = statusBar_ != nullptr ? statusBar_->sizeHint().height() : 0;
  const int height = clientHeight_ + menuHeight + statusHeight;
  // Smaller, and the panel (Draw included) would be cut off.
  window_->setMinimumSize(clientWidth_, height);
  const QSize smallest(clientWidth_, height);
  window_->resize(resized_ ? window_->size().expandedTo(smallest) : smallest);
  window_->layout()->activate();
}

void Form::Register(std::unique_ptr<Control> control) {
  const std::string& name = control->Name();
  if (byName_.count(name) != 0 || menuByName_.count(name) != 0)
    throw std::logic_error("duplicate control name " + name);
  Control* raw = control.get();
  byName_[name] = raw;
  order_.push_back(raw);
  if (auto* area = dynamic_cast<PaintArea*>(raw)) paintAreas_.push_back(area);
  controls_.push_back(std::move(control));
}

MenuItem& Form::RegisterItem(std::unique_ptr<MenuItem> item, MenuItem* parent) {
  const std::string& name = item->Name();
  if (byName_.count(name) != 0 || menuByName_.count(name) != 0)
    throw std::logic_error("duplicate menu item name " + name);
  MenuItem* raw = item.get();
  raw->parent = parent;
  if (parent != nullptr) parent->items.push_back(raw);
  menuByName_[name] = raw;
  menuOrder_.push_back(raw);
  menuItems_.push_back(std::move(item));
  return *raw;
}

MenuItem& Form::AddMenu(std::string name, std::string caption) {
  QMenu* menu = menuBar_->addMenu(Translated(kMenuContext, caption));
  auto item =
      std::make_unique<MenuItem>(*this, std::move(name), std::move(caption), menu->menuAction(), 0);
  MenuItem& ref = RegisterItem(std::move(item), nullptr);
  menus_[&ref] = menu;
  QObject::connect(menu, &QMenu::aboutToShow, menu, [&ref] { ref.Activate(); });
  FitClient();
  return ref;
}

MenuItem& Form::AddItem(MenuItem& menu, std::string name, std::string caption, int radioGroup) {
  QMenu* qmenu = menus_.at(&menu);
  QAction* action = qmenu->addAction(Translated(kMenuContext, caption));
  if (radioGroup != 0) {
    // The group only gives the items their radio look; which item is checked
    // is decided by MenuItem::SetChecked.
    QActionGroup*& group = radioGroups_[{qmenu, radioGroup}];
    if (group == nullptr) {
      group = new QActionGroup(qmenu);
      group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    group->addAction(action);
  }
  auto item =
      std::make_unique<MenuItem>(*this, std::move(name), std::move(caption), action, radioGroup);
  MenuItem& ref = RegisterItem(std::move(item), &menu);
  QObject::connect(action, &QAction::triggered, action, [&ref] { ref.Activate(); });
  return ref;
}

MenuItem& Form::AddSubmenu(MenuItem& menu, std::string name, std::string caption) {
  QMenu* sub = menus_.at(&menu)->addMenu(Translated(kMenuContext, caption));
  auto item =
      std::make_unique<MenuItem>(*this, std::move(name), std::move(caption), sub->menuAction(), 0);
  MenuItem& ref = RegisterItem(std::move(item), &menu);
  menus_[&ref] = sub;
  QObject::connect(sub, &QMenu::aboutToShow, sub, [&ref] { ref.Activate(); });
  return ref;
}

Control* Form::Find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

MenuItem* Form::FindMenuItem(const std::string& name) const {
  auto it = menuByName_.find(name);
  return it == menuByName_.end() ? nullptr : it->second;
}

void Form::Dispatch(const Handler& handler) {
  // Nothing may cross back into Qt's signal machinery.
  try {
    if (handler) {
      Handler copy = handler;
      copy();
    }
  } catch (const CommandStopped&) {
    // Stopped by the user, who has seen it stop.
  } catch (const std::exception& e) {
    try {
      prompts_.RunTimeErrorBox(e.what());
    } catch (...) {
    }
  } catch (...) {
    try {
      prompts_.RunTimeErrorBox("Unknown error");
    } catch (...) {
    }
  }
  if (afterInput) {
    try {
      afterInput();
    } catch (...) {
    }
  }
  for (PaintArea* area : paintAreas_) area->Repaint();
}

void Form::AddStatusBar() {
  if (statusBar_ != nullptr) return;
  statusBar_ = new QStatusBar;
  statusBar_->setSizeGripEnabled(false);
  // A widget of the bar, not its message, which a menu's status tips clear.
  statusText_ = new QLabel;
  statusText_->setTextFormat(Qt::PlainText);
  statusText_->setContentsMargins(6, 0, 6, 0);
  statusBar_->addWidget(statusText_, 1);
  viewStatus_ = new QLabel;
  viewStatus_->setTextFormat(Qt::PlainText);
  viewStatus_->setContentsMargins(6, 0, 6, 0);
  statusBar_->addPermanentWidget(viewStatus_);
  static_cast<QMainWindow*>(window_)->setStatusBar(statusBar_);
  FitClient();
}

void Form::ShowStatus(const std::string& text) {
  if (statusText_ != nullptr) statusText_->setText(QString::fromStdString(TranslatedMessage(text)));
}

void Form::ShowViewStatus(const std::string& text) {
  if (viewStatus_ != nullptr) viewStatus_->setText(QString::fromStdString(TranslatedMessage(text)));
}

std::string Form::ViewStatus() const {
  return viewStatus_ != nullptr ? viewStatus_->text().toStdString() : std::string();
}

std::string Form::Status() const {
  return statusText_ != nullptr ? statusText_->text().toStdString() : std::string();
}

void Form::Move(int left, int top) {
  window_->move(left, top);
}

void Form::Show() {
  FitClient();
  window_->show();
}

void Form::Close() {
  window_->close();
}

Form::BusyCursor::BusyCursor() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  active_ = true;
  // Let the cursor reach the screen before the long work starts.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

Form::BusyCursor::~BusyCursor() {
  if (active_) QApplication::restoreOverrideCursor();
}

}  // namespace ui
