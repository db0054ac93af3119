#include "tools/batch_script.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

#include "engine/int_text.h"
#include "tools/accessibility_listing.h"
#include "ui/drawing_view.h"
#include "ui/form.h"
#include "ui/scripted_prompts.h"
#include "window/main_window.h"

using namespace engine;

namespace {

std::string Hex(Colour colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour));
  return text;
}

const char* Flag(bool value) {
  return value ? "1" : "0";
}

// Buffers each trace's segments, since the count comes first in the listing.
class SegmentLister : public TraceObserver {
 public:
  SegmentLister(std::ostream& out, bool screen, bool print)
      : out_(out), screen_(screen), print_(print) {}

  void ScreenSegment(Pixel from, Pixel to) override {
    if (screen_) Add(from, to);
  }
  void ScreenTraceDone(int64_t segments) override {
    if (screen_) Flush("P " + std::to_string(++screenTraces_) + " " + std::to_string(segments));
  }
  void PrintSegment(Pixel from, Pixel to) override {
    if (print_) Add(from, to);
  }
  void PrintTraceDone(int64_t segments, Colour printerPen) override {
    if (print_) {
      Flush("Q " + std::to_string(++printTraces_) + " " + std::to_string(segments) + " " +
            Hex(printerPen));
    }
  }

 private:
  void Add(Pixel from, Pixel to) {
    char line[64];
    const int n = std::snprintf(line, sizeof line, "%d %d %d %d\n", from.x, from.y, to.x, to.y);
    buffer_.append(line, static_cast<size_t>(n));
  }
  void Flush(const std::string& heading) {
    out_ << heading << '\n' << buffer_;
    buffer_.clear();
  }

  std::ostream& out_;
  bool screen_, print_;
  int screenTraces_ = 0, printTraces_ = 0;
  std::string buffer_;
};

class ScriptError {
 public:
  explicit ScriptError(std::string text) : text(std::move(text)) {}
  std::string text;
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// The text after the first `skip` words, trimmed.
std::string Rest(const std::string& line, int skip) {
  size_t pos = 0;
  for (int i = 0; i < skip; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return "";
  }
  pos = line.find_first_not_of(" \t", pos);
  if (pos == std::string::npos) return "";
  const size_t end = line.find_last_not_of(" \t\r");
  return line.substr(pos, end - pos + 1);
}

std::string StripComment(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
      return line.substr(0, i);
    }
  }
  return line;
}

int Direction(const std::string& word) {
  if (word == "+") return 1;
  if (word == "-") return -1;
  throw ScriptError("expected + or -, not '" + word + "'");
}

int Number(const std::string& word) {
  const auto value = TryStrToInt(word);
  if (!value) throw ScriptError("'" + word + "' is not a number");
  return *value;
}

class BatchRun {
 public:
  BatchRun(const BatchOptions& options, std::ostream& out)
      : out_(out), lister_(out, options.segments, options.printSegments) {
    prompts_.onLog = [this](const std::string& line) { out_ << line << '\n'; };
    const bool record = options.printSegments;
    window_ = std::make_unique<MainWindow>(prompts_, [record]() -> std::unique_ptr<ui::Printer> {
      if (record) return std::make_unique<NullPrinter>();
      return ui::MakeSystemPrinter();
    });
    if (options.segments || options.printSegments) window_->setTraceObserver(&lister_);
  }

