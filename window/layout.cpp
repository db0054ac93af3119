// Every control and menu item of the window, once: its layout name, where it
// sits, what it shows, the member that keeps it and the handler it runs.
// Creation order is the panel's tab and listing order.
#include <QtGlobal>

#include "core/drawing_area.h"
#include "engine/panel_rules.h"
#include "engine/ring_choice.h"
#include "ui/caption_fit.h"
#include "window/main_window.h"
#include "window/print_zoom.h"

using ui::FontWeight;
using ui::Geometry;
using ui::Handler;

namespace {
constexpr FontWeight kBold = FontWeight::Bold;
constexpr FontWeight kPlain = FontWeight::Plain;
// The ring shapes of engine::kRingChoices, as the panel's list shows them.
[[maybe_unused]] constexpr const char* kRingShapeNames[] = {
    QT_TRANSLATE_NOOP("Panel", "Circle"),   QT_TRANSLATE_NOOP("Panel", "Oval"),
    QT_TRANSLATE_NOOP("Panel", "Triangle"), QT_TRANSLATE_NOOP("Panel", "Square"),
    QT_TRANSLATE_NOOP("Panel", "Pentagon"), QT_TRANSLATE_NOOP("Panel", "Hexagon")};
}  // namespace

void MainWindow::createPanel() {
  ui::Form& f = form_;
  auto on = [this](void (MainWindow::*handler)()) -> Handler {
    return [this, handler] { (this->*handler)(); };
  };
  // A command that changes the history, which Edit > Undo can take back.
  auto command = [this](void (MainWindow::*handler)()) -> Handler {
    return [this, handler] { runHistoryCommand([this, handler] { (this->*handler)(); }); };
  };
  auto button = [&f](const char* name, Geometry g, const char* caption, FontWeight weight,
                     Handler onClick) -> ui::Button& {
    auto& b = f.Add<ui::Button>(name, g, caption, weight);
    b.onClick = std::move(onClick);
    return b;
  };
  auto bar = [&f](const char* name, Geometry g, int min, int max, int position,
                  Handler onChange) -> ui::ScrollBar& {
    auto& b = f.Add<ui::ScrollBar>(name, g, min, max, position);
    b.onChange = std::move(onChange);
    return b;
  };
  auto box = [&f](const char* name, Geometry g, const char* text, FontWeight weight,
                  Handler onChange) -> ui::ValueBox& {
    auto& b = f.Add<ui::ValueBox>(name, g, text, weight);
    b.onChange = std::move(onChange);
    return b;
  };
  auto spin = [&f](const char* name, Geometry g, int min, int max, FontWeight weight,
                   Handler onChange) -> ui::SpinBox& {
    auto& s = f.Add<ui::SpinBox>(name, g, min, max, 0, weight);
    s.onChange = std::move(onChange);
    return s;
  };
  auto label = [&f](const char* name, int left, int top, const char* caption,
                    FontWeight weight) -> ui::Label& {
    return f.Add<ui::Label>(name, left, top, caption, weight);
  };
  auto frame = [&f](const char* name, Geometry g) -> ui::Frame& {
    return f.Add<ui::Frame>(name, g);
  };
  // The value controls of the step, gears, pen position, size and centre get
  // their handlers from the panel rules, below.
  const Handler byRules;
  using Steps = engine::RepeatSteps;

  // Drawing area, and the copy behind it, which is never shown.
  pictureFrame_ = &f.Add<ui::Frame>("Bevel1", Geometry{4, 4, 644, 644});
  pictureArea_ =
      &f.Add<ui::DrawingView>("PaintBox1", Geometry{6, 6, kDrawingAreaSize, kDrawingAreaSize});
  backingArea_ = &f.Add<ui::PaintArea>("PaintBox2", Geometry{10, 1024, 768, 768});

  // Command row.
  button("Clear", {658, 8, 37, 25}, QT_TRANSLATE_NOOP("Panel", "Clear"), kPlain,
         command(&MainWindow::clearPicture));
  ui::Button& drawButton = button("Draw", {702, 8, 37, 25}, QT_TRANSLATE_NOOP("Panel", "Draw"),
                                  kBold, command(&MainWindow::draw));
  drawButton_ = &drawButton;
  undoButton_ = &button("undo", {746, 8, 37, 25}, QT_TRANSLATE_NOOP("Panel", "Undo"), kPlain,
                        command(&MainWindow::undoLastPattern));
  button("PenColor", {790, 8, 37, 25}, QT_TRANSLATE_NOOP("Panel", "Pen"), kPlain,
         on(&MainWindow::choosePenColour));
  canvasSwatch_ = &f.Add<ui::Swatch>("CanvasShape", Geometry{856, 8, 25, 25},
                                     ui::Swatch::Shape::RoundedRectangle, kWhite, kBlack);
  penSwatch_ = &f.Add<ui::Swatch>("ShapePen", Geometry{861, 13, 15, 15},
                                  ui::Swatch::Shape::Rectangle, kBlack, kBlack);
  button("BitBtn1", {888, 8, 57, 25}, QT_TRANSLATE_NOOP("Panel", "Exit"), kBold, [this] {
    form_.Close();
  }).ShowCloseGlyph();

  // Line width.
  label("Label13", 664, 44, QT_TRANSLATE_NOOP("Panel", "Drawing Line Width (pixels)"), kBold);
  lineWidthSpin_ = &f.Add<ui::SpinBox>("Linesize", Geometry{848, 40, 33, 22}, 1, 5, 1, kBold);
  lineWidthSpin_->onChange = on(&MainWindow::applyLineWidth);

  // Step.
  frame("Bevel2", {656, 64, 289, 57});
  label("Label6", 664, 76, QT_TRANSLATE_NOOP("Panel", "Step (degrees)"), kBold);
  for (auto [name, left, degrees] : {std::tuple{"DrawStep1Deg", 760, 1},
                                     {"DrawStep2Deg", 792, 2},
                                     {"DrawStep5Deg", 824, 5},
                                     {"DrawStep10Deg", 856, 10}}) {
    button(name, {left, 72, 25, 17}, std::to_string(degrees).c_str(), kPlain,
           [this, degrees] { panel_->ChooseStep(degrees); });
  }
  stepBar_ = &bar("ScrollBarStepFine", {664, 96, 217, 16}, 1, 3600, 5, byRules);
  stepBox_ = &box("Stepdeg", {888, 96, 49, 21}, "5", kBold, byRules);

  // Gears.
  frame("Bevel3", {656, 128, 289, 105});
  label("Label19", 664, 132, QT_TRANSLATE_NOOP("Panel", "Gears"), kBold);
  label("Label10", 704, 132, QT_TRANSLATE_NOOP("Panel", "Mode"), kPlain);
  internalRadio_ = &f.Add<ui::RadioButton>(modeGroup_, "rb_internal", Geometry{740, 132, 57, 17},
                                           QT_TRANSLATE_NOOP("Panel", "Internal"), true);
  externalRadio_ = &f.Add<ui::RadioButton>(modeGroup_, "rb_external", Geometry{808, 132, 57, 17},
                                           QT_TRANSLATE_NOOP("Panel", "External"), false);
  label("Label1", 664, 154, QT_TRANSLATE_NOOP("Panel", "Fixed"), kPlain);
  fixedBar_ = &bar("ScrollBarFixed", {704, 152, 177, 16}, 2, 360, 96, byRules);
  fixedBox_ = &box("Fixed", {888, 152, 49, 21}, "96", kBold, byRules);
  label("Label2", 664, 180, QT_TRANSLATE_NOOP("Panel", "Moving"), kPlain);
  movingBar_ = &bar("ScrollBarMoving", {704, 180, 177, 16}, 1, 360, 60, byRules);
  movingBox_ = &box("Moving", {888, 180, 49, 21}, "60", kBold, byRules);
  label("Label3", 664, 208, QT_TRANSLATE_NOOP("Panel", "Number of points in pattern: "), kPlain);
  pointsBox_ = &box("Points", {888, 208, 49, 21}, "8", kBold, {});
  pointsBox_->UseButtonFaceBackground();

  // Series.
  frame("Bevel4", {656, 240, 289, 73});
  label("Label15", 664, 248, QT_TRANSLATE_NOOP("Panel", "Repeat"), kBold);
  label("Label12", 728, 248, QT_TRANSLATE_NOOP("Panel", "Number of patterns to draw: (max. 200) "),
        kPlain);
  repeatBar_ =
      &bar("ScrollBarReps", {664, 264, 217, 16}, 1, 200, 1, on(&MainWindow::repeatBarMoved));
  repeatBox_ = &box("reps", {888, 264, 49, 21}, "1", kBold, {});
  reflectCheck_ =
      &f.Add<ui::CheckBox>("cb_reflect", Geometry{662, 288, 179, 17},
                           QT_TRANSLATE_NOOP("Panel", "Reflect (for double spirals)"), false);
  button("RepeatReset1", {864, 288, 73, 17}, QT_TRANSLATE_NOOP("Panel", "Reset to 1"), kPlain,
         on(&MainWindow::resetRepeatCount));

  // Colour cycling.
  frame("Bevel5", {656, 320, 289, 49});
  cycleColoursLabel_ =
      &label("LabelColour", 664, 324, QT_TRANSLATE_NOOP("Panel", "Cycle Colours"), kBold);
  colourNamesLabel_ = &label("Label9", 752, 324,
                             QT_TRANSLATE_NOOP("Panel", "Red         Green        Blue"), kPlain);
  colourStepLabel_ = &label("Label8", 664, 344, QT_TRANSLATE_NOOP("Panel", "Step"), kPlain);
  redStepSpin_ = &spin("SpinRed", {736, 340, 49, 22}, -128, 128, kPlain,
                       [this] { setStep(&Steps::RedStep, redStepSpin_); });
  greenStepSpin_ = &spin("SpinGreen", {784, 340, 49, 22}, -128, 128, kPlain,
                         [this] { setStep(&Steps::GreenStep, greenStepSpin_); });
  blueStepSpin_ = &spin("SpinBlue", {832, 340, 49, 22}, -128, 128, kPlain,
                        [this] { setStep(&Steps::BlueStep, blueStepSpin_); });
  zeroColourStepsButton_ = &button("ZeroColStep", {888, 344, 49, 17},
                                   QT_TRANSLATE_NOOP("Panel", "Zero All"), kPlain, [this] {
                                     zeroSteps({redStepSpin_, greenStepSpin_, blueStepSpin_});
                                   });

  // Pen position and size.
  frame("Bevel7", {656, 376, 289, 161});
  label("Label17", 664, 380, QT_TRANSLATE_NOOP("Panel", "Pen Position &  Size"), kBold);
  button("default_pos", {784, 380, 49, 17}, QT_TRANSLATE_NOOP("Panel", "Default"), kPlain,
         [this] { panel_->ResetPosition(); });
  penStepLabel_ = &label("repstep", 896, 380, QT_TRANSLATE_NOOP("Panel", "Step"), kPlain);
  zeroPenStepsButton_ = &button("ZeroPosStep", {888, 408, 49, 17},
                                QT_TRANSLATE_NOOP("Panel", "Zero All"), kPlain, [this] {
                                  zeroSteps({holeStepSpin_, topStepSpin_, sizeStepSpin_});
                                });
  label("t_hole", 664, 408, QT_TRANSLATE_NOOP("Panel", "Pen position within moving gear:"), kPlain);
  label("Label14", 664, 424,
        QT_TRANSLATE_NOOP("Panel", "Centre = 0; Outside Edge = 10 x Moving Gear"), kPlain);
  holeBar_ = &bar("ScrollBarHole", {664, 440, 217, 17}, 0, 1200, 480, byRules);
  holeBox_ = &box("Hole", {888, 440, 49, 21}, "480", kBold, byRules);
  holeStepSpin_ = &spin("holespin", {888, 440, 49, 22}, -2000, 2000, kPlain,
                        [this] { setStep(&Steps::HoleStep, holeStepSpin_); });
  label("Label4", 664, 460, QT_TRANSLATE_NOOP("Panel", "Top of Design - 10ths of gear tooth"),
        kPlain);
  topBar_ = &bar("ScrollBarTop", {664, 476, 217, 16}, -3600, 3600, 0, byRules);
  topBox_ = &box("Align", {888, 476, 49, 21}, "0", kBold, byRules);
  topStepSpin_ = &spin("topspin", {888, 476, 49, 22}, -2000, 2000, kPlain,
                       [this] { setStep(&Steps::TopStep, topStepSpin_); });
  label("Label5", 664, 496, QT_TRANSLATE_NOOP("Panel", "Size  - 1000ths "), kPlain);
  sizeBar_ = &bar("ScrollBarMagni", {664, 512, 217, 16}, 1, 2000, 1000, byRules);
  sizeBox_ = &box("Size", {888, 512, 49, 21}, "1000", kBold, byRules);
  sizeStepSpin_ = &spin("sizespin", {888, 512, 49, 22}, -2000, 2000, kPlain,
                        [this] { setStep(&Steps::SizeStep, sizeStepSpin_); });

  // Centre.
  frame("Bevel6", {656, 544, 289, 105});
  label("Label7", 664, 552, QT_TRANSLATE_NOOP("Panel", "Centre Of  Design"), kBold);
  button("default_centre", {776, 552, 49, 17}, QT_TRANSLATE_NOOP("Panel", "Default"), kPlain,
         [this] { panel_->ResetCentre(); });
  centreStepLabel_ = &label("repstep2", 896, 552, QT_TRANSLATE_NOOP("Panel", "Step"), kPlain);
  zeroCentreStepsButton_ = &button("ZeroCentStep", {888, 568, 49, 17},
                                   QT_TRANSLATE_NOOP("Panel", "Zero All"), kPlain, [this] {
                                     zeroSteps({centreXStepSpin_, centreYStepSpin_});
                                   });
  label("CentreLabel1", 664, 572, QT_TRANSLATE_NOOP("Panel", "Horizontal (X) - 10ths of pixels"),
        kPlain);
  centreXBar_ = &bar("ScrollBarCentreX", {664, 588, 217, 16}, -3200, 3200, 0, byRules);
  centreXBox_ = &box("xcent", {888, 588, 49, 21}, "0", kBold, byRules);
  centreXStepSpin_ = &spin("xspin", {888, 588, 49, 22}, -1920, 1920, kPlain,
                           [this] { setStep(&Steps::CentreXStep, centreXStepSpin_); });
  label("CentreLabel2", 664, 608, QT_TRANSLATE_NOOP("Panel", "Vertical (Y)  - 10ths of pixels"),
        kPlain);
  centreYBar_ = &bar("ScrollBarCentreY", {664, 624, 217, 16}, -3200, 3200, 0, byRules);
  centreYBox_ = &box("ycent", {888, 624, 49, 21}, "0", kBold, byRules);
  centreYStepSpin_ = &spin("yspin", {888, 624, 49, 22}, -1920, 1920, kPlain,
                           [this] { setStep(&Steps::CentreYStep, centreYStepSpin_); });

  // Never shown: their commands are reached through the menu.
  const Geometry hidden{0, 0, 49, 17};
  auto& open = button("Load", hidden, QT_TRANSLATE_NOOP("Panel", "Open Only"), kPlain,
                      command(&MainWindow::openDesign));
  auto& save = button("save", hidden, QT_TRANSLATE_NOOP("Panel", "Save"), kPlain,
                      on(&MainWindow::saveDesign));
  auto& saveBitmap = button("savebmp", hidden, QT_TRANSLATE_NOOP("Panel", "Save BMP"), kPlain,
                            [this] { bitmapExport_.Save(); });
  canvasColourButton_ = &button("BackColor", hidden, QT_TRANSLATE_NOOP("Panel", "Canvas"), kPlain,
                                on(&MainWindow::chooseCanvasColour));
  blackOnWhiteButton_ = &button("BlackOnWhite", hidden, QT_TRANSLATE_NOOP("Panel", "B on W"),
                                kPlain, [this] { applyColourScheme(kWhite, kBlack); });
  whiteOnBlackButton_ = &button("WhiteonBlack", hidden, QT_TRANSLATE_NOOP("Panel", "W on B"),
                                kPlain, [this] { applyColourScheme(kBlack, kWhite); });
  auto& restore = button("Refresh", hidden, QT_TRANSLATE_NOOP("Panel", "Refresh"), kPlain,
                         [this] { pictureHistory_.RestoreCopy(); });
  auto& keepCopy = button("Button1", hidden, QT_TRANSLATE_NOOP("Panel", "Dump"), kPlain,
                          [this] { pictureHistory_.KeepCopy(); });
  auto& openAndPrint =
      button("LoadPrint", hidden, QT_TRANSLATE_NOOP("Panel", "Open & Print"), kPlain, {});
  printFactorBox_ = &box("Pfac", {0, 0, 49, 21}, "480", kPlain,
                         [this] { engine::ShowValue(*printFactorBox_, design_.PrintFactor); });
  printFactorBar_ =
      &f.Add<ui::ScrollBar>("ScrollBarPrintFac", Geometry{0, 0, 100, 16}, 50, 960, 480, 10, 10);
  printFactorBar_->onChange = on(&MainWindow::printFactorBarMoved);

  // Ring shape, in a row of its own below the drawing area, which it follows
  // in a larger window (placeDrawingArea).
  ringRow_.push_back(&frame("BevelRing", {4, 652, 644, 33}));
  ringRow_.push_back(&label("LabelRing", 12, 660, QT_TRANSLATE_NOOP("Panel", "Ring Shape"), kBold));
  std::vector<std::string> shapes;
  for (const engine::RingChoiceItem& item : engine::kRingChoices) shapes.emplace_back(item.name);
  ringChoice_ = &f.Add<ui::ChoiceBox>("RingShape", Geometry{96, 657, 89, 22}, shapes, 0);
  cornerLabel_ =
      &label("LabelCorner", 200, 660, QT_TRANSLATE_NOOP("Panel", "Corner (teeth)"), kPlain);
  cornerBar_ = &bar("ScrollBarCorner", {296, 660, 273, 16}, 1, 96, engine::kStartCorner, byRules);
  cornerBox_ = &box("Corner", {584, 657, 49, 21}, "60", kBold, byRules);
  ringRow_.insert(ringRow_.end(), {ringChoice_, cornerLabel_, cornerBar_, cornerBox_});

  panel_ = std::make_unique<engine::PanelRules>(
      engine::PanelControls{stepBar_,    stepBox_,    fixedBar_,      fixedBox_,      movingBar_,
                            movingBox_,  pointsBox_,  holeBar_,       holeBox_,       topBar_,
                            topBox_,     sizeBar_,    sizeBox_,       centreXBar_,    centreXBox_,
                            centreYBar_, centreYBox_, internalRadio_, externalRadio_, penSwatch_,
                            ringChoice_, cornerBar_,  cornerBox_},
      design_, derived_);
  panel_->Connect();
  // The corner shows for shapes only: after the rules, whoever chose.
  ringChoice_->onChange = [this, rules = ringChoice_->onChange] {
    rules();
    showCornerControls();
  };
  showCornerControls();

  for (ui::Control* c : std::initializer_list<ui::Control*>{backingArea_,
                                                            cycleColoursLabel_,
                                                            colourStepLabel_,
                                                            colourNamesLabel_,
                                                            redStepSpin_,
                                                            greenStepSpin_,
                                                            blueStepSpin_,
                                                            holeStepSpin_,
                                                            topStepSpin_,
                                                            sizeStepSpin_,
                                                            centreXStepSpin_,
                                                            centreYStepSpin_,
                                                            zeroPenStepsButton_,
                                                            zeroCentreStepsButton_,
                                                            zeroColourStepsButton_,
                                                            penStepLabel_,
                                                            centreStepLabel_,
                                                            &open,
                                                            &save,
                                                            &saveBitmap,
                                                            canvasColourButton_,
                                                            blackOnWhiteButton_,
                                                            whiteOnBlackButton_,
                                                            &restore,
                                                            &keepCopy,
                                                            &openAndPrint,
                                                            printFactorBox_,
                                                            printFactorBar_}) {
    c->SetVisible(false);
  }
  for (ui::ValueBox* b :
       {stepBox_, fixedBox_, movingBox_, pointsBox_, repeatBox_, holeBox_, topBox_, sizeBox_,
        centreXBox_, centreYBox_, printFactorBox_, cornerBox_}) {
    b->SetEnabled(false);
  }

  // Values can be typed: double-click a value box or spin box, or F2 on a bar.
  const std::tuple<ui::ScrollBar*, ui::ValueBox*, const char*> typedBars[] = {
      {stepBar_, stepBox_, QT_TRANSLATE_NOOP("Dialog", "Step (degrees):")},
      {fixedBar_, fixedBox_, QT_TRANSLATE_NOOP("Dialog", "Teeth of the fixed ring:")},
      {movingBar_, movingBox_, QT_TRANSLATE_NOOP("Dialog", "Teeth of the moving gear:")},
      {repeatBar_, repeatBox_, QT_TRANSLATE_NOOP("Dialog", "Number of patterns to draw:")},
      {holeBar_, holeBox_, QT_TRANSLATE_NOOP("Dialog", "Pen position within the moving gear:")},
      {topBar_, topBox_, QT_TRANSLATE_NOOP("Dialog", "Top of design (10ths of a ring tooth):")},
      {sizeBar_, sizeBox_, QT_TRANSLATE_NOOP("Dialog", "Size (1000ths):")},
      {centreXBar_, centreXBox_,
       QT_TRANSLATE_NOOP("Dialog", "Horizontal centre (10ths of a pixel):")},
      {centreYBar_, centreYBox_,
       QT_TRANSLATE_NOOP("Dialog", "Vertical centre (10ths of a pixel):")},
      {cornerBar_, cornerBox_, QT_TRANSLATE_NOOP("Dialog", "Corner of the ring (teeth):")}};
  for (auto [bar, box, prompt] : typedBars) bar->TypeValuesInto(*box, prompt);
  const std::pair<ui::SpinBox*, const char*> typedSpins[] = {
      {lineWidthSpin_, QT_TRANSLATE_NOOP("Dialog", "Drawing line width (pixels):")},
      {redStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Red step per pattern:")},
      {greenStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Green step per pattern:")},
      {blueStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Blue step per pattern:")},
      {holeStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Pen position step per pattern:")},
      {topStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Top step per pattern:")},
      {sizeStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Size step per pattern:")},
      {centreXStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Horizontal centre step per pattern:")},
      {centreYStepSpin_, QT_TRANSLATE_NOOP("Dialog", "Vertical centre step per pattern:")}};
  for (auto [spin, prompt] : typedSpins) spin->TypeValues(prompt);

  // Long words of a translation must not run into the next control.
  ui::FitLabels(form_);

  // Draw from the keyboard, as a click on the button would.
  form_.AddShortcut({"Ctrl+D", "Ctrl+Return", "Ctrl+Enter"}, [&drawButton] {
    if (drawButton.Reachable() && drawButton.onClick) drawButton.onClick();
  });
}

void MainWindow::showCornerControls() {
  const bool shaped = ringChoice_->Index() != 0;
  for (ui::Control* c : std::initializer_list<ui::Control*>{cornerLabel_, cornerBar_, cornerBox_})
    c->SetVisible(shaped);
  ui::FitLabels(form_);
}

void MainWindow::createMenu() {
  ui::Form& f = form_;
  // Captions as the layout names them; the menus show them with an Alt
  // letter and the shortcut beside.
  auto item = [&f](ui::MenuItem& menu, const std::string& name, const char* caption,
                   Handler onClick, int radioGroup = 0) -> ui::MenuItem& {
    ui::MenuItem& i = f.AddItem(menu, name, caption, radioGroup);
    i.onClick = std::move(onClick);
    return i;
  };
  auto menu = [&f](const char* name, const char* caption, const char* text) -> ui::MenuItem& {
    ui::MenuItem& m = f.AddMenu(name, caption);
    m.SetMenuText(text);
    return m;
  };
  auto on = [this](void (MainWindow::*handler)()) -> Handler {
    return [this, handler] { (this->*handler)(); };
  };
  auto command = [this](void (MainWindow::*handler)()) -> Handler {
    return [this, handler] { runHistoryCommand([this, handler] { (this->*handler)(); }); };
  };

  ui::MenuItem& file = menu("File1", "File", QT_TRANSLATE_NOOP("Menu", "&File"));
  ui::MenuItem& open = item(file, "Open1", "Open", command(&MainWindow::openDesign));
  open.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Open..."));
  open.SetShortcuts({"Ctrl+O"});
  ui::MenuItem& save = item(file, "Save1", "Save", on(&MainWindow::save));
  save.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Save"));
  save.SetShortcuts({"Ctrl+S"});
  ui::MenuItem& saveText = item(file, "SaveTXT1", "Save TXT", on(&MainWindow::saveDesign));
  saveText.SetMenuText(QT_TRANSLATE_NOOP("Menu", "Save &TXT..."));
  saveText.SetShortcuts({"Ctrl+Shift+S"});
  item(file, "SaveBMP1", "Save BMP", [this] {
    bitmapExport_.Save();
  }).SetMenuText(QT_TRANSLATE_NOOP("Menu", "Save &BMP..."));
  using exporting::ExportFormat;
  for (auto [name, caption, text, format] :
       {std::tuple{"ExportSVG1", "Export SVG...", QT_TRANSLATE_NOOP("Menu", "Export S&VG..."),
                   ExportFormat::Svg},
        std::tuple{"ExportPDF1", "Export PDF...", QT_TRANSLATE_NOOP("Menu", "Export P&DF..."),
                   ExportFormat::Pdf},
        std::tuple{"ExportPNG1", "Export PNG...", QT_TRANSLATE_NOOP("Menu", "Export P&NG..."),
                   ExportFormat::Png}}) {
    item(file, name, caption, [this, format] { exportDesign(format); }).SetMenuText(text);
  }
  recentMenu_ = &f.AddSubmenu(file, "OpenRecent1", "Open Recent");
  recentMenu_->SetMenuText(QT_TRANSLATE_NOOP("Menu", "Open &Recent"));
  for (size_t i = 0; i < kRecentDesigns; ++i) {
    const std::string name = "RecentFile" + std::to_string(i + 1);
    recentItems_.push_back(&item(*recentMenu_, name, name.c_str(), [this, i] {
      if (i >= recent_.size()) return;
      const std::string path = recent_[i];
      runHistoryCommand([this, &path] { openDesignFrom(designFiles_.Read(path, design_)); });
    }));
  }
  // As the Exit button: asks first when there are unsaved changes.
  ui::MenuItem& quit = item(file, "Quit1", "Quit", [this] { form_.Close(); });
  quit.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Quit"));
  quit.SetShortcuts({"Ctrl+Q"});

  ui::MenuItem& edit = menu("Edit1", "Edit", QT_TRANSLATE_NOOP("Menu", "&Edit"));
  undoItem_ = &item(edit, "Undo1", "Undo", on(&MainWindow::undoCommand));
  undoItem_->SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Undo"));
  undoItem_->SetShortcuts({"Ctrl+Z"});
  redoItem_ = &item(edit, "Redo1", "Redo", on(&MainWindow::redoCommand));
  redoItem_->SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Redo"));
  redoItem_->SetShortcuts({"Ctrl+Shift+Z", "Ctrl+Y"});

  ui::MenuItem& background =
      menu("Background1", "Background", QT_TRANSLATE_NOOP("Menu", "&Background"));
  item(background, "SelectColour1", "Select Colour", on(&MainWindow::chooseCanvasColour))
      .SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Select Colour..."));
  item(background, "WhiteBlackPen1", "White (Black Pen)", [this] {
    applyColourScheme(kWhite, kBlack);
  }).SetMenuText(QT_TRANSLATE_NOOP("Menu", "&White (Black Pen)"));
  item(background, "BlackWhitePen1", "Black (White Pen)", [this] {
    applyColourScheme(kBlack, kWhite);
  }).SetMenuText(QT_TRANSLATE_NOOP("Menu", "Blac&k (White Pen)"));

  ui::MenuItem& printing = menu("Printer1", "Printing", QT_TRANSLATE_NOOP("Menu", "&Printing"));
  ui::MenuItem& print =
      item(printing, "PrintDesign1", "Print Design", on(&MainWindow::printDesign));
  print.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Print Design..."));
  print.SetShortcuts({"Ctrl+P"});
  ui::MenuItem& colours = f.AddSubmenu(printing, "Colour1", "Colour");
  colours.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Colour"));
  ui::MenuItem& zoom = f.AddSubmenu(printing, "Zoom1", "Zoom");
  zoom.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Zoom"));
  constexpr int kRadioGroup = 1;
  monoItem_ = &item(
      colours, "Mono2", QT_TRANSLATE_NOOP("Menu", "Mono"),
      [this] { choosePrintColours(monoItem_); }, kRadioGroup);
  sevenColoursItem_ = &item(
      colours, "N7Colours1", QT_TRANSLATE_NOOP("Menu", "7 Colours"),
      [this] { choosePrintColours(sevenColoursItem_); }, kRadioGroup);
  fullColourItem_ = &item(
      colours, "FullColour1", QT_TRANSLATE_NOOP("Menu", "Full Colour"),
      [this] { choosePrintColours(fullColourItem_); }, kRadioGroup);
  for (const ZoomItem& z : kZoomItems) {
    const int32_t percent = z.percent;
    item(
        zoom, z.name, z.caption, [this, percent] { chooseZoom(percent); }, kRadioGroup);
  }

  createViewMenu();

  ui::MenuItem& help = menu("Help1", "Help", QT_TRANSLATE_NOOP("Menu", "&Help"));
  ui::MenuItem& guide = item(help, "QuickGuide1", "Quick Guide", on(&MainWindow::showQuickGuide));
  guide.SetMenuText(QT_TRANSLATE_NOOP("Menu", "&Quick Guide"));
  guide.SetShortcuts({"F1"});
  item(help, "About1", "About", on(&MainWindow::showAbout))
      .SetMenuText(QT_TRANSLATE_NOOP("Menu", "&About Korva"));
}
