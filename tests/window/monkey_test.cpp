// The monkey: thousands of seeded random user actions on the real window, every
// command among them, each followed by a check of the panel's invariants, the
// history and every box the user saw. Around each command Edit > Undo takes
// back, the whole window is kept: Edit > Undo must bring back the state before
// it, and Redo the state after it. A failure names the seed and the action and
// lists the actions before it in korva-batch's script words.
//
// KORVA_MONKEY_SEEDS=1,2,3 and KORVA_MONKEY_ACTIONS=N run other seeds or longer;
// a run of 20,000 actions or more must also have clicked every command, e.g.
//   KORVA_MONKEY_SEEDS=1,2,3,4,5,6,7,8 KORVA_MONKEY_ACTIONS=20000 window_tests
//       --gtest_filter='Monkey*'
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/curve.h"
#include "engine/design_file.h"
#include "engine/ring_choice.h"
#include "engine/series_plan.h"
#include "tests/window/window_fixture.h"
#include "window/print_zoom.h"

using namespace engine;

namespace {

// The quick step buttons and the step each sets.
constexpr std::pair<const char*, int32_t> kQuickSteps[] = {
    {"DrawStep1Deg", 1}, {"DrawStep2Deg", 2}, {"DrawStep5Deg", 5}, {"DrawStep10Deg", 10}};

// The designs are kept small so that thousands of actions take seconds:
// segments of one pattern, of one Draw, and of the whole history (which Undo,
// Open and Print redraw). Wide pens draw far slower than thin ones.
constexpr long double kPatternSegments = 3000;
constexpr long double kDrawSegments = 40000;
constexpr long double kHistorySegments = 150000;
constexpr long double kWidePenCost = 8;

constexpr int kDefaultActions = 1300;
const std::vector<uint64_t> kDefaultSeeds = {1, 20240611, 777, 9001};

constexpr const char* kHistoryFull =
    "message Error: Error - Attempt to draw too many patterns - 1000 maximum allowed.";
constexpr const char* kIdentical = "message Warning: Canvas and Pen colors are identical.";
constexpr qint64 kBitmapBytes = 54 + 640 * 640 * 3;

// What reached the printers; the print command lets go of each one when done.
struct PrintTally {
  int documents = 0, begun = 0, ended = 0, aborted = 0;
  size_t lines = 0;
};

class TallyPrinter : public RecordingPrinter {
 public:
  explicit TallyPrinter(PrintTally& tally) : tally_(tally) {}
  ~TallyPrinter() override {
    ++tally_.documents;
    tally_.begun += begun;
    tally_.ended += ended;
    tally_.aborted += aborted;
    tally_.lines += lines.size();
  }

 private:
  PrintTally& tally_;
};

// Whether text is "<prefix><digits><suffix>".
bool NumberBetween(std::string_view text, std::string_view prefix, std::string_view suffix) {
  if (!text.starts_with(prefix) || !text.ends_with(suffix)) return false;
  if (text.size() <= prefix.size() + suffix.size()) return false;
  const std::string_view digits =
      text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Error boxes the program may show, as the scripted prompts log them.
bool KnownErrorLine(std::string_view line) {
  if (!line.starts_with("error: ")) return false;
  const std::string_view text = line.substr(7);
  if (text == "Integer overflow" || text == "File not found") return true;
  if (text.starts_with("Cannot create file ")) return true;
  const std::string_view notInteger = "' is not a valid integer value (line ";
  const size_t quote = text.rfind(notInteger);
  if (text.starts_with('\'') && quote != std::string_view::npos &&
      NumberBetween(text.substr(quote), notInteger, ")")) {
    return true;
  }
  for (const char* reason :
       {"teeth below 1", "fixed gear below 2 teeth", "step below 1", "integer overflow",
        "its points lie beyond the drawing area's pixel range", "more than 100 million segments"}) {
    if (NumberBetween(text, "The pattern in line ",
                      std::string(" cannot be drawn: ") + reason + ".")) {
      return true;
    }
  }
  return false;
}

std::string Hex(Colour c) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(c));
  return text;
}

int64_t Lcm(int64_t a, int64_t b) {
  return a / std::gcd(a, b) * b;
}

std::string ReadBytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  QFile file(QString::fromStdString(path));
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
}

// Segments one pattern traces; +infinity when it cannot be drawn at all.
long double SegmentsOf(const PatternRecord& p, const RingShape& ring = {}) {
  try {
    return Curve(p, ring).EstimatedSegments();
  } catch (const std::exception&) {
    return std::numeric_limits<long double>::infinity();
  }
}

// Everything Edit > Undo and Redo put back: the panel with the menu's check
// marks, the design, the history with its widths, and the picture with its pen.
struct Seen {
  ui::FormState panel;
  DesignState design;
  RepeatSteps steps;
  DerivedValues derived;
  int32_t seriesStartTop = 0;
  std::vector<DrawnPattern> history;
  size_t pixels = 0;  // a hash of the picture's pixels
  Colour pen = 0, brush = 0;
  int penWidth = 1;
};

size_t PixelsHash(const QImage& image) {
  return std::hash<std::string_view>{}(std::string_view(
      reinterpret_cast<const char*>(image.constBits()), static_cast<size_t>(image.sizeInBytes())));
}

Seen SeenIn(const MainWindow& window) {
  MainWindow& w = const_cast<MainWindow&>(window);
  return {w.form().SaveState(),
          window.design(),
          window.steps(),
          window.derived(),
          window.seriesStartTop(),
          HistoryPatterns(window),
          PixelsHash(window.picture().Image()),
          window.picture().PenColour(),
          window.picture().BrushColour(),
          window.picture().PenWidth()};
}

// What differs between two states, for a failure message; empty when nothing does.
std::string Differences(const Seen& a, const Seen& b, const ui::Form& form) {
  std::string out;
  auto differs = [&](bool d, const std::string& what) {
    if (d) out += (out.empty() ? "" : ", ") + what;
  };
  for (size_t i = 0; i < a.panel.controls.size() && i < b.panel.controls.size(); ++i) {
    differs(a.panel.controls[i] != b.panel.controls[i], form.Controls()[i]->Name());
  }
  for (size_t i = 0; i < a.panel.checkedItems.size() && i < b.panel.checkedItems.size(); ++i) {
    differs(a.panel.checkedItems[i] != b.panel.checkedItems[i],
            "the check mark of " + form.MenuItems()[i]->Name());
  }
  differs(a.design != b.design, "the design state");
  differs(a.steps != b.steps, "the steps");
  differs(a.derived != b.derived, "the gear counts and span");
  differs(a.seriesStartTop != b.seriesStartTop, "the series' starting top");
  differs(a.history != b.history, "the history");
  differs(a.pixels != b.pixels, "the picture");
  differs(a.pen != b.pen || a.brush != b.brush || a.penWidth != b.penWidth, "the picture's pen");
  return out;
}

// Segments a pattern traces, counted as a stop counts them.
int64_t TracedSegments(const PatternRecord& p, const RingShape& ring = {}) {
  return Curve(p, ring).Trace([](auto&&, auto&&) {});
}

// A design file's lines, refused as Open refuses them.
std::vector<DesignLine> ReadDrawable(const std::string& bytes, const DesignState& current) {
  std::vector<DesignLine> lines = ReadDesignFile(bytes);
  CheckDesignLinesDrawable(lines, current);
  return lines;
}

std::vector<PatternRecord> RecordsOf(const std::vector<DesignLine>& lines) {
  std::vector<PatternRecord> records;
  for (const DesignLine& line : lines) records.push_back(line.record);
  return records;
}

// The File menu's commands that save the design, and whether each asks for a
// name when the design already has a file.
struct SaveCommand {
  const char* item;
  bool asksWhenNamed;
};
constexpr SaveCommand kSaveCommands[] = {{"SaveTXT1", true}, {"Save1", false}};
// What closes the window, asking first about unsaved changes.
constexpr const char* kCloseCommands[] = {"BitBtn1", "Quit1"};
constexpr const char* kCloseQuestion =
    "message Confirm: Save changes to the design before closing?";

constexpr const char* kExportItems[] = {"ExportSVG1", "ExportPDF1", "ExportPNG1"};
constexpr const char* kViewItems[] = {"ShowGears1",    "PreviewPattern1", "AnimateDraw1",
                                      "SpeedQuarter1", "SpeedNormal1",    "SpeedFast1",
                                      "SpeedFastest1", "SmoothLines1"};
// How the drawing is shown: they change the view alone, never the design,
// the history, the picture or the Edit > Undo steps.
constexpr const char* kViewZoomItems[] = {"ZoomIn1", "ZoomOut1", "ZoomFit1", "ZoomActual1"};
constexpr std::pair<const char*, const char*> kHelpItems[] = {
    {"QuickGuide1", "document Korva Quick Guide"}, {"About1", "document About Korva"}};
// Menus and submenus that only open, and the buttons the layout hides: none
// of them may change anything.
constexpr const char* kInertCommands[] = {
    "File1",   "Background1", "Printer1",     "Colour1",      "Zoom1",      "Load",    "save",
    "savebmp", "BackColor",   "BlackOnWhite", "WhiteonBlack", "Refresh",    "Button1", "LoadPrint",
    "Edit1",   "View1",       "Speed1",       "Help1",        "OpenRecent1"};
constexpr const char* kPanelButtons[] = {
    "default_pos",   "default_centre", "DrawStep1Deg", "DrawStep2Deg", "DrawStep5Deg",
    "DrawStep10Deg", "RepeatReset1",   "ZeroPosStep",  "ZeroCentStep", "ZeroColStep"};
constexpr int kRecentDesigns = 5;

// Every control and menu item the monkey clicks.
std::vector<std::string> KnownClicks() {
  std::vector<std::string> names = {
      "Draw",           "Clear",          "undo",         "PenColor", "rb_internal",
      "rb_external",    "cb_reflect",     "Open1",        "SaveBMP1", "SelectColour1",
      "WhiteBlackPen1", "BlackWhitePen1", "PrintDesign1", "Mono2",    "N7Colours1",
      "FullColour1",    "Undo1",          "Redo1",        "RingShape"};
  for (const SaveCommand& c : kSaveCommands) names.push_back(c.item);
  for (const char* n : kCloseCommands) names.push_back(n);
  for (const char* n : kExportItems) names.push_back(n);
  for (const char* n : kViewItems) names.push_back(n);
  for (const char* n : kViewZoomItems) names.push_back(n);
  for (const auto& help : kHelpItems) names.push_back(help.first);
  for (const char* n : kInertCommands) names.push_back(n);
  for (const char* n : kPanelButtons) names.push_back(n);
  for (const ZoomItem& zoom : kZoomItems) names.push_back(zoom.name);
  for (int i = 1; i <= kRecentDesigns; ++i) names.push_back("RecentFile" + std::to_string(i));
  return names;
}

class Monkey {
 public:
  explicit Monkey(uint64_t seed) : seed_(seed), rng_(seed) { OpenWindow(); }

  // Runs the actions; stops at the first one after which a check fails.
  void Run(int actions) {
    ASSERT_TRUE(dir_.isValid());
    while (index_ < actions && !failed_) {
      RandomAction();
      if (!failed_ && window_->form().Closed()) {
        recent_.push_back("   (the window closed; a new one opens)");
        OpenWindow();
      }
    }
  }

