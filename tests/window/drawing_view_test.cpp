// The drawing area fills the window and zooms, and none of it reaches the
// picture, the files, the history or the panel.
#include "ui/drawing_view.h"

#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <sstream>

#include "tests/window/window_fixture.h"
#include "tools/batch_script.h"

namespace {

class DrawingViewTest : public WindowTest {
 protected:
  ui::DrawingView& View() {
    return *dynamic_cast<ui::DrawingView*>(window.form().Find("PaintBox1"));
  }
  QRect OnScreen(const std::string& name) { return window.form().Find(name)->Widget()->geometry(); }
  QWidget* Client() { return window.form().ClientArea(); }
};

TEST_F(DrawingViewTest, TheAreaFillsAResizedWindowAndThePanelKeepsTopRight) {
  // The smallest window: where everything has always been.
  EXPECT_EQ(Client()->size(), QSize(952, 690));
  EXPECT_EQ(OnScreen("PaintBox1"), QRect(6, 6, 640, 640));
  EXPECT_EQ(OnScreen("Draw"), QRect(702, 8, 37, 25));
  EXPECT_EQ(OnScreen("RingShape"), QRect(96, 657, 89, 22));

  const QSize outside = window.form().Window()->size();
  window.form().Resize(outside.width() + 600, outside.height() + 400);
  ASSERT_EQ(Client()->size(), QSize(952 + 600, 690 + 400));
  // The panel moved right with the window's edge, its own place unchanged.
  EXPECT_EQ(OnScreen("Draw"), QRect(702 + 600, 8, 37, 25));
  EXPECT_EQ(OnScreen("ScrollBarFixed"), QRect(704 + 600, 152, 177, 16));
  EXPECT_EQ(button("Draw")->Left(), 702);
  // The area: 1040 tall less the margins, centred across the 1252 left of
  // the panel.
  EXPECT_EQ(OnScreen("PaintBox1"), QRect(6 + (1240 - 1040) / 2, 6, 1040, 1040));
  EXPECT_EQ(OnScreen("Bevel1"), QRect(6 + (1240 - 1040) / 2 - 2, 4, 1044, 1044));
  EXPECT_EQ(View().Mapping().Scale(), 1040.0 / 640);
  // The ring's row stays under the area, at its left.
  EXPECT_EQ(OnScreen("RingShape"), QRect(96 + (1240 - 1040) / 2, 657 + 400, 89, 22));
  EXPECT_EQ(OnScreen("Corner"), QRect(584 + (1240 - 1040) / 2, 657 + 400, 49, 21));

  // Never smaller than the smallest window.
  window.form().Resize(100, 100);
  EXPECT_EQ(Client()->size(), QSize(952, 690));
  EXPECT_EQ(OnScreen("PaintBox1"), QRect(6, 6, 640, 640));
  EXPECT_EQ(OnScreen("Draw"), QRect(702, 8, 37, 25));
}

// At Fit in the smallest window the screen shows the picture pixel for
// pixel; zoomed, each picture pixel is a square of screen pixels.
TEST_F(DrawingViewTest, ShowsThePictureExactlyAndZoomsByNearestNeighbour) {
  Click(button("Draw"));
  EXPECT_EQ(View().Grab(), Picture());

  Click(menuItem("ZoomIn1"));
  Click(menuItem("ZoomIn1"));
  EXPECT_EQ(window.form().ViewStatus(), "200 %");
  const QImage zoomed = View().Grab();
  const QImage picture = Picture();
  // About the middle: picture pixels 160 to 479 across the 640.
  bool same = true;
  for (int y = 0; y < 640 && same; ++y) {
    for (int x = 0; x < 640 && same; ++x) {
      same = zoomed.pixel(x, y) == picture.pixel(160 + x / 2, 160 + y / 2);
    }
  }
  EXPECT_TRUE(same);
  EXPECT_NE(zoomed, Picture());

  Click(menuItem("ZoomFit1"));
  EXPECT_EQ(View().Grab(), Picture());
  EXPECT_EQ(window.form().ViewStatus(), "100 %");
}

// Across a row, the runs of screen pixels one picture pixel takes.
std::vector<int> RunsAcross(const QImage& image, int y) {
  std::vector<int> runs{1};
  for (int x = 1; x < image.width(); ++x) {
    if (image.pixel(x, y) == image.pixel(x - 1, y)) {
      ++runs.back();
    } else {
      runs.push_back(1);
    }
  }
  return runs;
}

// At Fit in a larger window, 1000 screen pixels for 640: each picture pixel
// is 1 or 2 screen pixels wide, 3 or 4 device pixels at a ratio of 2.
TEST_F(DrawingViewTest, EachPicturePixelIsFloorOrCeilOfTheScaleWide) {
  ui::ImageCanvas& canvas = View().Canvas();
  for (int x = 0; x < 640; ++x) {
    canvas.SetPenColour(x % 2 == 0 ? 0x0000FF : 0xFF0000);
    canvas.MoveTo(x, 0);
    canvas.LineTo(x, 640);
  }
  window.form().Resize(window.form().Window()->width() + 360,
                       window.form().Window()->height() + 360);
  ASSERT_EQ(View().ShownSize(), QSize(1000, 1000));
  for (const auto& [ratio, low] : {std::pair{1.0, 1}, std::pair{2.0, 3}}) {
    const QImage shown = View().Grab(ratio);
    const std::vector<int> runs = RunsAcross(shown, shown.height() / 2);
    EXPECT_EQ(runs.size(), 640u) << ratio;
    EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), low) << ratio;
    EXPECT_EQ(*std::max_element(runs.begin(), runs.end()), low + 1) << ratio;
  }
}

