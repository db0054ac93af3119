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
  LongCommand(Form& form, PaintArea& area, Button& stopButton);
  ~LongCommand() override;
  LongCommand(const LongCommand&) = delete;
  LongCommand& operator=(const LongCommand&) = delete;

  // Cheap; call it often. About 25 times a second it repaints, shows
  // note() once the command has run a third of a second, and takes input.
  void Poll(const std::function<std::string()>& note);
  // Repaints and takes input now, for an animation's next frame.
  void Frame(const std::function<std::string()>& note);
  bool StopAsked() const { return stopAsked_; }
  // A click on the drawing area asks to finish at once, without animation.
  bool FinishAsked() const { return finishAsked_; }
  void AskStop() { stopAsked_ = true; }
  double Seconds() const { return static_cast<double>(clock_.elapsed()) / 1000.0; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Whether an event is for the main window, rather than for a dialog the
  // command opens (a message box, a confirmation).
  bool ForMainWindow(QObject* watched) const;
  // Whether a mouse button was let go over the widget.
  static bool Under(const QWidget* widget, const QMouseEvent& release);

  QWidget* window_;
  PaintArea& area_;
  Button& stopButton_;
  std::string caption_;
  QElapsedTimer clock_;
  qint64 lastPoll_ = 0;
  bool stopAsked_ = false;
  bool finishAsked_ = false;
};

}  // namespace ui