  // Known clicks the run has not made.
  std::vector<std::string> NeverClicked() const {
    std::vector<std::string> missing;
    for (const std::string& name : KnownClicks()) {
      if (clicks_.count(name) == 0) missing.push_back(name);
    }
    return missing;
  }

 private:
  // A new window, and the model of a new window.
  void OpenWindow() {
    find_.reset();
    window_ = std::make_unique<MainWindow>(prompts_, [this]() -> std::unique_ptr<ui::Printer> {
      return std::make_unique<TallyPrinter>(tally_);
    });
    find_ = std::make_unique<ControlsByName>(*window_);
    bars_ = {find_->bar("ScrollBarFixed"),   find_->bar("ScrollBarMoving"),
             find_->bar("ScrollBarHole"),    find_->bar("ScrollBarTop"),
             find_->bar("ScrollBarMagni"),   find_->bar("ScrollBarCentreX"),
             find_->bar("ScrollBarCentreY"), find_->bar("ScrollBarStepFine"),
             find_->bar("ScrollBarReps"),    find_->bar("ScrollBarCorner")};
    ringChoice_ = dynamic_cast<ui::ChoiceBox*>(window_->form().Find("RingShape"));
    plainCaption_ = window_->form().Caption();
    ModelState fresh;
    fresh.pen = kBlack;
    RestoreModel(fresh);
    drawnAhead_.fill(false);
    lastPicked_ = kBlack;
    undoSteps_.clear();
    redoSteps_.clear();
    designPath_.clear();
    savedPatterns_.clear();
    recentDesigns_.clear();
    Observe();
  }

  // Indexes of the values a Draw series can leave ahead of the panel.
  enum Stale { kHole, kTop, kSize, kX, kY, kStaleCount };

  struct Snapshot {
    DesignState design;
    Colour pen = 0;
    int32_t next = 1;
    std::array<int, 10> bars{};
    Colour areaPen = 0, areaBrush = 0;
    size_t log = 0;
  };

  // What an action expects beyond the invariants that always hold.
  struct Expect {
    std::vector<std::string> log;           // the boxes the action shows, in order
    bool traced = false;                    // patterns were traced: the panel shows the last one
    std::array<bool, kStaleCount> shown{};  // values the action shows again
  };

  using Problems = std::vector<std::string>;

  // What Edit > Undo and Redo put back of the model, with the window.
  struct ModelState {
    std::vector<PatternRecord> model;
    std::vector<long double> cost;
    long double historyCost = 0;
    bool undoEnabled = false, backgroundEnabled = true;
    std::optional<Colour> pen;
    Colour canvas = kWhite;
    std::array<bool, kStaleCount> stale{};
  };

  ModelState SaveModel() const {
    return {model_, cost_, historyCost_, undoEnabled_, backgroundEnabled_, pen_, canvas_, stale_};
  }

  void RestoreModel(const ModelState& m) {
    model_ = m.model;
    cost_ = m.cost;
    historyCost_ = m.historyCost;
    undoEnabled_ = m.undoEnabled;
    backgroundEnabled_ = m.backgroundEnabled;
    pen_ = m.pen;
    canvas_ = m.canvas;
    stale_ = m.stale;
  }

  // Edit > Undo and Redo: the window and the model around each command kept.
  struct Step {
    Seen before, after;
    ModelState modelBefore, modelAfter;
  };

  // ------------------------------------------------------------ randomness

  uint64_t Rand(uint64_t n) { return n == 0 ? 0 : rng_() % n; }
  bool Chance(int percent) { return static_cast<int>(Rand(100)) < percent; }
  int Between(int low, int high) { return low + static_cast<int>(Rand(uint64_t(high - low) + 1)); }
  template <class T>
  const T& Pick(const std::vector<T>& v) {
    return v[Rand(v.size())];
  }

  // ------------------------------------------------------------ the actions

  // The mix: each kind of action with its share.
  struct Share {
    int weight;
    void (Monkey::*action)();
  };
  void RandomAction() {
    static constexpr Share kMix[] = {
        {380, &Monkey::BarAction},         {90, &Monkey::SpinAction},
        {90, &Monkey::DrawAction},         {20, &Monkey::ClearAction},
        {30, &Monkey::UndoAction},         {30, &Monkey::PenColourAction},
        {60, &Monkey::PanelButtonAction},  {40, &Monkey::RadioAction},
        {20, &Monkey::ReflectAction},      {40, &Monkey::OpenAction},
        {20, &Monkey::RingAction},         {30, &Monkey::SaveAction},
        {10, &Monkey::SaveBitmapAction},   {25, &Monkey::CanvasColourAction},
        {15, &Monkey::SchemeAction},       {25, &Monkey::PrintAction},
        {55, &Monkey::PrintSettingAction}, {40, &Monkey::InertAction},
        {45, &Monkey::EditUndoAction},     {25, &Monkey::EditRedoAction},
        {20, &Monkey::ViewAction},         {15, &Monkey::StoppedDrawAction},
        {10, &Monkey::StoppedOpenAction},  {10, &Monkey::StoppedUndoAction},
        {12, &Monkey::ExportAction},       {10, &Monkey::RecentAction},
        {4, &Monkey::HelpAction},          {6, &Monkey::CloseAction}};
    int total = 0;
    for (const Share& s : kMix) total += s.weight;
    int r = static_cast<int>(Rand(static_cast<uint64_t>(total)));
    for (const Share& s : kMix) {
      if (r < s.weight) return (this->*s.action)();
      r -= s.weight;
    }
  }

  // A button or menu item by layout name, clicked as the user clicks it.
  void ClickByName(const std::string& name) {
    if (ui::MenuItem* item = window_->form().FindMenuItem(name)) return item->UserClick();
    ui::Control* control = window_->form().Find(name);
    if (auto* button = dynamic_cast<ui::Button*>(control)) return button->UserClick();
    if (auto* radio = dynamic_cast<ui::RadioButton*>(control)) return radio->UserClick();
    if (auto* check = dynamic_cast<ui::CheckBox*>(control)) return check->UserClick();
    throw std::logic_error("cannot click " + name);
  }

  void BarAction() {
    ui::ScrollBar* bar = Pick(bars_);
    const std::string name = bar->Name();
    switch (Rand(7)) {
      case 0:
      case 1: {
        const int d = Chance(50) ? 1 : -1;
        return Act("arrow " + name + (d > 0 ? " +" : " -"), [=] { bar->UserArrow(d); });
      }
      case 2: {
        const int d = Chance(50) ? 1 : -1;
        return Act("track " + name + (d > 0 ? " +" : " -"), [=] { bar->UserTrack(d); });
      }
      case 3:
        return Act("key " + name + " home", [=] { bar->UserHome(); });
      case 4:
        return Act("key " + name + " end", [=] { bar->UserEnd(); });
      default:
        return Drag(bar, DragTarget(bar));
    }
  }

  int DragTarget(ui::ScrollBar* bar) {
    const int lo = bar->Min(), hi = bar->Max();
    if (bar == find_->bar("ScrollBarReps") && Chance(70)) return Between(1, 6);
    const int r = static_cast<int>(Rand(10));
    if (r < 6) return Between(lo, hi);
    if (r < 8) return Chance(50) ? Between(lo - 3, lo + 3) : Between(hi - 3, hi + 3);
    if (r < 9) return Chance(50) ? lo - Between(1, 100000) : hi + Between(1, 100000);
    return Chance(50) ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }

  void Drag(ui::ScrollBar* bar, int value) {
    Act("drag " + bar->Name() + " " + std::to_string(value), [=] { bar->UserDrag(value); });
  }

  void SpinAction() {
    const std::vector<ui::SpinBox*> spins = {
        find_->spin("holespin"),  find_->spin("topspin"),  find_->spin("sizespin"),
        find_->spin("xspin"),     find_->spin("yspin"),    find_->spin("SpinRed"),
        find_->spin("SpinGreen"), find_->spin("SpinBlue"), find_->spin("Linesize")};
    ui::SpinBox* spin = Pick(spins);
    const int d = Chance(50) ? 1 : -1;
    // A held arrow: a run of clicks, each one an action.
    const int clicks = Chance(70) ? 1 : Between(2, 40);
    for (int i = 0; i < clicks && !failed_; ++i) {
      Act("spin " + spin->Name() + (d > 0 ? " up" : " down"), [=] { spin->UserStep(d); });
    }
  }

  void ClearAction() {
    Act("click Clear", [this] { find_->button("Clear")->UserClick(); });
  }

  void UndoAction() {
    if (RedrawCost() > kHistorySegments) ClearAction();
    Act("click undo", [this] { find_->button("undo")->UserClick(); });
  }

  void DrawAction() {
    if (Chance(6)) return FillAction();
    if (!MakeDrawCheap()) return;
    Act("click Draw", [this] { find_->button("Draw")->UserClick(); });
  }

  // Long series of star shapes, Draw after Draw, up to the history's limit.
  void FillAction() {
    Drag(find_->bar("ScrollBarStepFine"), 3600);
    Drag(find_->bar("ScrollBarReps"), Between(100, 200));
    const int draws = Between(1, 6);
    for (int i = 0; i < draws && !failed_; ++i) {
      if (MakeDrawCheap()) Act("click Draw", [this] { find_->button("Draw")->UserClick(); });
    }
  }

  // Brings what Draw would trace within the budgets the way a user would:
  // a larger step, other gears, fewer repeats, or a Clear.
  bool MakeDrawCheap() {
    for (int tries = 0; tries < 30; ++tries) {
      if (failed_) return false;
      const long double width = find_->spin("Linesize")->Value() > 1 ? kWidePenCost : 1;
      const long double perPattern =
          SegmentsOf(CurrentDesign(), DesignRing(window_->design())) * width;
      const int traces =
          window_->design().RepeatCount * (find_->checkBox("cb_reflect")->Checked() ? 2 : 1);
      const int room = std::max(0, 1001 - window_->history().NextPatternIndex());
      if (perPattern > kPatternSegments) {
        if (window_->design().StepDeg < 3600 && tries < 10) {
          const int step =
              std::min(3600, Between(std::max(30, window_->design().StepDeg * 2), 3600));
          Drag(find_->bar("ScrollBarStepFine"), step);
        } else if (width > 1) {
          Act("spin Linesize down", [this] { find_->spin("Linesize")->UserStep(-1); });
        } else {
          Drag(Chance(50) ? find_->bar("ScrollBarFixed") : find_->bar("ScrollBarMoving"),
               Between(2, 120));
        }
      } else if (perPattern * traces > kDrawSegments) {
        if (window_->design().RepeatCount > 1) {
          Drag(find_->bar("ScrollBarReps"), Between(1, window_->design().RepeatCount - 1));
        } else {
          Act("click cb_reflect", [this] { find_->checkBox("cb_reflect")->UserClick(); });
        }
      } else if (historyCost_ * width + perPattern * std::min(traces, room) > kHistorySegments) {
        ClearAction();
      } else {
        return !failed_;
      }
    }
    return false;
  }

  void PenColourAction() {
    ColourPickAction("PenColor", [this] { find_->button("PenColor")->UserClick(); });
  }

  void CanvasColourAction() {
    ColourPickAction("SelectColour1", [this] { find_->menuItem("SelectColour1")->UserClick(); });
  }

