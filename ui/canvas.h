#pragma once
#include <QImage>
#include <cstdint>
#include <memory>

#include "core/colour.h"

class QPainter;

namespace ui {

// A canvas's picture and pens, cheap to take: the pixels are shared until
// the canvas draws again.
struct CanvasSnapshot {
  QImage image;
  Colour pen = 0, brush = 0;
  int penWidth = 1;
};

// A drawing surface over a retained RGB32 image, in integer pixels with the
// origin at the top-left and y downwards. Nothing drawn outside the image is
// an error: it is clipped.
class ImageCanvas {
 public:
  ImageCanvas(int width, int height, Colour fill = kWhite);
  ~ImageCanvas();
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }

  void SetPenColour(Colour colour) { penColour_ = colour; }
  Colour PenColour() const { return penColour_; }
  void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }
  int PenWidth() const { return penWidth_; }
  void SetBrushColour(Colour colour) { brushColour_ = colour; }
  Colour BrushColour() const { return brushColour_; }

  void MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
  }
  // Draws from the current position to (x, y), the end pixel excluded, and
  // makes (x, y) the current position. A 1-pixel pen draws aliased one-pixel
  // lines; wider pens draw round-capped lines of that width.
  void LineTo(int x, int y);
  // Fills [left, right) x [top, bottom) with the brush colour.
  void FillRect(int left, int top, int right, int bottom);
  // Copies [left, right) x [top, bottom) of `source` onto the same place here.
  void CopyRect(const ImageCanvas& source, int left, int top, int right, int bottom);

  // The colour of one pixel; -1 outside the image.
  Colour PixelAt(int x, int y) const;
  // The picture as drawn so far.
  const QImage& Image() const;
  // Puts back a picture taken from Image() of a canvas of the same size.
  void RestoreImage(const QImage& image);
  CanvasSnapshot Snapshot() const { return {Image(), penColour_, brushColour_, penWidth_}; }
  void Restore(const CanvasSnapshot& snapshot);
  // Grows with every change of the pixels (a line, a fill, a copy, a
  // restore), so a reader can tell whether the picture is still the one it saw.
  uint64_t Edits() const { return edits_; }

 private:
  void ThinLine(int x0, int y0, int x1, int y1);
  void WideLine(int x0, int y0, int x1, int y1);

  // The pixels for writing. `bits_` is the image's own buffer whenever no copy
  // shares it; writing through Bits() detaches it first.
  uint32_t* Bits();
  // Wide lines keep one painter open across calls; anything that reads the
  // image or may share it ends it.
  void EndPainting() const;

  QImage image_;
  mutable std::unique_ptr<QPainter> painter_;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  int64_t stride_ = 0;  // in pixels
  Colour penColour_ = kBlack;
  Colour brushColour_ = kWhite;
  int penWidth_ = 1;
  int penX_ = 0;
  int penY_ = 0;
  uint64_t edits_ = 0;
};

QRgb ToQRgb(Colour colour);
Colour FromQRgb(QRgb rgb);

}  // namespace ui
