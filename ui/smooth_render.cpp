#include "ui/smooth_render.h"

#include <QPainter>
#include <cmath>
#include <exception>

#include "core/drawing_area.h"
#include "engine/curve.h"
#include "ui/canvas.h"

namespace ui {

namespace {
// Points a polyline is handed to the painter in: long enough to keep the
// calls few, short enough that stroking stays cheap.
constexpr size_t kLinePoints = 1024;
// Segments between looks at the cancel flag.
constexpr int64_t kCancelCheck = 8192;
}  // namespace

SmoothStroker::SmoothStroker(QPainter& painter, const SmoothFrame& frame)
    : painter_(painter), frame_(frame) {
  painter_.setRenderHint(QPainter::Antialiasing, true);
  line_.reserve(kLinePoints);
}

void SmoothStroker::SetPen(Colour colour, int width) {
  Flush();
  line_.clear();
  // Bevel joins and flat ends stroke in a third of the time of round ones,
  // and look the same on segments a few pixels long.
  QPen pen(QColor::fromRgb(ToQRgb(colour)), width * frame_.penScale, Qt::SolidLine, Qt::FlatCap,
           Qt::BevelJoin);
  painter_.setPen(pen);
}

void SmoothStroker::Point(double x, double y) {
  if (std::isnan(x) || std::isnan(y)) return Break();
  line_.emplace_back(frame_.originX + x * frame_.scale, frame_.originY + y * frame_.scale);
  if (line_.size() >= kLinePoints) {
    Flush();
    // The next stretch carries on from the last point.
    const QPointF last = line_.back();
    line_.clear();
    line_.push_back(last);
  }
}

void SmoothStroker::Break() {
  Flush();
  line_.clear();
}

void SmoothStroker::Flush() {
  if (line_.size() >= 2) painter_.drawPolyline(line_.data(), static_cast<int>(line_.size()));
}

QImage RenderSmooth(const TraceLog& log, const SmoothFrame& frame, QRgb around,
                    const std::atomic<bool>& cancelled) {
  QImage image(frame.width, frame.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(around);
  QPainter painter(&image);
  painter.fillRect(QRectF(frame.originX, frame.originY, kDrawingAreaSize * frame.scale,
                          kDrawingAreaSize * frame.scale),
                   QColor::fromRgb(ToQRgb(log.Background())));
  struct Stop {};
  struct Cancelled {};
  try {
    SmoothStroker stroker(painter, frame);
    for (const LoggedTrace* trace : log.Traces()) {
      stroker.SetPen(trace->colour, trace->width);
      int64_t left = trace->segments, untilCheck = kCancelCheck;
      bool first = true;
      try {
        const engine::Curve curve(trace->record, trace->ring);
        curve.TraceMapped(
            [&curve](const engine::CurvePoint& p) { return curve.ExactScreenPoint(p); },
            [&](const engine::Curve::ScreenPoint& a, const engine::Curve::ScreenPoint& b) {
              if (left-- <= 0) throw Stop{};
              if (--untilCheck == 0) {
                untilCheck = kCancelCheck;
                if (cancelled) throw Cancelled{};
              }
              if (first) stroker.Point(static_cast<double>(a.x), static_cast<double>(a.y));
              first = false;
              stroker.Point(static_cast<double>(b.x), static_cast<double>(b.y));
            });
      } catch (const Stop&) {
      } catch (const Cancelled&) {
        throw;
      } catch (const std::exception&) {
        // The trace failed here when it was drawn too: it ends where it did.
      }
      stroker.Break();
    }
  } catch (const Cancelled&) {
    return {};
  }
  painter.end();
  return image;
}

}  // namespace ui
