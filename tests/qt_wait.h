#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

// Processes events until `done` holds, for work that ends on another thread.
// Nothing here measures time: the limit is far beyond any run and only turns a
// hang into a failure that says what was awaited.
[[nodiscard]] inline bool ProcessEventsUntil(const std::function<bool()>& done,
                                             const std::string& what) {
  const QDeadlineTimer limit(std::chrono::minutes(2));
  while (!done()) {
    if (limit.hasExpired()) {
      ADD_FAILURE() << "gave up waiting for " << what;
      return false;
    }
    QCoreApplication::processEvents();
    std::this_thread::yield();
  }
  QCoreApplication::processEvents();
  return true;
}
