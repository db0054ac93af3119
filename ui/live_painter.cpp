#include "ui/live_painter.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace ui {

namespace {
std::mutex& LiveRoundHookLock() {
  static std::mutex lock;
  return lock;
}
std::function<void()>& LiveRoundHook() {
  static std::function<void()> hook;
  return hook;
}
// Orders a posting thread's writes before the delivery for ThreadSanitizer,
// which does not see through Qt's event queue.
std::mutex& LiveDeliveryLock() {
  static std::mutex lock;
  return lock;
}
}  // namespace

void LivePainter::SetRoundHook(std::function<void()> hook) {
  const std::lock_guard lock(LiveRoundHookLock());
  LiveRoundHook() = std::move(hook);
}

LivePainter::LivePainter(QImage image, const SmoothFrame& frame, Dispatcher dispatch,
                         Painted painted)
    : image_(std::move(image)), frame_(frame), delivery_(std::make_shared<Delivery>()) {
  delivery_->dispatch = std::move(dispatch);
  delivery_->painted = std::move(painted);
  // Started here, by the UI thread, for the reason LatestJob gives.
  worker_ = std::thread([this] { Work(); });
}

LivePainter::~LivePainter() {
  delivery_->stopped = true;
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
  }
  handedMore_.notify_all();
  worker_.join();
}

void LivePainter::Hand(std::vector<float> xy, uint32_t colour, double width, LiveBatchKind kind) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back({std::move(xy), colour, width, kind});
    ++handed_;
  }
  handedMore_.notify_all();
}

std::vector<float> LivePainter::TakeEmptied() {
  const std::lock_guard lock(mutex_);
  return std::exchange(emptied_, {});
}

void LivePainter::WaitUntilPainted() {
  std::unique_lock lock(mutex_);
  paintedMore_.wait(lock, [this] { return painted_ >= handed_; });
}

void LivePainter::Work() {
  using Clock = std::chrono::steady_clock;
  uint64_t painted = 0, delivered = 0;
  Clock::time_point lastDelivery = Clock::now() - kDeliveryInterval;
  bool deliverNow = false;
  for (;;) {
    std::vector<Batch> round;
    {
      std::unique_lock lock(mutex_);
      const auto due = [&] { return quit_ || !queue_.empty(); };
      if (delivered < painted && !deliverNow) {
        handedMore_.wait_until(lock, lastDelivery + kDeliveryInterval, due);
      } else if (delivered == painted) {
        handedMore_.wait(lock, due);
      }
      if (quit_) return;
      round.swap(queue_);
    }
    if (!round.empty()) {
      PaintRound(round);
      if (quit_) return;
      painted += round.size();
      deliverNow = deliverNow || std::any_of(round.begin(), round.end(),
                                             [](const Batch& batch) { return batch.kind.last; });
    }
    if (delivered < painted && (deliverNow || Clock::now() >= lastDelivery + kDeliveryInterval)) {
      // Shared with the UI thread from here: the next round paints a copy.
      Deliver(image_, painted);
      delivered = painted;
      lastDelivery = Clock::now();
      deliverNow = false;
    }
  }
}

void LivePainter::PaintRound(std::vector<Batch>& round) {
  {
    const std::lock_guard lock(LiveRoundHookLock());
    if (LiveRoundHook()) LiveRoundHook()();
  }
  std::vector<LineRun> runs;
  runs.reserve(round.size());
  for (const Batch& batch : round)
    runs.push_back(
        {batch.xy.data(), batch.xy.size() / 2, batch.colour, batch.width, batch.kind.strokes});
  {
    // One band: the trace keeps every core busy meanwhile, and each band
    // would go through every point.
    BandedLines lines = LinesOnto(image_, frame_, 1, &quit_);
    lines.Draw(std::move(runs));
    lines.Finish();
  }
  if (quit_) return;
  // The largest batch's storage goes back for the next one: gathering a
  // batch in fresh memory costs a page fault every 4 KB.
  auto largest = std::max_element(round.begin(), round.end(), [](const Batch& a, const Batch& b) {
    return a.xy.capacity() < b.xy.capacity();
  });
  {
    const std::lock_guard lock(mutex_);
    painted_ += round.size();
    if (largest != round.end() && largest->xy.capacity() > emptied_.capacity()) {
      largest->xy.clear();
      emptied_ = std::move(largest->xy);
    }
  }
  paintedMore_.notify_all();
}

void LivePainter::Deliver(const QImage& image, uint64_t batches) const {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  const std::lock_guard posting(LiveDeliveryLock());
  QMetaObject::invokeMethod(
      app,
      [delivery = delivery_, image, batches] {
        { const std::lock_guard posted(LiveDeliveryLock()); }
        if (delivery->stopped) return;
        delivery->dispatch([&] {
          if (!delivery->stopped) delivery->painted(image, batches);
        });
      },
      Qt::QueuedConnection);
}

}  // namespace ui
