#include "raster/banded_lines.h"

#include <algorithm>
#include <cmath>

#include "raster/merge_scan.h"
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
// Joins sharper than this (the cosine of the turn) are cut square.
constexpr double kLeastCosine = 0.1;

class MergedSegments {
 public:
  explicit MergedSegments(SmoothLine& line) : line_(line) {}
  ~MergedSegments() { Flush(); }
  // Takes the points from `xy` on that only lengthen the pending segment;
  // how many.
  size_t Lengthen(const float* xy, size_t count, const LinePlacement& placement) {
    if (!pending_) return 0;
    const size_t taken = LengtheningPoints(xy, count, placement, ax_, ay_, bx_, by_);
    if (taken > 0) {
      bx_ = Placed(xy[2 * taken - 2], placement.scale, placement.originX);
      by_ = Placed(xy[2 * taken - 1], placement.scale, placement.originY);
    }
    return taken;
  }
  void Point(double x, double y) {
    if (!started_) {
      ax_ = x, ay_ = y, started_ = true;
      return;
    }
    if (!pending_) {
      if (x == ax_ && y == ay_) return;
      bx_ = x, by_ = y, pending_ = true;
      return;
    }
    if (x == bx_ && y == by_) return;
    const double dx = x - ax_, dy = y - ay_, squared = dx * dx + dy * dy;
    if (squared <= kMergeLength * kMergeLength) {
      const double cross = (bx_ - ax_) * dy - (by_ - ay_) * dx;
      if (cross * cross <= kMergeTolerance * kMergeTolerance * squared) {
        bx_ = x, by_ = y;
        return;
      }
    }
    // The cut at B halves the turn from A-B to B-C, shared by both.
    const double abx = bx_ - ax_, aby = by_ - ay_, bcx = x - bx_, bcy = y - by_;
    const double ab = std::sqrt(abx * abx + aby * aby), bc = std::sqrt(bcx * bcx + bcy * bcy);
    SmoothLine::Cut cut;
    if (abx * bcx + aby * bcy >= kLeastCosine * ab * bc)
      cut = {abx / ab + bcx / bc, aby / ab + bcy / bc, false};
    line_.Segment(ax_, ay_, bx_, by_, startCut_, cut);
    startCut_ = cut;
    ax_ = bx_, ay_ = by_;
    bx_ = x, by_ = y;
  }
  void Flush() {
    if (pending_) line_.Segment(ax_, ay_, bx_, by_, startCut_, {});
    started_ = pending_ = false;
    startCut_ = {};
  }

 private:
  SmoothLine& line_;
  double ax_ = 0, ay_ = 0, bx_ = 0, by_ = 0;
  SmoothLine::Cut startCut_;
  bool started_ = false, pending_ = false;
};
}  // namespace

void BandedLines::DrawBand(int top, int bottom, const std::vector<LineRun>& runs) const {
  SmoothLine line(bits_, stride_, width_, top, bottom);
  const double scale = placement_.scale, ox = placement_.originX, oy = placement_.originY;
  for (const LineRun& run : runs) {
    if (cancelled_ != nullptr && cancelled_->load(std::memory_order_relaxed)) return;
    line.SetPen(run.colour, run.width);
    MergedSegments segments(line);
    for (size_t i = 0; i < run.count; ++i) {
      i += segments.Lengthen(run.xy + 2 * i, run.count - i, placement_);
      if (i == run.count) break;
      const float* p = run.xy + 2 * i;
      if (std::isnan(p[0]) || std::isnan(p[1])) {
        segments.Flush();
        continue;
      }
      segments.Point(Placed(p[0], scale, ox), Placed(p[1], scale, oy));
    }
  }
}
