#include "raster/merge_scan.h"

#include <emmintrin.h>

// In SSE single precision, one point in the low lane or four side by side,
// with the same operations in the same order: no contraction into fused
// multiply-adds, whatever the compiler is allowed.
namespace {

struct Tried {
  __m128 x, y;
};

// The lanes of P that lengthen A-B (all bits set), B being each lane's
// point before.
template <bool kFour>
__m128 LengthenMask(Tried p, Tried b, __m128 ax, __m128 ay, __m128 scale) {
  const auto sub = [](__m128 u, __m128 v) { return kFour ? _mm_sub_ps(u, v) : _mm_sub_ss(u, v); };
  const auto mul = [](__m128 u, __m128 v) { return kFour ? _mm_mul_ps(u, v) : _mm_mul_ss(u, v); };
  const auto add = [](__m128 u, __m128 v) { return kFour ? _mm_add_ps(u, v) : _mm_add_ss(u, v); };
  const __m128 ux = mul(sub(p.x, ax), scale), uy = mul(sub(p.y, ay), scale);
  const __m128 vx = mul(sub(b.x, ax), scale), vy = mul(sub(b.y, ay), scale);
  const __m128 squared = add(mul(ux, ux), mul(uy, uy));
  const __m128 cross = sub(mul(vx, uy), mul(vy, ux));
  const __m128 tolerance = _mm_set1_ps(static_cast<float>(kMergeTolerance * kMergeTolerance));
  const __m128 length = _mm_set1_ps(static_cast<float>(kMergeLength * kMergeLength));
  // Each comparison but "differs" is false for NaN.
  const __m128 moves = _mm_or_ps(_mm_cmpneq_ps(p.x, b.x), _mm_cmpneq_ps(p.y, b.y));
  const __m128 near = _mm_cmple_ps(squared, length);
  const __m128 along = _mm_cmple_ps(mul(cross, cross), mul(tolerance, squared));
  return _mm_and_ps(moves, _mm_and_ps(near, along));
}

}  // namespace

bool Lengthens(float px, float py, float ax, float ay, float bx, float by, float scale) {
  const __m128 mask =
      LengthenMask<false>({_mm_set_ss(px), _mm_set_ss(py)}, {_mm_set_ss(bx), _mm_set_ss(by)},
                          _mm_set_ss(ax), _mm_set_ss(ay), _mm_set_ss(scale));
  return (_mm_movemask_ps(mask) & 1) != 0;
}

size_t LengtheningPoints(const float* xy, size_t count, float scale, float ax, float ay, float bx,
                         float by) {
  const __m128 ax4 = _mm_set1_ps(ax), ay4 = _mm_set1_ps(ay), scale4 = _mm_set1_ps(scale);
  size_t k = 0;
  // A dense trace lengthens tens of segments in a row: four at a time, with
  // no branch between them and each point's B known without waiting for
  // the point before to be decided.
  for (; k + 4 <= count; k += 4) {
    const __m128 low = _mm_loadu_ps(xy + 2 * k), high = _mm_loadu_ps(xy + 2 * k + 4);
    const Tried p{_mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0)),
                  _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1))};
    const Tried b{_mm_move_ss(_mm_shuffle_ps(p.x, p.x, _MM_SHUFFLE(2, 1, 0, 0)), _mm_set_ss(bx)),
                  _mm_move_ss(_mm_shuffle_ps(p.y, p.y, _MM_SHUFFLE(2, 1, 0, 0)), _mm_set_ss(by))};
    const int lengthening = _mm_movemask_ps(LengthenMask<true>(p, b, ax4, ay4, scale4));
    if (lengthening != 0xF) return k + static_cast<size_t>(__builtin_ctz(~lengthening));
    bx = xy[2 * k + 6], by = xy[2 * k + 7];
  }
  for (; k < count; ++k) {
    if (!Lengthens(xy[2 * k], xy[2 * k + 1], ax, ay, bx, by, scale)) break;
    bx = xy[2 * k], by = xy[2 * k + 1];
  }
  return k;
}