  void Perform(const std::string& line) {
    const std::vector<std::string> w = Words(line);
    if (w.empty()) return;
    WaitForView();
    const std::string& verb = w[0];
    if (verb == "answer") return Answer(line, w);
    if (verb == "stop-after") {
      Expect(w, 2);
      const int segments = Number(w[1]);
      if (segments < 0) throw ScriptError("a count cannot be negative");
      return window_->stopNextTraceAfter(segments);
    }
    if (verb == "resize") {
      Expect(w, 3);
      const int width = Number(w[1]), height = Number(w[2]);
      if (width <= 0 || height <= 0) throw ScriptError("a size must be positive");
      return window_->form().Resize(width, height);
    }
    if (w.size() < 2) throw ScriptError("'" + verb + "' needs a control name");
    if (verb == "wheel") return Wheel(w);
    if (verb == "focus") {
      Expect(w, 2);
      if (!Find(w[1])->UserFocus()) throw ScriptError("'" + w[1] + "' takes no keyboard focus");
      focusGiven_ = true;
      return;
    }
    if (verb == "click") {
      Expect(w, 2);
      if (ui::MenuItem* item = window_->form().FindMenuItem(w[1])) return item->UserClick();
      ui::Control* c = Find(w[1]);
      if (auto* b = dynamic_cast<ui::Button*>(c)) return b->UserClick();
      if (auto* r = dynamic_cast<ui::RadioButton*>(c)) return r->UserClick();
      if (auto* x = dynamic_cast<ui::CheckBox*>(c)) return x->UserClick();
      throw ScriptError("'" + w[1] + "' cannot be clicked");
    }
    if (verb == "arrow" || verb == "track" || verb == "drag") {
      Expect(w, 3);
      ui::ScrollBar& bar = Bar(w[1]);
      if (verb == "arrow") return bar.UserArrow(Direction(w[2]));
      if (verb == "track") return bar.UserTrack(Direction(w[2]));
      return bar.UserDrag(Number(w[2]));
    }
    if (verb == "key") {
      Expect(w, 3);
      ui::ScrollBar& bar = Bar(w[1]);
      if (w[2] == "home") return bar.UserHome();
      if (w[2] == "end") return bar.UserEnd();
      throw ScriptError("expected home or end, not '" + w[2] + "'");
    }
    if (verb == "type") {
      Expect(w, 3);
      const int value = Number(w[2]);
      if (auto* spin = dynamic_cast<ui::SpinBox*>(Find(w[1]))) return spin->UserType(value);
      return TypingBar(w[1]).UserType(value);
    }
    if (verb == "choose") {
      Expect(w, 3);
      auto* choice = dynamic_cast<ui::ChoiceBox*>(Find(w[1]));
      if (choice == nullptr) throw ScriptError("'" + w[1] + "' is not a choice");
      const std::vector<std::string>& items = choice->Items();
      const auto item = std::find(items.begin(), items.end(), w[2]);
      if (item == items.end()) throw ScriptError("'" + w[1] + "' has no item '" + w[2] + "'");
      return choice->UserChoose(static_cast<int>(item - items.begin()));
    }
    if (verb == "spin") {
      if (w.size() != 3 && w.size() != 4) throw ScriptError("expected: spin NAME up|down [COUNT]");
      auto* spin = dynamic_cast<ui::SpinBox*>(Find(w[1]));
      if (spin == nullptr) throw ScriptError("'" + w[1] + "' is not a spin box");
      int direction = 0;
      if (w[2] == "up") direction = 1;
      if (w[2] == "down") direction = -1;
      if (direction == 0) throw ScriptError("expected up or down, not '" + w[2] + "'");
      const int count = w.size() == 4 ? Number(w[3]) : 1;
      if (count < 0) throw ScriptError("a count cannot be negative");
      for (int i = 0; i < count; ++i) spin->UserStep(direction);
      return;
    }
    throw ScriptError("unknown action '" + verb + "'");
  }

  bool Closed() const { return window_->form().Closed(); }
  const ui::Form& Form() const { return window_->form(); }

