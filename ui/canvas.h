#pragma once
#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/colour.h"
#include "ui/trace_log.h"

class QPainter;

namespace ui {

// A canvas's picture and pens, cheap to take: the pixels are shared until
// the canvas draws again.
struct CanvasSnapshot {
  QImage image;
  Colour pen = 0, brush = 0;
  int penWidth = 1;
  // The traces behind the picture, when it is exactly them.
  std::optional<TraceLog> log;
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
  void LineTo(int x, int y) {
    // A 1-pixel line to where the pen is draws nothing. Most segments of a
    // dense pattern are such: checked here, they cost no call.
    if (x == penX_ && y == penY_ && penWidth_ <= 1) return;
    DrawLineTo(x, y);
  }
  // MoveTo the start's pixel, then LineTo each point's in turn: a run of a
  // trace's segments in one tight loop. `pixelOf` gives a point's pixel.
  template <class Point, class PixelOf>
  void Polyline(const Point& start, const Point* points, int64_t count, PixelOf pixelOf) {
    const auto first = pixelOf(start);
    MoveTo(first.x, first.y);
    for (int64_t i = 0; i < count; ++i) {
      const auto to = pixelOf(points[i]);
      LineTo(to.x, to.y);
    }
  }
  // Fills [left, right) x [top, bottom) with the brush colour.
  void FillRect(int left, int top, int right, int bottom);
  // Copies [left, right) x [top, bottom) of `source` onto the same place here.
  void CopyRect(const ImageCanvas& source, int left, int top, int right, int bottom);

  // The colour of one pixel; -1 outside the image.
  Colour PixelAt(int x, int y) const;
  // The picture as drawn so far.
  const QImage& Image() const;
  // Puts back a picture taken from Image() of a canvas of the same size,
  // with the traces behind it when they are known.
  void RestoreImage(const QImage& image, const std::optional<TraceLog>& log = std::nullopt);
  CanvasSnapshot Snapshot() const {
    return {Image(), penColour_, brushColour_, penWidth_, HeldLog()};
  }
  // The picture and pens of a snapshot; RestorePicture leaves the pens.
  void Restore(const CanvasSnapshot& snapshot);
  void RestorePicture(const CanvasSnapshot& snapshot) {
    RestoreImage(snapshot.image, snapshot.log);
  }

  // The traces drawn since the picture was last blanked, while the picture
  // is exactly them: a blank (a fill of the whole picture) starts the log
  // afresh, a trace between BeginTrace and EndTrace adds to it, and any
  // other change of the pixels leaves the picture unexplained until the
  // next blank or a restore that brings its log.
  // While a trace runs, the picture counts as its log before the trace only
  // when `shownLive`: a view is then shown the trace's points as they come.
  std::optional<TraceLog> HeldLog() const;
  void BeginTrace(bool shownLive);
  void EndTrace(const LoggedTrace& trace);
  // Grows with every change of the pixels (a line, a fill, a copy, a
  // restore), so a reader can tell whether the picture is still the one it saw.
  uint64_t Edits() const { return edits_; }

 private:
  void DrawLineTo(int x, int y);
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
  TraceLog log_{kWhite};
  bool logValid_ = true;
  uint64_t logEdits_ = 0;  // edits_ when the log last matched the pixels
  bool tracing_ = false;
  bool tracingLive_ = false;
};

QRgb ToQRgb(Colour colour);
Colour FromQRgb(QRgb rgb);

}  // namespace ui
