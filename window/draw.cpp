// Draw: one pattern, or a series stepped after each pattern, optionally
// followed each time by its mirror image about the series' starting top.
// Each pattern goes through the panel (so the panel's handlers run and the
// design state takes its values), onto the picture, and into the history.
#include <optional>

#include "core/command_stopped.h"
#include "engine/curve.h"
#include "engine/gear_overlay.h"
#include "engine/parallel_trace.h"
#include "engine/series.h"
#include "ui/canvas.h"
#include "window/main_window.h"

using namespace engine;

namespace {
constexpr const char* kHistoryFull =
    "Error - Attempt to draw too many patterns - 1000 maximum allowed.";

// Traces longer than this show a busy cursor.
constexpr long double kLongTrace = 1'000'000.0L;

// Draws at a pattern's own width, then gives the pen back the width the
// panel sets, however the trace ends.
class PatternWidth {
 public:
  PatternWidth(ui::ImageCanvas& canvas, int patternWidth, int panelWidth)
      : canvas_(canvas), panelWidth_(panelWidth) {
    canvas_.SetPenWidth(patternWidth);
  }
  ~PatternWidth() { canvas_.SetPenWidth(panelWidth_); }
  PatternWidth(const PatternWidth&) = delete;
  PatternWidth& operator=(const PatternWidth&) = delete;

 private:
  ui::ImageCanvas& canvas_;
  int panelWidth_;
};

// Segments between two looks at the session: about 2 ms of tracing.
constexpr int64_t kPollSegments = 32768;

// Traces on every core, with the session told of every segment and polled
// between blocks, so that it can repaint, show progress and stop the trace.
// The segments reach the sink in trace order on this thread.
template <class Sink>
int64_t TraceInSession(const Curve& curve, TraceSession* session, Sink&& sink) {
  TraceControl control;
  TraceOptions options;
  options.blockSegments = kPollSegments;
  return TraceScreenParallel(
             curve,
             [&](Pixel a, Pixel b) {
               session->BeforeSegment();
               sink(a, b);
             },
             control, [&] { session->Poll(); }, options)
      .segments;
}

// The same one core at a time, for an animated Draw, which wants each
// segment as the gear reaches it.
template <class Sink>
int64_t TraceSlowlyInSession(const Curve& curve, TraceSession* session, Sink&& sink) {
  return curve.TraceScreen([&](Pixel a, Pixel b) {
    session->BeforeSegment();
    sink(a, b);
  });
}
}  // namespace

