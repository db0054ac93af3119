// Save TXT, Open and Save BMP through the menu with scripted file dialogs.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "tests/window/window_fixture.h"

using namespace engine;

namespace {

class DesignFiles : public WindowTest {
 protected:
  std::string Path(const std::string& name) {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  void Open(const std::string& path) {
    prompts.AnswerOpen(path);
    Click(menuItem("Open1"));
  }

  // A design of several colours in both modes, drawn through the panel.
  void DrawMixedDesign() {
    prompts.AnswerColour(0x2080E0);
    Click(button("PenColor"));
    Drag(bar("ScrollBarReps"), 3);
    Spin(spin("topspin"), 70);
    Spin(spin("SpinGreen"), 40);
    checkBox("cb_reflect")->UserClick();
    Click(button("Draw"));
    Click(radio("rb_external"));
    Drag(bar("ScrollBarMoving"), 37);
    Drag(bar("ScrollBarCentreX"), -450);
    Click(button("Draw"));
  }

  QTemporaryDir dir;
};

TEST_F(DesignFiles, SaveWritesTheHistoryLineByLine) {
  Click(button("Draw"));
  Drag(bar("ScrollBarCentreY"), -25);
  Click(radio("rb_external"));
  Spin(spin("Linesize"), 2);
  Click(button("Draw"));
  const std::string path = Path("two.txt");
  prompts.AnswerSave(path);
  Click(menuItem("SaveTXT1"));
  const std::string bytes = Read(path);
  const std::string header = "KORVA," + path + ",";
  ASSERT_EQ(bytes.compare(0, header.size(), header), 0) << bytes;
  const size_t body = bytes.find("\r\n") + 2;
  // Each line ends in the width its pattern was drawn at.
  EXPECT_EQ(bytes.substr(body),
            "0,96,60,0,0,480,5,1000,0,0,1,\r\n0,96,60,1,0,510,5,889,0,-25,3,\r\n");
  EXPECT_EQ(prompts.lastFileDialog->defaultExtension, "txt");
  EXPECT_TRUE(prompts.lastFileDialog->overwritePrompt);
}

TEST_F(DesignFiles, SavedDesignReopensToTheSameHistoryAndPixels) {
  DrawMixedDesign();
  const std::vector<PatternRecord> drawn = HistoryRecords();
  const QImage picture = Picture();
  ASSERT_EQ(drawn.size(), 12u);
  const std::string path = Path("mixed.txt");
  prompts.AnswerSave(path);
  Click(menuItem("SaveTXT1"));

  Click(button("Clear"));
  Open(path);
  EXPECT_EQ(HistoryRecords(), drawn);
  EXPECT_EQ(Picture(), picture);
  EXPECT_TRUE(Shown().empty());
  // Open copies the picture to the backing area.
  EXPECT_EQ(window.backingPicture().Image().copy(0, 0, 640, 640), picture);
}

TEST_F(DesignFiles, CancelledOrRefusedOpenChangesNothing) {
  DrawMixedDesign();
  const std::vector<PatternRecord> drawn = HistoryRecords();
  const QImage picture = Picture();
  const DesignState panel = window.design();
  auto unchanged = [&] {
    EXPECT_EQ(HistoryRecords(), drawn);
    EXPECT_EQ(Picture(), picture);
    EXPECT_EQ(window.design().PenHole, panel.PenHole);
    EXPECT_EQ(window.design().MovingTeeth, panel.MovingTeeth);
    EXPECT_EQ(box("Moving")->Text(), std::to_string(panel.MovingTeeth));
  };

  prompts.AnswerCancel();
  Click(menuItem("Open1"));
  unchanged();

  Write(Path("lower.txt"), "korva,x\r\n0,96,60,0,0,480,5,1000,0,0,\r\n");
  Open(Path("lower.txt"));
  EXPECT_EQ(Shown().back(), "message Error: Error reading input file - not a KORVA file");
  unchanged();

  Write(Path("bad3.txt"),
        "KORVA,x\r\n0,96,60,0,0,480,5,1000,0,0,\r\n0,96,60,0,0,480,5,1000,0,x,\r\n"
        "0,96,60,0,0,480,5,1000,0,0,\r\n0,96,60,0,0,480,5,1000,0,0,\r\n");
  Open(Path("bad3.txt"));
  EXPECT_EQ(Shown().back(), "error: 'x' is not a valid integer value (line 3)");
  unchanged();

  Write(Path("teeth0.txt"), "KORVA,x\r\n0,0,60,0,0,480,5,1000,0,0,\r\n");
  Open(Path("teeth0.txt"));
  EXPECT_NE(Shown().back().find("line 2"), std::string::npos) << Shown().back();
  EXPECT_NE(Shown().back().find("teeth below 1"), std::string::npos) << Shown().back();
  unchanged();

  Open(Path("missing.txt"));
  EXPECT_EQ(Shown().back(), "error: File not found");
  unchanged();
}

TEST_F(DesignFiles, LinesMayEndWithCrLfCrOrLf) {
  const std::string a = "0,96,60,0,0,480,5,1000,0,0,";
  const std::string b = "255,105,30,0,0,300,10,500,0,0,";
  for (const std::string eol : {"\r\n", "\r", "\n"}) {
    Write(Path("eol.txt"), "KORVA,x" + eol + a + eol + b + eol);
    Open(Path("eol.txt"));
    EXPECT_EQ(window.history().NextPatternIndex(), 3);
    EXPECT_EQ(window.history().Entry(2), (PatternRecord{255, 105, 30, 0, 0, 300, 10, 500, 0, 0}));
  }
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DesignFiles, OverAThousandPatternsAreDrawnAndTheFirstThousandKept) {
  std::string text = "KORVA,many\r\n";
  for (int i = 0; i < 1200; ++i) {
    text += std::to_string(i) + ",96,60,0," + std::to_string(i) + ",480,3600,100,0,0,\r\n";
  }
  Write(Path("many.txt"), text);
  Open(Path("many.txt"));
  EXPECT_EQ(window.history().NextPatternIndex(), 1001);
  EXPECT_EQ(window.history().Entry(1000).Colour, 999);
  EXPECT_EQ(Shown().size(), 1u);
  // Every line was drawn: the panel shows the last one.
  EXPECT_EQ(window.design().TopOfDesign, 1199);
}

TEST_F(DesignFiles, SaveBmpWritesTheDrawingAreaAs24BitBitmap) {
  prompts.AnswerColour(0x0000FF);
  Click(button("PenColor"));
  Click(button("Draw"));
  const std::string path = Path("picture.bmp");
  prompts.AnswerSave(path);
  Click(menuItem("SaveBMP1"));
  const std::string bytes = Read(path);
  ASSERT_GE(bytes.size(), 54u);
  auto u16 = [&](size_t at) { return uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8; };
  auto i32 = [&](size_t at) { return int32_t(u16(at) | u16(at + 2) << 16); };
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(i32(18), 640);
  EXPECT_EQ(std::abs(i32(22)), 640);
  EXPECT_EQ(u16(28), 24);
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(path)));
  EXPECT_EQ(ui::FromQRgb(image.pixel(320, 58)), 0x0000FF);
  EXPECT_EQ(ui::FromQRgb(image.pixel(0, 0)), kWhite);
  EXPECT_EQ(prompts.lastFileDialog->defaultExtension, "bmp");
  // The backing area took the picture as well.
  EXPECT_EQ(window.backingPicture().PixelAt(320, 58), 0x0000FF);
}

TEST_F(DesignFiles, CancelledSaveBmpWritesNothingButDumps) {
  Click(button("Draw"));
  prompts.AnswerCancel();
  Click(menuItem("SaveBMP1"));
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  Click(button("Clear"));
  button("Refresh")->onClick();
  EXPECT_EQ(window.picture().PixelAt(320, 58), kBlack);
}

TEST_F(DesignFiles, SaveIntoAMissingFolderReportsTheError) {
  Click(button("Draw"));
  const std::string target = Path("nested/nowhere/design.txt");
  prompts.AnswerSave(target);
  Click(menuItem("SaveTXT1"));
  EXPECT_EQ(Shown().back(), "error: Cannot create file " + target);
}

}  // namespace
