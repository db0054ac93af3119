#include "engine/view_mapping.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {
// Steps are sqrt 2 ^ k; a scale within this of a step counts as on it.
constexpr double kOnStep = 1e-9;
}  // namespace

ViewMapping::ViewMapping(int pictureSize, double width, double height)
    : size_(pictureSize), width_(width), height_(height), centre_{size_ / 2.0, size_ / 2.0} {}

double ViewMapping::FitScale() const {
  return std::min(width_, height_) / size_;
}

int ViewMapping::Percent() const {
  return static_cast<int>(std::lround(Scale() * 100));
}

void ViewMapping::Resize(double width, double height) {
  width_ = width;
  height_ = height;
  if (!fit_ && scale_ < FitScale()) fit_ = true;
  Clamp();
}

void ViewMapping::Fit() {
  fit_ = true;
  Clamp();
}

void ViewMapping::ActualPixels() {
  SetScale(1.0, {width_ / 2, height_ / 2});
}

void ViewMapping::ZoomIn() {
  ZoomInAbout({width_ / 2, height_ / 2});
}

void ViewMapping::ZoomOut() {
  ZoomOutAbout({width_ / 2, height_ / 2});
}

void ViewMapping::ZoomInAbout(Point view) {
  SetScale(NextStep(Scale(), +1), view);
}

void ViewMapping::ZoomOutAbout(Point view) {
  const double next = NextStep(Scale(), -1);
  if (next <= FitScale() * (1 + kOnStep)) return Fit();
  SetScale(next, view);
}

void ViewMapping::ZoomBy(double factor, Point view) {
  const double scale = std::clamp(Scale() * factor, std::min(FitScale(), kMaxScale), kMaxScale);
  if (scale <= FitScale()) {
    fit_ = true;
    Clamp();
    return;
  }
  SetScale(scale, view);
}

void ViewMapping::Pan(double dx, double dy) {
  const double scale = Scale();
  centre_.x += dx / scale;
  centre_.y += dy / scale;
  Clamp();
}

void ViewMapping::SetCentre(Point centre) {
  centre_ = centre;
  Clamp();
}

ViewMapping::Point ViewMapping::ToPicture(Point view) const {
  const double scale = Scale();
  return {centre_.x + (view.x - width_ / 2) / scale, centre_.y + (view.y - height_ / 2) / scale};
}

ViewMapping::Point ViewMapping::ToView(Point picture) const {
  const double scale = Scale();
  return {width_ / 2 + (picture.x - centre_.x) * scale,
          height_ / 2 + (picture.y - centre_.y) * scale};
}

// The picture point under `view` stays under it.
void ViewMapping::SetScale(double scale, Point view) {
  const Point keep = ToPicture(view);
  fit_ = false;
  scale_ = std::min(scale, kMaxScale);
  centre_ = {keep.x - (view.x - width_ / 2) / scale_, keep.y - (view.y - height_ / 2) / scale_};
  Clamp();
}

// Along each axis: centred while the picture is narrower than the view, else
// no further than its edges.
void ViewMapping::Clamp() {
  const double scale = Scale();
  auto clampAxis = [&](double& c, double extent) {
    const double half = extent / 2 / scale;
    if (half * 2 >= size_) {
      c = size_ / 2.0;
    } else {
      c = std::clamp(c, half, size_ - half);
    }
  };
  clampAxis(centre_.x, width_);
  clampAxis(centre_.y, height_);
}

// The next power of sqrt 2 above (direction +1) or below (-1) the scale.
double ViewMapping::NextStep(double scale, int direction) const {
  const double steps = 2 * std::log2(scale);
  double k = direction > 0 ? std::floor(steps + kOnStep) + 1 : std::ceil(steps - kOnStep) - 1;
  const double next = std::pow(2.0, k / 2);
  return std::min(next, kMaxScale);
}

}  // namespace engine
