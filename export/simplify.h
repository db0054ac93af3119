#pragma once
#include <cstddef>
#include <utility>
#include <vector>

#include "engine/curve.h"

namespace exporting {

// Douglas-Peucker over a stream of points, in chunks whose ends are always
// kept, so that memory stays bounded whatever the length of the path. Every
// point dropped lies within the tolerance of the segment between the kept
// points around it; the first and last points are kept. A negative tolerance
// keeps every point.
template <class Output>
class StreamSimplifier {
 public:
  using Point = engine::Curve::ScreenPoint;
  static constexpr size_t kChunk = 100000;

  StreamSimplifier(long double tolerance, Output output, size_t chunk = kChunk)
      : tolerance_(tolerance),
        output_(std::forward<Output>(output)),
        chunk_(chunk < 2 ? 2 : chunk) {
    points_.reserve(chunk_ + 1);
  }

  void Add(const Point& p) {
    points_.push_back(p);
    if (points_.size() > chunk_) {
      PassOnKept(false);
      // The chunk's last point starts the next one.
      points_[0] = points_.back();
      points_.resize(1);
    }
  }

  // Passes on what is left, the last point included.
  void Finish() {
    if (!points_.empty()) PassOnKept(true);
    points_.clear();
  }

 private:
  static long double DistanceSquared(const Point& p, const Point& a, const Point& b) {
    const long double dx = b.x - a.x, dy = b.y - a.y;
    long double px = p.x - a.x, py = p.y - a.y;
    const long double length = dx * dx + dy * dy;
    if (length > 0) {
      const long double t = (px * dx + py * dy) / length;
      if (t >= 1) {
        px = p.x - b.x;
        py = p.y - b.y;
      } else if (t > 0) {
        px -= t * dx;
        py -= t * dy;
      }
    }
    return px * px + py * py;
  }

  void PassOnKept(bool withLast) {
    const size_t n = points_.size();
    keep_.assign(n, tolerance_ < 0);
    keep_[0] = keep_[n - 1] = true;
    if (tolerance_ >= 0 && n > 2) {
      const long double limit = tolerance_ * tolerance_;
      ranges_.assign(1, {0, n - 1});
      while (!ranges_.empty()) {
        const auto [first, last] = ranges_.back();
        ranges_.pop_back();
        long double farthest = -1;
        size_t at = first;
        for (size_t i = first + 1; i < last; ++i) {
          const long double d = DistanceSquared(points_[i], points_[first], points_[last]);
          if (d > farthest) {
            farthest = d;
            at = i;
          }
        }
        if (farthest > limit) {
          keep_[at] = true;
          if (at - first > 1) ranges_.push_back({first, at});
          if (last - at > 1) ranges_.push_back({at, last});
        }
      }
    }
    const size_t end = withLast ? n : n - 1;
    for (size_t i = 0; i < end; ++i)
      if (keep_[i]) output_(points_[i]);
  }

  long double tolerance_;
  Output output_;
  size_t chunk_;
  std::vector<Point> points_;
  std::vector<bool> keep_;
  std::vector<std::pair<size_t, size_t>> ranges_;
};

// Puts the simplifier between a page clipper and a path: each stretch is
// simplified on its own, so that its ends on the page's edge stay.
template <class Path>
class SimplifiedStretches {
 public:
  SimplifiedStretches(long double tolerancePx, Path& path)
      : path_(&path), simplifier_(tolerancePx, ToPath{&path}) {}
  void Point(const engine::Curve::ScreenPoint& p) { simplifier_.Add(p); }
  void EndStretch() {
    simplifier_.Finish();
    path_->EndStretch();
  }

 private:
  struct ToPath {
    Path* path;
    void operator()(const engine::Curve::ScreenPoint& p) const { path->Point(p); }
  };
  Path* path_;
  StreamSimplifier<ToPath> simplifier_;
};

}  // namespace exporting
