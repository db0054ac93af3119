// Every control and menu item of the window, once: its layout name, where it
// sits, what it shows, the member that keeps it and the handler it runs.
// Creation order is the panel's tab and listing order.
#include "core/drawing_area.h"
#include "engine/panel_rules.h"
#include "engine/ring_choice.h"
#include "window/main_window.h"
#include "window/print_zoom.h"

using ui::FontWeight;
using ui::Geometry;
using ui::Handler;

namespace {
constexpr FontWeight kBold = FontWeight::Bold;
constexpr FontWeight kPlain = FontWeight::Plain;
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
  button("Clear", {658, 8, 37, 25}, "Clear", kPlain, command(&MainWindow::clearPicture));
  ui::Button& drawButton =
      button("Draw", {702, 8, 37, 25}, "Draw", kBold, command(&MainWindow::draw));
  drawButton_ = &drawButton;
  undoButton_ =
      &button("undo", {746, 8, 37, 25}, "Undo", kPlain, command(&MainWindow::undoLastPattern));
  button("PenColor", {790, 8, 37, 25}, "Pen", kPlain, on(&MainWindow::choosePenColour));
  canvasSwatch_ = &f.Add<ui::Swatch>("CanvasShape", Geometry{856, 8, 25, 25},
                                     ui::Swatch::Shape::RoundedRectangle, kWhite, kBlack);
  penSwatch_ = &f.Add<ui::Swatch>("ShapePen", Geometry{861, 13, 15, 15},
                                  ui::Swatch::Shape::Rectangle, kBlack, kBlack);
  button("BitBtn1", {888, 8, 57, 25}, "Exit", kBold, [this] { form_.Close(); }).ShowCloseGlyph();

  // Line width.
  label("Label13", 664, 44, "Drawing Line Width (pixels)", kBold);
  lineWidthSpin_ = &f.Add<ui::SpinBox>("Linesize", Geometry{848, 40, 33, 22}, 1, 5, 1, kBold);
  lineWidthSpin_->onChange = on(&MainWindow::applyLineWidth);

  // Step.
  frame("Bevel2", {656, 64, 289, 57});
  label("Label6", 664, 76, "Step (degrees)", kBold);
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
  label("Label19", 664, 132, "Gears", kBold);
  label("Label10", 704, 132, "Mode", kPlain);
  internalRadio_ = &f.Add<ui::RadioButton>(modeGroup_, "rb_internal", Geometry{740, 132, 57, 17},
                                           "Internal", true);
  externalRadio_ = &f.Add<ui::RadioButton>(modeGroup_, "rb_external", Geometry{808, 132, 57, 17},
                                           "External", false);
  label("Label1", 664, 154, "Fixed", kPlain);
  fixedBar_ = &bar("ScrollBarFixed", {704, 152, 177, 16}, 2, 360, 96, byRules);
  fixedBox_ = &box("Fixed", {888, 152, 49, 21}, "96", kBold, byRules);
  label("Label2", 664, 180, "Moving", kPlain);
  movingBar_ = &bar("ScrollBarMoving", {704, 180, 177, 16}, 1, 360, 60, byRules);
  movingBox_ = &box("Moving", {888, 180, 49, 21}, "60", kBold, byRules);
  label("Label3", 664, 208, "Number of points in pattern: ", kPlain);
  pointsBox_ = &box("Points", {888, 208, 49, 21}, "8", kBold, {});
  pointsBox_->UseButtonFaceBackground();

  // Series.
  frame("Bevel4", {656, 240, 289, 73});
  label("Label15", 664, 248, "Repeat", kBold);
  label("Label12", 728, 248, "Number of patterns to draw: (max. 200) ", kPlain);
  repeatBar_ =
      &bar("ScrollBarReps", {664, 264, 217, 16}, 1, 200, 1, on(&MainWindow::repeatBarMoved));
  repeatBox_ = &box("reps", {888, 264, 49, 21}, "1", kBold, {});
  reflectCheck_ = &f.Add<ui::CheckBox>("cb_reflect", Geometry{662, 288, 179, 17},
                                       "Reflect (for double spirals)", false);
  button("RepeatReset1", {864, 288, 73, 17}, "Reset to 1", kPlain,
         on(&MainWindow::resetRepeatCount));

