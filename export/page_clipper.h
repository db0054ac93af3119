#pragma once
#include <algorithm>

#include "engine/curve.h"

namespace exporting {

// A polyline of exact screen points cut to the page, the square [0, side]
// in both directions: a segment that leaves the page ends where it crosses
// the edge, and the line resumes where it comes back. The visible stretches
// go to the sink, Point(p) for each vertex and EndStretch() after the last
// one of a stretch. Points on the page are handed on unchanged; a crossing
// is worked out from the exact ends and lies on the page.
template <class Sink>
class PageClipper {
 public:
  using Point = engine::Curve::ScreenPoint;

  PageClipper(long double side, Sink& sink) : side_(side), sink_(sink) {}

  void Add(const Point& p) {
    const bool inside = Inside(p);
    if (!started_) {
      started_ = true;
      if (inside) Pass(p);
    } else if (inside && previousInside_) {
      sink_.Point(p);
    } else {
      Cross(previous_, previousInside_, p, inside);
    }
    previous_ = p;
    previousInside_ = inside;
  }

  void Finish() {
    if (open_) End();
  }

 private:
  bool Inside(const Point& p) const { return p.x >= 0 && p.x <= side_ && p.y >= 0 && p.y <= side_; }

  void Pass(const Point& p) {
    open_ = true;
    sink_.Point(p);
  }
  void End() {
    open_ = false;
    sink_.EndStretch();
  }

  // Liang-Barsky on the segment a-b, at least one end off the page. When
  // nothing of it is on the page both ends are off, and the stretch before
  // has ended already.
  void Cross(const Point& a, bool aInside, const Point& b, bool bInside) {
    long double t0 = 0, t1 = 1;
    int edge0 = -1, edge1 = -1;  // the edges that set them
    const long double dx = b.x - a.x, dy = b.y - a.y;
    const long double p[4] = {-dx, dx, -dy, dy};
    const long double q[4] = {a.x, side_ - a.x, a.y, side_ - a.y};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return;  // parallel to an edge, beyond it
        continue;
      }
      const long double t = q[i] / p[i];
      if (p[i] < 0 && t > t0) {
        t0 = t;
        edge0 = i;
      } else if (p[i] > 0 && t < t1) {
        t1 = t;
        edge1 = i;
      }
    }
    if (t0 > t1) return;  // passes the page by
    if (!aInside) Pass(At(a, dx, dy, t0, edge0));
    sink_.Point(bInside ? b : At(a, dx, dy, t1, edge1));
    if (!bInside) End();
  }

  // The point at t, on the edge that set t and held on the page against the
  // last bit of rounding.
  Point At(const Point& a, long double dx, long double dy, long double t, int edge) const {
    Point p{std::clamp(a.x + t * dx, 0.0L, side_), std::clamp(a.y + t * dy, 0.0L, side_)};
    if (edge == 0 || edge == 1) p.x = edge == 0 ? 0 : side_;
    if (edge == 2 || edge == 3) p.y = edge == 2 ? 0 : side_;
    return p;
  }

  long double side_;
  Sink& sink_;
  Point previous_;
  bool previousInside_ = false;
  bool started_ = false;
  bool open_ = false;
};

}  // namespace exporting
