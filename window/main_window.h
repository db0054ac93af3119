#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/bitmap_export.h"
#include "commands/command_history.h"
#include "commands/design_files.h"
#include "commands/drawing_surface.h"
#include "commands/export_command.h"
#include "commands/picture_history.h"
#include "commands/print_command.h"
#include "engine/design_state.h"
#include "engine/gear_overlay.h"
#include "engine/panel_rules.h"
#include "engine/pattern_history.h"
#include "engine/series_plan.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/drawing_overlay.h"
#include "ui/drawing_view.h"
#include "ui/form.h"
#include "ui/latest_job.h"
#include "ui/prompts.h"
#include "window/trace_observer.h"
#include "window/trace_session.h"

// Where File > Open Recent keeps its list between runs.
class RecentDesignStore {
 public:
  virtual ~RecentDesignStore() = default;
  virtual std::vector<std::string> Load() = 0;
  virtual void Save(const std::vector<std::string>& paths) = 0;
};

// Korva's main window: the drawing area, the control panel and the menu,
// bound to the design state, the history and the commands.
//
// Handlers run as plain nested calls: a program-made change of a control runs
// that control's handler before returning. User input reaches them only
// through the form's dispatcher, which shows any run-time error.
class MainWindow : private commands::DrawingSurface {
 public:
  // Without a store the recent designs last as long as the window.
  MainWindow(ui::Prompts& prompts, commands::PrinterFactory makePrinter,
             RecentDesignStore* recentStore = nullptr);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Controls and menu items are reached through the form by layout name.
  ui::Form& form() { return form_; }
  void setTraceObserver(TraceObserver* observer) { observer_ = observer; }

  const engine::DesignState& design() const { return design_; }
  const engine::RepeatSteps& steps() const { return steps_; }
  const engine::DerivedValues& derived() const { return derived_; }
  const engine::PatternHistory& history() const { return history_; }
  // The top of design a Draw series started from, which reflection mirrors about.
  int32_t seriesStartTop() const { return seriesStartTop_; }
  Colour penColour() const;
  Colour canvasColour() const;
  const ui::ImageCanvas& picture() const;
  const ui::ImageCanvas& backingPicture() const;
  // Whether the history differs from the design file last saved or opened.
  bool hasUnsavedChanges() const;
  const std::vector<std::string>& recentDesigns() const { return recent_; }
  // Opens a design as File > Open does with that file chosen.
  void openDesignFile(const std::string& path);
  // The next command that traces stops, as if Esc were pressed, once it has
  // drawn this many segments in all.
  void stopNextTraceAfter(int64_t segments) { pendingStop_ = segments; }

 private:
  friend class WindowProbe;  // tests draw patterns no panel could set

  // Layout and binding: every control and menu item with its handler.
  void createPanel();
  void createMenu();
  void startUp();

  // DrawingSurface
  ui::ImageCanvas& Picture() override;
  ui::ImageCanvas& Backing() override;
  Colour CanvasColour() const override { return canvasColour(); }
  Colour PenColour() const override { return penColour(); }

  void addToolTips();
  // Names for screen readers, where a caption does not say what a control is.
  void addAccessibleNames();
  // The drawing area tells a screen reader how many patterns it shows.
  void describeDrawing();

  // Edit > Undo and Redo over the history commands.
  void runHistoryCommand(const std::function<void()>& command);
  // Runs a command that traces, with progress and a way to stop it: the
  // estimated segments of each trace it makes, and how many traces make one
  // pattern, tell its progress.
  void runTracingCommand(std::vector<long double> segments, int tracesPerPattern,
                         const std::function<void()>& command);
  // The estimated segments of the history's first `count` patterns.
  static std::vector<long double> segmentsOf(const engine::PatternHistory& history, int32_t count);
  // The state a stopped Draw goes back to: as it stood before the pattern
  // being traced.
  struct Checkpoint {
    ui::FormState panel;
    engine::DesignState design;
    engine::RepeatSteps steps;
    engine::DerivedValues derived;
    int32_t seriesStartTop;
    ui::CanvasSnapshot picture;
    commands::PictureCache::Mark pictureCache;
  };
  Checkpoint checkpoint() const;
  void restore(const Checkpoint& checkpoint);
  commands::WindowState captureState() const;
  void restoreState(const commands::WindowState& state);
  void redrawFromHistory();
  void restoreCommandState(const commands::WindowState& state, const std::function<void()>& back);
  void undoCommand();
  void redoCommand();
  void afterHistoryChange();