  // Colour cycling.
  frame("Bevel5", {656, 320, 289, 49});
  cycleColoursLabel_ = &label("LabelColour", 664, 324, "Cycle Colours", kBold);
  colourNamesLabel_ = &label("Label9", 752, 324, "Red         Green        Blue", kPlain);
  colourStepLabel_ = &label("Label8", 664, 344, "Step", kPlain);
  redStepSpin_ = &spin("SpinRed", {736, 340, 49, 22}, -128, 128, kPlain,
                       [this] { setStep(&Steps::RedStep, redStepSpin_); });
  greenStepSpin_ = &spin("SpinGreen", {784, 340, 49, 22}, -128, 128, kPlain,
                         [this] { setStep(&Steps::GreenStep, greenStepSpin_); });
  blueStepSpin_ = &spin("SpinBlue", {832, 340, 49, 22}, -128, 128, kPlain,
                        [this] { setStep(&Steps::BlueStep, blueStepSpin_); });
  zeroColourStepsButton_ = &button("ZeroColStep", {888, 344, 49, 17}, "Zero All", kPlain, [this] {
    zeroSteps({redStepSpin_, greenStepSpin_, blueStepSpin_});
  });

  // Pen position and size.
  frame("Bevel7", {656, 376, 289, 161});
  label("Label17", 664, 380, "Pen Position &  Size", kBold);
  button("default_pos", {784, 380, 49, 17}, "Default", kPlain, [this] { panel_->ResetPosition(); });
  penStepLabel_ = &label("repstep", 896, 380, "Step", kPlain);
  zeroPenStepsButton_ = &button("ZeroPosStep", {888, 408, 49, 17}, "Zero All", kPlain, [this] {
    zeroSteps({holeStepSpin_, topStepSpin_, sizeStepSpin_});
  });
  label("t_hole", 664, 408, "Pen position within moving gear:", kPlain);
  label("Label14", 664, 424, "Centre = 0; Outside Edge = 10 x Moving Gear", kPlain);
  holeBar_ = &bar("ScrollBarHole", {664, 440, 217, 17}, 0, 1200, 480, byRules);
  holeBox_ = &box("Hole", {888, 440, 49, 21}, "480", kBold, byRules);
  holeStepSpin_ = &spin("holespin", {888, 440, 49, 22}, -2000, 2000, kPlain,
                        [this] { setStep(&Steps::HoleStep, holeStepSpin_); });
  label("Label4", 664, 460, "Top of Design - 10ths of gear tooth", kPlain);
  topBar_ = &bar("ScrollBarTop", {664, 476, 217, 16}, -3600, 3600, 0, byRules);
  topBox_ = &box("Align", {888, 476, 49, 21}, "0", kBold, byRules);
  topStepSpin_ = &spin("topspin", {888, 476, 49, 22}, -2000, 2000, kPlain,
                       [this] { setStep(&Steps::TopStep, topStepSpin_); });
  label("Label5", 664, 496, "Size  - 1000ths ", kPlain);
  sizeBar_ = &bar("ScrollBarMagni", {664, 512, 217, 16}, 1, 2000, 1000, byRules);
  sizeBox_ = &box("Size", {888, 512, 49, 21}, "1000", kBold, byRules);
  sizeStepSpin_ = &spin("sizespin", {888, 512, 49, 22}, -2000, 2000, kPlain,
                        [this] { setStep(&Steps::SizeStep, sizeStepSpin_); });

  // Centre.
  frame("Bevel6", {656, 544, 289, 105});
  label("Label7", 664, 552, "Centre Of  Design", kBold);
  button("default_centre", {776, 552, 49, 17}, "Default", kPlain,
         [this] { panel_->ResetCentre(); });
  centreStepLabel_ = &label("repstep2", 896, 552, "Step", kPlain);
  zeroCentreStepsButton_ = &button("ZeroCentStep", {888, 568, 49, 17}, "Zero All", kPlain, [this] {
    zeroSteps({centreXStepSpin_, centreYStepSpin_});
  });
  label("CentreLabel1", 664, 572, "Horizontal (X) - 10ths of pixels", kPlain);
  centreXBar_ = &bar("ScrollBarCentreX", {664, 588, 217, 16}, -3200, 3200, 0, byRules);
  centreXBox_ = &box("xcent", {888, 588, 49, 21}, "0", kBold, byRules);
  centreXStepSpin_ = &spin("xspin", {888, 588, 49, 22}, -1920, 1920, kPlain,
                           [this] { setStep(&Steps::CentreXStep, centreXStepSpin_); });
  label("CentreLabel2", 664, 608, "Vertical (Y)  - 10ths of pixels", kPlain);
  centreYBar_ = &bar("ScrollBarCentreY", {664, 624, 217, 16}, -3200, 3200, 0, byRules);
  centreYBox_ = &box("ycent", {888, 624, 49, 21}, "0", kBold, byRules);
  centreYStepSpin_ = &spin("yspin", {888, 624, 49, 22}, -1920, 1920, kPlain,
                           [this] { setStep(&Steps::CentreYStep, centreYStepSpin_); });

