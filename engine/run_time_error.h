#pragma once
#include <stdexcept>
#include <string>

// A run-time error stops the handler that raised it and every handler it is
// nested in; the dispatcher shows its text in the standard error box.
class RunTimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

namespace errors {
inline constexpr const char* kIntegerOverflow = "Integer overflow";
inline constexpr const char* kRangeCheck = "Range check error";
inline constexpr const char* kDivisionByZero = "Division by zero";
inline constexpr const char* kFloatOverflow = "Floating point overflow";
inline constexpr const char* kInvalidFloat = "Invalid floating point operation";
inline constexpr const char* kScrollBarRange = "Scrollbar property out of range";
}  // namespace errors
