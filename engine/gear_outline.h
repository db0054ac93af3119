#pragma once
#include <cstdint>
#include <numbers>
#include <vector>

#include "engine/curve.h"
#include "engine/gear_overlay.h"

namespace engine::gear_detail {

using LD = long double;
inline constexpr LD kTwoPi = 2 * std::numbers::pi_v<LD>;

// Tooth height either side of the pitch line, in teeth units (a tooth's
// pitch is 2π of them), at most 0.3 of the tightest radius of the line.
inline constexpr LD kToothDepth = 0.8L;
inline constexpr LD kDepthPerRadius = 0.3L;
// Where a tooth's corners fall within its pitch: tip from -0.15 to 0.15,
// root from 0.35 to 0.65.
inline constexpr LD kCorner[4] = {-0.15L, 0.15L, 0.35L, 0.65L};
inline constexpr int kCornerSign[4] = {1, 1, -1, -1};
// An internal ring's band beyond its pitch line, in teeth units.
inline constexpr LD kRimWidth = 4;

// The tracer's frame: (b, a) in teeth units, turned by the top angle, scaled
// and with rows downwards, as Curve computes u and w.
struct Frame {
  LD s, sinTop, cosTop;
  AreaPoint origin;

  AreaPoint At(AreaPoint from, LD b, LD a) const {
    return {from.x + s * (a * cosTop - b * sinTop), from.y - s * (b * cosTop + a * sinTop)};
  }
};

// The frame of a curve, about the design's centre.
Frame FrameOf(const Curve& curve);

// A toothed outline around `centre`, turned by `turn`. With sign +1 the
// outline reaches furthest out (a tip of a gear, a gap of a ring) at local
// angle `phase`; with -1 it reaches furthest in there.
std::vector<AreaPoint> Outline(const Frame& frame, AreaPoint centre, int64_t teeth, int sign,
                               LD phase, LD turn);

// The gears of a shaped ring's curve (curve.Shaped()): the moving gear
// touches the ring at the contact point of arc length σ = Fθ, rolled round
// it without slipping.
GearOverlay ShapedGearsAt(const Curve& curve, double theta);

}  // namespace engine::gear_detail
