// Edit > Undo and Redo over whole commands, line widths that stay with their
// patterns, the question before closing, typed values and the title.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <sstream>

#include "tests/window/window_fixture.h"
#include "tools/batch_script.h"

using namespace engine;

namespace {

// Everything Edit > Undo must put back.
struct Seen {
  ui::FormState panel;
  DesignState design;
  RepeatSteps steps;
  std::vector<DrawnPattern> history;
  QImage picture;
  Colour pen;
  int penWidth;
  bool operator==(const Seen&) const = default;
};

class EditHistory : public WindowTest {
 protected:
  Seen Now() {
    const std::vector<DrawnPattern> drawn = HistoryPatterns(window);
    return {window.form().SaveState(),
            window.design(),
            window.steps(),
            drawn,
            Picture(),
            window.penColour(),
            window.picture().PenWidth()};
  }
  void EditUndo() { Click(menuItem("Undo1")); }
  void EditRedo() { Click(menuItem("Redo1")); }
  bool CanUndo() { return menuItem("Undo1")->Enabled(); }
  bool CanRedo() { return menuItem("Redo1")->Enabled(); }
  // Two patterns, then a Clear kept with no memory to spare, so that every
  // picture Edit > Undo may go back to is dropped. Returns the two patterns'
  // picture.
  QImage DrawTwoAndClearWithoutPictures() {
    Click(button("Draw"));
    Drag(bar("ScrollBarTop"), 300);
    Click(button("Draw"));
    const QImage two = Picture();
    WindowProbe::Commands(window).SetBudget(0);
    Click(button("Clear"));
    return two;
  }

