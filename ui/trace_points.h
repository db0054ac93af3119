#pragma once
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace ui {

// The bytes that every trace's kept points may take together: beyond them a
// trace is retraced for each render instead. Thread-safe.
class PointBudget {
 public:
  static constexpr size_t kDefaultLimit = size_t{64} << 20;
  static bool Take(size_t bytes);
  static void Give(size_t bytes);
  static size_t InUse();
  // Returns the limit it replaces.
  static size_t SetLimit(size_t bytes);
};

// The unrounded points of one trace, x and y in picture pixels, in the order
// the tracer made them, held within the budget.
class TracePoints {
 public:
  TracePoints() = default;
  ~TracePoints() { PointBudget::Give(reserved_); }
  TracePoints(const TracePoints&) = delete;
  TracePoints& operator=(const TracePoints&) = delete;

  // Room for `points` in all; false when the budget has none.
  bool Reserve(size_t points);
  // False, and nothing added, when the budget has no room left.
  bool Add(float x, float y) {
    if (xy_.size() == xy_.capacity() && !Grow()) return false;
    xy_.push_back(x);
    xy_.push_back(y);
    return true;
  }
  // Adds all `count` points (x and y in turn), or none when the budget has
  // no room for them all.
  bool Append(const float* xy, size_t count);
  // Forgets all but the last `keep` points (their room stays taken).
  void KeepLast(size_t keep);
  // Gives back the room beyond the points held, unless it is small.
  void Trim();
  const float* Data() const { return xy_.data(); }
  size_t Count() const { return xy_.size() / 2; }

 private:
  bool Grow();
  std::vector<float> xy_;
  size_t reserved_ = 0;  // bytes taken from the budget
};

// Where a logged trace keeps its points once a render or the live view has
// them; shared by every copy of the log. Thread-safe.
class TracePointSlot {
 public:
  std::shared_ptr<const TracePoints> Get() const {
    const std::lock_guard lock(mutex_);
    return points_;
  }
  void Set(std::shared_ptr<const TracePoints> points) {
    const std::lock_guard lock(mutex_);
    points_ = std::move(points);
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const TracePoints> points_;
};

}  // namespace ui
