#include "engine/int_text.h"

#include "core/run_time_error.h"

namespace engine {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int32_t> TryStrToInt(const std::string& text) {
  size_t i = 0;
  const size_t n = text.size();
  // Blanks are spaces and control characters.
  while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i < n && text[i] == '$') {
    // Up to 32 bits, read as two's complement: $FFFFFFFF is -1.
    ++i;
    if (i == n) return std::nullopt;
    uint64_t value = 0;
    for (; i < n; ++i) {
      const int digit = HexDigit(text[i]);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<uint64_t>(digit);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  if (i == n) return std::nullopt;
  // The magnitude may reach 2^31 only when negative.
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  uint64_t value = 0;
  for (; i < n; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? 0u - static_cast<uint32_t>(value)
                                       : static_cast<uint32_t>(value));
}

int32_t StrToInt(const std::string& text) {
  const std::optional<int32_t> value = TryStrToInt(text);
  if (!value) throw RunTimeError(InvalidIntegerMessage(text));
  return *value;
}

std::string InvalidIntegerMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

}  // namespace engine
