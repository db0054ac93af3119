#include "panel/korva_window.h"

using namespace engine;

using ui::FontWeight;
using ui::Geometry;

namespace {
constexpr FontWeight kBold = FontWeight::Bold;
constexpr FontWeight kPlain = FontWeight::Plain;
}  // namespace

void TKorva::CreateLayout() {
  ui::Form& f = form_;

  // Drawing area and the never-visible backing area below the client area.
  f.Add<ui::Frame>("Bevel1", Geometry{4, 4, 644, 644});
  PaintBox1 = &f.Add<ui::PaintArea>("PaintBox1", Geometry{6, 6, 640, 640});
  PaintBox2 = &f.Add<ui::PaintArea>("PaintBox2", Geometry{10, 1024, 768, 768});

  // Command row.
  Clear = &f.Add<ui::Button>("Clear", Geometry{658, 8, 37, 25}, "Clear", kPlain);
  Draw = &f.Add<ui::Button>("Draw", Geometry{702, 8, 37, 25}, "Draw", kBold);
  undo = &f.Add<ui::Button>("undo", Geometry{746, 8, 37, 25}, "Undo", kPlain);
  PenColor = &f.Add<ui::Button>("PenColor", Geometry{790, 8, 37, 25}, "Pen", kPlain);
  CanvasShape = &f.Add<ui::Swatch>("CanvasShape", Geometry{856, 8, 25, 25},
                                   ui::Swatch::Shape::RoundedRectangle, kWhite, kBlack);
  ShapePen = &f.Add<ui::Swatch>("ShapePen", Geometry{861, 13, 15, 15}, ui::Swatch::Shape::Rectangle,
                                kBlack, kBlack);
  BitBtn1 = &f.Add<ui::Button>("BitBtn1", Geometry{888, 8, 57, 25}, "Exit", kBold);
  BitBtn1->ShowCloseGlyph();

  // Line width.
  f.Add<ui::Label>("Label13", 664, 44, "Drawing Line Width (pixels)", kBold);
  Linesize = &f.Add<ui::SpinBox>("Linesize", Geometry{848, 40, 33, 22}, 1, 5, 1, kBold);

  // Step group.
  f.Add<ui::Frame>("Bevel2", Geometry{656, 64, 289, 57});
  f.Add<ui::Label>("Label6", 664, 76, "Step (degrees)", kBold);
  DrawStep1Deg = &f.Add<ui::Button>("DrawStep1Deg", Geometry{760, 72, 25, 17}, "1", kPlain);
  DrawStep2Deg = &f.Add<ui::Button>("DrawStep2Deg", Geometry{792, 72, 25, 17}, "2", kPlain);
  DrawStep5Deg = &f.Add<ui::Button>("DrawStep5Deg", Geometry{824, 72, 25, 17}, "5", kPlain);
  DrawStep10Deg = &f.Add<ui::Button>("DrawStep10Deg", Geometry{856, 72, 25, 17}, "10", kPlain);
  ScrollBarStepFine =
      &f.Add<ui::ScrollBar>("ScrollBarStepFine", Geometry{664, 96, 217, 16}, 1, 3600, 5);
  Stepdeg = &f.Add<ui::ValueBox>("Stepdeg", Geometry{888, 96, 49, 21}, "5", kBold);

  // Gears group.
  f.Add<ui::Frame>("Bevel3", Geometry{656, 128, 289, 105});
  f.Add<ui::Label>("Label19", 664, 132, "Gears", kBold);
  f.Add<ui::Label>("Label10", 704, 132, "Mode", kPlain);
  rb_internal = &f.Add<ui::RadioButton>(modeGroup_, "rb_internal", Geometry{740, 132, 57, 17},
                                        "Internal", true);
  rb_external = &f.Add<ui::RadioButton>(modeGroup_, "rb_external", Geometry{808, 132, 57, 17},
                                        "External", false);
  f.Add<ui::Label>("Label1", 664, 154, "Fixed", kPlain);
  ScrollBarFixed = &f.Add<ui::ScrollBar>("ScrollBarFixed", Geometry{704, 152, 177, 16}, 2, 360, 96);
  Fixed = &f.Add<ui::ValueBox>("Fixed", Geometry{888, 152, 49, 21}, "96", kBold);
  f.Add<ui::Label>("Label2", 664, 180, "Moving", kPlain);
  ScrollBarMoving =
      &f.Add<ui::ScrollBar>("ScrollBarMoving", Geometry{704, 180, 177, 16}, 1, 360, 60);
  Moving = &f.Add<ui::ValueBox>("Moving", Geometry{888, 180, 49, 21}, "60", kBold);
  f.Add<ui::Label>("Label3", 664, 208, "Number of points in pattern: ", kPlain);
  Points = &f.Add<ui::ValueBox>("Points", Geometry{888, 208, 49, 21}, "8", kBold);
  Points->UseButtonFaceBackground();

  // Repeat group.
  f.Add<ui::Frame>("Bevel4", Geometry{656, 240, 289, 73});
  f.Add<ui::Label>("Label15", 664, 248, "Repeat", kBold);
  f.Add<ui::Label>("Label12", 728, 248, "Number of patterns to draw: (max. 200) ", kPlain);
  ScrollBarReps = &f.Add<ui::ScrollBar>("ScrollBarReps", Geometry{664, 264, 217, 16}, 1, 200, 1);
  reps = &f.Add<ui::ValueBox>("reps", Geometry{888, 264, 49, 21}, "1", kBold);
  cb_reflect = &f.Add<ui::CheckBox>("cb_reflect", Geometry{662, 288, 179, 17},
                                    "Reflect (for double spirals)", false);
  RepeatReset1 =
      &f.Add<ui::Button>("RepeatReset1", Geometry{864, 288, 73, 17}, "Reset to 1", kPlain);

  // Colour-cycle group.
  f.Add<ui::Frame>("Bevel5", Geometry{656, 320, 289, 49});
  LabelColour = &f.Add<ui::Label>("LabelColour", 664, 324, "Cycle Colours", kBold);
  Label9 = &f.Add<ui::Label>("Label9", 752, 324, "Red         Green        Blue", kPlain);
  Label8 = &f.Add<ui::Label>("Label8", 664, 344, "Step", kPlain);
  SpinRed = &f.Add<ui::SpinBox>("SpinRed", Geometry{736, 340, 49, 22}, -128, 128, 0, kPlain);
  SpinGreen = &f.Add<ui::SpinBox>("SpinGreen", Geometry{784, 340, 49, 22}, -128, 128, 0, kPlain);
  SpinBlue = &f.Add<ui::SpinBox>("SpinBlue", Geometry{832, 340, 49, 22}, -128, 128, 0, kPlain);
  ZeroColStep = &f.Add<ui::Button>("ZeroColStep", Geometry{888, 344, 49, 17}, "Zero All", kPlain);

  // Pen position and size group.
  f.Add<ui::Frame>("Bevel7", Geometry{656, 376, 289, 161});
  f.Add<ui::Label>("Label17", 664, 380, "Pen Position &  Size", kBold);
  default_pos = &f.Add<ui::Button>("default_pos", Geometry{784, 380, 49, 17}, "Default", kPlain);
  repstep = &f.Add<ui::Label>("repstep", 896, 380, "Step", kPlain);
  ZeroPosStep = &f.Add<ui::Button>("ZeroPosStep", Geometry{888, 408, 49, 17}, "Zero All", kPlain);
  f.Add<ui::Label>("t_hole", 664, 408, "Pen position within moving gear:", kPlain);
  f.Add<ui::Label>("Label14", 664, 424, "Centre = 0; Outside Edge = 10 x Moving Gear", kPlain);
  ScrollBarHole = &f.Add<ui::ScrollBar>("ScrollBarHole", Geometry{664, 440, 217, 17}, 0, 1200, 480);
  Hole = &f.Add<ui::ValueBox>("Hole", Geometry{888, 440, 49, 21}, "480", kBold);
  holespin = &f.Add<ui::SpinBox>("holespin", Geometry{888, 440, 49, 22}, -2000, 2000, 0, kPlain);
  f.Add<ui::Label>("Label4", 664, 460, "Top of Design - 10ths of gear tooth", kPlain);
  ScrollBarTop = &f.Add<ui::ScrollBar>("ScrollBarTop", Geometry{664, 476, 217, 16}, -3600, 3600, 0);
  Align = &f.Add<ui::ValueBox>("Align", Geometry{888, 476, 49, 21}, "0", kBold);
  topspin = &f.Add<ui::SpinBox>("topspin", Geometry{888, 476, 49, 22}, -2000, 2000, 0, kPlain);
  f.Add<ui::Label>("Label5", 664, 496, "Size  - 1000ths ", kPlain);
  ScrollBarMagni =
      &f.Add<ui::ScrollBar>("ScrollBarMagni", Geometry{664, 512, 217, 16}, 1, 2000, 1000);
  Size = &f.Add<ui::ValueBox>("Size", Geometry{888, 512, 49, 21}, "1000", kBold);
  sizespin = &f.Add<ui::SpinBox>("sizespin", Geometry{888, 512, 49, 22}, -2000, 2000, 0, kPlain);

  // Centre group.
  f.Add<ui::Frame>("Bevel6", Geometry{656, 544, 289, 105});
  f.Add<ui::Label>("Label7", 664, 552, "Centre Of  Design", kBold);
  default_centre =
      &f.Add<ui::Button>("default_centre", Geometry{776, 552, 49, 17}, "Default", kPlain);
  repstep2 = &f.Add<ui::Label>("repstep2", 896, 552, "Step", kPlain);
  ZeroCentStep = &f.Add<ui::Button>("ZeroCentStep", Geometry{888, 568, 49, 17}, "Zero All", kPlain);
  f.Add<ui::Label>("CentreLabel1", 664, 572, "Horizontal (X) - 10ths of pixels", kPlain);
  ScrollBarCentreX =
      &f.Add<ui::ScrollBar>("ScrollBarCentreX", Geometry{664, 588, 217, 16}, -3200, 3200, 0);
  xcent = &f.Add<ui::ValueBox>("xcent", Geometry{888, 588, 49, 21}, "0", kBold);
  xspin = &f.Add<ui::SpinBox>("xspin", Geometry{888, 588, 49, 22}, -1920, 1920, 0, kPlain);
  f.Add<ui::Label>("CentreLabel2", 664, 608, "Vertical (Y)  - 10ths of pixels", kPlain);
  ScrollBarCentreY =
      &f.Add<ui::ScrollBar>("ScrollBarCentreY", Geometry{664, 624, 217, 16}, -3200, 3200, 0);
  ycent = &f.Add<ui::ValueBox>("ycent", Geometry{888, 624, 49, 21}, "0", kBold);
  yspin = &f.Add<ui::SpinBox>("yspin", Geometry{888, 624, 49, 22}, -1920, 1920, 0, kPlain);

  // Present but never shown: their commands are reached through the menu.
  const Geometry hidden{0, 0, 49, 17};
  Load = &f.Add<ui::Button>("Load", hidden, "Open Only", kPlain);
  save = &f.Add<ui::Button>("save", hidden, "Save", kPlain);
  savebmp = &f.Add<ui::Button>("savebmp", hidden, "Save BMP", kPlain);
  BackColor = &f.Add<ui::Button>("BackColor", hidden, "Canvas", kPlain);
  BlackOnWhite = &f.Add<ui::Button>("BlackOnWhite", hidden, "B on W", kPlain);
  WhiteonBlack = &f.Add<ui::Button>("WhiteonBlack", hidden, "W on B", kPlain);
  Refresh = &f.Add<ui::Button>("Refresh", hidden, "Refresh", kPlain);
  Button1 = &f.Add<ui::Button>("Button1", hidden, "Dump", kPlain);
  LoadPrint = &f.Add<ui::Button>("LoadPrint", hidden, "Open & Print", kPlain);
  Pfac = &f.Add<ui::ValueBox>("Pfac", Geometry{0, 0, 49, 21}, "480", kPlain);
  ScrollBarPrintFac =
      &f.Add<ui::ScrollBar>("ScrollBarPrintFac", Geometry{0, 0, 100, 16}, 50, 960, 480, 10, 10);

  for (ui::Control* c : std::initializer_list<ui::Control*>{
           PaintBox2,   LabelColour,  Label8,      Label9,           SpinRed,      SpinGreen,
           SpinBlue,    holespin,     topspin,     sizespin,         xspin,        yspin,
           ZeroPosStep, ZeroCentStep, ZeroColStep, repstep,          repstep2,     Load,
           save,        savebmp,      BackColor,   BlackOnWhite,     WhiteonBlack, Refresh,
           Button1,     LoadPrint,    Pfac,        ScrollBarPrintFac}) {
    c->SetVisible(false);
  }
  for (ui::ValueBox* box :
       {Stepdeg, Fixed, Moving, Points, reps, Hole, Align, Size, xcent, ycent, Pfac}) {
    box->SetEnabled(false);
  }
}

