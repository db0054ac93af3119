#include "ui/drawing_view.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/canvas.h"
#include "ui/form.h"

namespace ui {

namespace {
constexpr int kNotch = 120;
// Screen pixels a wheel notch and an arrow key pan by.
constexpr double kWheelPan = 60;
constexpr double kArrowPan = 40;
const QColor kAroundPicture(0x80, 0x80, 0x80);
// Points of a trace beyond the budget that may wait for the painter: far
// more than a repaint's worth, 32 MB.
constexpr size_t kMostUnhandedPoints = size_t{1} << 22;
}  // namespace

// Paints the view and hands every input to it through the form's
// dispatcher. The scroll bars lie over the picture's right and bottom edges
// while there is something to pan to, so they never resize what is shown.
class DrawingViewWidget : public QWidget {
 public:
  explicit DrawingViewWidget(Form& form)
      : form_(form),
        horizontal_(new QScrollBar(Qt::Horizontal, this)),
        vertical_(new QScrollBar(Qt::Vertical, this)) {
    // A click gives it the arrow keys; the panel keeps the tab order.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    horizontal_->setAccessibleName(
        QCoreApplication::translate("AccessibleName", "Drawing, across"));
    vertical_->setAccessibleName(
        QCoreApplication::translate("AccessibleName", "Drawing, up and down"));
    for (QScrollBar* bar : {horizontal_, vertical_}) {
      bar->hide();
      bar->setCursor(Qt::ArrowCursor);
      QObject::connect(bar, &QScrollBar::valueChanged, this, [this] {
        if (view_ != nullptr && !view_->showingOnBars_) {
          form_.Dispatch([this] { view_->ScrollBarsMoved(); });
        }
      });
    }
  }
  QScrollBar* Horizontal() const { return horizontal_; }
  QScrollBar* Vertical() const { return vertical_; }
  // Each bar shows while it has a range.
  void PlaceBars() {
    const int thickness = vertical_->sizeHint().width();
    const bool across = horizontal_->maximum() > 0, down = vertical_->maximum() > 0;
    horizontal_->setGeometry(0, height() - thickness, width() - (down ? thickness : 0), thickness);
    vertical_->setGeometry(width() - thickness, 0, thickness, height() - (across ? thickness : 0));
    horizontal_->setVisible(across);
    vertical_->setVisible(down);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (view_ == nullptr) return;
    // Shown for the first time, or on a screen of another pixel density.
    try {
      view_->RefreshRender();
    } catch (...) {
    }
    QPainter painter(this);
    view_->PaintOn(painter, size(), event->rect());
  }
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (view_ != nullptr) view_->ShownResized();
  }
  void wheelEvent(QWheelEvent* event) override {
    if (view_ == nullptr) return;
    const DrawingView::WheelKey key =
        event->modifiers() & Qt::ControlModifier ? DrawingView::WheelKey::Ctrl
        : event->modifiers() & Qt::ShiftModifier ? DrawingView::WheelKey::Shift
                                                 : DrawingView::WheelKey::None;
    const QPoint delta = event->angleDelta();
    const QPointF at = event->position();
    form_.Dispatch([&] { view_->UserWheel(delta.x(), delta.y(), key, at.x(), at.y()); });
    event->accept();
  }
  bool event(QEvent* event) override {
    if (event->type() == QEvent::NativeGesture && view_ != nullptr) {
      auto* gesture = static_cast<QNativeGestureEvent*>(event);
      if (gesture->gestureType() == Qt::ZoomNativeGesture) {
        const QPointF at = gesture->position();
        const double factor = 1 + gesture->value();
        form_.Dispatch([&] { view_->UserPinch(factor, at.x(), at.y()); });
        return true;
      }
    }
    return QWidget::event(event);
  }
  // The middle button, or the left one with Space held, drags the picture.
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && spaceHeld_)) {
      dragFrom_ = event->position();
      dragging_ = true;
      setCursor(Qt::ClosedHandCursor);
    }
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!dragging_ || view_ == nullptr) return;
    const QPointF moved = event->position() - dragFrom_;
    dragFrom_ = event->position();
    form_.Dispatch([&] { view_->Pan(-moved.x(), -moved.y()); });
  }
  void mouseReleaseEvent(QMouseEvent*) override {
    if (!dragging_) return;
    dragging_ = false;
    setCursor(spaceHeld_ ? Qt::OpenHandCursor : Qt::ArrowCursor);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (view_ == nullptr) return;
    double dx = 0, dy = 0;
    switch (event->key()) {
      case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
          spaceHeld_ = true;
          setCursor(Qt::OpenHandCursor);
        }
        return;
      case Qt::Key_Left:
        dx = -kArrowPan;
        break;
      case Qt::Key_Right:
        dx = kArrowPan;
        break;
      case Qt::Key_Up:
        dy = -kArrowPan;
        break;
      case Qt::Key_Down:
        dy = kArrowPan;
        break;
      default:
        QWidget::keyPressEvent(event);
        return;
    }
    form_.Dispatch([&] { view_->Pan(dx, dy); });
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
      spaceHeld_ = false;
      if (!dragging_) setCursor(Qt::ArrowCursor);
      return;
    }
    QWidget::keyReleaseEvent(event);
  }
  void focusOutEvent(QFocusEvent* event) override {
    spaceHeld_ = false;
    QWidget::focusOutEvent(event);
  }

 private:
  friend class DrawingView;
  DrawingView* view_ = nullptr;  // set once the view is built
  Form& form_;
  QScrollBar *horizontal_, *vertical_;
  bool spaceHeld_ = false;
  bool dragging_ = false;
  QPointF dragFrom_;
};