TEST_F(DrawingViewTest, WheelZoomsAboutThePointerAndPans) {
  // Ctrl+wheel two notches at (100, 540): 2x, that picture point kept.
  View().UserWheel(0, 240, ui::DrawingView::WheelKey::Ctrl, 100, 540);
  EXPECT_EQ(View().Mapping().Scale(), 2.0);
  const engine::ViewMapping::Point kept = View().Mapping().ToPicture({100, 540});
  EXPECT_NEAR(kept.x, 100, 1e-9);
  EXPECT_NEAR(kept.y, 540, 1e-9);
  // A notch towards the user pans 60 screen pixels down; Shift across.
  const engine::ViewMapping::Point centre = View().Mapping().Centre();
  View().UserWheel(0, -120, ui::DrawingView::WheelKey::None, 0, 0);
  View().UserWheel(0, -120, ui::DrawingView::WheelKey::Shift, 0, 0);
  EXPECT_NEAR(View().Mapping().Centre().x, centre.x + 30, 1e-9);
  EXPECT_NEAR(View().Mapping().Centre().y, centre.y + 30, 1e-9);
  EXPECT_EQ(window.form().ViewStatus(), "200 %");
}

// Zoomed in, the arrow keys, a middle-button drag, Space with a left drag
// and the scroll bars move the picture, by screen pixels.
TEST_F(DrawingViewTest, KeysDragsAndScrollBarsPan) {
  QWidget* area = View().Widget();
  Click(menuItem("ZoomIn1"));
  Click(menuItem("ZoomIn1"));  // 2x: a screen pixel is half a picture pixel
  auto centre = [&] { return View().Mapping().Centre(); };
  auto key = [&](QEvent::Type type, int k) {
    QKeyEvent event(type, k, Qt::NoModifier);
    QApplication::sendEvent(area, &event);
  };
  auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, area->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(area, &event);
  };
  key(QEvent::KeyPress, Qt::Key_Right);
  key(QEvent::KeyPress, Qt::Key_Down);
  EXPECT_EQ(centre().x, 340);
  EXPECT_EQ(centre().y, 340);

  mouse(QEvent::MouseButtonPress, {100, 100}, Qt::MiddleButton, Qt::MiddleButton);
  mouse(QEvent::MouseMove, {60, 130}, Qt::NoButton, Qt::MiddleButton);
  mouse(QEvent::MouseButtonRelease, {60, 130}, Qt::MiddleButton, Qt::NoButton);
  EXPECT_EQ(centre().x, 360);
  EXPECT_EQ(centre().y, 325);

  // A left drag without Space draws nothing and moves nothing.
  mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseMove, {200, 200}, Qt::NoButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, {200, 200}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(centre().x, 360);
  key(QEvent::KeyPress, Qt::Key_Space);
  mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseMove, {200, 100}, Qt::NoButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, {200, 100}, Qt::LeftButton, Qt::NoButton);
  key(QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(centre().x, 310);

  // The bars show the view's place in the 1280-pixel picture, and move it.
  QScrollBar* across = nullptr;
  for (QScrollBar* bar : area->findChildren<QScrollBar*>()) {
    if (bar->orientation() == Qt::Horizontal) across = bar;
  }
  ASSERT_NE(across, nullptr);
  EXPECT_TRUE(across->isVisibleTo(area));
  EXPECT_EQ(across->maximum(), 640);
  EXPECT_EQ(across->value(), 310 * 2 - 320);
  across->setValue(0);
  EXPECT_EQ(centre().x, 160);
  EXPECT_EQ(Picture(), ui::ImageCanvas(640, 640, kWhite).Image());
  Click(menuItem("ZoomFit1"));
  EXPECT_FALSE(across->isVisibleTo(area));
}