void TKorva::CreateMenu() {
  ui::Form& f = form_;
  File1 = &f.AddMenu("File1", "File");
  Open1 = &f.AddItem(*File1, "Open1", "Open");
  SaveTXT1 = &f.AddItem(*File1, "SaveTXT1", "Save TXT");
  SaveBMP1 = &f.AddItem(*File1, "SaveBMP1", "Save BMP");

  Background1 = &f.AddMenu("Background1", "Background");
  SelectColour1 = &f.AddItem(*Background1, "SelectColour1", "Select Colour");
  WhiteBlackPen1 = &f.AddItem(*Background1, "WhiteBlackPen1", "White (Black Pen)");
  BlackWhitePen1 = &f.AddItem(*Background1, "BlackWhitePen1", "Black (White Pen)");

  Printer1 = &f.AddMenu("Printer1", "Printing");
  PrintDesign1 = &f.AddItem(*Printer1, "PrintDesign1", "Print Design");
  Colour1 = &f.AddSubmenu(*Printer1, "Colour1", "Colour");
  Zoom1 = &f.AddSubmenu(*Printer1, "Zoom1", "Zoom");
  constexpr int kRadioGroup = 1;
  Mono2 = &f.AddItem(*Colour1, "Mono2", "Mono", kRadioGroup);
  N7Colours1 = &f.AddItem(*Colour1, "N7Colours1", "7 Colours", kRadioGroup);
  FullColour1 = &f.AddItem(*Colour1, "FullColour1", "Full Colour", kRadioGroup);
  N6001 = &f.AddItem(*Zoom1, "N6001", "600 %", kRadioGroup);
  N5001 = &f.AddItem(*Zoom1, "N5001", "500 %", kRadioGroup);
  N4001 = &f.AddItem(*Zoom1, "N4001", "400 %", kRadioGroup);
  N3001 = &f.AddItem(*Zoom1, "N3001", "300 %", kRadioGroup);
  N2501 = &f.AddItem(*Zoom1, "N2501", "250 %", kRadioGroup);
  N2001 = &f.AddItem(*Zoom1, "N2001", "200 %", kRadioGroup);
  N1501 = &f.AddItem(*Zoom1, "N1501", "150 %", kRadioGroup);
  N1001 = &f.AddItem(*Zoom1, "N1001", "100 %", kRadioGroup);
}