DrawingView::DrawingView(Form& form, std::string name, Geometry g)
    : PaintArea(form, std::move(name), g, new DrawingViewWidget(form)),
      view_(static_cast<DrawingViewWidget*>(Widget())),
      mapping_(g.width, g.width, g.height),
      job_([&form](const Handler& handler) { form.Dispatch(handler); }) {
  view_->view_ = this;
}

void DrawingView::ZoomIn() {
  mapping_.ZoomIn();
  Changed();
}
void DrawingView::ZoomOut() {
  mapping_.ZoomOut();
  Changed();
}
void DrawingView::Fit() {
  mapping_.Fit();
  Changed();
}
void DrawingView::ActualPixels() {
  mapping_.ActualPixels();
  Changed();
}
void DrawingView::Pan(double dx, double dy) {
  mapping_.Pan(dx, dy);
  Changed();
}

std::string DrawingView::ZoomText() const {
  return std::to_string(mapping_.Percent()) + " %";
}

void DrawingView::UserWheel(int deltaX, int deltaY, WheelKey key, double x, double y) {
  if (key == WheelKey::Ctrl) {
    pendingZoom_ += deltaY != 0 ? deltaY : deltaX;
    for (; pendingZoom_ >= kNotch; pendingZoom_ -= kNotch) mapping_.ZoomInAbout({x, y});
    for (; pendingZoom_ <= -kNotch; pendingZoom_ += kNotch) mapping_.ZoomOutAbout({x, y});
  } else if (key == WheelKey::Shift) {
    mapping_.Pan(-(deltaY != 0 ? deltaY : deltaX) * kWheelPan / kNotch, 0);
  } else {
    mapping_.Pan(-deltaX * kWheelPan / kNotch, -deltaY * kWheelPan / kNotch);
  }
  Changed();
}

void DrawingView::UserPinch(double factor, double x, double y) {
  if (!(factor > 0)) return;
  mapping_.ZoomBy(factor, {x, y});
  Changed();
}

void DrawingView::PlaceOnScreen(Geometry place) {
  PaintArea::PlaceOnScreen(place);
  ShownResized();
}

void DrawingView::Repaint() {
  Refresh();
  view_->update();
}

// While a trace is painted live, what is shown changes only when the painter
// hands its picture back, which repaints the view.
void DrawingView::ShowProgress() {
  Refresh();
  if (!livePainter_) view_->repaint();
}

void DrawingView::Refresh() {
  // Runs after the dispatcher's handler: nothing may escape into Qt. Without
  // a render the canvas is shown.
  try {
    RefreshRender();
  } catch (...) {
    job_.Cancel();
    pending_.reset();
    shown_.reset();
    StopLivePainter();
    live_.reset();
  }
}

void DrawingView::SetSmoothLines(bool smooth) {
  smooth_ = smooth;
  Repaint();
}

SmoothFrame DrawingView::CurrentFrame() const {
  const double ratio = view_->devicePixelRatioF();
  const QSize size = ShownSize();
  const double scale = mapping_.Scale() * ratio;
  const engine::ViewMapping::Point origin = mapping_.Origin();
  return {static_cast<int>(std::ceil(size.width() * ratio)),
          static_cast<int>(std::ceil(size.height() * ratio)),
          scale,
          origin.x * ratio,
          origin.y * ratio,
          mapping_.FitScale() * ratio};
}

