#pragma once

namespace engine {

// How the drawing area shows the picture: the scale (screen pixels per
// picture pixel) and the picture point at the middle of the view. Plain
// arithmetic, so that zoom and pan can be checked without a window.
//
// Fit shows the whole picture in the view; the other scales are steps of
// sqrt 2 from Actual Pixels (scale 1), up to 64. A scale that shows less than
// the view keeps the picture centred; otherwise the view never goes past the
// picture's edges.
class ViewMapping {
 public:
  static constexpr double kMaxScale = 64.0;

  struct Point {
    double x = 0, y = 0;
    bool operator==(const Point&) const = default;
  };

  // A picture `pictureSize` pixels square in a view of `width` x `height`
  // screen pixels, at Fit.
  ViewMapping(int pictureSize, double width, double height);

  double Scale() const { return fit_ ? FitScale() : scale_; }
  double FitScale() const;
  bool IsFit() const { return fit_; }
  Point Centre() const { return centre_; }
  // The scale as the status bar shows it: "400 %".
  int Percent() const;

  // The view's size changed: Fit stays Fit, any other scale stays, and the
  // picture point at the middle stays there as far as the edges allow.
  void Resize(double width, double height);
  void Fit();
  void ActualPixels();
  // One step of sqrt 2 about the middle of the view, or about a point of
  // the view (screen pixels from its top left) that stays where it is.
  void ZoomIn();
  void ZoomOut();
  void ZoomInAbout(Point view);
  void ZoomOutAbout(Point view);
  // A factor such as a pinch gives, kept between Fit and 64.
  void ZoomBy(double factor, Point view);
  // Moves the picture by screen pixels: dx > 0 shows more of its right part.
  void Pan(double dx, double dy);
  void SetCentre(Point centre);

  Point ToPicture(Point view) const;
  Point ToView(Point picture) const;
  // The picture's top left corner in the view, in screen pixels.
  Point Origin() const { return ToView({0, 0}); }

 private:
  void SetScale(double scale, Point view);
  void Clamp();
  double NextStep(double scale, int direction) const;

  int size_;
  double width_, height_;
  bool fit_ = true;
  double scale_ = 1;
  Point centre_;
};

}  // namespace engine
