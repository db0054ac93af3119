// While the next Draw would continue a series from values the panel does
// not show, the status bar says which; the panel and the Draw stay as they are.
#include <QApplication>
#include <QStatusBar>

#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

class SeriesStatus : public WindowTest {
 protected:
  std::string Status() { return window.form().Status(); }
  std::string Shown(const char* box) { return this->box(box)->Text(); }
};

TEST_F(SeriesStatus, TheStatusBarNamesWhatTheNextDrawContinuesFrom) {
  EXPECT_EQ(Status(), "");
  Drag(bar("ScrollBarReps"), 12);
  Spin(spin("topspin"), 10);
  Click(button("Draw"));
  // The panel shows pattern 12; the next Draw starts at top 120.
  EXPECT_EQ(Shown("Align"), "110");
  EXPECT_EQ(Status(), "Next Draw continues the series: top 120");
  Click(button("RepeatReset1"));
  EXPECT_EQ(Shown("Align"), "110");
  EXPECT_EQ(Status(), "Next Draw continues the series: top 120");
  Click(button("Draw"));
  EXPECT_EQ(window.history().Entry(13).TopOfDesign, 120);
  EXPECT_EQ(Shown("Align"), "120");
  EXPECT_EQ(Status(), "");
}

TEST_F(SeriesStatus, OnlyTheValuesThePanelDoesNotShowAreNamed) {
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("sizespin"), -10);
  Spin(spin("xspin"), 5);
  checkBox("cb_reflect")->UserClick();
  Click(button("Draw"));
  EXPECT_EQ(Status(), "Next Draw continues the series: size 970, centre X 15");
  // Moving a bar sets that value from the panel.
  Drag(bar("ScrollBarCentreX"), 40);
  EXPECT_EQ(Status(), "Next Draw continues the series: size 970");
  // Edit > Undo and Redo put back the window, status and all.
  Click(menuItem("Undo1"));
  EXPECT_EQ(Status(), "");
  Click(menuItem("Redo1"));
  EXPECT_EQ(Status(), "Next Draw continues the series: size 970, centre X 15");
}

TEST_F(SeriesStatus, TheStatusBarLeavesTheClientAreaAndThePictureAlone) {
  window.form().Show();
  QApplication::processEvents();
  QWidget* client = window.form().ClientArea();
  EXPECT_EQ(client->size(), QSize(952, 690));
  auto* bar = window.form().Window()->findChild<QStatusBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_GE(bar->geometry().top(), client->geometry().bottom());
  EXPECT_EQ(window.form().Find("PaintBox1")->Widget()->geometry(), QRect(6, 6, 640, 640));
  EXPECT_EQ(window.form().Find("ScrollBarCentreY")->Widget()->geometry(), QRect(664, 624, 217, 16));
}

}  // namespace