bool DrawingView::ShowsSmooth() const {
  return smooth_ && view_->isVisible() && shown_ && Canvas().HeldLog();
}

LiveTraceSink* DrawingView::LiveSink() {
  if (!smooth_ || !view_->isVisible()) return nullptr;
  return this;
}

void DrawingView::BeginLive(Colour colour, int width, int64_t expectedSegments) {
  const std::optional<TraceLog> log = Canvas().HeldLog();
  // The previous pattern of a series, ended with no repaint since.
  if (live_ && live_->ended && log && smooth_ && view_->isVisible()) {
    PaintLive();
    EndLiveOn(*log);
  }
  live_.reset();
  if (log) {
    live_.emplace();
    live_->base = *log;
    live_->colour = colour;
    live_->width = width;
    // Room for the whole trace at once: growing would copy every point
    // kept so far on the UI thread. Without the room it is never kept whole,
    // so its points only pass through on their way to the painter.
    if (expectedSegments > 0 &&
        !live_->points->Reserve(static_cast<size_t>(expectedSegments) + 1)) {
      live_->kept = false;
    }
  }
}

// The points are kept, within the budget, to paint into a render that
// arrives during the trace and to show the trace again later without
// retracing it. Beyond the budget only the points not yet painted are.
void DrawingView::LivePoints(const float* xy, size_t count) {
  if (!live_) return;
  if (!live_->kept) {
    if (MergesLive()) return MergeLive(xy, count);
    std::vector<float>& waiting = live_->unhanded;
    // While no render is shown to paint them into, the points pile up: those
    // past a bound are dropped, as the trace is rendered afresh once it ends.
    if (waiting.size() >= 2 * kMostUnhandedPoints) {
      waiting.erase(waiting.begin(), waiting.end() - 2);
      live_->complete = false;
    }
    waiting.insert(waiting.end(), xy, xy + 2 * count);
    return;
  }
  TracePoints& points = *live_->points;
  if (points.Append(xy, count)) return;
  for (size_t i = 0; i < count; ++i) {
    const float x = xy[2 * i], y = xy[2 * i + 1];
    if (points.Add(x, y)) continue;
    const size_t held = points.Count();
    // Keep the point painted last, so the line goes on from it.
    const size_t keep = live_->painted > 0 ? held - live_->painted + 1 : 1;
    points.KeepLast(keep);
    live_->painted -= std::min(live_->painted, held - std::min(held, keep));
    live_->complete = false;
    points.Add(x, y);
  }
}

bool DrawingView::PaintsLive() const {
  return live_ && shown_ && (liveFinalLog_ ? *liveFinalLog_ : shown_->log) == live_->base;
}

bool DrawingView::MergesLive() const {
  return PaintsLive() && !live_->kept;
}

void DrawingView::MergeLive(const float* xy, size_t count) {
  Live& live = *live_;
  if (!live.merger || !(live.mergedFor == shown_->frame)) {
    DropMerged();
    live.merger = std::make_unique<StrokeWriter>(PlacementOf(shown_->frame));
    live.mergedFor = shown_->frame;
    // Points that waited for the render go first.
    live.merger->Add(live.unhanded.data(), live.unhanded.size() / 2);
    live.unhanded.clear();
  }
  if (live.merger->Floats() >= 2 * kMostUnhandedPoints) {
    (void)live.merger->Take();
    live.complete = false;
  }
  live.merger->Add(xy, count);
}

// Strokes merged for a frame no longer painted into.
void DrawingView::DropMerged() {
  if (!live_ || !live_->merger) return;
  if (live_->merger->Given() > 0) live_->complete = false;
  live_->merger.reset();
}

void DrawingView::EndLive() {
  if (live_) live_->ended = true;
}

