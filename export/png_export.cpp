#include <QImage>
#include <cmath>

#include "core/drawing_area.h"
#include "core/run_time_error.h"
#include "export/export_detail.h"
#include "export/line_raster.h"

namespace exporting::detail {

namespace {

int64_t TruncateWide(long double v) {
  int64_t r;
  __asm__("fisttpll %0" : "=m"(r) : "t"(v) : "st");
  return r;
}

struct Spot {
  int64_t x, y;
  bool operator==(const Spot&) const = default;
};

// The drawing area's own way: a line from each pixel to the next.
void DrawAsScreen(const engine::Curve& curve, LineRaster& raster, ProgressMeter& progress) {
  progress.Add(1);
  curve.TraceMapped([&](const engine::CurvePoint& p) { return curve.ScreenPixel(p); },
                    [&](engine::Pixel a, engine::Pixel b) {
                      raster.Line(a.x, a.y, b.x, b.y);
                      progress.Add(1);
                    });
}

// Scaled pixels, a segment that adds no pixel (both ends the same) left out.
void DrawScaled(const engine::Curve& curve, LineRaster& raster, long double scale,
                ProgressMeter& progress) {
  progress.Add(1);
  curve.TraceMapped(
      [&](const engine::CurvePoint& p) {
        const ScreenPoint e = curve.ExactScreenPoint(p);
        CheckScreenRange(e);
        return Spot{TruncateWide(e.x * scale), TruncateWide(e.y * scale)};
      },
      [&](Spot a, Spot b) {
        if (!(a == b)) raster.Line(a.x, a.y, b.x, b.y);
        progress.Add(1);
      });
}

}  // namespace

void WritePng(const std::vector<ExportPattern>& patterns, const ExportOptions& options,
              OutputFile& out, ProgressMeter& progress) {
  const int side = options.sizePx;
  QImage image(side, side,
               options.includeCanvas ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw RunTimeError("Not enough memory for the image");
  image.fill(options.includeCanvas ? OpaqueArgb(options.canvasColour) : 0u);
  {
    LineRaster raster(image);
    const bool screen = side == kDrawingAreaSize;
    const long double scale = static_cast<long double>(side) / kDrawingAreaSize;
    for (const ExportPattern& pattern : patterns) {
      const engine::Curve curve(pattern.record, pattern.ring);
      const int width = static_cast<int>(
          std::lround(pattern.lineWidth * static_cast<double>(side) / kDrawingAreaSize));
      if (screen) {
        raster.SetPen(pattern.record.Colour, pattern.lineWidth);
        DrawAsScreen(curve, raster, progress);
      } else {
        raster.SetPen(pattern.record.Colour, std::max(width, 1), LineRaster::WidePen::Disc);
        DrawScaled(curve, raster, scale, progress);
      }
    }
  }
  progress.Report();
  if (!image.save(&out.Device(), "PNG")) ThrowWriteError();
}

}  // namespace exporting::detail
