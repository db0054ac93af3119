#include "ui/latest_job.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace ui {

LatestJob::~LatestJob() {
  Cancel();
}

void LatestJob::Cancel() {
  if (running_ != nullptr) running_->cancelled = true;
  if (thread_.joinable()) thread_.join();
  running_.reset();
}

void LatestJob::Start(Work work, Done done) {
  Cancel();
  auto run = std::make_shared<Run>();
  running_ = run;
  thread_ = std::thread([run, work = std::move(work), done = std::move(done)] {
    QImage result = work(run->cancelled);
    // Finished only once the result is on its way, so that whoever waits
    // for it finds it in the event queue.
    if (!run->cancelled && QCoreApplication::instance() != nullptr) {
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [run, done, result] {
            if (!run->cancelled) done(result);
          },
          Qt::QueuedConnection);
    }
    run->finished = true;
  });
}

}  // namespace ui