  // Never shown: their commands are reached through the menu.
  const Geometry hidden{0, 0, 49, 17};
  auto& open = button("Load", hidden, "Open Only", kPlain, command(&MainWindow::openDesign));
  auto& save = button("save", hidden, "Save", kPlain, on(&MainWindow::saveDesign));
  auto& saveBitmap =
      button("savebmp", hidden, "Save BMP", kPlain, [this] { bitmapExport_.Save(); });
  canvasColourButton_ =
      &button("BackColor", hidden, "Canvas", kPlain, on(&MainWindow::chooseCanvasColour));
  blackOnWhiteButton_ = &button("BlackOnWhite", hidden, "B on W", kPlain,
                                [this] { applyColourScheme(kWhite, kBlack); });
  whiteOnBlackButton_ = &button("WhiteonBlack", hidden, "W on B", kPlain,
                                [this] { applyColourScheme(kBlack, kWhite); });
  auto& restore =
      button("Refresh", hidden, "Refresh", kPlain, [this] { pictureHistory_.RestoreCopy(); });
  auto& keepCopy =
      button("Button1", hidden, "Dump", kPlain, [this] { pictureHistory_.KeepCopy(); });
  auto& openAndPrint = button("LoadPrint", hidden, "Open & Print", kPlain, {});
  printFactorBox_ = &box("Pfac", {0, 0, 49, 21}, "480", kPlain,
                         [this] { engine::ShowValue(*printFactorBox_, design_.PrintFactor); });
  printFactorBar_ =
      &f.Add<ui::ScrollBar>("ScrollBarPrintFac", Geometry{0, 0, 100, 16}, 50, 960, 480, 10, 10);
  printFactorBar_->onChange = on(&MainWindow::printFactorBarMoved);

  // Ring shape, in a row of its own below the drawing area, which it follows
  // in a larger window (placeDrawingArea).
  ringRow_.push_back(&frame("BevelRing", {4, 652, 644, 33}));
  ringRow_.push_back(&label("LabelRing", 12, 660, "Ring Shape", kBold));
  std::vector<std::string> shapes;
  for (const engine::RingChoiceItem& item : engine::kRingChoices) shapes.emplace_back(item.name);
  ringChoice_ = &f.Add<ui::ChoiceBox>("RingShape", Geometry{96, 657, 89, 22}, shapes, 0);
  cornerLabel_ = &label("LabelCorner", 200, 660, "Corner (teeth)", kPlain);
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
      {stepBar_, stepBox_, "Step (degrees):"},
      {fixedBar_, fixedBox_, "Teeth of the fixed ring:"},
      {movingBar_, movingBox_, "Teeth of the moving gear:"},
      {repeatBar_, repeatBox_, "Number of patterns to draw:"},
      {holeBar_, holeBox_, "Pen position within the moving gear:"},
      {topBar_, topBox_, "Top of design (10ths of a ring tooth):"},
      {sizeBar_, sizeBox_, "Size (1000ths):"},
      {centreXBar_, centreXBox_, "Horizontal centre (10ths of a pixel):"},
      {centreYBar_, centreYBox_, "Vertical centre (10ths of a pixel):"},
      {cornerBar_, cornerBox_, "Corner of the ring (teeth):"}};
  for (auto [bar, box, prompt] : typedBars) bar->TypeValuesInto(*box, prompt);
  const std::pair<ui::SpinBox*, const char*> typedSpins[] = {
      {lineWidthSpin_, "Drawing line width (pixels):"},
      {redStepSpin_, "Red step per pattern:"},
      {greenStepSpin_, "Green step per pattern:"},
      {blueStepSpin_, "Blue step per pattern:"},
      {holeStepSpin_, "Pen position step per pattern:"},
      {topStepSpin_, "Top step per pattern:"},
      {sizeStepSpin_, "Size step per pattern:"},
      {centreXStepSpin_, "Horizontal centre step per pattern:"},
      {centreYStepSpin_, "Vertical centre step per pattern:"}};
  for (auto [spin, prompt] : typedSpins) spin->TypeValues(prompt);

  // Draw from the keyboard, as a click on the button would.
  form_.AddShortcut({"Ctrl+D", "Ctrl+Return", "Ctrl+Enter"}, [&drawButton] {
    if (drawButton.Reachable() && drawButton.onClick) drawButton.onClick();
  });
}

