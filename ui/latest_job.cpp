#include "ui/latest_job.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace ui {

LatestJob::~LatestJob() {
  Cancel();
  for (Job& job : cancelled_) job.thread.join();
}

void LatestJob::Cancel() {
  if (current_.run != nullptr) {
    current_.run->cancelled = true;
    cancelled_.push_back(std::move(current_));
    current_ = {};
  }
  JoinFinished();
}

void LatestJob::JoinFinished() {
  std::erase_if(cancelled_, [](Job& job) {
    if (!job.run->finished) return false;
    job.thread.join();
    return true;
  });
}

void LatestJob::Start(Work work, Done done) {
  Cancel();
  auto run = std::make_shared<Run>();
  current_.run = run;
  current_.thread = std::thread([run, work = std::move(work), done = std::move(done)] {
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
