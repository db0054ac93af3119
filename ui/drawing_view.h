#pragma once
#include <QImage>
#include <QPointF>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/view_mapping.h"
#include "raster/merged_strokes.h"
#include "ui/controls.h"
#include "ui/latest_job.h"
#include "ui/live_painter.h"
#include "ui/smooth_render.h"
#include "ui/trace_log.h"

namespace ui {

class DrawingViewWidget;

// The drawing area as the window shows it: the exact picture (the canvas,
// which stays the document) enlarged by nearest neighbour, each picture
// pixel floor(r) or ceil(r) device pixels wide, zoomed and panned, with the
// overlay in the same coordinates. At Fit in the smallest window it shows
// the canvas pixel for pixel.
//
// With Smooth Lines, while the view is on screen and the canvas is exactly
// its trace log, it shows the log's traces instead, retraced from their
// patterns at the screen's device pixels, antialiased. Such a render runs
// off the UI thread; until it is ready the previous one is shown stretched,
// and each change cancels the render under way. A trace drawn meanwhile is
// painted into the shown render as its points arrive.
//
// Zoom and pan change only how the picture is shown: never the canvas, the
// history or the panel.
class DrawingView : public PaintArea, public LiveTraceSink {
 public:
  enum class WheelKey { None, Ctrl, Shift };

  // `g` is the area's place in the smallest window; the window places it
  // anywhere else with PlaceOnScreen.
  DrawingView(Form& form, std::string name, Geometry g);

  const engine::ViewMapping& Mapping() const { return mapping_; }
  void ZoomIn();
  void ZoomOut();
  void Fit();
  void ActualPixels();
  // Screen pixels: dx > 0 shows more of the picture's right part.
  void Pan(double dx, double dy);
  // The zoom as the status bar shows it, such as "400 %".
  std::string ZoomText() const;
  // Runs after every change of zoom or pan.
  std::function<void()> onViewChange;

  void SetSmoothLines(bool smooth);
  bool SmoothLines() const { return smooth_; }
  // Whether the view shows a smooth render now (else the canvas enlarged).
  bool ShowsSmooth() const;
  // Whether a render is under way whose result is not yet shown, or a
  // Draw's points are handed to the live painter and not yet shown.
  bool RenderPending() const {
    return pending_.has_value() || livePaintsShown_ < livePaintsHanded_;
  }
  // The view to feed with a trace's exact points, or none when it would not
  // show them.
  LiveTraceSink* LiveSink();
  // Runs each time a finished render is shown; `sequence` counts the
  // renders started, so it only ever grows.
  std::function<void(uint64_t sequence, const SmoothFrame& frame)> onRenderShown;
  SmoothFrame CurrentFrame() const;

  void BeginLive(Colour colour, int width, int64_t expectedSegments) override;
  void LivePoints(const float* xy, size_t count) override;
  void EndLive() override;

  // User input, as the widget passes it on and korva-batch gives it: a wheel
  // turned by `deltaX`, `deltaY` (120 a notch, positive away from the user)
  // with the pointer at `x`, `y` of the shown area; a pinch by a factor.
  void UserWheel(int deltaX, int deltaY, WheelKey key, double x, double y);
  void UserPinch(double factor, double x, double y);

  // Takes the new size at once, shown or not.
  void PlaceOnScreen(Geometry place) override;
  void Repaint() override;
  void ShowProgress() override;
  void PaintOn(QPainter& painter, const QSize& shown, const QRect& dirty) const override;
  QSize ShownSize() const override;

 private:
  friend class DrawingViewWidget;
  // The shown area took a new size (a window resize, scroll bars coming or
  // going).
  void ShownResized();
  // The scroll bars moved by the user.
  void ScrollBarsMoved();
  void Changed();
  void ShowOnScrollBars();
  // Starts, keeps or drops the render the view should show.
  void RefreshRender();
  void RenderDone(uint64_t sequence, const QImage& image);
  // Hands the live points not yet painted to the painter of the shown render.
  void PaintLive();
  // RefreshRender, the view shown from the canvas after an error in it.
  void Refresh();
  // Whether the live trace goes into the shown render, and merged for it.
  bool PaintsLive() const;
  bool MergesLive() const;
  void MergeLive(const float* xy, size_t count);
  void DropMerged();
  void LivePainted(const QImage& image, uint64_t batches);
  // Keeps a live trace that ended whole, and shows it without a render when
  // it was painted whole.
  void EndLiveOn(const TraceLog& log);
  // The shown render is replaced or dropped: so is what paints into it.
  void StopLivePainter();
  void PaintSmooth(QPainter& painter, const QRect& dirty) const;

  struct Render {
    QImage image;
    SmoothFrame frame;
    TraceLog log;
    uint64_t sequence = 0;
  };
  struct Live {
    TraceLog base;  // what the canvas held when the trace began
    Colour colour = 0;
    int width = 1;
    // Picture pixels, as the tracer made them; a NaN point breaks the line.
    std::shared_ptr<TracePoints> points = std::make_shared<TracePoints>();
    size_t painted = 0;  // points already in the shown render
    // No point was dropped: to keep within the budget, or while waiting for
    // a render to paint into.
    bool complete = true;
    bool ended = false;
    // A trace expected beyond the budget is not kept: its points wait here,
    // from the last one handed on, only until the painter takes them.
    bool kept = true;
    std::vector<float> unhanded;
    // While they go to a shown render, they wait merged for its frame
    // instead: a dense trace's points, copied as they come, would cost the
    // UI thread more than merging them.
    std::unique_ptr<StrokeWriter> merger;
    SmoothFrame mergedFor;
  };

  DrawingViewWidget* view_;
  engine::ViewMapping mapping_;
  int pendingZoom_ = 0;  // wheel eighths of a degree not yet a whole notch
  bool showingOnBars_ = false;
  bool smooth_ = true;
  std::optional<Render> shown_;
  std::optional<Render> pending_;  // its image empty
  std::optional<Render> failed_;
  uint64_t sequence_ = 0;
  std::optional<Live> live_;
  LatestJob job_;
  // Paints the live points into the shown render off the UI thread.
  std::unique_ptr<LivePainter> livePainter_;
  uint64_t livePaintsHanded_ = 0, livePaintsShown_ = 0;
  // The log the shown render holds once every handed batch is shown.
  std::optional<TraceLog> liveFinalLog_;
};

}  // namespace ui