// Only the copying of the new points stays on the UI thread.
void DrawingView::PaintLive() {
  // A previous trace may still be on its way to the screen.
  if (!PaintsLive()) return;
  if (live_->merger && !(live_->mergedFor == shown_->frame)) DropMerged();
  const bool merged = live_->merger != nullptr;
  const auto hand = [this](std::vector<float> xy, bool strokes) {
    livePainter_->Hand(std::move(xy), ToQRgb(live_->colour) | 0xFF000000u,
                       live_->width * shown_->frame.penScale, {strokes, live_->ended});
    livePaintsHanded_ = livePainter_->Handed();
  };
  const bool kept = live_->kept;
  if (kept     ? live_->painted >= live_->points->Count()
      : merged ? live_->merger->Given() == 0
               : live_->unhanded.size() <= (live_->painted > 0 ? 2u : 0u))
    return;
  if (!livePainter_) {
    livePainter_ = std::make_unique<LivePainter>(
        shown_->image, shown_->frame, [this](const Handler& handler) { form_.Dispatch(handler); },
        [this](const QImage& image, uint64_t batches) { LivePainted(image, batches); });
  }
  std::vector<float> next = livePainter_->TakeEmptied();
  if (merged) {
    // Handed on without a copy; the next stroke goes on from the last point.
    live_->painted += live_->merger->Given();
    hand(live_->merger->Take(std::move(next)), true);
    return;
  }
  if (!kept) {
    // Handed on without a copy; the last point stays, so the line goes on.
    std::vector<float>& waiting = live_->unhanded;
    std::vector<float> xy = std::exchange(waiting, std::move(next));
    waiting.assign(xy.end() - 2, xy.end());
    live_->painted += xy.size() / 2;
    hand(std::move(xy), false);
    return;
  }
  const TracePoints& points = *live_->points;
  const size_t from = live_->painted > 0 ? live_->painted - 1 : 0;
  next.assign(points.Data() + 2 * from, points.Data() + 2 * points.Count());
  hand(std::move(next), false);
  live_->painted = points.Count();
}

void DrawingView::LivePainted(const QImage& image, uint64_t batches) {
  if (!shown_ || batches <= livePaintsShown_) return;
  shown_->image = image;
  livePaintsShown_ = batches;
  if (livePaintsShown_ == livePaintsHanded_ && liveFinalLog_) {
    shown_->log = *liveFinalLog_;
    liveFinalLog_.reset();
  }
  view_->update();
}

void DrawingView::StopLivePainter() {
  livePainter_.reset();
  livePaintsHanded_ = livePaintsShown_ = 0;
  liveFinalLog_.reset();
}

// The trace ended and the canvas holds `log`.
void DrawingView::EndLiveOn(const TraceLog& log) {
  // Every point reached the painter: a trace with no room in the budget
  // passes them straight on, a kept one keeps them all.
  const bool whole =
      live_->complete && log.Extends(live_->base) &&
      (!live_->kept || live_->points->Count() == static_cast<size_t>(log.Last()->segments) + 1);
  // A trace painted whole into the shown render needs no render of its
  // own, and one kept whole is never traced again.
  if (shown_ && whole && (liveFinalLog_ ? *liveFinalLog_ : shown_->log) == live_->base) {
    if (livePaintsShown_ < livePaintsHanded_) {
      liveFinalLog_ = log;
    } else {
      shown_->log = log;
    }
  }
  if (whole && live_->kept) {
    live_->points->Trim();
    log.Last()->points->Set(std::move(live_->points));
  }
  live_.reset();
}

void DrawingView::RefreshRender() {
  const std::optional<TraceLog> log =
      smooth_ && view_->isVisible() ? Canvas().HeldLog() : std::nullopt;
  if (!log) {
    job_.Cancel();
    pending_.reset();
    shown_.reset();
    StopLivePainter();
    live_.reset();
    return;
  }
  PaintLive();
  if (live_ && live_->ended) EndLiveOn(*log);
  const SmoothFrame frame = CurrentFrame();
  if (frame.width <= 0 || frame.height <= 0) return;
  const bool painting = liveFinalLog_ && *liveFinalLog_ == *log;
  if (shown_ && shown_->frame == frame && (shown_->log == *log || painting)) {
    job_.Cancel();
    pending_.reset();
    return;
  }
  if (pending_ && pending_->frame == frame && pending_->log == *log) return;
  if (failed_ && failed_->frame == frame && failed_->log == *log) return;
  const uint64_t sequence = ++sequence_;
  pending_ = Render{QImage(), frame, *log, sequence};
  const QRgb around = kAroundPicture.rgb();
  job_.Start(
      [log = *log, frame, around](const std::atomic<bool>& cancelled) {
        return RenderSmooth(log, frame, around, cancelled);
      },
      [this, sequence](const QImage& image) { RenderDone(sequence, image); },
      [this, sequence](const std::string&) {
        if (!pending_ || pending_->sequence != sequence) return;
        // Not tried again until something changes: the canvas is shown instead.
        failed_ = std::move(pending_);
        pending_.reset();
        shown_.reset();
        StopLivePainter();
        view_->update();
      });
}

