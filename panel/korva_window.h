#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/colour.h"
#include "engine/curve.h"
#include "engine/design_state.h"
#include "engine/pattern_history.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/printer.h"
#include "ui/prompts.h"

// Sees every segment the tracers draw, for korva-batch's segment listings.
class TraceObserver {
 public:
  virtual ~TraceObserver() = default;
  virtual void ScreenSegment(engine::Pixel from, engine::Pixel to) = 0;
  virtual void ScreenTraceDone(int64_t segments) = 0;
  virtual void PrintSegment(engine::Pixel from, engine::Pixel to) = 0;
  virtual void PrintTraceDone(int64_t segments, Colour printerPen) = 0;
};

// Traces longer than this show a busy cursor.
inline constexpr long double kLongTrace = 1'000'000.0L;

using PrinterFactory = std::function<std::unique_ptr<ui::Printer>()>;

// The main window: the drawing area, the control panel and every command.
// The design state, the history and the two colours live here; the swatches
// ShapePen and CanvasShape are the only store of the pen and canvas colours.
class TKorva {
 public:
  TKorva(ui::Prompts& prompts, PrinterFactory makePrinter);
  ~TKorva();
  TKorva(const TKorva&) = delete;
  TKorva& operator=(const TKorva&) = delete;

  ui::Form& form() { return form_; }
  void SetTraceObserver(TraceObserver* observer) { observer_ = observer; }

  // Program-wide state.
  engine::DesignState design;
  engine::RepeatSteps steps;
  engine::DerivedValues derived;
  int32_t StartTop = 0;
  engine::PatternHistory history;
  ui::CustomColours customColours;
  Colour lastPickedColour = kBlack;

  Colour PenColour() const;
  Colour CanvasColour() const;

  // Drawing.
  void TracePattern(const engine::PatternRecord& pattern);
  void TracePatternForPrint(const engine::PatternRecord& pattern, ui::PrinterCanvas& printer);
  void BlankDrawingArea();
  ui::ImageCanvas& DrawingArea();
  ui::ImageCanvas& BackingArea();

  // Handlers, named after their control and event.
  void FormCreate();
  void DrawClick();
  void ClearClick();
  void undoClick();
  void RefreshClick();
  void dumpClick();
  void saveClick();
  void LoadClick();
  void savebmpClick();
  void PenColorClick();
  void BackColorClick();
  void BlackOnWhiteClick();
  void WhiteonBlackClick();
  void PrintDesign1Click();
  void Colour1Click() {}
  void Mono2Click();
  void N7Colours1Click();
  void FullColour1Click();
  void N6001Click() { ZoomClick(N6001, 600); }
  void N5001Click() { ZoomClick(N5001, 500); }
  void N4001Click() { ZoomClick(N4001, 400); }
  void N3001Click() { ZoomClick(N3001, 300); }
  void N2501Click() { ZoomClick(N2501, 250); }
  void N2001Click() { ZoomClick(N2001, 200); }
  void N1501Click() { ZoomClick(N1501, 150); }
  void N1001Click() { ZoomClick(N1001, 100); }
  void PfacChange();
  void ScrollBarPrintFacChange();

  void ScrollBarFixedChange();
  void Fixedchange();
  void ScrollBarMovingChange();
  void MovingChange();
  void rb_internalClick();
  void rb_externalClick();

  void ScrollBarHoleChange();
  void ScrollBarTopChange();
  void ScrollBarMagniChange();
  void ScrollBarCentreXChange();
  void ScrollBarCentreYChange();
  void ScrollBarStepFineChange();
  void HoleChange();
  void AlignChange();
  void SizeChange();
  void xcent_change();
  void ycent_change();
  void StepdegChange();
  void default_posClick();
  void default_centreClick();
  void DrawStep1DegClick() { QuickStepClick(1); }
  void DrawStep2DegClick() { QuickStepClick(2); }
  void DrawStep5DegClick() { QuickStepClick(5); }
  void DrawStep10DegClick() { QuickStepClick(10); }

