// Only the latest picture arrives, and the UI thread never waits for a job
// it has cancelled.
#include "ui/latest_job.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

QImage Filled(QRgb colour) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

void WaitFor(const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition() && clock.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
}

TEST(LatestJob, StartingAnotherNeitherWaitsNorDeliversTheFirst) {
  std::atomic<bool> release{false}, firstReturned{false};
  std::vector<QRgb> delivered;
  {
    ui::LatestJob job;
    // A first job that takes no notice of being cancelled until released
    // (or, should Start wait for it, for two seconds).
    job.Start(
        [&](const std::atomic<bool>&) {
          const auto deadline = std::chrono::steady_clock::now() + 2s;
          while (!release && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
          firstReturned = true;
          return Filled(0xFF0000);
        },
        [&](const QImage& image) { delivered.push_back(image.pixel(0, 0)); });
    job.Start([](const std::atomic<bool>&) { return Filled(0x00FF00); },
              [&](const QImage& image) { delivered.push_back(image.pixel(0, 0)); });
    EXPECT_FALSE(firstReturned) << "Start waited for the job it cancelled";
    WaitFor([&] { return !delivered.empty() && !job.Running(); });
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0], 0xFF00FF00u);

    job.Cancel();
    EXPECT_FALSE(firstReturned) << "Cancel waited for a job";
    release = true;
    // The destructor joins what is left.
  }
  EXPECT_TRUE(firstReturned);
  QApplication::processEvents();
  EXPECT_EQ(delivered.size(), 1u);
}

TEST(LatestJob, ACancelledJobSeesItsFlagAndIsNeverDelivered) {
  ui::LatestJob job;
  std::atomic<bool> sawCancel{false};
  bool delivered = false;
  job.Start(
      [&](const std::atomic<bool>& cancelled) {
        while (!cancelled) std::this_thread::sleep_for(1ms);
        sawCancel = true;
        return Filled(0);
      },
      [&](const QImage&) { delivered = true; });
  EXPECT_TRUE(job.Running());
  job.Cancel();
  EXPECT_FALSE(job.Running());
  WaitFor([&] { return sawCancel.load(); });
  QApplication::processEvents();
  EXPECT_TRUE(sawCancel);
  EXPECT_FALSE(delivered);
}

}  // namespace