  // Until every render of the drawing area under way is shown: each one
  // ends by posting its result, which wakes the event loop.
  void WaitForView() {
    auto* view = dynamic_cast<ui::DrawingView*>(window_->form().Find("PaintBox1"));
    if (view == nullptr || Closed()) return;
    view->Repaint();
    while (view->RenderPending()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  bool SaveScreenshot(const std::string& path) {
    ui::Form& form = window_->form();
    form.Show();
    // The focus frame shows only in the active window.
    if (focusGiven_) form.Window()->activateWindow();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    WaitForView();
    // grab() renders at the window's device pixel ratio: QT_SCALE_FACTOR=2
    // gives twice the pixels each way.
    return form.Window()->grab().save(QString::fromStdString(path), "PNG");
  }

  void DumpPanel() {
    WaitForView();
    for (ui::Control* c : window_->form().Controls()) {
      const std::string& n = c->Name();
      if (auto* box = dynamic_cast<ui::ValueBox*>(c)) {
        out_ << n << " text=" << box->Text() << '\n';
      } else if (auto* bar = dynamic_cast<ui::ScrollBar*>(c)) {
        out_ << n << " min=" << bar->Min() << " max=" << bar->Max() << " pos=" << bar->Position()
             << " left=" << bar->Left() << " width=" << bar->Width()
             << " visible=" << Flag(bar->Visible()) << '\n';
      } else if (auto* spin = dynamic_cast<ui::SpinBox*>(c)) {
        out_ << n << " value=" << spin->Value() << " visible=" << Flag(spin->Visible()) << '\n';
      } else if (auto* radio = dynamic_cast<ui::RadioButton*>(c)) {
        out_ << n << " checked=" << Flag(radio->Checked()) << '\n';
      } else if (auto* check = dynamic_cast<ui::CheckBox*>(c)) {
        out_ << n << " checked=" << Flag(check->Checked()) << '\n';
      } else if (auto* choice = dynamic_cast<ui::ChoiceBox*>(c)) {
        out_ << n << " value=" << choice->Text() << " visible=" << Flag(choice->Visible()) << '\n';
      } else if (auto* button = dynamic_cast<ui::Button*>(c)) {
        out_ << n << " enabled=" << Flag(button->Enabled())
             << " visible=" << Flag(button->Visible()) << '\n';
      }
    }
    for (ui::MenuItem* item : window_->form().MenuItems()) {
      if (item->IsRadio() || item->IsToggle())
        out_ << item->Name() << " checked=" << Flag(item->Checked()) << '\n';
    }
    const DesignState& d = window_->design();
    const RepeatSteps& s = window_->steps();
    const DerivedValues& v = window_->derived();
    const std::string status = window_->form().Status();
    out_ << "status" << (status.empty() ? "" : " " + status) << '\n';
    out_ << "state FixedTeeth=" << d.FixedTeeth << " MovingTeeth=" << d.MovingTeeth
         << " GearMode=" << d.GearMode << " TopOfDesign=" << d.TopOfDesign
         << " PenHole=" << d.PenHole << " StepDeg=" << d.StepDeg << " DesignSize=" << d.DesignSize
         << " CentreX=" << d.CentreX << " CentreY=" << d.CentreY << " PrintFactor=" << d.PrintFactor
         << " RepeatCount=" << d.RepeatCount << " HoleStep=" << s.HoleStep
         << " TopStep=" << s.TopStep << " SizeStep=" << s.SizeStep
         << " CentreXStep=" << s.CentreXStep << " CentreYStep=" << s.CentreYStep
         << " RedStep=" << s.RedStep << " GreenStep=" << s.GreenStep << " BlueStep=" << s.BlueStep
         << " ReducedFixed=" << v.ReducedFixed << " ReducedMoving=" << v.ReducedMoving
         << " TraceSpanDeg=" << v.TraceSpanDeg << " StartTop=" << window_->seriesStartTop()
         << " PenColour=" << Hex(window_->penColour())
         << " CanvasColour=" << Hex(window_->canvasColour()) << " RingSides=" << d.RingSides
         << " RingCorner=" << d.RingCorner << '\n';
    const PatternHistory& h = window_->history();
    out_ << "history " << h.NextPatternIndex() << '\n';
    for (int32_t i = 1; i < h.NextPatternIndex(); ++i) {
      const auto fields = h.Entry(i).Fields();
      for (size_t f = 0; f < fields.size(); ++f) out_ << (f ? "," : "") << fields[f];
      out_ << '\n';
    }
    out_ << "zoom " << window_->form().ViewStatus() << '\n';
  }

 private:
  // wheel NAME STEPS [ctrl|shift] [X Y]: notches away from the user when
  // positive, the pointer at X Y within the control (its centre by default).
  void Wheel(const std::vector<std::string>& w) {
    auto* view = dynamic_cast<ui::DrawingView*>(Find(w[1]));
    if (view == nullptr) throw ScriptError("'" + w[1] + "' takes no wheel");
    if (w.size() < 3) throw ScriptError("expected: wheel NAME STEPS [ctrl|shift] [X Y]");
    const int steps = Number(w[2]);
    size_t next = 3;
    auto key = ui::DrawingView::WheelKey::None;
    if (w.size() > next && (w[next] == "ctrl" || w[next] == "shift")) {
      key = w[next] == "ctrl" ? ui::DrawingView::WheelKey::Ctrl : ui::DrawingView::WheelKey::Shift;
      ++next;
    }
    const QSize shown = view->ShownSize();
    double x = shown.width() / 2.0, y = shown.height() / 2.0;
    if (w.size() == next + 2) {
      x = Number(w[next]);
      y = Number(w[next + 1]);
    } else if (w.size() != next) {
      throw ScriptError("expected: wheel NAME STEPS [ctrl|shift] [X Y]");
    }
    if (steps < -1000 || steps > 1000) throw ScriptError("too many steps");
    window_->form().Dispatch([&] { view->UserWheel(0, steps * 120, key, x, y); });
  }

  static void Expect(const std::vector<std::string>& w, size_t count) {
    if (w.size() != count) throw ScriptError("wrong number of words for '" + w[0] + "'");
  }

  ui::Control* Find(const std::string& name) {
    ui::Control* c = window_->form().Find(name);
    if (c == nullptr) throw ScriptError("no control named '" + name + "'");
    return c;
  }

  // A scroll bar, or the value box it types its values into.
  ui::ScrollBar& TypingBar(const std::string& name) {
    ui::Control* c = Find(name);
    if (auto* bar = dynamic_cast<ui::ScrollBar*>(c)) return *bar;
    for (ui::Control* other : window_->form().Controls()) {
      auto* bar = dynamic_cast<ui::ScrollBar*>(other);
      if (bar != nullptr && bar->TypingBox() == c) return *bar;
    }
    throw ScriptError("no value can be typed into '" + name + "'");
  }

  ui::ScrollBar& Bar(const std::string& name) {
    auto* bar = dynamic_cast<ui::ScrollBar*>(Find(name));
    if (bar == nullptr) throw ScriptError("'" + name + "' is not a scroll bar");
    return *bar;
  }

  void Answer(const std::string& line, const std::vector<std::string>& w) {
    if (w.size() < 2) throw ScriptError("answer what?");
    const std::string& kind = w[1];
    if (w.size() == 2 && kind == "yes") return prompts_.AnswerYes();
    if (w.size() == 2 && kind == "no") return prompts_.AnswerNo();
    if (w.size() == 2 && kind == "ok") return prompts_.AnswerOk();
    if (w.size() == 2 && kind == "cancel") return prompts_.AnswerCancel();
    if (kind == "value" && w.size() == 3) return prompts_.AnswerValue(Number(w[2]));
    if ((kind == "open" || kind == "save") && w.size() >= 3) {
      const std::string file = Rest(line, 2);
      return kind == "open" ? prompts_.AnswerOpen(file) : prompts_.AnswerSave(file);
    }
    if (kind == "colour" && w.size() == 3) {
      if (w[2] == "cancel") return prompts_.AnswerColourCancel();
      if (w[2].rfind("0x", 0) == 0 || w[2].rfind("0X", 0) == 0) {
        std::string hex = "$";
        hex.append(w[2], 2);
        const auto value = TryStrToInt(hex);
        if (value && *value >= 0 && *value <= 0xFFFFFF) return prompts_.AnswerColour(*value);
      }
      throw ScriptError("expected a colour 0xBBGGRR or cancel, not '" + w[2] + "'");
    }
    throw ScriptError("malformed answer");
  }

  std::ostream& out_;
  ui::ScriptedPrompts prompts_;
  SegmentLister lister_;
  std::unique_ptr<MainWindow> window_;
  bool focusGiven_ = false;
};

}  // namespace

int RunBatchScript(const std::string& script, const BatchOptions& options, std::ostream& out) {
  BatchRun run(options, out);
  std::istringstream lines(script);
  int number = 0;
  // Once the window has closed (Quit1, or the Exit button) the script ends.
  for (std::string line; !run.Closed() && std::getline(lines, line);) {
    ++number;
    try {
      run.Perform(StripComment(line));
    } catch (const ScriptError& e) {
      out << "korva-batch: line " << number << ": " << e.text << '\n';
      return 2;
    }
  }
  if (options.panel) run.DumpPanel();
  if (options.accessibility) ListAccessibility(run.Form(), out);
  if (!options.screenshot.empty() && !run.SaveScreenshot(options.screenshot)) {
    out << "korva-batch: cannot save " << options.screenshot << '\n';
    return 2;
  }
  out.flush();
  return 0;
}
