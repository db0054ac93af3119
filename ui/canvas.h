#pragma once
#include <QImage>

#include "engine/colour.h"

namespace ui {

// A drawing surface over a retained RGB32 image, in integer pixels with the
// origin at the top-left and y downwards. Nothing drawn outside the image is
// an error: it is clipped.
class ImageCanvas {
 public:
  ImageCanvas(int width, int height, Colour fill = kWhite);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }

  void SetPenColour(Colour colour) { penColour_ = colour; }
  Colour PenColour() const { return penColour_; }
  void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
  int PenWidth() const { return penWidth_; }
  void SetBrushColour(Colour colour) { brushColour_ = colour; }
  Colour BrushColour() const { return brushColour_; }

  void MoveTo(int x, int y) { penX_ = x; penY_ = y; }
  // Draws from the current position to (x, y), the end pixel excluded, and
  // makes (x, y) the current position. A 1-pixel pen draws aliased one-pixel
  // lines; wider pens draw round-capped lines of that width.
  void LineTo(int x, int y);
  // Fills [left, right) x [top, bottom) with the brush colour.
  void FillRect(int left, int top, int right, int bottom);
  // Copies [left, right) x [top, bottom) of `source` onto the same place here.
  void CopyRect(const ImageCanvas& source, int left, int top, int right, int bottom);

  Colour PixelAt(int x, int y) const;
  const QImage& Image() const { return image_; }

 private:
  void ThinLine(int x0, int y0, int x1, int y1);
  void WideLine(int x0, int y0, int x1, int y1);

  QImage image_;
  Colour penColour_ = kBlack;
  Colour brushColour_ = kWhite;
  int penWidth_ = 1;
  int penX_ = 0;
  int penY_ = 0;
};

QRgb ToQRgb(Colour colour);
Colour FromQRgb(QRgb rgb);

}  // namespace ui
