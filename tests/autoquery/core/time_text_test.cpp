#include "autoquery/core/time_text.h"

#include <gtest/gtest.h>

namespace tarvel::autoquery {
namespace {

TEST(TimeTextTest, ReadsTheTwoDigitPairsAndTellsTheClocksForm) {
  const struct {
    const char* text;
    std::optional<TimeText> expected;
  } cases[] = {
      {"08:05", TimeText{8, 5, true}},
      {"23:59", TimeText{23, 59, true}},
      {"25:70", TimeText{25, 70, true}},  // not checked against a clock
      {"08-05", TimeText{8, 5, false}},   // the third character is not read
      {"08:05 ", TimeText{8, 5, false}},  // nor any after the fifth
      {"08:5", std::nullopt},
      {"", std::nullopt},
      {"8:05 ", std::nullopt},
      {"12:3 ", std::nullopt},  // typed only in part
      {" 8:05", std::nullopt},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.text);
    const std::optional<TimeText> time = readTimeText(entry.text);
    ASSERT_EQ(time.has_value(), entry.expected.has_value());
    if (!time) continue;
    EXPECT_EQ(time->hours, entry.expected->hours);
    EXPECT_EQ(time->minutes, entry.expected->minutes);
    EXPECT_EQ(time->clockForm, entry.expected->clockForm);
  }
}

}  // namespace
}  // namespace tarvel::autoquery
