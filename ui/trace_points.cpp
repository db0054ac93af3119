#include "ui/trace_points.h"

#include <algorithm>
#include <atomic>

namespace ui {

namespace {
std::atomic<size_t> inUse{0};
std::atomic<size_t> limit{PointBudget::kDefaultLimit};
constexpr size_t kFirstPoints = 1024;
}  // namespace

bool PointBudget::Take(size_t bytes) {
  size_t used = inUse.load();
  do {
    if (used + bytes > limit.load()) return false;
  } while (!inUse.compare_exchange_weak(used, used + bytes));
  return true;
}

void PointBudget::Give(size_t bytes) {
  inUse.fetch_sub(bytes);
}

size_t PointBudget::InUse() {
  return inUse.load();
}

size_t PointBudget::SetLimit(size_t bytes) {
  return limit.exchange(bytes);
}

bool TracePoints::Reserve(size_t points) {
  const size_t floats = 2 * points;
  if (floats <= xy_.capacity()) return true;
  const size_t bytes = (floats - xy_.capacity()) * sizeof(float);
  if (!PointBudget::Take(bytes)) return false;
  xy_.reserve(floats);
  reserved_ += bytes;
  return true;
}

bool TracePoints::Grow() {
  return Reserve(std::max(kFirstPoints, Count() * 2));
}

bool TracePoints::Append(const float* xy, size_t count) {
  const size_t needed = Count() + count;
  // Grown as Add grows it: growing by just what is needed would copy every
  // point held for each batch once the budget runs low.
  if (2 * needed > xy_.capacity() && !Reserve(std::max({needed, Count() * 2, kFirstPoints})))
    return false;
  xy_.insert(xy_.end(), xy, xy + 2 * count);
  return true;
}

void TracePoints::KeepLast(size_t keep) {
  if (keep >= Count()) return;
  xy_.erase(xy_.begin(), xy_.end() - static_cast<std::ptrdiff_t>(2 * keep));
}

void TracePoints::Trim() {
  // A little room is not worth copying every point for.
  if (xy_.capacity() - xy_.size() <= xy_.size() / 16) return;
  xy_.shrink_to_fit();
  const size_t held = xy_.capacity() * sizeof(float);
  if (held < reserved_) {
    PointBudget::Give(reserved_ - held);
    reserved_ = held;
  }
}

}  // namespace ui
