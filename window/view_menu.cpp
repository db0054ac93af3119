// View: the gears over the drawing, a faint preview of what Draw would draw,
// and a Draw that shows the gear rolling. None of it is ever part of the
// picture: it is painted over the drawing area.
#include <QGuiApplication>
#include <QPainter>
#include <QtGlobal>
#include <cmath>
#include <thread>

#include "core/drawing_area.h"
#include "engine/curve.h"
#include "engine/series_plan.h"
#include "ui/canvas.h"
#include "window/main_window.h"

using namespace engine;

namespace {
// A series beyond this is previewed only as far as it goes.
constexpr int64_t kPreviewBudget = 2'000'000;

struct Speed {
  const char* name;
  const char* caption;
  double factor;
};
constexpr Speed kSpeeds[] = {{"SpeedQuarter1", "1/4x", 0.25},
                             {"SpeedNormal1", "1x", 1},
                             {"SpeedFast1", "4x", 4},
                             {"SpeedFastest1", "16x", 16}};

// The preview: the planned patterns on a clear background, each at its own
// width, drawn exactly as Draw draws them.
QImage RenderPreview(const SeriesPlan& plan, Colour canvasColour,
                     const std::atomic<bool>& cancelled) {
  ui::ImageCanvas canvas(kDrawingAreaSize, kDrawingAreaSize, canvasColour);
  int64_t untilCheck = 4096;
  struct Cancelled {};
  try {
    for (const DrawnPattern& p : plan.patterns) {
      canvas.SetPenColour(p.record.Colour);
      canvas.SetPenWidth(p.lineWidth);
      Curve(p.record, p.ring).TraceScreen([&](Pixel a, Pixel b) {
        if (--untilCheck == 0) {
          untilCheck = 4096;
          if (cancelled) throw Cancelled{};
        }
        canvas.MoveTo(a.x, a.y);
        canvas.LineTo(b.x, b.y);
      });
    }
  } catch (const Cancelled&) {
    return {};
  } catch (const std::exception&) {
    // The Draw would stop here too: the preview shows what came before.
  }
  // Premultiplied, the form the painter blends: painting the preview, which
  // happens far more often than working it out, converts nothing. Its pixels
  // are opaque or clear, and so the same in either form.
  QImage image = canvas.Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRgb clear = ui::ToQRgb(canvasColour) | 0xFF000000u;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == clear) row[x] = 0;
    }
  }
  return image;
}

bool Offscreen() {
  return QGuiApplication::platformName() == QStringLiteral("offscreen");
}
}  // namespace

void MainWindow::createViewMenu() {
  ui::Form& f = form_;
  ui::MenuItem& view = f.AddMenu("View1", "View");
  view.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&View"));
  auto toggle = [&](const char* name, const char* caption, const char* text,
                    ui::MenuItem*& member) {
    member = &f.AddItem(view, name, caption);
    member->SetMenuText(text);
    member->SetCheckable(true);
    ui::MenuItem* item = member;
    member->onClick = [this, item] { toggleView(item); };
  };
  toggle("ShowGears1", "Show Gears", QT_TRANSLATE_NOOP("Menu", "Show &Gears"), showGearsItem_);
  toggle("PreviewPattern1", "Preview", QT_TRANSLATE_NOOP("Menu", "&Preview"), previewItem_);
  toggle("AnimateDraw1", "Animate Drawing", QT_TRANSLATE_NOOP("Menu", "&Animate Drawing"),
         animateItem_);
  ui::MenuItem& speed = f.AddSubmenu(view, "Speed1", "Speed");
  speed.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Speed"));
  constexpr int kRadioGroup = 1;
  for (const Speed& s : kSpeeds) {
    ui::MenuItem& item = f.AddItem(speed, s.name, s.caption, kRadioGroup);
    const double factor = s.factor;
    ui::MenuItem* raw = &item;
    item.onClick = [this, raw, factor] {
      raw->SetChecked(true);
      animationSpeed_ = factor;
    };
  }
  f.FindMenuItem("SpeedNormal1")->SetChecked(true);
  createZoomItems(view);
  form_.afterInput = [this] {
    refreshPreview();
    showSeriesContinuation();
  };
}

