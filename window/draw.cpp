// Draw: one pattern, or a series stepped after each pattern, optionally
// followed each time by its mirror image about the series' starting top.
// Each pattern goes through the panel (so the panel's handlers run and the
// design state takes its values), onto the picture, and into the history.
#include <QtGlobal>
#include <optional>

#include "core/command_stopped.h"
#include "engine/curve.h"
#include "engine/gear_overlay.h"
#include "engine/parallel_trace.h"
#include "engine/series.h"
#include "engine/series_plan.h"
#include "ui/canvas.h"
#include "ui/drawing_view.h"
#include "ui/trace_recorder.h"
#include "window/main_window.h"

using namespace engine;

namespace {
constexpr const char* kHistoryFull = QT_TRANSLATE_NOOP(
    "Message", "Error - Attempt to draw too many patterns - 1000 maximum allowed.");

// Traces longer than this show a busy cursor.
constexpr long double kLongTrace = 1'000'000.0L;

// The segments of a trace onto the picture, one at a time (`each` draws,
// lists and records one) or a run at a time: the run is drawn as one
// polyline in a tight loop and `rest` records it whole. An observer lists
// every segment, so with one a run goes a segment at a time.
template <class Each, class Rest>
struct PolylineSink {
  ui::ImageCanvas& canvas;
  TraceObserver* observer;
  Each each;
  Rest rest;
  template <class Value>
  void operator()(const Value& from, const Value& to) {
    each(from, to);
  }
  template <class Value>
  void Run(const Value& previous, const Value* points, int64_t count) {
    if (observer != nullptr) return EachSegmentOf(previous, points, count, each);
    canvas.Polyline(previous, points, count, [](const Value& p) { return PixelOf(p); });
    rest(previous, points, count);
  }
};

// While one pattern is traced onto the picture: a busy cursor for a long
// trace, and the pattern's own width, the pen going back to the width the
// panel sets however the trace ends.
class PatternScope {
 public:
  PatternScope(const Curve& curve, ui::ImageCanvas& canvas, int patternWidth, int panelWidth)
      : canvas_(canvas), panelWidth_(panelWidth) {
    if (curve.EstimatedSegments() > kLongTrace) busy_.emplace();
    canvas_.SetPenWidth(patternWidth);
  }
  ~PatternScope() { canvas_.SetPenWidth(panelWidth_); }
  PatternScope(const PatternScope&) = delete;
  PatternScope& operator=(const PatternScope&) = delete;

 private:
  std::optional<ui::Form::BusyCursor> busy_;
  ui::ImageCanvas& canvas_;
  int panelWidth_;
};

}  // namespace

void MainWindow::draw() {
  historyFullShown_ = false;
  if (!history_.Empty()) setColourSchemesEnabled(false);
  undoButton_->SetEnabled(!history_.Empty());
  const bool reflect = reflectCheck_->Checked();
  runTracingCommand(SeriesSegments(drawInputs()), reflect ? 2 : 1, [&] {
    // A stop drops the pattern being traced, and puts back what it changed.
    auto trace = [this](const DrawnPattern& pattern) {
      const Checkpoint before = checkpoint();
      try {
        tracePattern(pattern);
      } catch (const CommandStopped&) {
        restore(before);
        return false;
      }
      return true;
    };
    DrawSeries(*panel_, steps_, reflect, lineWidthSpin_->Value(), seriesStartTop_, trace);
  });
}

// A pattern that fails part-way is on the picture and not in the history;
// the picture cache sees that by itself.
void MainWindow::tracePattern(const DrawnPattern& drawn) {
  pictureHistory_.Cache().BeforePattern();
  traceAndRecord(drawn);
  pictureHistory_.Cache().AfterPattern();
}

void MainWindow::replayPattern(const DrawnPattern& drawn) {
  // Set up as for a trace, failing where a trace would, but not traced.
  (void)showPatternForTrace(drawn);
  Picture().SetPenWidth(lineWidthSpin_->Value());
  recordPattern(drawn);
}

Curve MainWindow::showPatternForTrace(const DrawnPattern& drawn) {
  const PatternRecord& pattern = drawn.record;
  Picture().SetPenColour(pattern.Colour);
  panel_->ShowPattern(pattern);
  panel_->ShowMode(pattern.GearMode);
  panel_->ShowRing(drawn.ring);
  // The curve uses the pattern's own reduced counts, span and ring, even when
  // a mode button's handler has moved the panel to another gear pair.
  return Curve(pattern, drawn.ring);
}

