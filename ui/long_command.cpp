#include "ui/long_command.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <QtGlobal>
#include <utility>

#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

namespace {
// Input and timers are looked at far more often than the picture is shown:
// a repaint costs more than a look at the queue.
constexpr qint64 kLookMs = 4;
constexpr qint64 kFrameMs = 40;
constexpr qint64 kNoteAfterMs = 300;

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}
}  // namespace

LongCommand::LongCommand(Form& form, PaintArea& area, Button& stopButton, Clock clock)
    : window_(form.Window()),
      area_(area),
      stopButton_(stopButton),
      caption_(stopButton.Caption()),
      clock_(std::move(clock)) {
  elapsed_.start();
  if (clock_) start_ = clock_();
  stopButton_.SetCaption(QT_TRANSLATE_NOOP("Panel", "Stop"));
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->installEventFilter(this);
}

LongCommand::~LongCommand() {
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->removeEventFilter(this);
  stopButton_.SetCaption(caption_);
  area_.ShowNote("");
  area_.Repaint();
}

void LongCommand::Frame(const std::function<std::string()>& note) {
  constexpr qint64 kAnimationFrameMs = 16;
  if (Now() - lastFrame_ >= kAnimationFrameMs) lastFrame_ = -kFrameMs;
  Poll(note);
}

void LongCommand::Poll(const std::function<std::string()>& note) {
  const qint64 now = Now();
  if (now - lastLook_ < kLookMs && now - lastFrame_ < kFrameMs) return;
  lastLook_ = now;
  if (now - lastFrame_ >= kFrameMs) {
    lastFrame_ = now;
    if (now >= kNoteAfterMs) area_.ShowNote(note());
    area_.ShowProgress();
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(kLookMs));
}

// Input reaches nothing while the command runs; only Esc and the stop
// button are heard, and they ask to stop.
bool LongCommand::ForMainWindow(QObject* watched) const {
  if (auto* widget = qobject_cast<QWidget*>(watched)) return widget->window() == window_;
  if (auto* window = qobject_cast<QWindow*>(watched)) return window == window_->windowHandle();
  return false;
}

bool LongCommand::eventFilter(QObject* watched, QEvent* event) {
  if (!IsInput(event->type()) || !ForMainWindow(watched)) return false;
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    stopAsked_ = true;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* release = static_cast<QMouseEvent*>(event);
    if (Under(stopButton_.Widget(), *release)) stopAsked_ = true;
    if (Under(area_.Widget(), *release)) finishAsked_ = true;
  }
  return true;
}

// A click from the screen reaches the window before the widget under it, and
// is dropped there, so where it lands is found from its position on screen.
bool LongCommand::Under(const QWidget* widget, const QMouseEvent& release) {
  const QPoint at = widget->mapFromGlobal(release.globalPosition()).toPoint();
  return widget->isVisible() && widget->rect().contains(at);
}

}  // namespace ui