void MainWindow::toggleView(ui::MenuItem* item) {
  item->SetChecked(!item->Checked());
  refreshPreview();
  updateOverlay();
}

void MainWindow::followViewMenu() {
  for (const Speed& s : kSpeeds) {
    if (form_.FindMenuItem(s.name)->Checked()) animationSpeed_ = s.factor;
  }
  updateOverlay();
}

bool MainWindow::animating() const {
  return animateItem_->Checked() && (animateOffscreen_ || !Offscreen());
}

void MainWindow::updateOverlay() {
  overlay_.SetShown(showGearsItem_->Checked(), previewItem_->Checked());
  overlay_.ShowOn(*pictureArea_);
}

// The pattern the next Draw starts with.
GearOverlay MainWindow::nextGears() const {
  const PatternRecord next{penColour(),      design_.FixedTeeth,  design_.MovingTeeth,
                           design_.GearMode, design_.TopOfDesign, design_.PenHole,
                           design_.StepDeg,  design_.DesignSize,  design_.CentreX,
                           design_.CentreY};
  return GearsAt(next, DesignRing(design_));
}

DrawInputs MainWindow::drawInputs() const {
  return {ReadPanel(panel_->Controls()), design_, derived_, steps_, reflectCheck_->Checked(),
          lineWidthSpin_->Value()};
}

// Restarted off the UI thread whenever what Draw would draw has changed.
void MainWindow::refreshPreview() {
  if (!previewItem_->Checked()) {
    previewJob_.Cancel();
    previewShows_.reset();
    overlay_.SetPreview(QImage());
    return;
  }
  // A command under way changes the panel as it goes; the preview follows
  // once it has ended.
  if (session_ != nullptr) return;
  const DrawInputs inputs = drawInputs();
  const Colour canvas = canvasColour();
  if (previewShows_ && previewShows_->first == inputs && previewShows_->second == canvas) return;
  previewShows_ = {inputs, canvas};
  previewJob_.Start(
      [inputs, canvas](const std::atomic<bool>& cancelled) {
        const SeriesPlan plan = PlanSeries(inputs, kPreviewBudget);
        QImage image = RenderPreview(plan, canvas, cancelled);
        image.setText("cutShort", plan.cutShort ? "1" : "0");
        return image;
      },
      [this](const QImage& image) { showPreview(image); },
      [this](const std::string& reason) { dropPreview(reason); });
}

void MainWindow::showPreview(const QImage& image) {
  overlay_.SetPreview(image);
  previewCutShort_ = image.text("cutShort") == "1";
  pictureArea_->ShowNote(
      previewCutShort_ && session_ == nullptr
          ? QT_TRANSLATE_NOOP("Message", "Preview shows the series as far as 2 million segments")
          : "");
  updateOverlay();
}

// A preview that failed unexpectedly (out of memory, no thread to run on) is
// not worth a message box the user never asked for: the ghost goes, and a
// note says why. The same inputs are not tried again; the next change is.
void MainWindow::dropPreview(const std::string& reason) {
  overlay_.SetPreview(QImage());
  previewCutShort_ = false;
  if (session_ == nullptr) pictureArea_->ShowNote("Preview failed: " + reason);
  updateOverlay();
}

// One trip of the gear round the ring a second at 1x: θ advances 360
// degrees a second. The gear and the ink show as they go; a click on the
// drawing area finishes the Draw at once.
void MainWindow::animateSegment(const Curve& curve, double theta) {
  if (session_ == nullptr || session_->FinishAsked()) return;
  const double due = theta / (2 * M_PI) / animationSpeed_;
  overlay_.SetRolling(GearsAt(curve, theta));
  session_->Frame();
  while (session_->Seconds() < due) {
    session_->Frame();
    if (session_->FinishAsked()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}