  // Files, title and closing.
  // File > Save: the design's own file when it has one, else as Save TXT.
  void save();
  void saveDesign();
  void rememberSaved(const std::string& path);
  void updateTitle();
  bool confirmClose();
  void rememberRecent(const std::string& path);
  void showRecentDesigns();
  void showQuickGuide();
  void showAbout();

  // View: the gears, a preview of the next Draw, an animated Draw.
  void createViewMenu();
  void toggleView(ui::MenuItem* item);
  // Follows the View menu's check marks once Edit > Undo or Redo has put them back.
  void followViewMenu();
  void updateOverlay();
  engine::GearOverlay nextGears() const;
  // View: zoom, as the menu items and their keys give it.
  void createZoomItems(ui::MenuItem& view);
  void placeDrawingArea(int clientWidth, int clientHeight);
  void refreshPreview();
  void showPreview(const QImage& image);
  void dropPreview(const std::string& reason);
  // What a Draw now would start from.
  engine::DrawInputs drawInputs() const;
  bool animating() const;
  // During an animated Draw: waits until the pen may lay the next segment.
  void animateSegment(const engine::Curve& curve, double theta);

  // Command row.
  void draw();
  void clearPicture();
  void undoLastPattern();
  void choosePenColour();
  void applyLineWidth();

  // Ring shape: the corner's controls show for shapes only.
  void showCornerControls();

  // Series.
  // The status bar says so while the next Draw would continue a series from
  // values the panel does not show.
  void showSeriesContinuation();
  void repeatBarMoved();
  void resetRepeatCount();
  void setStep(int32_t engine::RepeatSteps::*step, const ui::SpinBox* spin);
  void zeroSteps(std::initializer_list<ui::SpinBox*> spins);

  // Colours.
  void chooseCanvasColour();
  void applyColourScheme(Colour canvas, Colour pen);
  void fillPicture(Colour colour);
  void setColourSchemesEnabled(bool enabled);

  // Files and printing.
  void openDesign();
  void openDesignFrom(const std::optional<commands::OpenedDesign>& design);
  void printDesign();
  // A long export shows its progress and can be stopped; it then writes nothing.
  void exportDesign(exporting::ExportFormat format);
  void tracePatternForPrint(const engine::DrawnPattern& pattern, ui::PrinterCanvas& printer,
                            Colour printerPen);
  void chooseZoom(int32_t percent);
  void choosePrintColours(ui::MenuItem* item);
  void printFactorBarMoved();

  // Drawing one pattern.
  void tracePattern(const engine::DrawnPattern& pattern);
  void traceAndRecord(const engine::DrawnPattern& pattern);
  // Shows a pattern on the panel and gives the picture its pen colour.
  engine::Curve showPatternForTrace(const engine::DrawnPattern& pattern);
  int64_t traceAnimated(
      const engine::Curve& curve,
      const std::function<void(const engine::CurvePoint&, const engine::CurvePoint&)>& draw);
  // The panel's part of tracePattern alone, for an Undo whose picture is
  // already known.
  void replayPattern(const engine::DrawnPattern& pattern);
  void recordPattern(const engine::DrawnPattern& pattern);

  ui::Form form_;
  ui::RadioGroup modeGroup_;
  TraceObserver* observer_ = nullptr;

  engine::DesignState design_;
  engine::RepeatSteps steps_;
  engine::DerivedValues derived_;
  // The step, gear, pen position, size and centre controls' handlers.
  std::unique_ptr<engine::PanelRules> panel_;
  int32_t seriesStartTop_ = 0;
  engine::PatternHistory history_;
  ui::CustomColours customColours_;
  Colour lastPickedColour_ = kBlack;
  // The history-full message is shown once per command.
  bool historyFullShown_ = false;

  commands::PictureHistory pictureHistory_;
  commands::DesignFiles designFiles_;
  commands::BitmapExport bitmapExport_;
  commands::PrintCommand printCommand_;
  commands::ExportCommand exportCommand_;
  commands::CommandHistory commandHistory_;

