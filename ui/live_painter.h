#pragma once
#include <QImage>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ui/smooth_render.h"

namespace ui {

struct LiveBatchKind {
  bool strokes = false;
  bool last = false;
};

// Paints a Draw's new points into a copy of the shown render on a thread
// of its own, so that a repaint only hands them over and the UI thread goes
// back to its events. After each round of painting the picture so far comes
// back through the UI thread's event loop and the dispatcher, in the order
// the points were handed over, with the number of batches it holds. While
// more is being handed over, the picture comes back at most once a
// kDeliveryInterval: each delivery costs a copy of the picture here and a
// repaint there, and the UI thread, handing over at each repaint, would
// otherwise keep the two going as fast as they can.
class LivePainter {
 public:
  static constexpr std::chrono::milliseconds kDeliveryInterval{40};

  using Dispatcher = std::function<void(const std::function<void()>&)>;
  using Painted = std::function<void(const QImage& image, uint64_t batches)>;

  // `image` is shared until the first paint copies it on the painter's thread.
  LivePainter(QImage image, const SmoothFrame& frame, Dispatcher dispatch, Painted painted);
  // Stops at once; nothing painted arrives after it.
  ~LivePainter();
  LivePainter(const LivePainter&) = delete;
  LivePainter& operator=(const LivePainter&) = delete;

  // Returns at once: `xy` is painted as a polyline (a NaN point breaks it),
  // or as strokes a StrokeWriter wrote at the frame's placement. The
  // picture with the last batch of a trace comes back as soon as it is
  // painted.
  void Hand(std::vector<float> xy, uint32_t colour, double width, LiveBatchKind kind = {});
  uint64_t Handed() const { return handed_; }
  // The storage of a batch already painted, emptied, for the next batch to
  // be gathered in without growing anew; an empty vector when there is none.
  std::vector<float> TakeEmptied();
  // Waits until everything handed over is painted (for the benchmarks).
  void WaitUntilPainted();

  // Runs on the painter's thread before each round: tests hold it there.
  static void SetRoundHook(std::function<void()> hook);

 private:
  struct Batch {
    std::vector<float> xy;
    uint32_t colour;
    double width;
    LiveBatchKind kind;
  };
  struct Delivery {
    std::atomic<bool> stopped{false};
    Dispatcher dispatch;
    Painted painted;
  };
  void Work();
  void PaintRound(std::vector<Batch>& round);
  void Deliver(const QImage& image, uint64_t batches) const;

  QImage image_;  // the painter thread's own once it runs
  SmoothFrame frame_;
  std::shared_ptr<Delivery> delivery_;
  std::mutex mutex_;
  std::condition_variable handedMore_;
  std::vector<Batch> queue_;
  uint64_t handed_ = 0;
  uint64_t painted_ = 0;        // under mutex_
  std::vector<float> emptied_;  // under mutex_
  std::condition_variable paintedMore_;
  std::atomic<bool> quit_{false};
  std::thread worker_;
};

}  // namespace ui