void MainWindow::traceAndRecord(const DrawnPattern& drawn) {
  const Curve curve = showPatternForTrace(drawn);
  ui::ImageCanvas& canvas = Picture();
  const PatternScope scope(curve, canvas, drawn.lineWidth, lineWidthSpin_->Value());
  const long double estimate = curve.EstimatedSegments();
  const int64_t expected = estimate > 0 && estimate < 1e12L ? static_cast<int64_t>(estimate) : 0;
  ui::TraceRecorder recorder(canvas, drawn.record, drawn.ring, pictureArea_->LiveSink(), expected);
  auto draw = [&](Pixel a, Pixel b) {
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
    if (observer_ != nullptr) observer_->ScreenSegment(a, b);
  };
  // The exact points are worked out only for a view that shows them.
  using ExactPixel = Curve::ScreenPointPixel;
  const Curve::ScreenPointMap mapExact{&curve};
  auto drawExact = [&](const ExactPixel& a, const ExactPixel& b) {
    draw(a.pixel, b.pixel);
    if (recorder.Live()) {
      recorder.Segment(a.x, a.y, b.x, b.y);
    } else {
      recorder.Segment();
    }
  };
  int64_t segments = 0;
  if (session_ != nullptr && animating()) {
    segments = traceAnimated(curve, [&](const CurvePoint& a, const CurvePoint& b) {
      drawExact(mapExact(a), mapExact(b));
    });
  } else if (recorder.Live()) {
    PolylineSink sink{canvas, observer_, drawExact,
                      [&](const ExactPixel& previous, const ExactPixel* points, int64_t count) {
                        recorder.Segments(previous, points, count);
                      }};
    segments = TraceInSession(curve, session_.get(), mapExact, sink);
  } else {
    PolylineSink sink{canvas, observer_,
                      [&](Pixel a, Pixel b) {
                        draw(a, b);
                        recorder.Segment();
                      },
                      [&](Pixel, const Pixel*, int64_t count) { recorder.Segments(count); }};
    segments = TraceInSession(curve, session_.get(), Curve::ScreenMap{&curve}, sink);
  }
  if (observer_ != nullptr) observer_->ScreenTraceDone(segments);
  recordPattern(drawn);
}

// One core at a time, each segment laid as the rolling gear reaches it; the
// picture ends as an instant Draw's.
int64_t MainWindow::traceAnimated(
    const Curve& curve, const std::function<void(const CurvePoint&, const CurvePoint&)>& draw) {
  session_->BeginPattern(curve.EstimatedSegments());
  struct StopRolling {
    MainWindow& window;
    ~StopRolling() {
      window.overlay_.SetRolling({});
      window.updateOverlay();
    }
  } stopRolling{*this};
  overlay_.SetRolling(GearsAt(curve, 0));
  updateOverlay();
  double theta = 0;
  return curve.TraceMapped([](const CurvePoint& p) { return p; },
                           [&](const CurvePoint& a, const CurvePoint& b) {
                             session_->BeforeSegment();
                             draw(a, b);
                             theta = curve.NextAngle(theta);
                             animateSegment(curve, theta);
                           });
}

void MainWindow::recordPattern(const DrawnPattern& pattern) {
  if (history_.Record(pattern.record, pattern.lineWidth, pattern.ring)) {
    undoButton_->SetEnabled(true);
    return;
  }
  // Drawn, but beyond what the history keeps.
  if (historyFullShown_) return;
  historyFullShown_ = true;
  form_.GetPrompts().Message(ui::MessageKind::Error, kHistoryFull, ui::kOk);
}

// The printer twin of tracePattern: the same panel update and the same curve,
// each segment drawn on the picture (at the pattern's width) and then on the
// page (one device pixel wide). Nothing is recorded.
void MainWindow::tracePatternForPrint(const DrawnPattern& drawn, ui::PrinterCanvas& printer,
                                      Colour printerPen) {
  const Curve curve = showPatternForTrace(drawn);
  printer.SetPenColour(printerPen);
  ui::ImageCanvas& canvas = Picture();
  const PatternScope scope(curve, canvas, drawn.lineWidth, lineWidthSpin_->Value());
  ui::TraceRecorder recorder(canvas, drawn.record, drawn.ring, nullptr);
  const int32_t zoom = design_.PrintFactor;
  struct Mapped {
    Pixel screen, printer;
  };
  auto map = [&curve, zoom](const CurvePoint& p) {
    return Mapped{curve.ScreenPixel(p), curve.PrinterPixel(p, zoom)};
  };
  auto draw = [&](const Mapped& from, const Mapped& to) {
    canvas.MoveTo(from.screen.x, from.screen.y);
    canvas.LineTo(to.screen.x, to.screen.y);
    printer.MoveTo(from.printer.x, from.printer.y);
    printer.LineTo(to.printer.x, to.printer.y);
    recorder.Segment();
    if (observer_ != nullptr) observer_->PrintSegment(from.printer, to.printer);
  };
  const int64_t segments = TraceInSession(curve, session_.get(), map, draw);
  if (observer_ != nullptr) observer_->PrintTraceDone(segments, printerPen);
}
