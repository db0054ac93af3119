#pragma once
#include <stdexcept>
#include <string>

// A run-time error stops the handler that raised it and every handler it is
// nested in; the dispatcher shows its text in the standard error box.
class RunTimeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The texts of the arithmetic errors, as the error box shows them.
namespace errors {
inline constexpr const char* kIntegerOverflow = "Integer overflow";
inline constexpr const char* kRangeCheck = "Range check error";
inline constexpr const char* kDivisionByZero = "Division by zero";
inline constexpr const char* kFloatOverflow = "Floating point overflow";
}  // namespace errors
