// Only the latest picture arrives, through the dispatcher; the UI thread never
// waits for a job it has cancelled; and no failure of a job, nor of its
// thread, ends the program.
#include "ui/latest_job.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "core/run_time_error.h"
#include "tests/qt_wait.h"
#include "ui/form.h"
#include "ui/scripted_prompts.h"

namespace {

QImage Filled(QRgb colour) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Holds a job until the test opens it. The limit, far beyond any run, only
// turns a wait that never ends into a failure.
class Gate {
 public:
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  bool Wait() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::minutes(2), [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

// A dispatcher that counts what runs through it.
struct CountingDispatcher {
  int runs = 0;
  ui::LatestJob::Dispatcher Get() {
    return [this](const std::function<void()>& handler) {
      ++runs;
      handler();
    };
  }
};

void NoFailure(const std::string& reason) {
  ADD_FAILURE() << "unexpected failure: " << reason;
}

TEST(LatestJob, StartingAnotherNeitherWaitsNorDeliversTheFirst) {
  Gate release;
  std::atomic<bool> firstReturned{false}, firstTimedOut{false};
  std::vector<QRgb> delivered;
  CountingDispatcher dispatcher;
  {
    ui::LatestJob job(dispatcher.Get());
    // A first job that takes no notice of being cancelled until released.
    job.Start(
        [&](const std::atomic<bool>&) {
          firstTimedOut = !release.Wait();
          firstReturned = true;
          return Filled(0xFF0000);
        },
        [&](const QImage& image) { delivered.push_back(image.pixel(0, 0)); }, NoFailure);
    job.Start([](const std::atomic<bool>&) { return Filled(0x00FF00); },
              [&](const QImage& image) { delivered.push_back(image.pixel(0, 0)); }, NoFailure);
    EXPECT_FALSE(firstReturned) << "Start waited for the job it cancelled";
    ASSERT_TRUE(ProcessEventsUntil([&] { return !job.Running(); }, "the second job"));
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0], 0xFF00FF00u);
    EXPECT_EQ(dispatcher.runs, 1);

    job.Cancel();
    EXPECT_FALSE(firstReturned) << "Cancel waited for a job";
    release.Open();
    // The destructor joins what is left.
  }
  EXPECT_TRUE(firstReturned);
  EXPECT_FALSE(firstTimedOut) << "Start or Cancel waited for the job it cancelled";
  QApplication::processEvents();
  EXPECT_EQ(delivered.size(), 1u);
  EXPECT_EQ(dispatcher.runs, 1);
}

TEST(LatestJob, ACancelledJobSeesItsFlagAndIsNeverDelivered) {
  CountingDispatcher dispatcher;
  ui::LatestJob job(dispatcher.Get());
  std::atomic<bool> sawCancel{false};
  bool delivered = false;
  job.Start(
      [&](const std::atomic<bool>& cancelled) {
        cancelled.wait(false);
        sawCancel = true;
        // Nor is a failure after the cancel reported.
        if (sawCancel) throw std::bad_alloc();
        return Filled(0);
      },
      [&](const QImage&) { delivered = true; }, NoFailure);
  EXPECT_TRUE(job.Running());
  job.Cancel();
  EXPECT_FALSE(job.Running());
  ASSERT_TRUE(ProcessEventsUntil([&] { return sawCancel.load(); }, "the job to see its cancel"));
  QApplication::processEvents();
  EXPECT_FALSE(delivered);
  EXPECT_EQ(dispatcher.runs, 0);
}

// An exception leaving the job, std::bad_alloc above all, is caught on its
// thread and its text reaches the UI thread through the dispatcher.
TEST(LatestJob, AJobThatThrowsIsReportedThroughTheDispatcher) {
  CountingDispatcher dispatcher;
  ui::LatestJob job(dispatcher.Get());
  std::vector<std::string> reasons;
  bool delivered = false;
  auto failed = [&](const std::string& reason) { reasons.push_back(reason); };
  job.Start([](const std::atomic<bool>&) -> QImage { throw std::bad_alloc(); },
            [&](const QImage&) { delivered = true; }, failed);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !job.Running(); }, "the throwing job"));
  job.Start([](const std::atomic<bool>&) -> QImage { throw 42; },
            [&](const QImage&) { delivered = true; }, failed);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !job.Running(); }, "the job throwing an int"));
  EXPECT_FALSE(delivered);
  EXPECT_EQ(reasons, (std::vector<std::string>{"std::bad_alloc", "Unknown error"}));
  EXPECT_EQ(dispatcher.runs, 2);
}

// The form's dispatcher shows a handler's run-time error in the error box,
// as it does for any input.
TEST(LatestJob, AResultIsHandledAsInputIs) {
  ui::ScriptedPrompts prompts;
  ui::Form form{"Preview", 100, 100, prompts};
  int afterInput = 0;
  form.afterInput = [&] { ++afterInput; };
  ui::LatestJob job([&form](const std::function<void()>& handler) { form.Dispatch(handler); });
  job.Start([](const std::atomic<bool>&) { return Filled(0x0000FF); },
            [](const QImage&) { throw RunTimeError("Range check error"); }, NoFailure);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !job.Running(); }, "the job"));
  EXPECT_EQ(prompts.log, std::vector<std::string>{"error: Range check error"});
  EXPECT_EQ(afterInput, 1);
}

// No thread to be had: the job is not left running, its failure is reported
// as a job's own, the destructor has nothing to join, and the next start may
// succeed.
TEST(LatestJob, AThreadThatCannotStartIsReportedAndNeverJoined) {
  CountingDispatcher dispatcher;
  std::vector<std::string> reasons;
  std::vector<QRgb> delivered;
  int starts = 0;
  {
    ui::LatestJob job(dispatcher.Get(), [&starts](std::function<void()> body) {
      if (++starts == 1)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                "no thread");
      return ui::LatestJob::StartStdThread(std::move(body));
    });
    job.Start([](const std::atomic<bool>&) { return Filled(0xFF0000); },
              [&](const QImage& image) { delivered.push_back(image.pixel(0, 0)); },
              [&](const std::string& reason) { reasons.push_back(reason); });
    EXPECT_FALSE(job.Running());
    EXPECT_TRUE(reasons.empty()) << "reported before the UI thread was free";
    QApplication::processEvents();
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_NE(reasons[0].find("no thread"), std::string::npos) << reasons[0];

    job.Start([](const std::atomic<bool>&) { return Filled(0x00FF00); },
              [&](const QImage& image) { delivered.push_back(image.pixel(0, 0)); }, NoFailure);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !job.Running(); }, "the job after a failed start"));
    EXPECT_EQ(delivered, std::vector<QRgb>{0xFF00FF00u});
  }
  {
    // Destroyed with the job that never started still current.
    ui::LatestJob job(dispatcher.Get(), [](std::function<void()>) -> std::thread {
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    job.Start([](const std::atomic<bool>&) { return Filled(0); }, [](const QImage&) {},
              [](const std::string&) {});
  }
  QApplication::processEvents();
  EXPECT_EQ(dispatcher.runs, 2) << "a destroyed job's failure was still reported";
}

}  // namespace
