#pragma once
// What the three writers share: the output file, progress, and the trace of
// one pattern as exact screen points.
#include <QSaveFile>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/run_time_error.h"
#include "engine/curve.h"
#include "export/export.h"

namespace exporting::detail {

using ScreenPoint = engine::Curve::ScreenPoint;

// Thrown when the progress callback asks to stop; ExportDesign catches it.
struct Stopped {};

// A file written through a temporary one beside it, with our own buffer so
// that the hot loops append bytes with no call per number.
class OutputFile {
 public:
  // Unbuffered: writes go straight from our buffer to the file, for writers
  // that use Reserve and Append only.
  OutputFile(const std::string& path, bool unbuffered);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Room for at least `bytes`, a small count next to the 1 MB buffer, at the
  // returned pointer.
  char* Reserve(size_t bytes) {
    if (static_cast<size_t>(end_ - next_) < bytes) Flush();
    return next_;
  }
  void Advance(char* to) { next_ = to; }
  void Append(std::string_view text);
  void Flush();
  // The device, for writers that bring their own (QPdfWriter, QImage::save).
  QIODevice& Device() { return file_; }
  // Renames the temporary file over the target. Until then, destroying this
  // object removes the temporary file.
  void Commit();

 private:
  QSaveFile file_;
  std::vector<char> buffer_;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

[[noreturn]] void ThrowWriteError();

class ProgressMeter {
 public:
  ProgressMeter(const Progress& callback, int64_t total) : callback_(callback), total_(total) {}
  void Add(int64_t points) {
    done_ += points;
    if (done_ >= nextReport_) Report();
  }
  // Reports now; throws Stopped when asked to stop.
  void Report();

 private:
  static constexpr int64_t kInterval = int64_t{1} << 18;
  const Progress& callback_;
  int64_t total_;
  int64_t done_ = 0;
  int64_t nextReport_ = 0;
};

// The number of points a pattern's trace is expected to give; INT64_MAX for
// one that never ends, 0 for one whose curve cannot be set up.
int64_t EstimatedPoints(const engine::PatternRecord& record, const engine::RingShape& ring);
int64_t SaturatingAdd(int64_t a, int64_t b);

// The screen's range check on a point: ScreenPixel truncates each value to
// 64 bits and refuses what does not fit 32, which is exactly the values
// outside (-2^31 - 1, 2^31), NaN included.
inline void CheckScreenRange(const ScreenPoint& e) {
  constexpr long double kBelow = -2147483649.0L, kAbove = 2147483648.0L;
  if (!(e.x > kBelow && e.x < kAbove && e.y > kBelow && e.y < kAbove)) [[unlikely]]
    throw RunTimeError(errors::kRangeCheck);
}

// Calls point(const ScreenPoint&) for every point of the pattern's trace in
// order, the first one included. A point whose screen pixel the drawing area
// would refuse fails the same way here.
template <class PointSink>
void TraceExact(const engine::Curve& curve, ProgressMeter& progress, PointSink&& point) {
  bool first = true;
  curve.TraceMapped(
      [&](const engine::CurvePoint& p) {
        const ScreenPoint e = curve.ExactScreenPoint(p);
        CheckScreenRange(e);
        return e;
      },
      [&](const ScreenPoint& from, const ScreenPoint& to) {
        if (first) [[unlikely]] {
          first = false;
          point(from);
          progress.Add(1);
        }
        point(to);
        progress.Add(1);
      });
}

// "#rrggbb" of a colour value 0x00BBGGRR.
std::string HexColour(Colour colour);

void WriteSvg(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& out, ProgressMeter& progress);
void WritePdf(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& out, ProgressMeter& progress);
void WritePng(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& out, ProgressMeter& progress);

}  // namespace exporting::detail
