// The commands on their own, over stand-ins for the window.
#include <gtest/gtest.h>

#include <vector>

#include "commands/command_history.h"
#include "commands/picture_history.h"
#include "commands/print_command.h"
#include "core/run_time_error.h"
#include "ui/canvas.h"
#include "ui/scripted_prompts.h"

namespace {

using engine::PatternRecord;

class TestSurface : public commands::DrawingSurface {
 public:
  ui::ImageCanvas& Picture() override { return picture; }
  ui::ImageCanvas& Backing() override { return backing; }
  Colour CanvasColour() const override { return canvas; }
  Colour PenColour() const override { return pen; }

  ui::ImageCanvas picture{640, 640}, backing{640, 640};
  Colour canvas = 0x112233, pen = 0x445566;
};

PatternRecord Pattern(int32_t colour) {
  return {colour, 96, 60, 0, 0, 480, 5, 1000, 0, 0};
}

class PictureHistoryTest : public testing::Test {
 protected:
  engine::PatternHistory history;
  TestSurface surface;
  std::vector<PatternRecord> traced;
  std::vector<int32_t> widths;
  commands::PictureHistory pictures{history, surface, [this](const engine::DrawnPattern& p) {
                                      traced.push_back(p.record);
                                      widths.push_back(p.lineWidth);
                                      history.Record(p.record, p.lineWidth);
                                    }};
};

TEST_F(PictureHistoryTest, UndoRetracesAllButTheLastOnABlankPicture) {
  EXPECT_FALSE(pictures.UndoLastPattern());
  for (int32_t c : {1, 2, 3}) history.Record(Pattern(c), c + 1);
  surface.picture.SetBrushColour(0);
  surface.picture.FillRect(0, 0, 640, 640);

  ASSERT_TRUE(pictures.UndoLastPattern());
  EXPECT_EQ(traced, (std::vector<PatternRecord>{Pattern(1), Pattern(2)}));
  EXPECT_EQ(widths, (std::vector<int32_t>{2, 3}));  // each at its own width
  EXPECT_EQ(history.Count(), 2);
  EXPECT_EQ(history.Entry(3), PatternRecord{});  // the dropped entry is wiped
  EXPECT_EQ(surface.picture.PixelAt(0, 0), surface.canvas);
  EXPECT_EQ(surface.picture.PenColour(), surface.pen);
}

TEST_F(PictureHistoryTest, ReplacePreparesEachPatternThenKeepsACopy) {
  history.Record(Pattern(9));
  std::vector<PatternRecord> prepared;
  pictures.Replace({{Pattern(1), 1}, {Pattern(2), 4}},
                   [&](const PatternRecord& p) { prepared.push_back(p); });
  EXPECT_EQ(prepared, traced);
  EXPECT_EQ(traced, (std::vector<PatternRecord>{Pattern(1), Pattern(2)}));
  EXPECT_EQ(history.Count(), 2);
  EXPECT_EQ(surface.backing.PixelAt(5, 5), surface.canvas);

  surface.picture.SetBrushColour(0);
  surface.picture.FillRect(0, 0, 640, 640);
  pictures.RestoreCopy();
  EXPECT_EQ(surface.picture.PixelAt(5, 5), surface.canvas);
}

class CountingPrinter : public ui::Printer, public ui::PrinterCanvas {
 public:
  void BeginDoc() override { ++begun; }
  ui::PrinterCanvas& Canvas() override { return *this; }
  void EndDoc() override { ++ended; }
  void AbortDoc() override { ++aborted; }
  void SetPenColour(Colour) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  int begun = 0, ended = 0, aborted = 0;
};

class PrintCommandTest : public testing::Test {
 protected:
  commands::PrintCommand Command(commands::PrintTracer trace) {
    return commands::PrintCommand(
        prompts, history,
        [this] {
          ++printersMade;
          return std::make_unique<Forward>(printer);
        },
        std::move(trace));
  }
  struct Forward : ui::Printer {
    explicit Forward(CountingPrinter& p) : target(p) {}
    void BeginDoc() override { target.BeginDoc(); }
    ui::PrinterCanvas& Canvas() override { return target; }
    void EndDoc() override { target.EndDoc(); }
    void AbortDoc() override { target.AbortDoc(); }
    CountingPrinter& target;
  };

  ui::ScriptedPrompts prompts;
  engine::PatternHistory history;
  CountingPrinter printer;
  int printersMade = 0;
};

TEST_F(PrintCommandTest, PrintsEveryPatternWithItsPrinterPenAfterConfirming) {
  history.Record(Pattern(0x0000FF));
  history.Record(Pattern(0x808080));
  std::vector<Colour> pens;
  prompts.AnswerYes();
  Command([&](const engine::DrawnPattern&, ui::PrinterCanvas&, Colour pen) {
    pens.push_back(pen);
  }).Print({250, commands::PrintColours::Mono});
  EXPECT_EQ(prompts.log, std::vector<std::string>{
                             "message Confirm: Printing pattern of size 250% in monochrome.\\n"
                             "Are you sure ? "});
  EXPECT_EQ(pens, (std::vector<Colour>{kBlack, kBlack}));
  EXPECT_EQ(printer.ended, 1);
}

TEST_F(PrintCommandTest, NoOrAnErrorPrintsNothingOrAbandonsTheJob) {
  history.Record(Pattern(0));
  prompts.AnswerNo();
  Command([](auto&&...) {}).Print({});
  EXPECT_EQ(printersMade, 0);
  EXPECT_EQ(prompts.log.back(), "message Warning: Printing abandoned.");

  prompts.AnswerYes();
  EXPECT_THROW(Command([](auto&&...) { throw RunTimeError("x"); }).Print({}), RunTimeError);
  EXPECT_EQ(printer.begun, 1);
  EXPECT_EQ(printer.aborted, 1);
  EXPECT_EQ(printer.ended, 0);
}

}  // namespace

namespace {

commands::WindowState StateWithPicture(int bytes) {
  commands::WindowState state;
  state.history = std::make_shared<const engine::PatternHistory>();
  state.picture.pixels = QByteArray(bytes, 'x');
  return state;
}

TEST(CommandHistoryTest, UndoAndRedoWalkTheCommandsAndANewOneEmptiesRedo) {
  commands::CommandHistory history;
  EXPECT_FALSE(history.CanUndo());
  for (int i = 1; i <= 3; ++i) history.Record(StateWithPicture(i), StateWithPicture(10 + i));
  EXPECT_EQ(history.Undo().picture.pixels.size(), 3);
  EXPECT_EQ(history.Undo().picture.pixels.size(), 2);
  EXPECT_TRUE(history.CanRedo());
  EXPECT_EQ(history.Redo().picture.pixels.size(), 12);
  history.Record(StateWithPicture(4), StateWithPicture(14));
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.Commands(), 3u);
}

TEST(CommandHistoryTest, MemoryStaysWithinBudgetDroppingOldPicturesFirst) {
  commands::CommandHistory history;
  history.SetBudget(60u << 20);
  for (int i = 0; i < 60; ++i) history.Record(StateWithPicture(1 << 20), StateWithPicture(1 << 20));
  EXPECT_LE(history.Bytes(), 60u << 20);
  EXPECT_EQ(history.Commands(), 60u);  // pictures went, commands stayed
  EXPECT_FALSE(history.Undo().picture.Dropped());
  for (int i = 0; i < 200; ++i) history.Record(StateWithPicture(10), StateWithPicture(10));
  EXPECT_EQ(history.Commands(), commands::CommandHistory::kMaxCommands);
}

}  // namespace