void DrawingView::RenderDone(uint64_t sequence, const QImage& image) {
  if (!pending_ || pending_->sequence != sequence) return;
  StopLivePainter();
  shown_ = std::move(pending_);
  pending_.reset();
  shown_->image = image;
  if (live_ && shown_->log == live_->base) {
    // A trace under way since the render began: what is kept of it again.
    // What is not kept of it went into the render this one replaces.
    if (!live_->kept && live_->painted > 0) live_->complete = false;
    live_->painted = 0;
    PaintLive();
  }
  if (onRenderShown) onRenderShown(sequence, shown_->frame);
  view_->update();
}

QSize DrawingView::ShownSize() const {
  return view_->size();
}

// The picture through the view's mapping, then the overlay in the same
// coordinates, its sizes on screen kept by `scale`.
void DrawingView::PaintOn(QPainter& painter, const QSize&, const QRect& dirty) const {
  const double scale = mapping_.Scale();
  const engine::ViewMapping::Point origin = mapping_.Origin();
  const bool smooth = ShowsSmooth();
  if (smooth) {
    PaintSmooth(painter, dirty);
  } else {
    const QRectF picture(origin.x, origin.y, Canvas().Width() * scale, Canvas().Height() * scale);
    if (!picture.contains(QRectF(dirty))) painter.fillRect(dirty, kAroundPicture);
  }
  painter.save();
  painter.setClipRect(dirty);
  painter.translate(origin.x, origin.y);
  painter.scale(scale, scale);
  if (!smooth) painter.drawImage(QPointF(0, 0), Canvas().Image());
  if (CurrentOverlay()) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Nothing may cross back into Qt: an overlay that fails is left unfinished.
    try {
      CurrentOverlay()(painter, scale);
    } catch (...) {
    }
  }
  painter.restore();
}

// The shown render, moved and stretched from the frame it was made for to
// the present one.
void DrawingView::PaintSmooth(QPainter& painter, const QRect& dirty) const {
  const SmoothFrame now = CurrentFrame();
  const SmoothFrame& then = shown_->frame;
  const double ratio = view_->devicePixelRatioF();
  const double k = now.scale / then.scale;
  const QRectF target((now.originX - then.originX * k) / ratio,
                      (now.originY - then.originY * k) / ratio, then.width * k / ratio,
                      then.height * k / ratio);
  painter.save();
  painter.setClipRect(dirty);
  if (!(now == then)) {
    painter.fillRect(dirty, kAroundPicture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  }
  painter.drawImage(target, shown_->image, QRectF(shown_->image.rect()));
  painter.restore();
}

void DrawingView::ShownResized() {
  const QSize size = ShownSize();
  mapping_.Resize(size.width(), size.height());
  PlaceNote();
  Changed();
}

void DrawingView::ScrollBarsMoved() {
  if (showingOnBars_) return;
  const double scale = mapping_.Scale();
  const QSize size = ShownSize();
  mapping_.SetCentre({(view_->Horizontal()->value() + size.width() / 2.0) / scale,
                      (view_->Vertical()->value() + size.height() / 2.0) / scale});
  Changed();
}

void DrawingView::Changed() {
  ShowOnScrollBars();
  Repaint();
  if (onViewChange) onViewChange();
}

// The bars show the part of the zoomed picture in view, in screen pixels.
void DrawingView::ShowOnScrollBars() {
  showingOnBars_ = true;
  const double scale = mapping_.Scale();
  const QSize size = ShownSize();
  const engine::ViewMapping::Point centre = mapping_.Centre();
  auto show = [&](QScrollBar* bar, double c, int extent) {
    const double content = Canvas().Width() * scale;
    const int range = std::max(0, static_cast<int>(std::ceil(content - extent)));
    bar->setRange(0, range);
    bar->setPageStep(extent);
    bar->setSingleStep(static_cast<int>(kArrowPan));
    bar->setValue(static_cast<int>(std::lround(c * scale - extent / 2.0)));
  };
  show(view_->Horizontal(), centre.x, size.width());
  show(view_->Vertical(), centre.y, size.height());
  view_->PlaceBars();
  showingOnBars_ = false;
}

}  // namespace ui
