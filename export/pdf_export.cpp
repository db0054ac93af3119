#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "core/drawing_area.h"
#include "export/boxed_polyline.h"
#include "export/export_detail.h"
#include "export/line_raster.h"
#include "export/simplify.h"

namespace exporting::detail {

namespace {

constexpr int kResolution = 1200;  // dpi: the page's device units
constexpr size_t kPiece = 10000;   // points a path piece

}  // namespace

void WritePdf(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& out, ProgressMeter& progress) {
  QPdfWriter writer(&out.Device());
  writer.setResolution(kResolution);
  writer.setCreator("Korva");
  const QPageSize page(QSizeF(options.sizeMm, options.sizeMm), QPageSize::Millimeter, QString(),
                       QPageSize::ExactMatch);
  writer.setPageLayout(
      QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  QPainter painter;
  if (!painter.begin(&writer)) ThrowWriteError();
  // Device units a screen pixel.
  const double scale = options.sizeMm / 25.4 * kResolution / kDrawingAreaSize;
  if (options.includeCanvas) {
    const double side = kDrawingAreaSize * scale;
    painter.fillRect(QRectF(0, 0, side, side), QColor::fromRgb(OpaqueArgb(options.canvasColour)));
  }
  painter.setBrush(Qt::NoBrush);
  for (const ExportPattern& pattern : patterns) {
    const engine::Curve curve(pattern.record);
    painter.setPen(QPen(QColor::fromRgb(OpaqueArgb(pattern.record.Colour)),
                        pattern.lineWidth * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    // Far-away parts are cut where no cap can show, keeping the numbers in
    // the range the PDF writer prints.
    const double margin = 1024 + pattern.lineWidth;
    const auto draw = [&](const std::vector<QPointF>& run) {
      painter.drawPolyline(run.data(), static_cast<int>(run.size()));
    };
    BoxedPolyline<decltype(draw)> line(-margin, -margin, kDrawingAreaSize + margin,
                                       kDrawingAreaSize + margin, scale, kPiece, draw);
    const auto add = [&](const ScreenPoint& p) {
      line.Add(static_cast<double>(p.x), static_cast<double>(p.y));
    };
    if (options.simplifyMm) {
      const long double tolerance =
          static_cast<long double>(*options.simplifyMm) * kDrawingAreaSize / options.sizeMm - 1e-6L;
      StreamSimplifier<decltype(add)> simplifier(tolerance, add);
      TraceExact(curve, progress, [&](const ScreenPoint& p) { simplifier.Add(p); });
      simplifier.Finish();
    } else {
      TraceExact(curve, progress, add);
    }
    line.Finish();
  }
  if (!painter.end()) ThrowWriteError();
}

}  // namespace exporting::detail
