#include "raster/banded_lines.h"

#include <algorithm>
#include <cmath>

#include "raster/merged_strokes.h"
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
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return AllDone(); });
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

namespace {
// Draws the merged segments as they are settled.
struct DrawnSegments {
  SmoothLine& line;
  SmoothLine::Cut Turn(const ScanPoint& a, const ScanPoint& b, const ScanPoint& c,
                       const SmoothLine::Cut& start) {
    const SmoothLine::Cut cut = CutBetween(a.x, a.y, b.x, b.y, c.x, c.y);
    line.Segment(a.x, a.y, b.x, b.y, start, cut);
    return cut;
  }
  void End(const ScanPoint& a, const ScanPoint& b, const SmoothLine::Cut& start) {
    line.Segment(a.x, a.y, b.x, b.y, start, {});
  }
};
}  // namespace

void BandedLines::DrawBand(int top, int bottom, const std::vector<LineRun>& runs) const {
  SmoothLine line(bits_, stride_, width_, top, bottom);
  for (const LineRun& run : runs) {
    if (cancelled_ != nullptr && cancelled_->load(std::memory_order_relaxed)) return;
    line.SetPen(run.colour, run.width);
    if (run.strokes) {
      DrawStrokes(line, run.xy, run.count, placement_);
      continue;
    }
    DrawnSegments drawn{line};
    MergeScan<DrawnSegments> scan(drawn, placement_);
    scan.Add(run.xy, run.count);
    scan.Flush();
  }
}
