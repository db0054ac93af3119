#include "engine/parallel_trace.h"

#include <algorithm>
#include <system_error>

namespace engine {

void TraceControl::RequestStop() {
  stop_.store(true, std::memory_order_release);
  std::lock_guard lock(waiterMutex_);
  if (waiter_ != nullptr) waiter_->Wake();
}

int DefaultThreads() {
  const unsigned n = std::thread::hardware_concurrency();
  return static_cast<int>(std::clamp(n, 1u, 8u));
}

namespace parallel_detail {

Scheduler::Scheduler(const Curve& curve, TraceControl& control, int64_t blockSegments, int ring,
                     ComputeBlock compute, void* context)
    : curve_(curve),
      control_(control),
      blockSegments_(blockSegments),
      slots_(ring),
      compute_(compute),
      context_(context),
      readyBlock_(ring, -1) {
  std::lock_guard lock(control_.waiterMutex_);
  control_.waiter_ = this;
}

Scheduler::~Scheduler() {
  Finish();
  std::lock_guard lock(control_.waiterMutex_);
  control_.waiter_ = nullptr;
}

void Scheduler::Start(int threads) {
  // A new thread starts with this one's floating-point settings (rounding,
  // x87 precision), so that every point comes out as it would here: the
  // threads are started afresh for each trace for that reason too.
  workers_.reserve(threads);
  angles_.assign(threads, std::vector<double>(blockSegments_));
  for (int i = 0; i < threads; ++i) {
    try {
      workers_.emplace_back([this, i] { Work(angles_[i]); });
    } catch (const std::system_error&) {
      // Fewer workers only take longer.
      if (workers_.empty()) throw;
      break;
    }
  }
}

Scheduler::Wait Scheduler::WaitFor(int64_t block, std::chrono::milliseconds patience) {
  const int slot = static_cast<int>(block % slots_);
  const auto done = [&] { return readyBlock_[slot] == block || control_.StopRequested(); };
  std::unique_lock lock(mutex_);
  if (patience.count() > 0) {
    if (!readyChanged_.wait_for(lock, patience, done)) return Wait::kStillWaiting;
  } else {
    readyChanged_.wait(lock, done);
  }
  return control_.StopRequested() ? Wait::kStopped : Wait::kReady;
}

void Scheduler::Wake() {
  // Taken once so that a waiter between its look at the stop and its wait
  // cannot miss the notification.
  { std::lock_guard lock(mutex_); }
  readyChanged_.notify_all();
}

void Scheduler::Release(int64_t block) {
  {
    std::lock_guard lock(mutex_);
    readyBlock_[block % slots_] = -1;
    releasedBlocks_ = block + 1;
  }
  released_.notify_all();
}

void Scheduler::Finish() {
  {
    std::lock_guard lock(mutex_);
    quit_.store(true, std::memory_order_relaxed);
  }
  released_.notify_all();
  for (std::thread& worker : workers_) worker.join();
  workers_.clear();
}

void Scheduler::Work(std::vector<double>& angles) {
  for (;;) {
    int64_t block;
    PlannedBlock planned;
    {
      std::lock_guard plan(planMutex_);
      if (planEnded_ || quit_.load(std::memory_order_relaxed) || control_.StopRequested()) return;
      block = nextBlock_++;
      planned.theta = nextTheta_;
      // The angles alone, one claim at a time: a few ns a point against tens
      // for the point itself, which then needs no recurrence of its own.
      try {
        planned.stretch = curve_.SkipStretch(planned.theta, blockSegments_, angles.data());
        planned.angles = angles.data();
        nextTheta_ = planned.stretch.theta;
        planEnded_ = planned.stretch.last;
      } catch (...) {
        planEnded_ = true;
      }
    }
    const int slot = static_cast<int>(block % slots_);
    {
      std::unique_lock lock(mutex_);
      released_.wait(lock, [&] {
        return quit_.load(std::memory_order_relaxed) || block < releasedBlocks_ + slots_;
      });
      if (quit_.load(std::memory_order_relaxed)) return;
    }
    if (!compute_(context_, slot, planned)) {
      // Nothing after an error is needed.
      std::lock_guard plan(planMutex_);
      planEnded_ = true;
    }
    {
      std::lock_guard lock(mutex_);
      readyBlock_[slot] = block;
    }
    readyChanged_.notify_one();
  }
}

}  // namespace parallel_detail

}  // namespace engine