  // Opens the colour picker through `click` and answers it, or cancels.
  void ColourPickAction(const std::string& control, std::function<void()> click) {
    const std::optional<Colour> answer = ColourAnswer();
    Act((answer ? "answer colour " + Hex(*answer) : std::string("answer colour cancel")) +
            " / click " + control,
        [this, answer, click] {
          if (answer) {
            prompts_.AnswerColour(*answer);
          } else {
            prompts_.AnswerColourCancel();
          }
          prompts_.lastInitialColour.reset();
          click();
        });
  }

  std::optional<Colour> ColourAnswer() {
    switch (Rand(6)) {
      case 0:
        return std::nullopt;
      case 1:
        return window_->canvasColour();
      case 2:
        return window_->penColour();
      case 3:
        return Chance(50) ? kWhite : kBlack;
      case 4:
        return prompts_.lastCustomColours ? (*prompts_.lastCustomColours)[Rand(16)] : kBlack;
      default:
        return static_cast<Colour>(Rand(0x1000000));
    }
  }

  void SchemeAction() {
    ui::MenuItem* item =
        Chance(50) ? find_->menuItem("WhiteBlackPen1") : find_->menuItem("BlackWhitePen1");
    Act("click " + item->Name(), [item] { item->UserClick(); });
  }

  void PanelButtonAction() {
    const std::string name = kPanelButtons[Rand(std::size(kPanelButtons))];
    Act("click " + name, [this, name] { ClickByName(name); });
  }

  void RadioAction() {
    ui::RadioButton* r = Chance(50) ? find_->radio("rb_internal") : find_->radio("rb_external");
    Act("click " + r->Name(), [r] { r->UserClick(); });
  }

  // Now and then a shaped ring, or its corner moved.
  void RingAction() {
    if (Chance(40))
      return Drag(find_->bar("ScrollBarCorner"), DragTarget(find_->bar("ScrollBarCorner")));
    const int index = Chance(25) ? 0 : Between(1, static_cast<int>(kRingChoices.size()) - 1);
    ui::ChoiceBox* choice = ringChoice_;
    Act("choose RingShape " + choice->Items()[static_cast<size_t>(index)],
        [choice, index] { choice->UserChoose(index); });
  }

  void ReflectAction() {
    Act("click cb_reflect", [this] { find_->checkBox("cb_reflect")->UserClick(); });
  }

  void PrintSettingAction() {
    std::vector<ui::MenuItem*> items = {find_->menuItem("Mono2"), find_->menuItem("N7Colours1"),
                                        find_->menuItem("FullColour1")};
    for (const ZoomItem& zoom : kZoomItems) items.push_back(find_->menuItem(zoom.name));
    ui::MenuItem* item = Pick(items);
    Act("click " + item->Name(), [item] { item->UserClick(); });
  }

  void InertAction() {
    const std::string name = kInertCommands[Rand(std::size(kInertCommands))];
    Act("click " + name, [this, name] { ClickByName(name); });
  }

  void PrintAction() {
    // Print redraws the history twice over.
    if (RedrawCost() * 2 > kHistorySegments) ClearAction();
    if (failed_) return;
    const bool empty = window_->history().Empty();
    const int answer = static_cast<int>(Rand(4));  // yes, yes, no, cancel
    const char* words[] = {"answer yes", "answer yes", "answer no", "answer cancel"};
    Act(empty ? std::string("click PrintDesign1")
              : std::string(words[answer]) + " / click PrintDesign1",
        [this, empty, answer] {
          if (!empty) {
            if (answer <= 1) prompts_.AnswerYes();
            if (answer == 2) prompts_.AnswerNo();
            if (answer == 3) prompts_.AnswerCancel();
          }
          find_->menuItem("PrintDesign1")->UserClick();
        });
  }

  std::string PathOf(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
  }

  // A name for the save dialog; one in twenty lies in a folder that does not exist.
  std::string SavePath() {
    // A name without an extension gets ".txt" from the dialog.
    const std::vector<std::string> names = {"design-a.txt", "design-b", "design-c.txt",
                                            "missing-folder/design.txt"};
    return PathOf(Rand(20) == 0 ? names[3] : names[Rand(3)]);
  }

  void SaveAction() {
    const SaveCommand& command = kSaveCommands[Rand(std::size(kSaveCommands))];
    const std::string item = command.item;
    if (!designPath_.empty() && !command.asksWhenNamed) {
      return Act("click " + item, [this, item] { ClickByName(item); });
    }
    if (Rand(20) < 3) {
      return Act("answer cancel / click " + item, [this, item] {
        prompts_.AnswerCancel();
        ClickByName(item);
      });
    }
    const std::string path = SavePath();
    Act("answer save " + path + " / click " + item, [this, path, item] {
      prompts_.AnswerSave(path);
      ClickByName(item);
    });
  }

  void SaveBitmapAction() {
    if (Chance(20)) {
      return Act("answer cancel / click SaveBMP1", [this] {
        prompts_.AnswerCancel();
        find_->menuItem("SaveBMP1")->UserClick();
      });
    }
    const std::string path = PathOf(Chance(50) ? "picture.bmp" : "picture2");
    Act("answer save " + path + " / click SaveBMP1", [this, path] {
      prompts_.AnswerSave(path);
      find_->menuItem("SaveBMP1")->UserClick();
    });
  }

  void OpenAction() {
    const int r = static_cast<int>(Rand(20));
    std::string path;
    if (r < 2) {
      return Act("answer cancel / click Open1", [this] {
        prompts_.AnswerCancel();
        find_->menuItem("Open1")->UserClick();
      });
    } else if (r < 4) {
      path = PathOf("missing.txt");
    } else if (r < 5) {
      path = PathOf(Chance(50) ? "picture.bmp" : "many.txt");
      if (path == PathOf("many.txt")) {
        WriteBytes(path, ManyPatterns());
        saved_.erase(path);
      }
    } else if (r < 11 || saved_.empty()) {
      if (saved_.empty()) return SaveAction();
      auto it = saved_.begin();
      std::advance(it, static_cast<long>(Rand(saved_.size())));
      path = it->first;
    } else {
      auto it = saved_.begin();
      std::advance(it, static_cast<long>(Rand(saved_.size())));
      path = PathOf("corrupt-" + std::to_string(corrupted_++ % 4) + ".txt");
      std::string bytes;
      // A copy that could be opened must stay cheap to draw.
      for (int tries = 0; tries < 10; ++tries) {
        bytes = Corrupt(ReadBytes(it->first));
        if (OpenableCheaply(bytes)) break;
        bytes = "korva," + bytes;
      }
      WriteBytes(path, bytes);
      saved_.erase(path);  // File > Save may have written it before
    }
    if (QFileInfo::exists(QString::fromStdString(path)) && !OpenableCheaply(ReadBytes(path))) {
      return;
    }
    if (RedrawCost() > kHistorySegments) ClearAction();
    pictureBeforeOpen_ = window_->picture().Image().copy();
    openPath_ = path;
    Act("answer open " + path + " / click Open1", [this, path] {
      prompts_.AnswerOpen(path);
      find_->menuItem("Open1")->UserClick();
    });
  }

  void EditUndoAction() {
    Act("click Undo1", [this] { find_->menuItem("Undo1")->UserClick(); });
  }

  void EditRedoAction() {
    Act("click Redo1", [this] { find_->menuItem("Redo1")->UserClick(); });
  }

  // The View menu. A preview is worked out afresh after every input, so it is
  // left on only for a while.
  void ViewAction() {
    std::string name = Chance(30) ? kViewZoomItems[Rand(std::size(kViewZoomItems))]
                                  : kViewItems[Rand(std::size(kViewItems))];
    if (find_->menuItem("PreviewPattern1")->Checked() && Chance(50)) name = "PreviewPattern1";
    Act("click " + name, [this, name] { ClickByName(name); });
  }

  void HelpAction() {
    const std::string name = kHelpItems[Rand(std::size(kHelpItems))].first;
    Act("click " + name, [this, name] { ClickByName(name); });
  }

  // A stop count: none, at the end of a pattern or one segment either side of
  // it, all of them, or anywhere.
  int64_t StopCount(const std::vector<int64_t>& ends) {
    const int64_t total = ends.empty() ? 0 : ends.back();
    const int64_t end = ends.empty() ? 0 : ends[Rand(ends.size())];
    switch (Rand(6)) {
      case 0:
        return 0;
      case 1:
        return end;
      case 2:
        return std::max<int64_t>(0, end + (Chance(50) ? 1 : -1));
      case 3:
        return total;
      default:
        return static_cast<int64_t>(Rand(static_cast<uint64_t>(total) + 1));
    }
  }

  // A Draw stopped part-way keeps the patterns it completed.
  void StoppedDrawAction() {
    if (!MakeDrawCheap()) return;
    const SeriesPlan plan = PlanSeries(WindowProbe::DrawInputs(*window_), 100'000'000);
    const size_t room = static_cast<size_t>(1001 - window_->history().NextPatternIndex());
    if (plan.patterns.empty() || plan.cutShort || plan.failed || plan.patterns.size() > room) {
      return;
    }
    plannedDraw_ = plan.patterns;
    stopEnds_.clear();
    int64_t total = 0;
    for (const DrawnPattern& p : plan.patterns)
      stopEnds_.push_back(total += TracedSegments(p.record, p.ring));
    const int64_t count = StopCount(stopEnds_);
    stopAfter_ = count;
    Act("stop-after " + std::to_string(count) + " / click Draw", [this, count] {
      window_->stopNextTraceAfter(count);
      find_->button("Draw")->UserClick();
    });
  }

  // A stopped Open changes nothing.
  void StoppedOpenAction() {
    if (saved_.empty()) return SaveAction();
    auto it = saved_.begin();
    std::advance(it, static_cast<long>(Rand(saved_.size())));
    const std::string path = it->first;
    const std::string bytes = ReadBytes(path);
    std::vector<DesignLine> lines;
    try {
      lines = ReadDrawable(bytes, window_->design());
    } catch (const DesignFileError&) {
      return;
    }
    if (lines.empty() || !OpenableCheaply(bytes)) return;
    if (RedrawCost() > kHistorySegments) ClearAction();
    int64_t total = 0;
    for (const DesignLine& line : lines) total += TracedSegments(line.record, line.ring);
    stopEnds_ = {total};
    const int64_t count =
        Chance(80) ? static_cast<int64_t>(Rand(static_cast<uint64_t>(total))) : total;
    stopAfter_ = count;
    openPath_ = path;
    pictureBeforeOpen_ = window_->picture().Image().copy();
    Act("stop-after " + std::to_string(count) + " / answer open " + path + " / click Open1",
        [this, path, count] {
          window_->stopNextTraceAfter(count);
          prompts_.AnswerOpen(path);
          find_->menuItem("Open1")->UserClick();
        });
  }

