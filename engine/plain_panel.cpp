#include "engine/plain_panel.h"

#include <algorithm>
#include <cstdint>

#include "engine/gear_math.h"
#include "engine/ring_choice.h"

namespace engine {

namespace {

class PlainBar : public BarControl {
 public:
  explicit PlainBar(const BarRange& range) : range_(range) {}
  const BarRange& Range() const override { return range_; }
  void SetPosition(int position) override {
    if (range_.MoveTo(position)) Run();
  }
  void SetMin(int min) override {
    if (range_.SetMin(min)) Run();
  }
  void SetMax(int max) override {
    if (range_.SetMax(max)) Run();
  }
  void SetHandler(ControlHandler handler) override { handler_ = std::move(handler); }

 private:
  void Run() {
    if (handler_) handler_();
  }
  BarRange range_;
  ControlHandler handler_;
};

class PlainBox : public BoxControl {
 public:
  explicit PlainBox(std::string text) : text_(std::move(text)) {}
  const std::string& Text() const override { return text_; }
  void SetText(const std::string& text) override {
    if (text == text_) return;
    text_ = text;
    if (handler_) handler_();
  }
  void SetHandler(ControlHandler handler) override { handler_ = std::move(handler); }

 private:
  std::string text_;
  ControlHandler handler_;
};

class PlainMode : public ModeControl {
 public:
  explicit PlainMode(bool checked) : checked_(checked) {}
  void PairWith(PlainMode& other) { other_ = &other; }
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override {
    if (checked == checked_) return;
    checked_ = checked;
    if (!checked) return;
    other_->checked_ = false;
    if (handler_) handler_();
  }
  void SetHandler(ControlHandler handler) override { handler_ = std::move(handler); }

 private:
  bool checked_;
  PlainMode* other_ = nullptr;
  ControlHandler handler_;
};

class PlainSwatch : public ColourControl {
 public:
  explicit PlainSwatch(Colour colour) : colour_(colour) {}
  Colour FillColour() const override { return colour_; }
  void SetFillColour(Colour colour) override { colour_ = colour; }

 private:
  Colour colour_;
};

class PlainChoice : public ChoiceControl {
 public:
  explicit PlainChoice(int index) : index_(index) {}
  int Index() const override { return index_; }
  void SetIndex(int index) override {
    if (index == index_) return;
    index_ = index;
    if (handler_) handler_();
  }
  void SetHandler(ControlHandler handler) override { handler_ = std::move(handler); }

 private:
  int index_;
  ControlHandler handler_;
};

}  // namespace

struct PlainPanel::Controls {
  explicit Controls(const PanelValues& v)
      : stepBar(v.step),
        stepBox(v.stepText),
        fixedBar(v.fixed),
        fixedBox(v.fixedText),
        movingBar(v.moving),
        movingBox(v.movingText),
        pointsBox(v.pointsText),
        holeBar(v.hole),
        holeBox(v.holeText),
        topBar(v.top),
        topBox(v.topText),
        sizeBar(v.size),
        sizeBox(v.sizeText),
        centreXBar(v.centreX),
        centreXBox(v.centreXText),
        centreYBar(v.centreY),
        centreYBox(v.centreYText),
        internal(v.internal),
        external(v.external),
        pen(v.pen),
        ringChoice(v.ringChoice),
        cornerBar(v.corner),
        cornerBox(v.cornerText) {
    internal.PairWith(external);
    external.PairWith(internal);
  }

  PanelControls Pointers() {
    return {&stepBar,   &stepBox,    &fixedBar,   &fixedBox,   &movingBar,  &movingBox,
            &pointsBox, &holeBar,    &holeBox,    &topBar,     &topBox,     &sizeBar,
            &sizeBox,   &centreXBar, &centreXBox, &centreYBar, &centreYBox, &internal,
            &external,  &pen,        &ringChoice, &cornerBar,  &cornerBox};
  }

