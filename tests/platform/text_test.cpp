#include "platform/text.h"

#include <gtest/gtest.h>

namespace tarvel::platform {
namespace {

TEST(Text, TrimsBlanksAtBothEndsOnly) {
  EXPECT_EQ(trimBlanks(" \t\va b\t "), "a b");
  EXPECT_EQ(trimBlanks("   "), "");
  EXPECT_EQ(trimBlanks("\r\nx"), "\r\nx");
}

TEST(Text, ParsesDecimalIntegersOfThirtyTwoBits) {
  const struct {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"42", 42},
      {" -7 ", -7},
      {"+15", 15},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"", std::nullopt},
      {"+", std::nullopt},
      {"+-1", std::nullopt},
      {"0x10", std::nullopt},
      {"12abc", std::nullopt},
      {"1 2", std::nullopt},
  };
  for (const auto& testCase : cases) {
    EXPECT_EQ(parseDecimalInteger(testCase.text), testCase.value) << '"' << testCase.text << '"';
  }
}

}  // namespace
}  // namespace tarvel::platform
