#pragma once
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace exporting::detail {

// Drawing-area pixels written as millimetres of a drawing S mm wide, with
// the fewest decimals that keep every number within 0.003 px of the exact
// point, and no trailing zeros. Only points on the page are written, so no
// number is negative.
class SvgNumbers {
 public:
  // 0.003 px less a little, for whoever reads the numbers back.
  static constexpr long double kMaxErrorPx = 0.0029L;

  explicit SvgNumbers(double sizeMm) {
    const long double mmPerPixel = static_cast<long double>(sizeMm) / 640;
    while (decimals_ < 12 && 0.5L / scale_ > kMaxErrorPx * mmPerPixel) {
      ++decimals_;
      scale_ *= 10;
    }
    factor_ = mmPerPixel * scale_;
    errorPx_ = 0.5L / scale_ / mmPerPixel;
    // The page's far edge in units: the most that reads back as no more
    // than the size the document states.
    edgeUnits_ = RoundToInteger(static_cast<long double>(sizeMm) * scale_);
    while (edgeUnits_ > 0 && ReadBack(edgeUnits_) > sizeMm) --edgeUnits_;
  }

  int Decimals() const { return decimals_; }
  // The most a written number can differ from the exact one, in pixels.
  long double ErrorPx() const { return errorPx_; }

  // A point on the page, [0, 640] px, in written units (1 / 10^Decimals()
  // mm): the nearest, held within the page as the document states it.
  int64_t Units(long double px) const {
    const int64_t units = RoundToInteger(px * factor_);
    return units < 0 ? 0 : units > edgeUnits_ ? edgeUnits_ : units;
  }

  // At most kMaxChars characters. kDecimals, when not negative, is
  // Decimals() known at compile time, which spares two divisions a number.
  static constexpr int kMaxChars = 24;
  template <int kDecimals = -1>
  char* Write(char* out, int64_t units) const {
    const uint64_t magnitude = static_cast<uint64_t>(units);
    const uint64_t scale = kDecimals >= 0 ? Pow10(kDecimals) : scale_;
    const int decimals = kDecimals >= 0 ? kDecimals : decimals_;
    out = std::to_chars(out, out + 24, magnitude / scale).ptr;
    uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
      *out++ = '.';
      char* end = out + decimals;
      for (char* digit = end; digit != out;) {
        *--digit = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
      }
      while (end[-1] == '0') --end;
      out = end;
    }
    return out;
  }

  static constexpr uint64_t Pow10(int n) { return n <= 0 ? 1 : 10 * Pow10(n - 1); }

 private:
  // Nearest, ties to even, without touching the control word.
  static int64_t RoundToInteger(long double v) {
    int64_t r;
    __asm__("fistpll %0" : "=m"(r) : "t"(v) : "st");
    return r;
  }

  double ReadBack(int64_t units) const {
    char text[kMaxChars + 1];
    *Write(text, units) = '\0';
    return std::strtod(text, nullptr);
  }

  int decimals_ = 0;
  uint64_t scale_ = 1;
  long double factor_ = 0;
  long double errorPx_ = 0;
  int64_t edgeUnits_ = 0;
};

// The shortest text that reads back as `v`.
inline std::string ShortestText(double v) {
  char text[40];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

}  // namespace exporting::detail
