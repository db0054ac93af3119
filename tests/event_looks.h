#pragma once
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <vector>

// Notes a counter (a clock, segments drawn) each time a posted event is
// delivered, as a timer on the window's thread would see it: the longest gap
// between two deliveries is how long the thread kept its events waiting.
template <class Count>
class EventLooks : public QObject {
 public:
  explicit EventLooks(const Count& counter) : counter_(counter) {}
  void Post() {
    if (pending_) return;
    pending_ = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::User));
  }
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    pending_ = false;
    at.push_back(counter_);
    return true;
  }
  Count LongestGap(Count end) const {
    Count last = 0, longest = 0;
    for (Count t : at) {
      longest = std::max(longest, t - last);
      last = t;
    }
    return std::max(longest, end - last);
  }
  std::vector<Count> at;

 private:
  const Count& counter_;
  bool pending_ = false;
};
