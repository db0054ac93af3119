#pragma once
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "raster/merge_scan.h"
#include "raster/smooth_line.h"

// A point of a polyline: where it lands in device pixels, and as given.
struct ScanPoint {
  double x = 0, y = 0;
  float givenX = 0, givenY = 0;
};

// The cut at B between A-B and B-C halves the turn there, shared by both
// segments; a turn sharper than about 84 degrees is cut square.
SmoothLine::Cut CutBetween(double ax, double ay, double bx, double by, double cx, double cy);

// The segments a polyline is drawn with: runs of sub-pixel segments merged
// as LengtheningPoints says, each merged segment handed to `out` as it is
// settled: out.Turn(a, b, c, start) for a segment A-B that the line leaves
// towards C, which returns the cut at B (CutBetween, when `out` needs it),
// and out.End(a, b, start) for the last one of a line.
template <class Out>
class MergeScan {
 public:
  MergeScan(Out& out, const LinePlacement& placement)
      : out_(out), placement_(placement), scale_(static_cast<float>(placement.scale)) {}

  // The next points of the line (a NaN point breaks it).
  void Add(const float* xy, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      i += Lengthen(xy + 2 * i, count - i);
      if (i == count) break;
      const float* p = xy + 2 * i;
      if (std::isnan(p[0]) || std::isnan(p[1])) {
        Flush();
        continue;
      }
      Point(p[0], p[1]);
    }
  }
  // Ends the line under way.
  void Flush() {
    if (pending_) out_.End(a_, b_, startCut_);
    started_ = pending_ = false;
    startCut_ = {};
  }

 private:
  ScanPoint Placed(float x, float y) const {
    return {::Placed(x, placement_.scale, placement_.originX),
            ::Placed(y, placement_.scale, placement_.originY), x, y};
  }
  // Takes the points from `xy` on that only lengthen the pending segment;
  // how many.
  size_t Lengthen(const float* xy, size_t count) {
    if (!pending_) return 0;
    const size_t taken =
        LengtheningPoints(xy, count, scale_, a_.givenX, a_.givenY, b_.givenX, b_.givenY);
    if (taken > 0) b_ = Placed(xy[2 * taken - 2], xy[2 * taken - 1]);
    return taken;
  }
  void Point(float givenX, float givenY) {
    const ScanPoint p = Placed(givenX, givenY);
    if (!started_) {
      a_ = p, started_ = true;
      return;
    }
    if (!pending_) {
      if (givenX == a_.givenX && givenY == a_.givenY) return;
      b_ = p, pending_ = true;
      return;
    }
    if (givenX == b_.givenX && givenY == b_.givenY) return;
    if (Lengthens(givenX, givenY, a_.givenX, a_.givenY, b_.givenX, b_.givenY, scale_)) {
      b_ = p;
      return;
    }
    startCut_ = out_.Turn(a_, b_, p, startCut_);
    a_ = b_;
    b_ = p;
  }

  Out& out_;
  LinePlacement placement_;
  float scale_;
  ScanPoint a_, b_;
  SmoothLine::Cut startCut_;
  bool started_ = false, pending_ = false;
};

// A polyline's merged segments, written down for a painter at the same
// placement to draw without merging again (DrawStrokes). Each stroke is its
// first point; for each segment but the last, its end B and the point C the
// line turned towards there, which set the cut at B; the last segment's end;
// and a NaN point. All are points as given.
class StrokeWriter {
 public:
  explicit StrokeWriter(const LinePlacement& placement) : scan_(*this, placement) {}
  StrokeWriter(const StrokeWriter&) = delete;
  StrokeWriter& operator=(const StrokeWriter&) = delete;

  void Add(const float* xy, size_t count);
  // How many points were given since the strokes were last taken.
  size_t Given() const { return given_; }
  size_t Floats() const { return strokes_.size(); }
  // The strokes so far, the stroke under way ended as the end of the points
  // would end it; the next one goes on from the last point given, as points
  // handed on after it in a polyline of their own would. `storage`, emptied,
  // takes the strokes to come.
  std::vector<float> Take(std::vector<float> storage = {});

  // For MergeScan: the cuts are left to the painter.
  SmoothLine::Cut Turn(const ScanPoint& a, const ScanPoint& b, const ScanPoint& c,
                       const SmoothLine::Cut&);
  void End(const ScanPoint& a, const ScanPoint& b, const SmoothLine::Cut&);

 private:
  static constexpr float kBreak = std::numeric_limits<float>::quiet_NaN();
  void Put(float x, float y) {
    strokes_.push_back(x);
    strokes_.push_back(y);
  }
  void Open(const ScanPoint& a);

  MergeScan<StrokeWriter> scan_;
  std::vector<float> strokes_;
  size_t given_ = 0;
  bool open_ = false;
  float lastX_ = kBreak, lastY_ = kBreak;
};

// Draws the strokes a StrokeWriter wrote: the segments, cuts and all, that
// the bands draw from the points it was given.
void DrawStrokes(SmoothLine& line, const float* xy, size_t count, const LinePlacement& placement);