void MainWindow::showCornerControls() {
  const bool shaped = ringChoice_->Index() != 0;
  for (ui::Control* c : std::initializer_list<ui::Control*>{cornerLabel_, cornerBar_, cornerBox_})
    c->SetVisible(shaped);
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

  ui::MenuItem& file = menu("File1", "File", "&File");
  ui::MenuItem& open = item(file, "Open1", "Open", command(&MainWindow::openDesign));
  open.SetMenuText("&Open...");
  open.SetShortcuts({"Ctrl+O"});
  ui::MenuItem& save = item(file, "Save1", "Save", on(&MainWindow::save));
  save.SetMenuText("&Save");
  save.SetShortcuts({"Ctrl+S"});
  ui::MenuItem& saveText = item(file, "SaveTXT1", "Save TXT", on(&MainWindow::saveDesign));
  saveText.SetMenuText("Save &TXT...");
  saveText.SetShortcuts({"Ctrl+Shift+S"});
  item(file, "SaveBMP1", "Save BMP", [this] { bitmapExport_.Save(); }).SetMenuText("Save &BMP...");
  using exporting::ExportFormat;
  for (auto [name, caption, text, format] :
       {std::tuple{"ExportSVG1", "Export SVG...", "Export S&VG...", ExportFormat::Svg},
        std::tuple{"ExportPDF1", "Export PDF...", "Export P&DF...", ExportFormat::Pdf},
        std::tuple{"ExportPNG1", "Export PNG...", "Export P&NG...", ExportFormat::Png}}) {
    item(file, name, caption, [this, format] { exportDesign(format); }).SetMenuText(text);
  }
  recentMenu_ = &f.AddSubmenu(file, "OpenRecent1", "Open Recent");
  recentMenu_->SetMenuText("Open &Recent");
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
  quit.SetMenuText("&Quit");
  quit.SetShortcuts({"Ctrl+Q"});

  ui::MenuItem& edit = menu("Edit1", "Edit", "&Edit");
  undoItem_ = &item(edit, "Undo1", "Undo", on(&MainWindow::undoCommand));
  undoItem_->SetMenuText("&Undo");
  undoItem_->SetShortcuts({"Ctrl+Z"});
  redoItem_ = &item(edit, "Redo1", "Redo", on(&MainWindow::redoCommand));
  redoItem_->SetMenuText("&Redo");
  redoItem_->SetShortcuts({"Ctrl+Shift+Z", "Ctrl+Y"});

  ui::MenuItem& background = menu("Background1", "Background", "&Background");
  item(background, "SelectColour1", "Select Colour", on(&MainWindow::chooseCanvasColour))
      .SetMenuText("&Select Colour...");
  item(background, "WhiteBlackPen1", "White (Black Pen)", [this] {
    applyColourScheme(kWhite, kBlack);
  }).SetMenuText("&White (Black Pen)");
  item(background, "BlackWhitePen1", "Black (White Pen)", [this] {
    applyColourScheme(kBlack, kWhite);
  }).SetMenuText("Blac&k (White Pen)");

  ui::MenuItem& printing = menu("Printer1", "Printing", "&Printing");
  ui::MenuItem& print =
      item(printing, "PrintDesign1", "Print Design", on(&MainWindow::printDesign));
  print.SetMenuText("&Print Design...");
  print.SetShortcuts({"Ctrl+P"});
  ui::MenuItem& colours = f.AddSubmenu(printing, "Colour1", "Colour");
  colours.SetMenuText("&Colour");
  ui::MenuItem& zoom = f.AddSubmenu(printing, "Zoom1", "Zoom");
  zoom.SetMenuText("&Zoom");
  constexpr int kRadioGroup = 1;
  monoItem_ = &item(
      colours, "Mono2", "Mono", [this] { choosePrintColours(monoItem_); }, kRadioGroup);
  sevenColoursItem_ = &item(
      colours, "N7Colours1", "7 Colours", [this] { choosePrintColours(sevenColoursItem_); },
      kRadioGroup);
  fullColourItem_ = &item(
      colours, "FullColour1", "Full Colour", [this] { choosePrintColours(fullColourItem_); },
      kRadioGroup);
  for (const ZoomItem& z : kZoomItems) {
    const int32_t percent = z.percent;
    item(
        zoom, z.name, z.caption, [this, percent] { chooseZoom(percent); }, kRadioGroup);
  }

  createViewMenu();

  ui::MenuItem& help = menu("Help1", "Help", "&Help");
  ui::MenuItem& guide = item(help, "QuickGuide1", "Quick Guide", on(&MainWindow::showQuickGuide));
  guide.SetMenuText("&Quick Guide");
  guide.SetShortcuts({"F1"});
  item(help, "About1", "About", on(&MainWindow::showAbout)).SetMenuText("&About Korva");
}