// Zoom, pan and resize are no Edit > Undo steps and leave the design saved.
TEST_F(DrawingViewTest, ViewActionsAreNoUndoStepsAndChangeNothingSaved) {
  Click(button("Draw"));
  const QImage picture = Picture();
  const bool undoable = menuItem("Undo1")->Enabled();
  const size_t steps = WindowProbe::Commands(window).Commands();
  const bool unsaved = window.hasUnsavedChanges();
  for (const char* item : {"ZoomIn1", "ZoomIn1", "ZoomActual1", "ZoomOut1", "ZoomFit1"}) {
    Click(menuItem(item));
  }
  View().Pan(50, 50);
  window.form().Resize(1500, 1200);
  EXPECT_EQ(Picture(), picture);
  EXPECT_EQ(menuItem("Undo1")->Enabled(), undoable);
  EXPECT_EQ(WindowProbe::Commands(window).Commands(), steps);
  EXPECT_EQ(window.hasUnsavedChanges(), unsaved);
}

// The same script with and without view actions (Smooth Lines toggled among
// them) between its steps: the same --panel control lines, the same BMP and
// the same design file.
TEST(DrawingViewBatch, ViewActionsLeaveTheFilesAndThePanelAsTheyAre) {
  QTemporaryDir dir;
  auto run = [&](const std::string& tag, const std::string& view) {
    const std::string bmp = dir.filePath(QString::fromStdString(tag + ".bmp")).toStdString();
    const std::string txt = dir.filePath(QString::fromStdString(tag + ".txt")).toStdString();
    const std::string script = view + "click Draw\n" + view + "drag ScrollBarFixed 150\n" + view +
                               "click Draw\n" + view + "answer save " + bmp + "\nclick SaveBMP1\n" +
                               view + "answer save " + txt + "\nclick SaveTXT1\n" + view;
    std::ostringstream out;
    BatchOptions options;
    options.panel = true;
    EXPECT_EQ(RunBatchScript(script, options, out), 0);
    auto read = [](const std::string& path) {
      QFile file(QString::fromStdString(path));
      return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
    };
    std::string design = read(txt);
    design.erase(0, design.find('\n'));  // the header line names the time
    // The last line is the zoom, which is the view's own.
    std::string panel = out.str();
    EXPECT_NE(panel.rfind("\nzoom "), std::string::npos);
    panel.erase(panel.rfind("\nzoom ") + 1);
    return std::tuple{panel, read(bmp), design};
  };
  const auto [plainPanel, plainBmp, plainTxt] = run("plain", "");
  const auto [viewPanel, viewBmp, viewTxt] =
      run("viewed",
          "resize 1500 1100\nclick ZoomIn1\nwheel PaintBox1 3 ctrl 10 20\nwheel PaintBox1 -2\n"
          "wheel PaintBox1 4 shift\nclick SmoothLines1\nclick ZoomActual1\nclick ZoomOut1\n"
          "click SmoothLines1\n");
  EXPECT_FALSE(plainBmp.empty());
  EXPECT_EQ(viewBmp, plainBmp);
  EXPECT_EQ(viewTxt, plainTxt);
  EXPECT_EQ(viewPanel, plainPanel);
}

}  // namespace
