#include "ui/latest_job.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <exception>
#include <mutex>
#include <system_error>

namespace ui {

LatestJob::LatestJob(Dispatcher dispatch, ThreadStarter startThread)
    : dispatch_(std::move(dispatch)), startThread_(std::move(startThread)) {}

LatestJob::~LatestJob() {
  Cancel();
  // Left here are jobs still running, all on threads that did start.
  for (Job& job : cancelled_) job.thread.join();
}

std::thread LatestJob::StartStdThread(std::function<void()> body) {
  return std::thread(std::move(body));
}

void LatestJob::Cancel() {
  if (current_.run != nullptr) {
    current_.run->cancelled = true;
    current_.run->cancelled.notify_all();
    cancelled_.push_back(std::move(current_));
    current_ = {};
  }
  JoinFinished();
}

void LatestJob::JoinFinished() {
  std::erase_if(cancelled_, [](Job& job) {
    if (!job.run->finished) return false;
    if (job.thread.joinable()) job.thread.join();
    return true;
  });
}

namespace {
// Qt's event queue hands the posted call to the UI thread under a lock that
// ThreadSanitizer cannot see; this one makes the hand-over visible to it.
std::mutex& PostLock() {
  static std::mutex lock;
  return lock;
}
}  // namespace

void LatestJob::Post(const std::shared_ptr<Run>& run, std::function<void()> deliver) const {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  const std::lock_guard<std::mutex> posting(PostLock());
  QMetaObject::invokeMethod(
      app,
      [run, dispatch = dispatch_, deliver = std::move(deliver)] {
        { const std::lock_guard<std::mutex> posted(PostLock()); }
        if (!run->cancelled) dispatch(deliver);
      },
      Qt::QueuedConnection);
}

namespace {
std::string ReasonOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}
}  // namespace

void LatestJob::Start(Work work, Done done, Failed failed) {
  Cancel();
  auto run = std::make_shared<Run>();
  auto body = [this, run, work = std::move(work), done = std::move(done), failed] {
    // Finished only once the outcome is on its way, so that whoever waits
    // for it finds it in the event queue.
    try {
      QImage result = work(run->cancelled);
      if (!run->cancelled) Post(run, [done, result] { done(result); });
    } catch (...) {
      const std::string reason = ReasonOf(std::current_exception());
      try {
        if (!run->cancelled) Post(run, [failed, reason] { failed(reason); });
      } catch (...) {
        // Out of memory even for the report: the job ends without one.
      }
    }
    run->finished = true;
  };
  try {
    current_.thread = startThread_(std::move(body));
  } catch (const std::exception& e) {
    // No thread: the job counts as finished, and the failure arrives as a
    // job's own would.
    run->finished = true;
    Post(run, [failed, reason = std::string(e.what())] { failed(reason); });
  }
  current_.run = run;
}

}  // namespace ui
