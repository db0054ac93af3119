#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace engine {

// Integer text conversion: leading blanks, then an optional sign and decimal
// digits, or '$' and hexadecimal digits, and nothing after; the value must fit
// a signed 32-bit integer.
std::optional<int32_t> TryStrToInt(const std::string& text);

// As TryStrToInt, failing with "'<text>' is not a valid integer value".
int32_t StrToInt(const std::string& text);

std::string InvalidIntegerMessage(const std::string& text);

}  // namespace engine