  void ScrollBarRepsChange();
  void holespinChange();
  void topspinChange();
  void sizespinChange();
  void xspinChange();
  void yspinChange();
  void SpinRedChange();
  void SpinGreenChange();
  void SpinBlueChange();
  void RepeatReset1Click();
  void ZeroPosStepClick();
  void ZeroCentStepClick();
  void ZeroColStepClick();
  void LinesizeChange();

  // Shared gear rules.
  void InternalPlacement();
  void ExternalPlacement();
  void ApplyHoleRange();
  // Shows the pen hole in its box and on its bar.
  void ShowPenHole();
  void KeepMovingGearInsideRing();
  void RefreshGearCounts();

  // Controls, by their layout names.
  ui::PaintArea* PaintBox1;
  ui::PaintArea* PaintBox2;
  ui::Button *Clear, *Draw, *undo, *PenColor, *BitBtn1;
  ui::Swatch *CanvasShape, *ShapePen;
  ui::SpinBox* Linesize;
  ui::Button *DrawStep1Deg, *DrawStep2Deg, *DrawStep5Deg, *DrawStep10Deg;
  ui::ScrollBar* ScrollBarStepFine;
  ui::ValueBox* Stepdeg;
  ui::RadioButton *rb_internal, *rb_external;
  ui::ScrollBar *ScrollBarFixed, *ScrollBarMoving;
  ui::ValueBox *Fixed, *Moving, *Points;
  ui::ScrollBar* ScrollBarReps;
  ui::ValueBox* reps;
  ui::CheckBox* cb_reflect;
  ui::Button* RepeatReset1;
  ui::Label *LabelColour, *Label9, *Label8, *repstep, *repstep2;
  ui::SpinBox *SpinRed, *SpinGreen, *SpinBlue;
  ui::Button *ZeroColStep, *ZeroPosStep, *ZeroCentStep, *default_pos, *default_centre;
  ui::ScrollBar *ScrollBarHole, *ScrollBarTop, *ScrollBarMagni, *ScrollBarCentreX,
      *ScrollBarCentreY;
  ui::ValueBox *Hole, *Align, *Size, *xcent, *ycent;
  ui::SpinBox *holespin, *topspin, *sizespin, *xspin, *yspin;
  ui::Button *Load, *save, *savebmp, *BackColor, *BlackOnWhite, *WhiteonBlack, *Refresh, *Button1,
      *LoadPrint;
  ui::ValueBox* Pfac;
  ui::ScrollBar* ScrollBarPrintFac;

  ui::MenuItem *File1, *Open1, *SaveTXT1, *SaveBMP1;
  ui::MenuItem *Background1, *SelectColour1, *WhiteBlackPen1, *BlackWhitePen1;
  ui::MenuItem *Printer1, *PrintDesign1, *Colour1, *Zoom1;
  ui::MenuItem *Mono2, *N7Colours1, *FullColour1;
  ui::MenuItem *N6001, *N5001, *N4001, *N3001, *N2501, *N2001, *N1501, *N1001;

 private:
  void CreateLayout();
  void CreateMenu();
  void ShowPatternOnPanel(const engine::PatternRecord& pattern);
  void SetModeButtons(int32_t mode);
  void RecordPattern(const engine::PatternRecord& pattern);
  void ShowHistoryFull();
  void ZoomClick(ui::MenuItem* item, int32_t factor);
  void QuickStepClick(int32_t n);
  void FillDrawingArea(Colour colour);
  void ApplyColourScheme(Colour canvas, Colour pen);

  ui::Form form_;
  ui::RadioGroup modeGroup_;
  PrinterFactory makePrinter_;
  TraceObserver* observer_ = nullptr;
  // The history-full message is shown once per command.
  bool historyFullShown_ = false;
  std::string saveDialogName_;
  std::string bmpDialogName_;
};

// Showing a value in a box and setting a bar, as the handlers do it.
void ShowIn(ui::ValueBox* box, int32_t value);
// Reads a box into a design value; an empty box leaves the value unchanged.
void ReadBox(const ui::ValueBox* box, int32_t& value);
