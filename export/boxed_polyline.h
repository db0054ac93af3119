#pragma once
#include <QPointF>
#include <cstddef>
#include <utility>
#include <vector>

#include "core/clip_to_box.h"

namespace exporting {

// A polyline handed on in pieces of bounded length, the parts far outside a
// box cut away: a segment that leaves the box ends where it crosses it, so
// that the points handed on stay in a range every renderer copes with. The
// box should reach far enough past the picture that no cut end shows.
template <class Draw>  // Draw(const std::vector<QPointF>&), at least 2 points
class BoxedPolyline {
 public:
  BoxedPolyline(double left, double top, double right, double bottom, double scale, size_t piece,
                Draw draw)
      : left_(left),
        top_(top),
        right_(right),
        bottom_(bottom),
        scale_(scale),
        piece_(piece < 2 ? 2 : piece),
        draw_(std::move(draw)) {
    run_.reserve(piece_);
  }

  void Add(double x, double y) {
    if (!started_) {
      started_ = true;
      if (Inside(x, y)) Push(x, y);
    } else if (Inside(px_, py_) && Inside(x, y)) {
      Push(x, y);
    } else {
      double x0 = px_, y0 = py_, x1 = x, y1 = y;
      if (Clip(x0, y0, x1, y1)) {
        if (!Inside(px_, py_)) {
          Flush();
          Push(x0, y0);
        }
        Push(x1, y1);
      }
      if (!Inside(x, y)) Flush();
    }
    px_ = x;
    py_ = y;
  }

  void Finish() { Flush(); }

 private:
  bool Inside(double x, double y) const {
    return x >= left_ && x <= right_ && y >= top_ && y <= bottom_;
  }

  void Push(double x, double y) {
    run_.emplace_back(x * scale_, y * scale_);
    if (run_.size() >= piece_) {
      draw_(run_);
      const QPointF last = run_.back();
      run_.assign(1, last);
    }
  }

  void Flush() {
    if (run_.size() >= 2) draw_(run_);
    run_.clear();
  }

  bool Clip(double& x0, double& y0, double& x1, double& y1) const {
    return ClipToBox(x0, y0, x1, y1, left_, top_, right_, bottom_);
  }

  double left_, top_, right_, bottom_, scale_;
  size_t piece_;
  Draw draw_;
  std::vector<QPointF> run_;
  bool started_ = false;
  double px_ = 0, py_ = 0;
};

}  // namespace exporting