  // The Undo button, stopped while it draws the patterns before the last
  // again, changes nothing.
  void StoppedUndoAction() {
    if (RedrawCost() > kHistorySegments) ClearAction();
    const int32_t count = window_->history().Count();
    if (count < 2 || !find_->button("undo")->Enabled()) return UndoAction();
    int64_t total = 0;
    for (int32_t i = 1; i < count; ++i) {
      total += TracedSegments(window_->history().Entry(i), window_->history().Ring(i));
    }
    stopEnds_ = {total};
    const int64_t stop =
        Chance(80) ? static_cast<int64_t>(Rand(static_cast<uint64_t>(total))) : total;
    stopAfter_ = stop;
    Act("stop-after " + std::to_string(stop) + " / click undo", [this, stop] {
      window_->stopNextTraceAfter(stop);
      find_->button("undo")->UserClick();
    });
  }

  // File > Export: the picker cancelled, the options cancelled, or a file.
  void ExportAction() {
    const std::string item = kExportItems[Rand(std::size(kExportItems))];
    const std::string extension[] = {".svg", ".pdf", ".png"};
    const size_t format =
        static_cast<size_t>(std::find(std::begin(kExportItems), std::end(kExportItems), item) -
                            std::begin(kExportItems));
    const std::string path = PathOf("export" + extension[format]);
    QFile::remove(QString::fromStdString(path));
    const int r = static_cast<int>(Rand(10));
    if (r == 0) {
      return Act("answer cancel / click " + item, [this, item] {
        prompts_.AnswerCancel();
        ClickByName(item);
      });
    }
    // The options at the size offered, or at a size of the monkey's: a PNG
    // is kept small, as it is drawn pixel by pixel.
    const bool png = format == 2;
    const int size = png ? Between(16, 700) : Between(10, 400);
    const std::string options = r == 1         ? "cancel"
                                : r < 5 || png ? "value " + std::to_string(size)
                                               : "ok";
    Act("answer save " + path + " / answer " + options + " / click " + item,
        [this, path, item, r, options, size] {
          prompts_.AnswerSave(path);
          if (r == 1) {
            prompts_.AnswerCancel();
          } else if (options == "ok") {
            prompts_.AnswerOk();
          } else {
            prompts_.AnswerValue(size);
          }
          ClickByName(item);
        });
  }

  // File > Open Recent: a design saved or opened before, read without a dialog.
  void RecentAction() {
    if (recentDesigns_.empty()) return SaveAction();
    // The oldest entry half the time: the bottom of a full list is otherwise
    // seldom reached.
    const size_t i = Rand(2) ? recentDesigns_.size() - 1 : Rand(recentDesigns_.size());
    const std::string path = recentDesigns_[i];
    if (!OpenableCheaply(ReadBytes(path))) return;
    if (RedrawCost() > kHistorySegments) ClearAction();
    openPath_ = path;
    pictureBeforeOpen_ = window_->picture().Image().copy();
    const std::string item = "RecentFile" + std::to_string(i + 1);
    Act("click " + item, [this, item] { ClickByName(item); });
  }

  // Exit, answering the question about unsaved changes either way. A closed
  // window is replaced by a new one.
  void CloseAction() {
    const std::string control = kCloseCommands[Rand(std::size(kCloseCommands))];
    auto click = [this, control] { ClickByName(control); };
    if (!Unsaved()) return Act("click " + control, click);
    // Yes saves a design that has a file as File > Save does, without asking.
    const bool named = !designPath_.empty();
    switch (Rand(6)) {
      case 0:
      case 1:
        return Act("answer cancel / click " + control, [this, click] {
          prompts_.AnswerCancel();
          click();
        });
      case 2:
      case 3:
        return Act("answer no / click " + control, [this, click] {
          prompts_.AnswerNo();
          click();
        });
      case 4:
        if (named) {
          return Act("answer yes / click " + control, [this, click] {
            prompts_.AnswerYes();
            click();
          });
        }
        return Act("answer yes / answer cancel / click " + control, [this, click] {
          prompts_.AnswerYes();
          prompts_.AnswerCancel();
          click();
        });
      default: {
        if (named) {
          return Act("answer yes / click " + control, [this, click] {
            prompts_.AnswerYes();
            click();
          });
        }
        const std::string path = SavePath();
        return Act("answer yes / answer save " + path + " / click " + control, [this, click, path] {
          prompts_.AnswerYes();
          prompts_.AnswerSave(path);
          click();
        });
      }
    }
  }

  bool Unsaved() const { return HistoryPatterns(*window_) != savedPatterns_; }

  // Whether opening these bytes is refused, or draws within the budget with
  // fixed gears the panel could show (a fixed gear of 1 leaves a moving gear
  // of 0, which Draw refuses with a run-time error).
  bool OpenableCheaply(const std::string& bytes) {
    std::vector<DesignLine> lines;
    try {
      lines = ReadDrawable(bytes, window_->design());
    } catch (const DesignFileError&) {
      return true;
    }
    long double cost = 0;
    for (const DesignLine& line : lines) {
      if (line.record.FixedTeeth < 2) return false;
      cost += SegmentsOf(line.record, line.ring);
    }
    if (find_->spin("Linesize")->Value() > 1) cost *= kWidePenCost;
    return cost <= kHistorySegments;
  }

  // Star shapes, as many as the history holds or a few more.
  std::string ManyPatterns() {
    std::string bytes = "KORVA,many\r\n";
    const int count = Between(990, 1010);
    for (int i = 0; i < count; ++i) {
      bytes += std::to_string(Rand(0x1000000)) + ",96,60," + std::to_string(Rand(2)) + "," +
               std::to_string(Between(-36000, 36000)) + ",480,3600,1000,0,0,\r\n";
    }
    return bytes;
  }

  // A saved design, damaged in one of the ways files get damaged.
  std::string Corrupt(std::string bytes) {
    const size_t headerEnd = std::min(bytes.find("\r\n"), bytes.size());
    auto somewhere = [&] { return bytes.empty() ? 0 : Rand(bytes.size()); };
    switch (Rand(9)) {
      case 0:
        return Chance(50) ? "korva" + bytes.substr(std::min<size_t>(5, bytes.size())) : " " + bytes;
      case 1: {
        const std::string junk = "0123456789-+,x $\r\n\x1a";
        if (!bytes.empty()) bytes[somewhere()] = junk[Rand(junk.size())];
        return bytes;
      }
      case 2:
        return bytes.substr(0, somewhere());
      case 3: {
        const size_t comma = bytes.find(',', headerEnd + Rand(bytes.size() - headerEnd + 1));
        if (comma != std::string::npos) bytes.erase(comma, 1);
        return bytes;
      }
      case 4:
        return bytes + (Chance(50) ? "\r\n" : "\r\n0,96,60,0,0,480,5,1000,0,0,\r\n\r\n");
      case 5:
      case 6: {
        // One field of one pattern line replaced.
        std::vector<size_t> commas;
        for (size_t i = headerEnd; i < bytes.size(); ++i) {
          if (bytes[i] == ',') commas.push_back(i);
        }
        if (commas.size() < 2) return bytes + "1,2,3,";
        const size_t c = Rand(commas.size() - 1);
        const std::vector<std::string> fields = {
            "0",   "-5",     "1",   "2000000", "99999999999", "",           "$7FFFFFFF",
            " 12", "12 ",    "1e3", "7",       "2",           "36001",      "-3201",
            "$60", "100000", "-0",  "+480",    "2147483647",  "-2147483648"};
        bytes.replace(commas[c] + 1, commas[c + 1] - commas[c] - 1, Pick(fields));
        return bytes;
      }
      case 7: {
        const std::string digit(1, static_cast<char>('0' + Rand(10)));
        bytes.insert(headerEnd + Rand(bytes.size() - headerEnd + 1), digit);
        return bytes;
      }
      default:
        return Chance(50) ? std::string() : std::string("\x1a");
    }
  }

  // ------------------------------------------------------------ checking

  PatternRecord CurrentDesign() const {
    const DesignState& d = window_->design();
    return {window_->penColour(),
            d.FixedTeeth,
            d.MovingTeeth,
            d.GearMode,
            d.TopOfDesign,
            d.PenHole,
            d.StepDeg,
            d.DesignSize,
            d.CentreX,
            d.CentreY};
  }

  Snapshot Take() {
    Snapshot s;
    s.design = window_->design();
    s.pen = window_->penColour();
    s.next = window_->history().NextPatternIndex();
    for (size_t i = 0; i < bars_.size(); ++i) s.bars[i] = bars_[i]->Position();
    s.areaPen = window_->picture().PenColour();
    s.areaBrush = window_->picture().BrushColour();
    s.log = prompts_.log.size();
    return s;
  }

  int PositionBefore(const Snapshot& before, ui::ScrollBar* bar) const {
    const auto at = std::find(bars_.begin(), bars_.end(), bar) - bars_.begin();
    return before.bars[static_cast<size_t>(at)];
  }

  static bool EndsWith(const std::string& what, const std::string& tail) {
    return what.size() >= tail.size() &&
           what.compare(what.size() - tail.size(), tail.size(), tail) == 0;
  }

  // The commands Edit > Undo takes back; the canvas colours only when they
  // change the picture, as KeepStep sees.
  static bool IsHistoryCommand(const std::string& what) {
    return EndsWith(what, "click Draw") || EndsWith(what, "click Clear") ||
           EndsWith(what, "click undo") || EndsWith(what, "click Open1") ||
           what.starts_with("click RecentFile") || EndsWith(what, "click WhiteBlackPen1") ||
           EndsWith(what, "click BlackWhitePen1") || EndsWith(what, "click SelectColour1");
  }