void MainWindow::draw() {
  historyFullShown_ = false;
  if (!history_.Empty()) setColourSchemesEnabled(false);
  undoButton_->SetEnabled(!history_.Empty());
  const int32_t count = design_.RepeatCount;
  const bool reflect = reflectCheck_->Checked();
  runTracingCommand(count * (reflect ? 2 : 1), [&] {
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

void MainWindow::tracePattern(const DrawnPattern& drawn) {
  if (pictureIsHistory_ && !history_.Full()) keepPictureBefore(history_.Count() + 1);
  try {
    traceAndRecord(drawn);
  } catch (const CommandStopped&) {
    throw;  // the command puts back the picture before the pattern
  } catch (...) {
    // Part of a pattern is on the picture and not in the history.
    pictureIsHistory_ = false;
    forgetPictures();
    throw;
  }
}

void MainWindow::replayPattern(const DrawnPattern& drawn) {
  Picture().SetPenColour(drawn.record.Colour);
  panel_->ShowPattern(drawn.record);
  panel_->ShowMode(drawn.record.GearMode);
  const Curve curve(drawn.record);
  Picture().SetPenWidth(lineWidthSpin_->Value());
  recordPattern(drawn);
}

void MainWindow::keepPictureBefore(int32_t patternIndex) {
  picturesBefore_.erase(picturesBefore_.lower_bound(patternIndex), picturesBefore_.end());
  picturesBefore_[patternIndex] = picture().Snapshot();
  while (picturesBefore_.size() > kKeptPictures) picturesBefore_.erase(picturesBefore_.begin());
}

void MainWindow::forgetPictures() {
  picturesBefore_.clear();
}

void MainWindow::traceAndRecord(const DrawnPattern& drawn) {
  const PatternRecord& pattern = drawn.record;
  ui::ImageCanvas& canvas = Picture();
  canvas.SetPenColour(pattern.Colour);
  panel_->ShowPattern(pattern);
  panel_->ShowMode(pattern.GearMode);

  // The curve uses the pattern's own reduced counts and span, even when a
  // mode button's handler has moved the panel to another gear pair.
  const Curve curve(pattern);
  std::optional<ui::Form::BusyCursor> busy;
  if (curve.EstimatedSegments() > kLongTrace) busy.emplace();
  const PatternWidth width(canvas, drawn.lineWidth, lineWidthSpin_->Value());
  if (session_ != nullptr) session_->BeginPattern(curve.EstimatedSegments());
  int64_t segments = 0;
  if (session_ != nullptr && animating()) {
    // The gear rolls under the pen; the picture ends as an instant Draw's.
    struct StopRolling {
      MainWindow& window;
      ~StopRolling() {
        window.rollingGears_.reset();
        window.updateOverlay();
      }
    } stopRolling{*this};
    rollingGears_ = GearsAt(curve, 0);
    updateOverlay();
    double theta = 0;
    segments = TraceSlowlyInSession(curve, session_.get(), [&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
      if (observer_ != nullptr) observer_->ScreenSegment(a, b);
      theta = curve.NextAngle(theta);
      animateSegment(curve, theta, segments);
    });
    if (observer_ != nullptr) observer_->ScreenTraceDone(segments);
  } else if (session_ == nullptr && observer_ == nullptr) {
    segments = curve.TraceScreen([&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
    });
  } else if (session_ == nullptr) {
    segments = curve.TraceScreen([&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
      observer_->ScreenSegment(a, b);
    });
    observer_->ScreenTraceDone(segments);
  } else {
    segments = TraceInSession(curve, session_.get(), [&](Pixel a, Pixel b) {
      canvas.MoveTo(a.x, a.y);
      canvas.LineTo(b.x, b.y);
      if (observer_ != nullptr) observer_->ScreenSegment(a, b);
    });
    if (observer_ != nullptr) observer_->ScreenTraceDone(segments);
  }
  recordPattern(drawn);
}

void MainWindow::recordPattern(const DrawnPattern& pattern) {
  if (history_.Record(pattern.record, pattern.lineWidth)) {
    undoButton_->SetEnabled(true);
    return;
  }
  // Drawn, but beyond what the history keeps.
  pictureIsHistory_ = false;
  forgetPictures();
  if (historyFullShown_) return;
  historyFullShown_ = true;
  form_.GetPrompts().Message(ui::MessageKind::Error, kHistoryFull, ui::kOk);
}

// The printer twin of tracePattern: the same panel update and the same curve,
// each segment drawn on the picture (at the pattern's width) and then on the
// page (one device pixel wide). Nothing is recorded.
void MainWindow::tracePatternForPrint(const DrawnPattern& drawn, ui::PrinterCanvas& printer,
                                      Colour printerPen) {
  const PatternRecord& pattern = drawn.record;
  ui::ImageCanvas& canvas = Picture();
  canvas.SetPenColour(pattern.Colour);
  panel_->ShowPattern(pattern);
  printer.SetPenColour(printerPen);
  panel_->ShowMode(pattern.GearMode);

  const Curve curve(pattern);
  std::optional<ui::Form::BusyCursor> busy;
  if (curve.EstimatedSegments() > kLongTrace) busy.emplace();
  const PatternWidth width(canvas, drawn.lineWidth, lineWidthSpin_->Value());
  const int32_t zoom = design_.PrintFactor;
  struct Mapped {
    Pixel screen, printer;
  };
  if (session_ != nullptr) session_->BeginPattern(curve.EstimatedSegments());
  auto map = [&curve, zoom](const CurvePoint& p) {
    return Mapped{curve.ScreenPixel(p), curve.PrinterPixel(p, zoom)};
  };
  auto sink = [&](const Mapped& from, const Mapped& to) {
    if (session_ != nullptr) session_->BeforeSegment();
    canvas.MoveTo(from.screen.x, from.screen.y);
    canvas.LineTo(to.screen.x, to.screen.y);
    printer.MoveTo(from.printer.x, from.printer.y);
    printer.LineTo(to.printer.x, to.printer.y);
    if (observer_ != nullptr) observer_->PrintSegment(from.printer, to.printer);
  };
  int64_t segments = 0;
  if (session_ == nullptr) {
    segments = curve.TraceMapped(map, sink);
  } else {
    TraceControl control;
    TraceOptions options;
    options.blockSegments = kPollSegments;
    segments = TraceParallel(
                   curve, map, sink, control, [&] { session_->Poll(); }, options)
                   .segments;
  }
  if (observer_ != nullptr) observer_->PrintTraceDone(segments, printerPen);
}
