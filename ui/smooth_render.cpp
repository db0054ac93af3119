#include "ui/smooth_render.h"

#include <QPainter>
#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "core/drawing_area.h"
#include "engine/curve.h"
#include "ui/canvas.h"

namespace ui {

namespace {
// Points handed to the bands at a time: long enough to keep the hand-overs
// few, short enough that a cancel is seen soon.
constexpr size_t kRunPoints = 65536;
std::atomic<uint64_t> retraces{0};

struct Cancelled {};
struct Stop {};

using FloatPoint = engine::Curve::FloatPoint;

void DrawKept(BandedLines& lines, const TracePoints& points, const LoggedTrace& trace,
              const SmoothFrame& frame, const std::atomic<bool>& cancelled) {
  const size_t count = std::min(points.Count(), static_cast<size_t>(trace.segments) + 1);
  // Each run starts at the point the one before ended on.
  for (size_t start = 0; start + 1 < count; start += kRunPoints - 1) {
    if (cancelled) throw Cancelled{};
    lines.Draw(
        {TraceRun(points.Data() + 2 * start, std::min(kRunPoints, count - start), trace, frame)});
  }
}

// Draws the trace as its blocks come in, and keeps its points when the
// budget has room for all of them.
void Retrace(BandedLines& lines, const LoggedTrace& trace, const SmoothFrame& frame,
             const std::atomic<bool>& cancelled, int threads) {
  ++retraces;
  auto kept = std::make_shared<TracePoints>();
  const bool keep = kept->Reserve(static_cast<size_t>(trace.segments) + 1);
  std::vector<float> buffers[2];
  for (std::vector<float>& buffer : buffers) buffer.reserve(2 * kRunPoints);
  // The bands read the buffers until they are done.
  struct WaitForBands {
    BandedLines& lines;
    ~WaitForBands() { lines.Finish(); }
  } waitForBands{lines};
  int current = 0;
  const std::function<void()> handOver = [&] {
    const std::vector<float>& full = buffers[current];
    if (full.size() < 4) return;
    lines.Draw({TraceRun(full.data(), full.size() / 2, trace, frame)});
    // The bands are done with the other buffer now.
    current ^= 1;
    buffers[current].assign(full.end() - 2, full.end());
  };
  // The points a run at a time, as the trace gives them: copied into the
  // buffer the bands read next, handed over each time it holds kRunPoints
  // (where DrawKept cuts the kept points too), and kept.
  struct Gather {
    int64_t left;
    bool first;
    std::vector<float> (&buffers)[2];
    int& current;
    TracePoints* kept;
    const std::atomic<bool>& cancelled;
    const std::function<void()>& handOver;
    void operator()(const FloatPoint& from, const FloatPoint& to) { Run(from, &to, 1); }
    void Run(const FloatPoint& previous, const FloatPoint* points, int64_t count) {
      if (left <= 0) throw Stop{};
      const int64_t taken = std::min(count, left);
      left -= taken;
      if (first) {
        first = false;
        Add(&previous, 1);
      }
      for (int64_t done = 0; done < taken;) {
        const int64_t room = static_cast<int64_t>(kRunPoints - buffers[current].size() / 2);
        const int64_t n = std::min(room, taken - done);
        Add(points + done, n);
        done += n;
      }
      if (taken < count) throw Stop{};
    }
    void Add(const FloatPoint* points, int64_t count) {
      std::vector<float>& buffer = buffers[current];
      const size_t at = buffer.size();
      buffer.resize(at + 2 * static_cast<size_t>(count));
      for (int64_t i = 0; i < count; ++i) {
        buffer[at + 2 * i] = points[i].x;
        buffer[at + 2 * i + 1] = points[i].y;
      }
      if (kept != nullptr) kept->Append(buffer.data() + at, static_cast<size_t>(count));
      if (buffer.size() >= 2 * kRunPoints) {
        if (cancelled) throw Cancelled{};
        handOver();
      }
    }
  };
  Gather gather{trace.segments, true,    buffers, current, keep ? kept.get() : nullptr,
                cancelled,      handOver};
  try {
    const engine::Curve curve(trace.record, trace.ring);
    engine::TraceControl control;
    engine::TraceOptions options;
    options.threads = threads;
    engine::TraceParallel(
        curve, engine::Curve::FloatScreenMap{&curve}, gather, control,
        [&] {
          if (cancelled) control.RequestStop();
        },
        options);
  } catch (const Stop&) {
  } catch (const Cancelled&) {
    throw;
  } catch (const std::exception&) {
    // The trace failed here when it was drawn too: it ends where it did.
  }
  if (cancelled) throw Cancelled{};
  handOver();
  if (keep) trace.points->Set(std::move(kept));
}
}  // namespace

BandedLines LinesOnto(QImage& image, const SmoothFrame& frame, int threads,
                      const std::atomic<bool>* cancelled) {
  return BandedLines(reinterpret_cast<uint32_t*>(image.bits()),
                     static_cast<int>(image.bytesPerLine() / 4), image.width(), image.height(),
                     threads, PlacementOf(frame), cancelled);
}

LineRun TraceRun(const float* xy, size_t count, const LoggedTrace& trace,
                 const SmoothFrame& frame) {
  return {xy, count, ToQRgb(trace.colour) | 0xFF000000u, trace.width * frame.penScale};
}

QImage RenderSmooth(const TraceLog& log, const SmoothFrame& frame, QRgb around,
                    const std::atomic<bool>& cancelled, int threads) {
  // Opaque, so that showing it is a copy, not a blend.
  QImage image(frame.width, frame.height, QImage::Format_RGB32);
  image.fill(around);
  {
    QPainter painter(&image);
    painter.fillRect(QRectF(frame.originX, frame.originY, kDrawingAreaSize * frame.scale,
                            kDrawingAreaSize * frame.scale),
                     QColor::fromRgb(ToQRgb(log.Background())));
  }
  // Kept points stay until the bands are done with them.
  std::vector<std::shared_ptr<const TracePoints>> held;
  try {
    // Kept points are drawn in a band a core. A retrace keeps every core
    // busy tracing, and each band goes through every point: its points are
    // drawn in one band.
    std::unique_ptr<BandedLines> lines;
    int bands = 0;
    const auto linesIn = [&](int count) -> BandedLines& {
      if (lines == nullptr || bands != count) {
        lines.reset();  // draws what it was handed first
        lines = std::make_unique<BandedLines>(
            reinterpret_cast<uint32_t*>(image.bits()), static_cast<int>(image.bytesPerLine() / 4),
            image.width(), image.height(), count,
            LinePlacement{frame.scale, frame.originX, frame.originY}, &cancelled);
        bands = count;
      }
      return *lines;
    };
    for (const LoggedTrace* trace : log.Traces()) {
      if (trace->segments <= 0) continue;
      const std::shared_ptr<const TracePoints> kept = trace->points->Get();
      if (kept) {
        held.push_back(kept);
        DrawKept(linesIn(threads), *kept, *trace, frame, cancelled);
      } else {
        Retrace(linesIn(1), *trace, frame, cancelled, threads);
      }
    }
    if (lines != nullptr) lines->Finish();
  } catch (const Cancelled&) {
    return {};
  }
  if (cancelled) return {};
  return image;
}

uint64_t SmoothRetraces() {
  return retraces.load();
}

}  // namespace ui
