#include "engine/int_text.h"

#include <gtest/gtest.h>

#include "core/run_time_error.h"

using namespace engine;

namespace {

TEST(IntText, AcceptsDecimalWithOptionalSignAndLeadingBlanks) {
  const std::pair<const char*, int32_t> cases[] = {
      {"0", 0},
      {"5", 5},
      {"+5", 5},
      {"-5", -5},
      {"   42", 42},
      {"\t7", 7},
      {" \t\r\n-8", -8},
      {"007", 7},
      {"-0", 0},
      {"0000000000000000000000000000012", 12},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"+2147483647", 2147483647},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(TryStrToInt(text), value) << '"' << text << '"';
    EXPECT_EQ(StrToInt(text), value) << '"' << text << '"';
  }
}

TEST(IntText, AcceptsHexAsThirtyTwoBitTwosComplement) {
  const std::pair<const char*, int32_t> cases[] = {
      {"$0", 0},
      {"$10", 16},
      {"$ff", 255},
      {"$FF", 255},
      {"$aBc", 0xABC},
      {"  $7FFFFFFF", INT32_MAX},
      {"$80000000", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"$000000000000FF", 255},
      // A sign before the dollar negates the 32-bit value.
      {"-$10", -16},
      {"+$10", 16},
      {"-$FFFFFFFF", 1},
      {"-$80000000", INT32_MIN},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(TryStrToInt(text), value) << '"' << text << '"';
  }
}

TEST(IntText, RefusesEverythingElse) {
  const char* refused[] = {
      "",           "   ",        "+",   "-",          "$",           "-$",
      "5 ",         "5\t",        "1e3", "1.0",        "0x10",        "x10",
      "$1G",        "$ 1",        "- 5", "--5",        "+-5",         "$-1",
      "5-",         "12a",        "a12", "2147483648", "-2147483649", "99999999999999999999",
      "$100000000", "$1FFFFFFFF", "٣",   "１",
  };
  for (const char* text : refused) {
    EXPECT_EQ(TryStrToInt(text), std::nullopt) << '"' << text << '"';
  }
  // A NUL inside the text is not the end of it.
  EXPECT_EQ(TryStrToInt(std::string("12\0", 3)), std::nullopt);
}

TEST(IntText, FailureNamesTheText) {
  EXPECT_EQ(InvalidIntegerMessage("abc"), "'abc' is not a valid integer value");
  EXPECT_EQ(InvalidIntegerMessage(""), "'' is not a valid integer value");
  try {
    StrToInt(" 12x");
    FAIL() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_STREQ(e.what(), "' 12x' is not a valid integer value");
  }
  EXPECT_THROW(StrToInt(""), RunTimeError);
}

}  // namespace
