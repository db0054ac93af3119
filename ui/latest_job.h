#pragma once
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace ui {

// Works out one picture at a time off the UI thread. Starting another
// cancels the one under way, whose result is never delivered; a result comes
// back on the UI thread, through its event loop.
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
  bool Running() const { return running_ != nullptr && !running_->finished; }

 private:
  struct Run {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
  };
  std::shared_ptr<Run> running_;
  std::thread thread_;
};

}  // namespace ui