  // Commands that change nothing of what Edit > Undo puts back, or put back
  // what they took: the whole window is compared around them.
  static bool WatchesWholeWindow(const std::string& what) {
    std::vector<std::string> names = {"Undo1", "Redo1"};
    for (const char* n : kExportItems) names.push_back(n);
    for (const char* n : kViewItems) names.push_back(n);
    for (const char* n : kViewZoomItems) names.push_back(n);
    for (const auto& help : kHelpItems) names.push_back(help.first);
    for (const char* n : kCloseCommands) names.push_back(n);
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return EndsWith(what, "click " + n); });
  }

  // The text an action's script gives after `key`, up to the next " / ".
  static std::optional<std::string> Answered(const std::string& what, const std::string& key) {
    const size_t at = what.find(key);
    if (at == std::string::npos) return std::nullopt;
    const size_t from = at + key.size();
    return what.substr(from, what.find(" / ", from) - from);
  }

  void CountClicks(const std::string& what) {
    for (size_t at = what.find("click "); at != std::string::npos;
         at = what.find("click ", at + 1)) {
      ++clicks_[*Answered(what.substr(at), "click ")];
    }
    // A choice counts under its control's name.
    if (what.starts_with("choose ")) {
      const std::string chosen = *Answered(what, "choose ");
      ++clicks_[chosen.substr(0, chosen.find(' '))];
    }
  }

  // Performs one user action and checks everything after it.
  void Act(const std::string& what, const std::function<void()>& input) {
    if (failed_) return;
    ++index_;
    recent_.push_back(std::to_string(index_) + ": " + what);
    if (recent_.size() > 12) recent_.pop_front();
    CountClicks(what);

    const Snapshot before = Take();
    const bool historyCommand = IsHistoryCommand(what);
    if (historyCommand || WatchesWholeWindow(what)) seenBefore_ = SeenIn(*window_);
    std::optional<ModelState> modelBefore;
    if (historyCommand) modelBefore = SaveModel();
    Problems problems;
    try {
      input();
    } catch (const std::exception& e) {
      problems.push_back(std::string("an exception escaped the dispatcher: ") + e.what());
    } catch (...) {
      problems.push_back("an exception escaped the dispatcher");
    }
    Expect expect;
    ExpectOf(what, before, expect, problems);
    CheckLog(before, expect, problems);
    if (modelRestored_) {
      drawnAhead_.fill(false);  // the stale values came back with the model
    } else {
      UpdateStale(before, expect);
    }
    if (historyCommand) KeepStep(*modelBefore);
    CheckInvariants(problems);
    if (prompts_.Pending() != 0) {
      problems.push_back(std::to_string(prompts_.Pending()) + " scripted answers were not taken");
    }
    if (WindowProbe::StopPending(*window_))
      problems.push_back("the stop asked for is still waiting");
    if (window_->form().Closed() && !closeAllowed_) problems.push_back("the window closed");
    if (!problems.empty()) Fail(problems);

    seenBefore_.reset();
    stopAfter_.reset();
    stopEnds_.clear();
    plannedDraw_.clear();
    openPath_.reset();
    modelRestored_ = false;
    closeAllowed_ = false;
  }

  // A history command that changed the history or the picture is one Edit >
  // Undo takes back; it empties the redo list.
  void KeepStep(const ModelState& modelBefore) {
    Seen after = SeenIn(*window_);
    if (after.history == seenBefore_->history && after.pixels == seenBefore_->pixels) return;
    redoSteps_.clear();
    undoSteps_.push_back({*seenBefore_, std::move(after), modelBefore, SaveModel()});
    if (undoSteps_.size() > commands::CommandHistory::kMaxCommands) undoSteps_.pop_front();
  }

  void ExpectUnchanged(const std::string& command, Problems& problems) {
    const std::string d = Differences(*seenBefore_, SeenIn(*window_), window_->form());
    if (!d.empty()) problems.push_back(command + " changed " + d);
  }

  void Fail(const Problems& problems) {
    failed_ = true;
    std::ostringstream out;
    out << "seed " << seed_ << ", action " << index_ << ":\n";
    for (const std::string& p : problems) out << "  " << p << '\n';
    out << "last actions:\n";
    for (const std::string& a : recent_) out << "  " << a << '\n';
    const size_t from = prompts_.log.size() > 6 ? prompts_.log.size() - 6 : 0;
    out << "last boxes shown:\n";
    for (size_t i = from; i < prompts_.log.size(); ++i) out << "  " << prompts_.log[i] << '\n';
    ADD_FAILURE() << out.str();
  }

  // The per-action expectations: the boxes shown, the history and colours.
  void ExpectOf(const std::string& what, const Snapshot& before, Expect& expect,
                Problems& problems) {
    const PatternHistory& h = window_->history();
    const int32_t next = h.NextPatternIndex();
    auto verb = [&](const std::string& s) {
      return what.size() >= s.size() && what.compare(what.size() - s.size(), s.size(), s) == 0;
    };

    if (what == "click Undo1") return ExpectEditHistory(undoSteps_, redoSteps_, true, problems);
    if (what == "click Redo1") return ExpectEditHistory(redoSteps_, undoSteps_, false, problems);
    for (const char* item : kViewItems) {
      if (what == "click " + std::string(item)) return ExpectView(item, problems);
    }
    for (const char* item : kViewZoomItems) {
      if (what == "click " + std::string(item)) return ExpectZoom(item, problems);
    }
    for (const auto& [item, shown] : kHelpItems) {
      if (what == "click " + std::string(item)) {
        expect.log.push_back(shown);
        return ExpectUnchanged(item, problems);
      }
    }
    for (const char* item : kExportItems) {
      if (verb("click " + std::string(item))) return ExpectExport(what, item, expect, problems);
    }
    for (const char* control : kCloseCommands) {
      if (verb("click " + std::string(control))) return ExpectClose(what, expect, problems);
    }
    for (const SaveCommand& command : kSaveCommands) {
      if (verb("click " + std::string(command.item))) return ExpectSave(what, problems);
    }
    if (verb("click Draw")) return ExpectDraw(before, expect, problems);
    if (verb("click undo")) {
      if (stopAfter_ && *stopAfter_ < stopEnds_.back()) {
        return ExpectUnchanged("a stopped Undo button", problems);
      }
      if (!undoEnabled_) {
        if (next != before.next) problems.push_back("a disabled Undo changed the history");
        return;
      }
      if (before.next == 1) {
        undoEnabled_ = false;
        if (next != 1) problems.push_back("Undo on an empty history recorded something");
        return;
      }
      if (next != before.next - 1) {
        problems.push_back("Undo left NextPatternIndex " + std::to_string(next) + ", expected " +
                           std::to_string(before.next - 1));
      }
      PopModel();
      if (!model_.empty()) {
        expect.traced = true;
        pen_ = model_.back().Colour;
      }
      return;
    }
    if (what == "click Clear") {
      if (next != 1) problems.push_back("Clear left NextPatternIndex " + std::to_string(next));
      ClearModel();
      backgroundEnabled_ = true;
      return;
    }
    if (verb("click PenColor")) return ExpectColourPick(what, before, false, expect, problems);
    if (verb("click SelectColour1")) {
      return ExpectColourPick(what, before, true, expect, problems);
    }
    if (what == "click WhiteBlackPen1" || what == "click BlackWhitePen1") {
      const bool whiteCanvas = what == "click WhiteBlackPen1";
      canvas_ = whiteCanvas ? kWhite : kBlack;
      pen_ = whiteCanvas ? kBlack : kWhite;
      return;
    }
    if (verb("click PrintDesign1")) return ExpectPrint(what, before, expect, problems);
    if (verb("click SaveBMP1")) return ExpectBitmap(what, problems);
    if (verb("click Open1") || what.starts_with("click RecentFile")) {
      return ExpectOpen(before, expect, problems);
    }
    if (what == "click default_pos") {
      expect.shown[kHole] = expect.shown[kTop] = expect.shown[kSize] = true;
      if (window_->design().TopOfDesign != 0) problems.push_back("Default left the top non-zero");
    }
    if (what == "click default_centre") {
      expect.shown[kX] = expect.shown[kY] = true;
      if (window_->design().CentreX != 0 || window_->design().CentreY != 0) {
        problems.push_back("Default left the centre off 0, 0");
      }
    }
    for (const auto& [name, degrees] : kQuickSteps) {
      if (what == "click " + std::string(name) && window_->design().StepDeg != degrees) {
        problems.push_back("the quick step did not set the step");
      }
    }
    for (const ZoomItem& zoom : kZoomItems) {
      if (what == "click " + std::string(zoom.name) &&
          window_->design().PrintFactor != zoom.percent) {
        problems.push_back("the zoom item did not set the zoom");
      }
    }
    if (next != before.next) problems.push_back("the history changed");
  }

  void ExpectDraw(const Snapshot& before, Expect& expect, Problems& problems) {
    const PatternHistory& h = window_->history();
    const int32_t next = h.NextPatternIndex();
    const int32_t old = before.next;
    const bool reflect = find_->checkBox("cb_reflect")->Checked();
    const int mult = reflect ? 2 : 1;
    const int32_t repeats = before.design.RepeatCount;
    const RepeatSteps& s = window_->steps();
    const bool colourSteps = s.RedStep != 0 || s.GreenStep != 0 || s.BlueStep != 0;
    const bool anySteps = colourSteps || s.HoleStep != 0 || s.TopStep != 0 || s.SizeStep != 0 ||
                          s.CentreXStep != 0 || s.CentreYStep != 0;
    const PatternRecord first{before.pen,
                              before.design.FixedTeeth,
                              before.design.MovingTeeth,
                              before.design.GearMode,
                              before.design.TopOfDesign,
                              before.design.PenHole,
                              before.design.StepDeg,
                              before.design.DesignSize,
                              before.design.CentreX,
                              before.design.CentreY};
    if (stopAfter_) {
      // Kept: the patterns traced in full within the stop's segments.
      const size_t completed = static_cast<size_t>(
          std::upper_bound(stopEnds_.begin(), stopEnds_.end(), *stopAfter_) - stopEnds_.begin());
      std::vector<DrawnPattern> kept = seenBefore_->history;
      kept.insert(kept.end(), plannedDraw_.begin(),
                  plannedDraw_.begin() + static_cast<long>(completed));
      if (HistoryPatterns(*window_) != kept) {
        problems.push_back("a Draw stopped after " + std::to_string(*stopAfter_) +
                           " segments did not keep the " + std::to_string(completed) +
                           " patterns it completed");
      }
      if (completed < plannedDraw_.size()) {
        return ExpectStoppedDraw(completed, before, colourSteps, expect, problems);
      }
    }
    expect.traced = true;
    undoEnabled_ = true;
    if (old > 1) backgroundEnabled_ = false;

    // A top from a design file may be too large to double for the mirror, or
    // to step: Draw then stops with an overflow after the traces before it.
    const std::optional<int> overflowAfter = TopOverflowAfter(before, reflect);
    if (overflowAfter) {
      expectedLog_ = {"error: Integer overflow"};
      const int recorded = std::min(*overflowAfter, std::max(0, 1001 - old));
      if (next - old != recorded) problems.push_back("Draw went on after an overflow");
    }
    // A colour beyond 24 bits is brought into range by the colour step.
    const bool plainColour = before.pen >= 0 && before.pen <= 0xFFFFFF;

    const int32_t added = next - old;
    if (old <= 1000) {
      if (added < 1) problems.push_back("Draw recorded nothing");
      if (h.Entry(old) != first) problems.push_back("Draw did not record the design");
    } else if (added != 0) {
      problems.push_back("Draw recorded into a full history");
    }
    if (added > repeats * mult) problems.push_back("Draw recorded more patterns than it draws");
    if (!overflowAfter && next < 1001 && added % mult != 0) {
      problems.push_back("a reflected pattern is missing");
    }
    // Without steps a series either ends after its first repeat (a value
    // already beyond a limit) or draws every repeat.
    if (!anySteps && !overflowAfter && next < 1001 && added != mult && added != repeats * mult) {
      problems.push_back("a series without steps drew " + std::to_string(added) + " patterns");
    }
    for (int32_t i = old; i < next; ++i) {
      const PatternRecord& p = h.Entry(i);
      if (p.FixedTeeth != first.FixedTeeth || p.MovingTeeth != first.MovingTeeth ||
          p.GearMode != first.GearMode || p.StepDeg != first.StepDeg) {
        problems.push_back("a series changed the gears or the step at entry " + std::to_string(i));
        break;
      }
      if (!colourSteps && plainColour && p.Colour != first.Colour) {
        problems.push_back("a series without colour steps changed the colour");
        break;
      }
      model_.push_back(p);
      const long double cost = SegmentsOf(p);
      cost_.push_back(cost);
      historyCost_ += cost;
    }
    if ((repeats > 1 && colourSteps) || !plainColour) {
      pen_.reset();
    } else {
      pen_ = before.pen;
    }

    std::vector<std::string> full = NewLogLines(before);
    if (overflowAfter) {
      if (full.empty() || full.back() != expectedLog_.front()) {
        problems.push_back("Draw did not stop with an overflow");
      } else {
        full.pop_back();
      }
    }
    expectedLog_.clear();
    const size_t shown = static_cast<size_t>(std::count(full.begin(), full.end(), kHistoryFull));
    if (shown != full.size()) problems.push_back("Draw showed an unexpected box");
    if (old == 1001 && shown != 1)
      problems.push_back("a Draw on a full history did not say so once");
    if (next < 1001 && shown != 0) problems.push_back("the full-history box with room left");
    if (shown > 1) problems.push_back("the full-history box more than once in one Draw");
    logChecked_ = true;

    // After a series the design runs one step ahead of the panel; a
    // reflected Draw leaves the unmirrored top behind the mirrored one shown.
    if (repeats > 1) {
      drawnAhead_[kHole] = s.HoleStep != 0;
      drawnAhead_[kTop] = s.TopStep != 0;
      drawnAhead_[kSize] = s.SizeStep != 0;
      drawnAhead_[kX] = s.CentreXStep != 0;
      drawnAhead_[kY] = s.CentreYStep != 0;
    }
    if (reflect) drawnAhead_[kTop] = true;
  }

  // A stop puts back the state from before the pattern it interrupted.
  void ExpectStoppedDraw(size_t completed, const Snapshot& before, bool colourSteps, Expect& expect,
                         Problems& problems) {
    const int32_t old = before.next;
    if (old > 1) backgroundEnabled_ = false;
    if (completed == 0) {
      // Only what Draw sets before it begins may differ: the series starts
      // from the top shown, and the buttons follow the history.
      undoEnabled_ = old > 1;
      Seen now = SeenIn(*window_);
      if (now.seriesStartTop != seenBefore_->design.TopOfDesign) {
        problems.push_back("a stopped Draw did not start its series from the top shown");
      }
      now.seriesStartTop = seenBefore_->seriesStartTop;
      const std::vector<ui::Control*>& controls = window_->form().Controls();
      for (size_t i = 0; i < controls.size(); ++i) {
        const std::string& name = controls[i]->Name();
        if (name == "undo" || name == "BackColor" || name == "BlackOnWhite" ||
            name == "WhiteonBlack") {
          now.panel.controls[i].enabled = seenBefore_->panel.controls[i].enabled;
        }
      }
      const std::string d = Differences(*seenBefore_, now, window_->form());
      if (!d.empty()) problems.push_back("a Draw stopped before its first pattern changed " + d);
      return;
    }
    undoEnabled_ = true;
    expect.traced = true;
    for (size_t i = 0; i < completed; ++i) {
      model_.push_back(plannedDraw_[i].record);
      cost_.push_back(SegmentsOf(model_.back()));
      historyCost_ += cost_.back();
    }
    const bool plainColour = before.pen >= 0 && before.pen <= 0xFFFFFF;
    if (colourSteps || !plainColour) {
      pen_.reset();
    } else {
      pen_ = before.pen;
    }
    // The design may run a step ahead of the panel, as after a whole series.
    const RepeatSteps& s = window_->steps();
    drawnAhead_[kHole] = s.HoleStep != 0;
    drawnAhead_[kTop] = s.TopStep != 0 || find_->checkBox("cb_reflect")->Checked();
    drawnAhead_[kSize] = s.SizeStep != 0;
    drawnAhead_[kX] = s.CentreXStep != 0;
    drawnAhead_[kY] = s.CentreYStep != 0;
  }

  // The number of patterns Draw traces before the top overflows in its first
  // repeat, if it does. The first trace shows the top: the top box stores it,
  // and the top bar's handler stores the bar's end instead if the bar moves.
  std::optional<int> TopOverflowAfter(const Snapshot& before, bool reflect) const {
    auto fits = [](int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; };
    auto onBar = [](int64_t v) { return std::clamp<int64_t>(v, -3600, 3600); };
    const int64_t start = before.design.TopOfDesign;
    const int64_t firstShown =
        onBar(start) == PositionBefore(before, find_->bar("ScrollBarTop")) ? start : onBar(start);
    int64_t top = firstShown;
    if (reflect) {
      const int64_t twice = 2 * start;
      if (!fits(twice)) return 1;
      const int64_t mirror = twice - firstShown;
      if (!fits(mirror)) return 1;
      const int64_t mirrorShown = onBar(mirror) == onBar(start) ? mirror : onBar(mirror);
      top = twice - mirrorShown;
      if (!fits(top)) return 2;
    }
    if (!fits(top + window_->steps().TopStep)) return reflect ? 2 : 1;
    return std::nullopt;
  }

  void ExpectColourPick(const std::string& what, const Snapshot& before, bool canvas,
                        Expect& expect, Problems& problems) {
    if (!prompts_.lastInitialColour || *prompts_.lastInitialColour != lastPicked_) {
      problems.push_back("the colour picker did not open with the last colour chosen");
    }
    const size_t at = what.find("0x");
    if (at == std::string::npos) return;  // cancelled: nothing changes
    const Colour chosen = static_cast<Colour>(std::stoul(what.substr(at), nullptr, 16));
    lastPicked_ = chosen;
    if (!canvas) {
      if (chosen == before.areaBrush) expect.log.push_back(kIdentical);
      pen_ = chosen;
      return;
    }
    if (before.next != 1) return;  // taken only while the history is empty
    if (chosen == before.areaPen) expect.log.push_back(kIdentical);
    canvas_ = chosen;
  }

  void ExpectPrint(const std::string& what, const Snapshot& before, Expect& expect,
                   Problems& problems) {
    const int docs = tally_.documents;
    if (before.next == 1) {
      expect.log.push_back("message Warning: No pattern to print.");
      return;
    }
    std::string mode;
    if (find_->menuItem("FullColour1")->Checked()) mode = "full colour.";
    if (find_->menuItem("Mono2")->Checked()) mode = "monochrome.";
    if (find_->menuItem("N7Colours1")->Checked()) mode = "7 colours.";
    expect.log.push_back("message Confirm: Printing pattern of size " +
                         std::to_string(window_->design().PrintFactor) + "% in " + mode +
                         "\\nAre you sure ? ");
    if (what.rfind("answer yes", 0) != 0) {
      expect.log.push_back("message Warning: Printing abandoned.");
      if (docs != printedBefore_) problems.push_back("an abandoned print reached the printer");
      return;
    }
    if (docs != printedBefore_ + 1 || tally_.begun != docs || tally_.ended != docs ||
        tally_.aborted != 0) {
      problems.push_back("the print did not begin and end one document");
    }
    if (tally_.lines - linesBefore_ < static_cast<size_t>(before.next - 1)) {
      problems.push_back("the printed page lacks patterns");
    }
    expect.traced = true;
    pen_ = model_.back().Colour;
  }

  void ExpectSave(const std::string& what, Problems& problems) {
    std::optional<std::string> path = Answered(what, "answer save ");
    if (!path) {
      if (what.starts_with("answer cancel") || designPath_.empty()) return;
      path = designPath_;  // the design's own file, without a dialog
    }
    ExpectSaved(*path, problems);
  }

  // Whether the design was saved to `path`, as the dialog answered.
  bool ExpectSaved(std::string path, Problems& problems) {
    if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) path += ".txt";
    if (path.find("missing-folder") != std::string::npos) {
      expectedLog_ = {"error: Cannot create file " + path};
      return false;
    }
    const std::string bytes = ReadBytes(path);
    const std::string header = "KORVA," + path + ",";
    if (bytes.compare(0, header.size(), header) != 0) {
      problems.push_back("the saved file lacks its header: " + bytes.substr(0, 80));
      return false;
    }
    try {
      if (ParseDesignFile(bytes) != model_)
        problems.push_back("the saved file differs from the history");
    } catch (const DesignFileError& e) {
      problems.push_back(std::string("the saved file cannot be read back: ") + e.what());
    }
    saved_[path] = model_;
    designPath_ = path;
    savedPatterns_ = HistoryPatterns(*window_);
    Remember(path);
    return true;
  }

  void Remember(const std::string& path) {
    std::erase(recentDesigns_, path);
    recentDesigns_.insert(recentDesigns_.begin(), path);
    if (recentDesigns_.size() > kRecentDesigns) recentDesigns_.resize(kRecentDesigns);
  }

  // Edit > Undo or Redo: the window as it stood before (or after) the command
  // taken back (or again), and the model with it.
  void ExpectEditHistory(std::deque<Step>& from, std::deque<Step>& to, bool undo,
                         Problems& problems) {
    const std::string command = undo ? "Edit > Undo" : "Edit > Redo";
    if (from.empty()) return ExpectUnchanged(command + " with nothing to do", problems);
    Step step = std::move(from.back());
    from.pop_back();
    const std::string d =
        Differences(undo ? step.before : step.after, SeenIn(*window_), window_->form());
    if (!d.empty()) problems.push_back(command + " did not put back " + d);
    RestoreModel(undo ? step.modelBefore : step.modelAfter);
    modelRestored_ = true;
    to.push_back(std::move(step));
  }

  // A View item changes its check mark and nothing Edit > Undo puts back.
  void ExpectView(const std::string& item, Problems& problems) {
    const std::vector<ui::MenuItem*>& items = window_->form().MenuItems();
    const size_t at = static_cast<size_t>(
        std::find(items.begin(), items.end(), find_->menuItem(item)) - items.begin());
    Seen now = SeenIn(*window_);
    const bool was = seenBefore_->panel.checkedItems[at];
    const bool speed = item.starts_with("Speed");
    if (now.panel.checkedItems[at] != (speed || !was)) {
      problems.push_back(item + " did not " + (speed ? "take" : "change") + " its check mark");
    }
    now.panel.checkedItems = seenBefore_->panel.checkedItems;
    const std::string d = Differences(*seenBefore_, now, window_->form());
    if (!d.empty()) problems.push_back(item + " changed " + d);
  }

  // A zoom changes how the picture is shown, and nothing else.
  void ExpectZoom(const std::string& item, Problems& problems) {
    ExpectUnchanged(item, problems);
    const auto* view = dynamic_cast<const ui::DrawingView*>(window_->form().Find("PaintBox1"));
    const engine::ViewMapping& m = view->Mapping();
    if (item == "ZoomFit1" && !m.IsFit()) problems.push_back("Fit did not fit the picture");
    if (item == "ZoomActual1" && m.Scale() != 1) problems.push_back("Actual Pixels is not 100 %");
    if (window_->form().ViewStatus() != view->ZoomText()) {
      problems.push_back("the status bar does not show the zoom");
    }
  }

  // An export writes its file once the picker and the options are answered,
  // and changes nothing in the window.
  void ExpectExport(const std::string& what, const std::string& item, Expect& expect,
                    Problems& problems) {
    ExpectUnchanged(item, problems);
    const std::optional<std::string> path = Answered(what, "answer save ");
    if (!path) return;  // the picker cancelled
    const std::string format = item.substr(6, 3);
    expect.log.push_back("options Export " + format);
    const std::string bytes = ReadBytes(*path);
    if (what.find("answer cancel") != std::string::npos) {
      if (QFileInfo::exists(QString::fromStdString(*path))) {
        problems.push_back("a cancelled export wrote " + *path);
      }
      return;
    }
    const bool right = format == "SVG"   ? bytes.find("<svg") != std::string::npos
                       : format == "PDF" ? bytes.starts_with("%PDF-")
                                         : bytes.starts_with("\x89PNG");
    if (!right) problems.push_back("the export did not write " + format + " to " + *path);
    const std::optional<std::string> size = Answered(what, "answer value ");
    if (right && format == "PNG" && size) {
      const int side = std::stoi(*size);
      if (QImage(QString::fromStdString(*path)).size() != QSize(side, side)) {
        problems.push_back("the PNG is not " + *size + " pixels square");
      }
    }
  }

  // Exit asks only with unsaved changes; the window closes unless the answer
  // is Cancel, or Yes and a save that does not happen.
  void ExpectClose(const std::string& what, Expect& expect, Problems& problems) {
    ExpectUnchanged("closing", problems);
    bool closes = true;
    if (Unsaved()) {
      expect.log.push_back(kCloseQuestion);
      if (what.starts_with("answer cancel")) {
        closes = false;
      } else if (what.starts_with("answer yes")) {
        std::optional<std::string> path = Answered(what, "answer save ");
        if (!designPath_.empty()) path = designPath_;
        closes = path && ExpectSaved(*path, problems);
      }
    }
    if (window_->form().Closed() != closes) {
      problems.push_back(closes ? "the window stayed open" : "the window closed");
    }
    closeAllowed_ = closes;
  }

  void ExpectBitmap(const std::string& what, Problems& problems) {
    if (window_->backingPicture().Image().copy(0, 0, 640, 640) != window_->picture().Image()) {
      problems.push_back("Save BMP did not copy the picture to the backing area");
    }
    const size_t at = what.find("answer save ");
    if (at == std::string::npos) return;
    std::string path = what.substr(12, what.find(" / ") - 12);
    if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) path += ".bmp";
    const QFileInfo info(QString::fromStdString(path));
    if (info.size() != kBitmapBytes || ReadBytes(path).substr(0, 2) != "BM") {
      problems.push_back("the bitmap is not a 640 x 640, 24-bit BMP");
      return;
    }
    QImage saved(QString::fromStdString(path));
    if (saved.convertToFormat(QImage::Format_RGB32) !=
        window_->picture().Image().convertToFormat(QImage::Format_RGB32)) {
      problems.push_back("the bitmap differs from the drawing area");
    }
  }

  void ExpectOpen(const Snapshot& before, Expect& expect, Problems& problems) {
    const PatternHistory& h = window_->history();
    auto unchanged = [&] {
      if (h.NextPatternIndex() != before.next) {
        problems.push_back("a refused Open changed the history");
      }
    };
    if (!openPath_) return unchanged();  // cancelled
    if (stopAfter_ && *stopAfter_ < stopEnds_.back())
      return ExpectUnchanged("a stopped Open", problems);
    const std::string path = *openPath_;
    if (!QFileInfo::exists(QString::fromStdString(path))) {
      expectedLog_ = {"error: File not found"};
      return unchanged();
    }
    std::vector<PatternRecord> patterns;
    try {
      patterns = RecordsOf(ReadDrawable(ReadBytes(path), openDesign_));
    } catch (const DesignFileError& e) {
      expectedLog_ = {e.kind() == DesignFileError::Kind::NotKorva
                          ? std::string("message Error: ") + kNotKorvaFile
                          : std::string("error: ") + e.what()};
      if (pictureBeforeOpen_ != window_->picture().Image()) {
        problems.push_back("a refused Open changed the picture");
      }
      return unchanged();
    }
    auto savedIt = saved_.find(path);
    if (savedIt != saved_.end() && patterns != savedIt->second) {
      problems.push_back("a saved design reads back differently");
    }
    // Every line is drawn, the first thousand recorded.
    const std::optional<Colour> lastDrawn =
        patterns.empty() ? std::nullopt : std::optional<Colour>(patterns.back().Colour);
    if (patterns.size() > 1000) {
      expectedLog_ = {kHistoryFull};
      patterns.resize(1000);
    }
    ClearModel();
    for (const PatternRecord& p : patterns) {
      model_.push_back(p);
      cost_.push_back(SegmentsOf(p));
      historyCost_ += cost_.back();
    }
    if (h.NextPatternIndex() != static_cast<int32_t>(model_.size()) + 1) {
      problems.push_back("Open recorded " + std::to_string(h.NextPatternIndex() - 1) +
                         " patterns of " + std::to_string(model_.size()));
    }
    if (!model_.empty()) {
      expect.traced = true;
      undoEnabled_ = true;
      pen_ = lastDrawn;
    }
    if (window_->backingPicture().Image().copy(0, 0, 640, 640) != window_->picture().Image()) {
      problems.push_back("Open did not copy the picture to the backing area");
    }
    designPath_ = path;
    savedPatterns_ = HistoryPatterns(*window_);
    Remember(path);
  }

  std::vector<std::string> NewLogLines(const Snapshot& before) const {
    return std::vector<std::string>(prompts_.log.begin() + static_cast<long>(before.log),
                                    prompts_.log.end());
  }

  void CheckLog(const Snapshot& before, Expect& expect, Problems& problems) {
    const std::vector<std::string> lines = NewLogLines(before);
    for (const std::string& line : lines) {
      if (line.rfind("error: ", 0) == 0 && !KnownErrorLine(line)) {
        problems.push_back("an error the program does not raise itself: " + line);
      }
    }
    if (!logChecked_) {
      for (const std::string& line : expectedLog_) expect.log.push_back(line);
      if (lines != expect.log) {
        std::string text = "boxes shown:";
        for (const std::string& l : lines) text += " [" + l + "]";
        text += ", expected:";
        for (const std::string& l : expect.log) text += " [" + l + "]";
        problems.push_back(text);
      }
    }
    logChecked_ = false;
    expectedLog_.clear();
  }

  void UpdateStale(const Snapshot& before, const Expect& expect) {
    std::array<bool, kStaleCount> shown = expect.shown;
    if (expect.traced) shown.fill(true);
    auto moved = [&](ui::ScrollBar* bar) { return PositionBefore(before, bar) != bar->Position(); };
    // A bar's handler shows its position, and the box's handler stores it.
    if (moved(find_->bar("ScrollBarHole"))) shown[kHole] = true;
    if (moved(find_->bar("ScrollBarTop"))) shown[kTop] = true;
    if (moved(find_->bar("ScrollBarMagni"))) shown[kSize] = true;
    if (moved(find_->bar("ScrollBarCentreX"))) shown[kX] = true;
    if (moved(find_->bar("ScrollBarCentreY"))) shown[kY] = true;
    // The gear rules place the pen and, but for a new fixed gear in internal
    // mode, the size.
    if (moved(find_->bar("ScrollBarMoving")) ||
        window_->design().GearMode != before.design.GearMode) {
      shown[kHole] = shown[kSize] = true;
    }
    if (moved(find_->bar("ScrollBarFixed"))) {
      shown[kHole] = true;
      if (window_->design().GearMode == kExternalMode) shown[kSize] = true;
    }
    for (int i = 0; i < kStaleCount; ++i) {
      if (shown[i]) stale_[i] = false;
      if (drawnAhead_[i]) stale_[i] = true;
    }
    drawnAhead_.fill(false);
    // A value the design holds in step with its box again needs no excuse.
    const ui::ValueBox* boxes[] = {find_->box("Hole"), find_->box("Align"), find_->box("Size"),
                                   find_->box("xcent"), find_->box("ycent")};
    const int32_t values[] = {window_->design().PenHole, window_->design().TopOfDesign,
                              window_->design().DesignSize, window_->design().CentreX,
                              window_->design().CentreY};
    for (int i = 0; i < kStaleCount; ++i) {
      if (stale_[i] && boxes[i]->Text() == std::to_string(values[i])) stale_[i] = false;
    }
  }

  void CheckInvariants(Problems& problems) {
    const DesignState& d = window_->design();
    auto problem = [&](bool bad, const std::string& text) {
      if (bad) problems.push_back(text);
    };

    // Mode.
    problem(find_->radio("rb_internal")->Checked() == find_->radio("rb_external")->Checked(),
            "not exactly one mode button is checked");
    problem(d.GearMode == 0 && !find_->radio("rb_internal")->Checked(),
            "internal mode, Internal unchecked");
    problem(d.GearMode == 1 && !find_->radio("rb_external")->Checked(),
            "external mode, External unchecked");
    problem(d.GearMode != 0 && d.GearMode != 1, "GearMode is " + std::to_string(d.GearMode));
    // Ring: what the choice shows, a corner within the ring that, inside,
    // the moving gear fits.
    problem(
        SidesOfRingChoice(ringChoice_->Index()) != d.RingSides,
        "RingShape shows " + ringChoice_->Text() + ", sides are " + std::to_string(d.RingSides));
    problem(find_->box("Corner")->Text() != std::to_string(d.RingCorner) ||
                find_->bar("ScrollBarCorner")->Position() != d.RingCorner,
            "the corner controls do not show the corner " + std::to_string(d.RingCorner));
    problem(d.RingCorner < 1 || d.RingCorner > d.FixedTeeth ||
                (find_->radio("rb_internal")->Checked() && d.RingCorner < d.MovingTeeth),
            "corner " + std::to_string(d.RingCorner) + " with fixed " +
                std::to_string(d.FixedTeeth) + " and moving " + std::to_string(d.MovingTeeth));
    problem(find_->bar("ScrollBarCorner")->Visible() != (d.RingSides != 0),
            "the corner shows for the wrong shape");
    // Gears.
    problem(d.GearMode == 0 && d.MovingTeeth > d.FixedTeeth - 1,
            "internal mode with moving " + std::to_string(d.MovingTeeth) + " and fixed " +
                std::to_string(d.FixedTeeth));
    problem(find_->bar("ScrollBarHole")->Min() != 0 ||
                find_->bar("ScrollBarHole")->Max() != 20 * int64_t{d.MovingTeeth},
            "the hole bar runs " + std::to_string(find_->bar("ScrollBarHole")->Min()) + ".." +
                std::to_string(find_->bar("ScrollBarHole")->Max()) + " with moving " +
                std::to_string(d.MovingTeeth));
    problem(find_->box("Points")->Text() != std::to_string(window_->derived().ReducedFixed),
            "Points shows " + find_->box("Points")->Text() + ", ReducedFixed is " +
                std::to_string(window_->derived().ReducedFixed));
    if (d.FixedTeeth >= 1 && d.MovingTeeth >= 1) {
      const int32_t g = std::gcd(d.FixedTeeth, d.MovingTeeth);
      problem(window_->derived().ReducedFixed != d.FixedTeeth / g ||
                  window_->derived().ReducedMoving != d.MovingTeeth / g,
              "the reduced counts do not match the gears");
      const int64_t larger =
          std::max(window_->derived().ReducedFixed, window_->derived().ReducedMoving);
      problem(d.StepDeg >= 1 && window_->derived().TraceSpanDeg != Lcm(360 * larger, d.StepDeg),
              "the trace span " + std::to_string(window_->derived().TraceSpanDeg) +
                  " does not match the gears and the step");
    }

    // Each box shows its design value and each bar stands at it or its
    // nearest end, but for the values a series left ahead.
    struct View {
      ui::ValueBox* box;
      ui::ScrollBar* bar;
      int32_t value;
      int stale;
    };
    const View views[] = {
        {find_->box("Fixed"), find_->bar("ScrollBarFixed"), d.FixedTeeth, -1},
        {find_->box("Moving"), find_->bar("ScrollBarMoving"), d.MovingTeeth, -1},
        {find_->box("Hole"), find_->bar("ScrollBarHole"), d.PenHole, kHole},
        {find_->box("Align"), find_->bar("ScrollBarTop"), d.TopOfDesign, kTop},
        {find_->box("Size"), find_->bar("ScrollBarMagni"), d.DesignSize, kSize},
        {find_->box("Stepdeg"), find_->bar("ScrollBarStepFine"), d.StepDeg, -1},
        {find_->box("xcent"), find_->bar("ScrollBarCentreX"), d.CentreX, kX},
        {find_->box("ycent"), find_->bar("ScrollBarCentreY"), d.CentreY, kY},
        {find_->box("reps"), find_->bar("ScrollBarReps"), d.RepeatCount, -1},
    };
    for (const View& v : views) {
      if (v.stale >= 0 && stale_[v.stale]) continue;
      problem(v.box->Text() != std::to_string(v.value), v.box->Name() + " shows '" + v.box->Text() +
                                                            "', the design holds " +
                                                            std::to_string(v.value));
      const int at = std::clamp(v.value, v.bar->Min(), v.bar->Max());
      problem(v.bar->Position() != at, v.bar->Name() + " stands at " +
                                           std::to_string(v.bar->Position()) + ", not at " +
                                           std::to_string(at));
    }
    problem(d.RepeatCount != find_->bar("ScrollBarReps")->Position(),
            "RepeatCount is not the reps bar");

    // Series layout and steps.
    const RepeatSteps& s = window_->steps();
    const bool series = d.RepeatCount > 1;
    problem(find_->spin("holespin")->Visible() != series ||
                find_->spin("SpinBlue")->Visible() != series ||
                find_->button("ZeroCentStep")->Visible() != series,
            "the step controls do not follow the repeat count");
    const std::pair<ui::SpinBox*, int32_t> spins[] = {
        {find_->spin("holespin"), s.HoleStep},   {find_->spin("topspin"), s.TopStep},
        {find_->spin("sizespin"), s.SizeStep},   {find_->spin("xspin"), s.CentreXStep},
        {find_->spin("yspin"), s.CentreYStep},   {find_->spin("SpinRed"), s.RedStep},
        {find_->spin("SpinGreen"), s.GreenStep}, {find_->spin("SpinBlue"), s.BlueStep}};
    for (auto [spin, step] : spins) {
      problem(spin->Value() != step, spin->Name() + " is not its step");
      problem(!series && step != 0, spin->Name() + " step is not zero with one pattern per Draw");
    }
    problem(window_->picture().PenWidth() != find_->spin("Linesize")->Value(),
            "the pen width is not the line width");

    // History.
    const PatternHistory& h = window_->history();
    const int32_t next = h.NextPatternIndex();
    problem(next < 1 || next > 1001, "NextPatternIndex is " + std::to_string(next));
    if (next == static_cast<int32_t>(model_.size()) + 1) {
      for (int32_t i = 1; i < next; ++i) {
        if (h.Entry(i) != model_[static_cast<size_t>(i - 1)]) {
          problems.push_back("history entry " + std::to_string(i) + " changed");
          break;
        }
      }
    } else {
      problems.push_back("the history holds " + std::to_string(next - 1) + " patterns, expected " +
                         std::to_string(model_.size()));
    }
    for (int32_t i = std::max(next, 1); i <= 1000; ++i) {
      if (h.Entry(i) != PatternRecord{}) {
        problems.push_back("entry " + std::to_string(i) + " beyond the history is not zero");
        break;
      }
    }
    problem(find_->button("undo")->Enabled() != undoEnabled_, "Undo is not enabled as expected");
    problem(find_->button("BackColor")->Enabled() != backgroundEnabled_ ||
                find_->button("BlackOnWhite")->Enabled() != backgroundEnabled_,
            "the background buttons are not enabled as expected");

    // Colours.
    problem(window_->canvasColour() != canvas_,
            "canvas colour " + Hex(window_->canvasColour()) + ", expected " + Hex(canvas_));
    problem(pen_ && window_->penColour() != *pen_,
            "pen colour " + Hex(window_->penColour()) + ", expected " + Hex(pen_.value_or(0)));

    // Print settings: one check mark in each group; the zoom follows its mark.
    int zoomChecks = 0;
    for (const ZoomItem& zoom : kZoomItems) {
      if (find_->menuItem(zoom.name)->Checked()) {
        ++zoomChecks;
        problem(d.PrintFactor != zoom.percent, "the zoom is not the checked item's");
      }
    }
    problem(zoomChecks != 1, "not exactly one zoom item is checked");

    // Edit > Undo and Redo, the title, the recent designs and the View menu.
    problem(find_->menuItem("Undo1")->Enabled() == undoSteps_.empty(),
            "Edit > Undo is not enabled as expected");
    problem(find_->menuItem("Redo1")->Enabled() == redoSteps_.empty(),
            "Edit > Redo is not enabled as expected");
    const bool unsaved = Unsaved();
    std::string caption = plainCaption_;
    if (!designPath_.empty() || unsaved) {
      const std::string name =
          designPath_.empty()
              ? "Untitled"
              : QFileInfo(QString::fromStdString(designPath_)).fileName().toStdString();
      caption = name + (unsaved ? "*" : "") + " - " + plainCaption_;
    }
    problem(window_->form().Caption() != caption,
            "the title is '" + window_->form().Caption() + "', not '" + caption + "'");
    problem(window_->recentDesigns() != recentDesigns_, "File > Open Recent lists other designs");
    const bool overlaid =
        find_->menuItem("ShowGears1")->Checked() || find_->menuItem("PreviewPattern1")->Checked();
    problem(
        dynamic_cast<ui::PaintArea*>(window_->form().Find("PaintBox1"))->HasOverlay() != overlaid,
        "the drawing area's overlay does not follow Show Gears and Preview");
    problem(find_->menuItem("Mono2")->Checked() + find_->menuItem("N7Colours1")->Checked() +
                    find_->menuItem("FullColour1")->Checked() !=
                1,
            "not exactly one colour mode is checked");

    Observe();
  }

  // Keeps what the next action compares against.
  void Observe() {
    openDesign_ = window_->design();
    printedBefore_ = tally_.documents;
    linesBefore_ = tally_.lines;
  }

  // ------------------------------------------------------------ the model

  // Segments Undo, Open and Print redraw, weighed by the pen width.
  long double RedrawCost() const {
    return historyCost_ * (find_->spin("Linesize")->Value() > 1 ? kWidePenCost : 1);
  }

  void ClearModel() {
    model_.clear();
    cost_.clear();
    historyCost_ = 0;
  }

  void PopModel() {
    if (model_.empty()) return;
    historyCost_ -= cost_.back();
    model_.pop_back();
    cost_.pop_back();
  }

  uint64_t seed_;
  std::mt19937_64 rng_;
  ui::ScriptedPrompts prompts_;
  PrintTally tally_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<ControlsByName> find_;
  std::vector<ui::ScrollBar*> bars_;
  ui::ChoiceBox* ringChoice_ = nullptr;
  std::string plainCaption_;
  QTemporaryDir dir_;

  int index_ = 0;
  bool failed_ = false;
  std::deque<std::string> recent_;
  std::map<std::string, int> clicks_;  // the clicks made, by control or menu item

  // What the window should show, kept beside it.
  std::vector<PatternRecord> model_;
  std::vector<long double> cost_;
  long double historyCost_ = 0;
  bool undoEnabled_ = false;
  bool backgroundEnabled_ = true;
  std::optional<Colour> pen_ = kBlack;
  Colour canvas_ = kWhite;
  Colour lastPicked_ = kBlack;
  std::array<bool, kStaleCount> stale_{};
  std::array<bool, kStaleCount> drawnAhead_{};
  std::map<std::string, std::vector<PatternRecord>> saved_;
  int corrupted_ = 0;
  std::deque<Step> undoSteps_, redoSteps_;
  // The design file last saved or opened, its patterns, and File > Open Recent.
  std::string designPath_;
  std::vector<DrawnPattern> savedPatterns_;
  std::vector<std::string> recentDesigns_;

  // Per action.
  std::vector<std::string> expectedLog_;
  bool logChecked_ = false;
  bool modelRestored_ = false;
  DesignState openDesign_;
  int printedBefore_ = 0;
  size_t linesBefore_ = 0;
  QImage pictureBeforeOpen_;
  std::optional<int64_t> stopAfter_;       // the stop the action asks for
  std::vector<int64_t> stopEnds_;          // segments traced by the end of each pattern
  std::optional<Seen> seenBefore_;         // the window before a command Edit > Undo sees
  bool closeAllowed_ = false;              // the window may close
  std::vector<DrawnPattern> plannedDraw_;  // what a stopped Draw would draw in full
  std::optional<std::string> openPath_;    // the file an Open or Open Recent reads
};

