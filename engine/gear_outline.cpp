#include "engine/gear_outline.h"

#include <cmath>

namespace engine::gear_detail {

Frame FrameOf(const Curve& curve) {
  return {curve.SizeFactor(), curve.SinTop(), curve.CosTop(),
          curve.ExactScreenPoint(CurvePoint{320, 320})};
}

std::vector<AreaPoint> Outline(const Frame& frame, AreaPoint centre, int64_t teeth, int sign,
                               LD phase, LD turn) {
  std::vector<AreaPoint> points;
  const LD radius = teeth;
  if (teeth == 0) return points;
  if (teeth > kMaxOutlineTeeth) {
    points.reserve(kMaxOutlineTeeth);
    for (int i = 0; i < kMaxOutlineTeeth; ++i) {
      const double angle = static_cast<double>(kTwoPi * i / kMaxOutlineTeeth);
      points.push_back(frame.At(centre, radius * std::cos(angle), radius * std::sin(angle)));
    }
    return points;
  }
  const LD depth = std::fmin(kToothDepth, radius * kDepthPerRadius);
  points.reserve(4 * static_cast<size_t>(teeth));
  for (int64_t j = 0; j < teeth; ++j) {
    for (int c = 0; c < 4; ++c) {
      const LD local = phase + kTwoPi * (j + kCorner[c]) / radius;
      const LD r = radius + sign * kCornerSign[c] * depth;
      // Doubles will do for the teeth, and are much quicker.
      const double angle = static_cast<double>(local + turn);
      points.push_back(frame.At(centre, r * std::cos(angle), r * std::sin(angle)));
    }
  }
  return points;
}

}  // namespace engine::gear_detail