  PlainBar stepBar;
  PlainBox stepBox;
  PlainBar fixedBar;
  PlainBox fixedBox;
  PlainBar movingBar;
  PlainBox movingBox;
  PlainBox pointsBox;
  PlainBar holeBar;
  PlainBox holeBox;
  PlainBar topBar;
  PlainBox topBox;
  PlainBar sizeBar;
  PlainBox sizeBox;
  PlainBar centreXBar;
  PlainBox centreXBox;
  PlainBar centreYBar;
  PlainBox centreYBox;
  PlainMode internal;
  PlainMode external;
  PlainSwatch pen;
  PlainChoice ringChoice;
  PlainBar cornerBar;
  PlainBox cornerBox;
};

DerivedValues DerivedOrDefault(const DesignState& d) {
  try {
    return DerivedFor(d.FixedTeeth, d.MovingTeeth, d.StepDeg);
  } catch (const RunTimeError&) {
    return {};
  }
}

PanelValues ReadPanel(const PanelControls& c) {
  PanelValues v;
  v.step = c.stepBar->Range();
  v.fixed = c.fixedBar->Range();
  v.moving = c.movingBar->Range();
  v.hole = c.holeBar->Range();
  v.top = c.topBar->Range();
  v.size = c.sizeBar->Range();
  v.centreX = c.centreXBar->Range();
  v.centreY = c.centreYBar->Range();
  v.stepText = c.stepBox->Text();
  v.fixedText = c.fixedBox->Text();
  v.movingText = c.movingBox->Text();
  v.pointsText = c.pointsBox->Text();
  v.holeText = c.holeBox->Text();
  v.topText = c.topBox->Text();
  v.sizeText = c.sizeBox->Text();
  v.centreXText = c.centreXBox->Text();
  v.centreYText = c.centreYBox->Text();
  v.internal = c.internal->Checked();
  v.external = c.external->Checked();
  v.pen = c.pen->FillColour();
  v.ringChoice = c.ringChoice->Index();
  v.corner = c.cornerBar->Range();
  v.cornerText = c.cornerBox->Text();
  return v;
}

PanelValues PanelShowing(const DesignState& d, Colour pen) {
  auto bar = [](int min, int64_t max, int value) {
    BarRange range{min, static_cast<int>(std::clamp<int64_t>(max, min, INT32_MAX)), min};
    range.MoveTo(value);
    return range;
  };
  PanelValues v;
  v.step = bar(1, 3600, d.StepDeg);
  v.fixed = bar(2, 360, d.FixedTeeth);
  v.moving = bar(1, 360, d.MovingTeeth);
  v.hole = bar(0, int64_t{20} * d.MovingTeeth, d.PenHole);
  v.top = bar(-3600, 3600, d.TopOfDesign);
  v.size = bar(1, 2000, d.DesignSize);
  v.centreX = bar(-3200, 3200, d.CentreX);
  v.centreY = bar(-3200, 3200, d.CentreY);
  v.stepText = std::to_string(v.step.position);
  v.fixedText = std::to_string(v.fixed.position);
  v.movingText = std::to_string(v.moving.position);
  v.pointsText = std::to_string(DerivedOrDefault(d).ReducedFixed);
  v.holeText = std::to_string(v.hole.position);
  v.topText = std::to_string(v.top.position);
  v.sizeText = std::to_string(v.size.position);
  v.centreXText = std::to_string(v.centreX.position);
  v.centreYText = std::to_string(v.centreY.position);
  v.external = d.GearMode == kExternalMode;
  v.internal = !v.external;
  v.pen = pen;
  v.ringChoice = RingChoiceOf(d.RingSides);
  v.corner = bar(1, d.FixedTeeth, d.RingCorner);
  v.cornerText = std::to_string(v.corner.position);
  return v;
}

PlainPanel::PlainPanel(const PanelValues& values, const DesignState& design,
                       const DerivedValues& derived)
    : controls_(std::make_unique<Controls>(values)), design_(design), derived_(derived) {
  rules_ = std::make_unique<PanelRules>(controls_->Pointers(), design_, derived_);
  rules_->Connect();
}

PlainPanel::~PlainPanel() = default;

PanelValues PlainPanel::Values() const {
  return ReadPanel(controls_->Pointers());
}

}  // namespace engine