std::vector<uint64_t> MonkeySeeds() {
  const char* env = std::getenv("KORVA_MONKEY_SEEDS");
  if (env == nullptr || *env == '\0') return kDefaultSeeds;
  std::vector<uint64_t> seeds;
  std::stringstream list(env);
  for (std::string word; std::getline(list, word, ',');) {
    if (!word.empty()) seeds.push_back(std::stoull(word));
  }
  return seeds;
}

int MonkeyActions() {
  const char* env = std::getenv("KORVA_MONKEY_ACTIONS");
  return env != nullptr && *env != '\0' ? std::atoi(env) : kDefaultActions;
}

// Runs this long click every command of the window.
constexpr int kEveryCommandActions = 20000;

class Actions : public testing::TestWithParam<uint64_t> {};

TEST_P(Actions, KeepThePanelAndTheHistoryConsistent) {
  Monkey monkey(GetParam());
  const int actions = MonkeyActions();
  monkey.Run(actions);
  if (actions >= kEveryCommandActions && !HasFailure()) {
    EXPECT_EQ(monkey.NeverClicked(), std::vector<std::string>{});
  }
}

// The monkey knows every button and menu item of the window.
TEST(MonkeyMix, KnowsEveryCommandOfTheWindow) {
  ui::ScriptedPrompts prompts;
  MainWindow window(prompts, [] { return std::make_unique<RecordingPrinter>(); });
  const std::vector<std::string> known = KnownClicks();
  auto unknown = [&](const std::string& name) {
    return std::find(known.begin(), known.end(), name) == known.end();
  };
  std::vector<std::string> missing;
  for (const ui::MenuItem* item : window.form().MenuItems()) {
    if (unknown(item->Name())) missing.push_back(item->Name());
  }
  for (const ui::Control* c : window.form().Controls()) {
    const bool clickable = dynamic_cast<const ui::Button*>(c) != nullptr ||
                           dynamic_cast<const ui::RadioButton*>(c) != nullptr ||
                           dynamic_cast<const ui::CheckBox*>(c) != nullptr ||
                           dynamic_cast<const ui::ChoiceBox*>(c) != nullptr;
    if (clickable && unknown(c->Name())) missing.push_back(c->Name());
  }
  EXPECT_EQ(missing, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Monkey, Actions, testing::ValuesIn(MonkeySeeds()),
                         [](const testing::TestParamInfo<uint64_t>& info) {
                           return "seed_" + std::to_string(info.param);
                         });

}  // namespace
