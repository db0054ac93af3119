#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <string>

class QMouseEvent;
class QWidget;

namespace ui {

class Form;
class PaintArea;
class Button;

// While a long command runs inside one handler: the drawing area repaints as
// it grows, a note over it tells the progress, Esc or a click on the stop
// button asks to stop, and all other input is dropped, never queued for
// later. The stop button reads "Stop" meanwhile.
class LongCommand : public QObject {
 public:
  // Milliseconds since some fixed moment; the command's own clock when empty.
  using Clock = std::function<qint64()>;

  LongCommand(Form& form, PaintArea& area, Button& stopButton, Clock clock = {});
  ~LongCommand() override;
  LongCommand(const LongCommand&) = delete;
  LongCommand& operator=(const LongCommand&) = delete;

  // Cheap; call it often (every millisecond or so of work). Every few
  // milliseconds it takes input and timers, so that nothing on this thread
  // waits long for them; about 25 times a second it also repaints and shows
  // note() once the command has run a third of a second.
  void Poll(const std::function<std::string()>& note);
  // Repaints and takes input now, for an animation's next frame.
  void Frame(const std::function<std::string()>& note);
  bool StopAsked() const { return stopAsked_; }
  // A click on the drawing area asks to finish at once, without animation.
  bool FinishAsked() const { return finishAsked_; }
  void AskStop() { stopAsked_ = true; }
  double Seconds() const { return static_cast<double>(Now()) / 1000.0; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Whether an event is for the main window, rather than for a dialog the
  // command opens (a message box, a confirmation).
  bool ForMainWindow(QObject* watched) const;
  // Whether a mouse button was let go over the widget.
  static bool Under(const QWidget* widget, const QMouseEvent& release);
  qint64 Now() const { return clock_ ? clock_() - start_ : elapsed_.elapsed(); }

  QWidget* window_;
  PaintArea& area_;
  Button& stopButton_;
  std::string caption_;
  Clock clock_;
  QElapsedTimer elapsed_;
  qint64 start_ = 0;
  qint64 lastLook_ = 0;
  qint64 lastFrame_ = 0;
  bool stopAsked_ = false;
  bool finishAsked_ = false;
};

}  // namespace ui
