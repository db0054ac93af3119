#pragma once
#include <array>
#include <cmath>
#include <limits>

namespace engine {

// The sine and cosine of an angle step.
struct Turn {
  long double step, sine, cosine;
};

// sin(x + d) and cos(x + d) from those of x and of d, in extended precision:
// each turn adds at most 2 units of 2^-64 to the error of a value within
// [-1, 1] (two roundings of half a unit and the step's cosine's unit).
inline void TurnBy(long double& sine, long double& cosine, const Turn& d) {
  const long double turnedSine = sine * d.cosine + cosine * d.sine;
  cosine = cosine * d.cosine - sine * d.sine;
  sine = turnedSine;
}

// The turns of the last few step values: the steps between a trace's
// consecutive angles take only a handful of values. Key is the step's exact
// type (double for θ, long double for the roll angle).
template <class Key>
class TurnCache {
 public:
  template <class FastTrig>
  const Turn& For(Key step) {
    for (int i = 0; i < kSize; ++i) {
      if (keys_[i] == step) return turns_[i];  // a NaN key matches nothing
    }
    const int i = next_;
    next_ = (next_ + 1) % kSize;
    keys_[i] = step;
    turns_[i].step = step;
    FastTrig::SinCos(step, turns_[i].sine, turns_[i].cosine);
    return turns_[i];
  }

 private:
  static constexpr int kSize = 4;
  std::array<Key, kSize> keys_ = {
      std::numeric_limits<Key>::quiet_NaN(), std::numeric_limits<Key>::quiet_NaN(),
      std::numeric_limits<Key>::quiet_NaN(), std::numeric_limits<Key>::quiet_NaN()};
  std::array<Turn, kSize> turns_{};
  int next_ = 0;
};

}  // namespace engine