  std::string Path(const std::string& name) {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  void Write(const std::string& path, const std::string& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  void Open(const std::string& path) {
    prompts.AnswerOpen(path);
    Click(menuItem("Open1"));
  }

  QTemporaryDir dir;
};

TEST_F(EditHistory, UndoAndRedoAReflectedSeriesAsOneCommand) {
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(CanRedo());
  Click(button("Draw"));
  Drag(bar("ScrollBarReps"), 5);
  Spin(spin("topspin"), 40);
  Spin(spin("SpinRed"), 30);
  checkBox("cb_reflect")->UserClick();
  const Seen before = Now();
  Click(button("Draw"));
  ASSERT_EQ(window.history().Count(), 11);
  const Seen after = Now();

  EXPECT_TRUE(CanUndo());
  EditUndo();
  EXPECT_EQ(Now(), before);
  EXPECT_TRUE(CanRedo());
  EditRedo();
  EXPECT_EQ(Now(), after);
  EXPECT_FALSE(CanRedo());

  // Back to the start, then a new Draw empties the redo list.
  EditUndo();
  EditUndo();
  EXPECT_FALSE(CanUndo());
  EXPECT_EQ(window.history().Count(), 0);
  EXPECT_TRUE(CanRedo());
  Click(button("Draw"));
  EXPECT_FALSE(CanRedo());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(EditHistory, OpenClearAndTheUndoButtonAreTakenBack) {
  Drag(bar("ScrollBarReps"), 3);
  Spin(spin("holespin"), -60);
  Click(button("Draw"));
  const Seen drawn = Now();

  Click(button("undo"));
  ASSERT_EQ(window.history().Count(), 2);
  EditUndo();
  EXPECT_EQ(Now(), drawn);

  Click(button("Clear"));
  EXPECT_EQ(window.history().Count(), 0);
  EditUndo();
  EXPECT_EQ(Now(), drawn);

  const std::string path = Path("one.txt");
  Write(path, "KORVA,x\r\n255,105,30,0,0,300,10,500,0,0,\r\n");
  Open(path);
  ASSERT_EQ(window.history().Count(), 1);
  const Seen opened = Now();
  EditUndo();
  EXPECT_EQ(Now(), drawn);
  EditRedo();
  EXPECT_EQ(Now(), opened);
}

TEST_F(EditHistory, CommandsThatChangeNothingAreNotKept) {
  Click(button("Clear"));
  Click(button("undo"));
  prompts.AnswerCancel();
  Click(menuItem("Open1"));
  Drag(bar("ScrollBarFixed"), 120);
  EXPECT_FALSE(CanUndo());
  // Edit > Undo with nothing to take back does nothing.
  const Seen now = Now();
  menuItem("Undo1")->onClick();
  EXPECT_EQ(Now(), now);
}

TEST_F(EditHistory, EveryPatternKeepsItsWidthThroughUndoRedoAndFiles) {
  Spin(spin("Linesize"), 2);  // width 3
  Click(button("Draw"));
  const QImage wide = Picture();
  Spin(spin("Linesize"), -2);  // width 1
  Drag(bar("ScrollBarMoving"), 37);
  Click(button("Draw"));
  const QImage both = Picture();
  EXPECT_EQ(window.history().LineWidth(1), 3);
  EXPECT_EQ(window.history().LineWidth(2), 1);

  // The Undo button redraws the first pattern at 3, and leaves the pen at 1.
  Click(button("undo"));
  EXPECT_EQ(Picture(), wide);
  EXPECT_EQ(window.picture().PenWidth(), 1);
  EditUndo();
  EXPECT_EQ(Picture(), both);

  // A saved design reopens at its widths, whatever the panel's width.
  const std::string path = Path("widths.txt");
  prompts.AnswerSave(path);
  Click(menuItem("SaveTXT1"));
  Click(button("Clear"));
  Spin(spin("Linesize"), 4);
  Open(path);
  EXPECT_EQ(Picture(), both);
  EXPECT_EQ(window.picture().PenWidth(), 5);
  EXPECT_EQ(window.history().LineWidth(1), 3);

  // A ten-field line draws at the panel's width; an odd eleventh field is ignored.
  Write(path, "KORVA,x\r\n0,96,60,0,0,480,5,1000,0,0,\r\n0,96,60,0,0,480,5,1000,0,0,9,\r\n");
  Open(path);
  EXPECT_EQ(window.history().LineWidth(1), 5);
  EXPECT_EQ(window.history().LineWidth(2), 5);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(EditHistory, RedrawsAPictureWhoseSnapshotWasDroppedFromTheHistory) {
  // A dropped picture is drawn again from its history at the patterns' widths.
  Spin(spin("Linesize"), 1);
  const QImage two = DrawTwoAndClearWithoutPictures();
  EditUndo();
  EXPECT_EQ(Picture(), two);
}

TEST_F(EditHistory, AStoppedRedrawLeavesEverythingAsItWas) {
  const QImage two = DrawTwoAndClearWithoutPictures();
  const QImage cleared = Picture();

  // Stopped half-way through the first pattern's redraw.
  window.stopNextTraceAfter(400);
  EditUndo();
  EXPECT_EQ(Picture(), cleared);
  EXPECT_EQ(window.history().Count(), 0);
  EXPECT_TRUE(CanUndo());
  EXPECT_FALSE(CanRedo());
  EXPECT_TRUE(Shown().empty());

  // Asked again, it is undone.
  EditUndo();
  EXPECT_EQ(Picture(), two);
  EXPECT_EQ(window.history().Count(), 2);
  EXPECT_TRUE(CanRedo());
}

TEST_F(EditHistory, ExitAsksOnlyWithUnsavedChanges) {
  Click(button("BitBtn1"));
  EXPECT_TRUE(window.form().Closed());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(EditHistory, ExitQuestionTakesYesNoOrCancel) {
  const std::string question = "message Confirm: Save changes to the design before closing?";
  Click(button("Draw"));

  prompts.AnswerCancel();
  Click(button("BitBtn1"));
  EXPECT_FALSE(window.form().Closed());
  EXPECT_EQ(Shown().back(), question);
  EXPECT_EQ(prompts.messageButtons.back(), ui::kYes | ui::kNo | ui::kCancel);

  // Yes, then a cancelled save: nothing closes.
  prompts.AnswerYes();
  prompts.AnswerCancel();
  Click(button("BitBtn1"));
  EXPECT_FALSE(window.form().Closed());

  // Yes and a save: saved, then closed.
  const std::string path = Path("kept.txt");
  prompts.AnswerYes();
  prompts.AnswerSave(path);
  Click(button("BitBtn1"));
  EXPECT_TRUE(window.form().Closed());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(EditHistory, ExitQuestionAnsweredNoClosesWithoutSaving) {
  Click(button("Draw"));
  prompts.AnswerNo();
  Click(button("BitBtn1"));
  EXPECT_TRUE(window.form().Closed());
  EXPECT_EQ(prompts.Pending(), 0u);
}

TEST_F(EditHistory, TitleShowsTheFileAndUnsavedChanges) {
  EXPECT_EQ(window.form().Caption(), "Korva  Version 4.2");
  Click(button("Draw"));
  EXPECT_EQ(window.form().Caption(), "Untitled* - Korva  Version 4.2");
  const std::string path = Path("spiral.txt");
  prompts.AnswerSave(path);
  Click(menuItem("SaveTXT1"));
  EXPECT_EQ(window.form().Caption(), "spiral.txt - Korva  Version 4.2");
  Click(button("Draw"));
  EXPECT_EQ(window.form().Caption(), "spiral.txt* - Korva  Version 4.2");
  EditUndo();
  EXPECT_EQ(window.form().Caption(), "spiral.txt - Korva  Version 4.2");
  EXPECT_EQ(window.recentDesigns(), std::vector<std::string>{path});
}

TEST_F(EditHistory, UndoAndRedoFollowTheViewMenuTheyPutBack) {
  auto* area = dynamic_cast<ui::PaintArea*>(window.form().Find("PaintBox1"));
  Click(menuItem("ShowGears1"));
  Click(menuItem("SpeedFast1"));
  Click(button("Draw"));
  Click(menuItem("ShowGears1"));
  Click(menuItem("SpeedNormal1"));
  ASSERT_FALSE(area->HasOverlay());
  EditUndo();
  EXPECT_TRUE(menuItem("ShowGears1")->Checked());
  EXPECT_TRUE(menuItem("SpeedFast1")->Checked());
  EXPECT_EQ(WindowProbe::AnimationSpeed(window), 4);
  EXPECT_TRUE(area->HasOverlay());

  // And the other way: gears shown after a Draw, Edit > Undo hides them.
  Click(menuItem("ShowGears1"));
  Click(button("Draw"));
  Click(menuItem("ShowGears1"));
  ASSERT_TRUE(area->HasOverlay());
  EditUndo();
  EXPECT_FALSE(menuItem("ShowGears1")->Checked());
  EXPECT_FALSE(area->HasOverlay());
}

TEST_F(EditHistory, TitleNamesAnOpenedDesignThatLeavesTheHistoryAsItWas) {
  const std::string path = Path("empty.txt");
  Write(path, "KORVA,x\r\n");
  Open(path);
  EXPECT_FALSE(CanUndo());
  EXPECT_EQ(window.form().Caption(), "empty.txt - Korva  Version 4.2");
}

TEST_F(EditHistory, DoubleClickTypesAValueAsADragWould) {
  // A double-click on the moving teeth's box asks, then moves the bar.
  QWidget* box = window.form().Find("Moving")->Widget();
  QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  prompts.AnswerValue(37);
  QApplication::sendEvent(box, &click);
  EXPECT_EQ(Shown().back(), "input Teeth of the moving gear: [1..360]");
  EXPECT_EQ(window.design().MovingTeeth, 37);

  MainWindow dragged(prompts, [] { return std::make_unique<NullPrinter>(); });
  ControlsByName(dragged).bar("ScrollBarMoving")->UserDrag(37);
  EXPECT_EQ(window.form().SaveState(), dragged.form().SaveState());
  EXPECT_EQ(window.design(), dragged.design());

  // Cancel changes nothing; a spin box takes its value once.
  const Seen before = Now();
  prompts.AnswerCancel();
  QApplication::sendEvent(box, &click);
  EXPECT_EQ(Now(), before);
  Drag(bar("ScrollBarReps"), 2);  // the step boxes show
  int runs = 0;
  spin("topspin")->onChange = [&] { ++runs; };
  spin("topspin")->UserType(1500);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(spin("topspin")->Value(), 1500);
}

TEST_F(EditHistory, TypedValuesInAScriptEqualDrags) {
  auto run = [](const std::string& script) {
    std::ostringstream out;
    BatchOptions options;
    options.panel = true;
    EXPECT_EQ(RunBatchScript(script, options, out), 0);
    return out.str();
  };
  const std::string typed =
      run("type ScrollBarFixed 150\ntype Moving 45\ntype ScrollBarHole 5000\ntype holespin 7\n");
  const std::string dragged =
      run("drag ScrollBarFixed 150\ndrag ScrollBarMoving 45\ndrag ScrollBarHole 5000\n"
          "spin holespin up 7\n");
  EXPECT_EQ(typed, dragged);
  EXPECT_NE(typed.find("state FixedTeeth=150 MovingTeeth=45"), std::string::npos);
}

TEST_F(EditHistory, MenusShowShortcutsAndTheHelpMenuOpens) {
  EXPECT_EQ(menuItem("Undo1")->Action()->shortcut().toString(), "Ctrl+Z");
  EXPECT_EQ(menuItem("Redo1")->Action()->shortcuts().size(), 2);
  EXPECT_EQ(menuItem("Open1")->Action()->shortcut().toString(), "Ctrl+O");
  EXPECT_EQ(menuItem("SaveTXT1")->Action()->shortcut().toString(), "Ctrl+Shift+S");
  EXPECT_EQ(menuItem("PrintDesign1")->Action()->shortcut().toString(), "Ctrl+P");
  EXPECT_EQ(menuItem("QuickGuide1")->Action()->shortcut().toString(), "F1");
  EXPECT_EQ(menuItem("File1")->Action()->text(), "&File");
  Click(menuItem("QuickGuide1"));
  Click(menuItem("About1"));
  EXPECT_EQ(Shown(),
            (std::vector<std::string>{"document Korva Quick Guide", "document About Korva"}));
  EXPECT_FALSE(menuItem("OpenRecent1")->Enabled());
  EXPECT_FALSE(window.form().Find("ScrollBarHole")->Widget()->toolTip().isEmpty());
}

}  // namespace
