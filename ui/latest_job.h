#pragma once
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace ui {

// Works out one picture at a time off the UI thread. Starting another
// cancels the one under way, whose result is never delivered; a result comes
// back on the UI thread, through its event loop. Neither starting nor
// cancelling waits for a job to notice: a cancelled job winds down on its own
// and is joined later, at the latest by the destructor.
class LatestJob {
 public:
  using Work = std::function<QImage(const std::atomic<bool>& cancelled)>;
  using Done = std::function<void(const QImage&)>;

  LatestJob() = default;
  ~LatestJob();
  LatestJob(const LatestJob&) = delete;
  LatestJob& operator=(const LatestJob&) = delete;

  void Start(Work work, Done done);
  void Cancel();
  bool Running() const { return current_.run != nullptr && !current_.run->finished; }

 private:
  struct Run {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
  };
  struct Job {
    std::shared_ptr<Run> run;
    std::thread thread;
  };
  // Joins the cancelled jobs that have finished.
  void JoinFinished();

  Job current_;
  std::vector<Job> cancelled_;
};

}  // namespace ui