  // The design file last saved or opened, and its history.
  std::string designPath_;
  engine::PatternHistory savedHistory_;
  RecentDesignStore* recentStore_;
  std::unique_ptr<TraceSession> session_;
  std::optional<int64_t> pendingStop_;
  ui::Button* drawButton_ = nullptr;

  ui::MenuItem *showGearsItem_ = nullptr, *previewItem_ = nullptr, *animateItem_ = nullptr,
               *smoothLinesItem_ = nullptr;
  double animationSpeed_ = 1;
  ui::DrawingOverlay overlay_{[this] { return nextGears(); }};
  // The preview's picture arrives through the dispatcher, as input does.
  ui::LatestJob previewJob_{[this](const ui::Handler& handler) { form_.Dispatch(handler); }};
  // What the preview shows, or is being worked out for: a Draw's inputs and
  // the canvas colour.
  std::optional<std::pair<engine::DrawInputs, Colour>> previewShows_;
  bool previewCutShort_ = false;
  bool animateOffscreen_ = false;  // tests watch an animation without a screen
  std::vector<std::string> recent_;

  // Controls the handlers read or change.
  ui::DrawingView* pictureArea_ = nullptr;
  ui::PaintArea* backingArea_ = nullptr;
  ui::Control* pictureFrame_ = nullptr;
  ui::Button *undoButton_ = nullptr, *canvasColourButton_ = nullptr, *blackOnWhiteButton_ = nullptr,
             *whiteOnBlackButton_ = nullptr;
  ui::Swatch *canvasSwatch_ = nullptr, *penSwatch_ = nullptr;
  ui::SpinBox* lineWidthSpin_ = nullptr;
  ui::ScrollBar* stepBar_ = nullptr;
  ui::ValueBox* stepBox_ = nullptr;
  ui::RadioButton *internalRadio_ = nullptr, *externalRadio_ = nullptr;
  ui::ScrollBar *fixedBar_ = nullptr, *movingBar_ = nullptr;
  ui::ValueBox *fixedBox_ = nullptr, *movingBox_ = nullptr, *pointsBox_ = nullptr;
  ui::ScrollBar* repeatBar_ = nullptr;
  ui::ValueBox* repeatBox_ = nullptr;
  ui::CheckBox* reflectCheck_ = nullptr;
  ui::Label *cycleColoursLabel_ = nullptr, *colourNamesLabel_ = nullptr,
            *colourStepLabel_ = nullptr, *penStepLabel_ = nullptr, *centreStepLabel_ = nullptr;
  ui::SpinBox *redStepSpin_ = nullptr, *greenStepSpin_ = nullptr, *blueStepSpin_ = nullptr;
  ui::Button *zeroColourStepsButton_ = nullptr, *zeroPenStepsButton_ = nullptr,
             *zeroCentreStepsButton_ = nullptr;
  ui::ScrollBar *holeBar_ = nullptr, *topBar_ = nullptr, *sizeBar_ = nullptr,
                *centreXBar_ = nullptr, *centreYBar_ = nullptr;
  ui::ValueBox *holeBox_ = nullptr, *topBox_ = nullptr, *sizeBox_ = nullptr, *centreXBox_ = nullptr,
               *centreYBox_ = nullptr;
  ui::SpinBox *holeStepSpin_ = nullptr, *topStepSpin_ = nullptr, *sizeStepSpin_ = nullptr,
              *centreXStepSpin_ = nullptr, *centreYStepSpin_ = nullptr;
  std::vector<ui::Control*> ringRow_;  // the ring's row, placed with the drawing area
  ui::ChoiceBox* ringChoice_ = nullptr;
  ui::Label* cornerLabel_ = nullptr;
  ui::ScrollBar* cornerBar_ = nullptr;
  ui::ValueBox* cornerBox_ = nullptr;
  ui::ValueBox* printFactorBox_ = nullptr;
  ui::ScrollBar* printFactorBar_ = nullptr;
  ui::MenuItem *monoItem_ = nullptr, *sevenColoursItem_ = nullptr, *fullColourItem_ = nullptr;
  ui::MenuItem *undoItem_ = nullptr, *redoItem_ = nullptr, *recentMenu_ = nullptr;
  std::vector<ui::MenuItem*> recentItems_;
  static constexpr size_t kRecentDesigns = 5;
};
