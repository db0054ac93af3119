#pragma once
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace ui {

// Works out one picture at a time off the UI thread. Starting another
// cancels the one under way, whose result is never delivered. A result, or
// the reason there is none, comes back on the UI thread through its event
// loop and then through the dispatcher, as user input does: an exception
// from the handler is shown as any other. Neither starting nor cancelling
// waits for a job to notice: a cancelled job winds down on its own and is
// joined later, at the latest by the destructor.
//
// Each job runs on a thread of its own, started by the UI thread: a new
// thread begins with its creator's x87 control word (precision and
// rounding), so the job's arithmetic is the UI thread's to the last bit. A
// pooled thread would keep whatever settings it was made with or a previous
// task left behind.
class LatestJob {
 public:
  // `cancelled` is set, and its waiters notified, when the job is cancelled.
  using Work = std::function<QImage(const std::atomic<bool>& cancelled)>;
  using Done = std::function<void(const QImage&)>;
  // Why a job gave no picture: an exception's text.
  using Failed = std::function<void(const std::string& reason)>;
  // Runs a handler as user input runs (Form::Dispatch).
  using Dispatcher = std::function<void(const std::function<void()>&)>;
  // Starts a thread running `body`; throws std::system_error when it cannot.
  using ThreadStarter = std::function<std::thread(std::function<void()> body)>;

  explicit LatestJob(Dispatcher dispatch, ThreadStarter startThread = StartStdThread);
  ~LatestJob();
  LatestJob(const LatestJob&) = delete;
  LatestJob& operator=(const LatestJob&) = delete;

  // Never throws for the job: an exception from `work`, or a thread that
  // cannot be started, reaches `failed` instead of `done`.
  void Start(Work work, Done done, Failed failed);
  void Cancel();
  bool Running() const { return current_.run != nullptr && !current_.run->finished; }

  static std::thread StartStdThread(std::function<void()> body);

 private:
  struct Run {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
  };
  struct Job {
    std::shared_ptr<Run> run;
    std::thread thread;  // not joinable when it never started
  };
  // Sends `deliver` to the UI thread, where it runs through the dispatcher
  // unless the run has been cancelled meanwhile.
  void Post(const std::shared_ptr<Run>& run, std::function<void()> deliver) const;
  // Joins the cancelled jobs that have finished.
  void JoinFinished();

  Dispatcher dispatch_;
  ThreadStarter startThread_;
  Job current_;
  std::vector<Job> cancelled_;
};

}  // namespace ui
