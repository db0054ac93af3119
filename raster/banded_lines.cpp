#include "raster/banded_lines.h"

#include <algorithm>
#include <cmath>

#include "raster/smooth_line.h"

BandedLines::BandedLines(uint32_t* bits, int stride, int width, int height, int threads,
                         LinePlacement placement, const std::atomic<bool>* cancelled)
    : bits_(bits), stride_(stride), width_(width), placement_(placement), cancelled_(cancelled) {
  const int count = std::clamp(threads, 1, std::max(1, height));
  const int rows = (height + count - 1) / count;
  for (int top = 0; top < height; top += rows)
    bands_.push_back({top, std::min(height, top + rows), 0});
  // One band is drawn on the calling thread, in Draw itself.
  if (bands_.size() > 1)
    for (Band& band : bands_) workers_.emplace_back([this, &band] { Work(band); });
}

BandedLines::~BandedLines() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

bool BandedLines::AllDone() const {
  return std::all_of(bands_.begin(), bands_.end(),
                     [this](const Band& band) { return band.done == handed_; });
}

void BandedLines::Draw(std::vector<LineRun> runs) {
  if (workers_.empty()) {
    for (const Band& band : bands_) DrawBand(band.top, band.bottom, runs);
    return;
  }
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return AllDone(); });
  runs_ = std::move(runs);
  ++handed_;
  lock.unlock();
  changed_.notify_all();
}

void BandedLines::Finish() {
  if (workers_.empty()) return;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return AllDone(); });
}

void BandedLines::Work(Band& band) {
  for (;;) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return quit_ || band.done < handed_; });
    if (quit_) return;
    lock.unlock();
    // runs_ stays as it is until every band is done with it.
    DrawBand(band.top, band.bottom, runs_);
    lock.lock();
    ++band.done;
    lock.unlock();
    changed_.notify_all();
  }
}

void BandedLines::DrawBand(int top, int bottom, const std::vector<LineRun>& runs) const {
  SmoothLine line(bits_, stride_, width_, top, bottom);
  const double scale = placement_.scale, ox = placement_.originX, oy = placement_.originY;
  for (const LineRun& run : runs) {
    if (cancelled_ != nullptr && cancelled_->load(std::memory_order_relaxed)) return;
    line.SetPen(run.colour, run.width);
    for (size_t i = 1; i < run.count; ++i) {
      const float* a = run.xy + 2 * (i - 1);
      const float* b = a + 2;
      if (std::isnan(a[0]) || std::isnan(b[0])) continue;
      line.Segment(ox + a[0] * scale, oy + a[1] * scale, ox + b[0] * scale, oy + b[1] * scale);
    }
  }
}
