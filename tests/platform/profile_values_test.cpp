#include "platform/profile_values.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "platform/clock.h"

namespace tarvel::platform {
namespace {

TEST(ProfileValuesTest, Integers) {
  struct Case {
    const char* text;
    std::optional<int32_t> expected;
  };
  const Case cases[] = {
      {"0", 0},
      {"42", 42},
      {" 12\t", 12},
      {"+5", 5},
      {"-17", -17},
      {"0x10", 16},
      {"0X1f", 31},
      {"$10", std::nullopt},
      {"-$10", std::nullopt},
      {"$FF", std::nullopt},
      {"-0x10", -16},
      {"0x7FFFFFFF", INT32_MAX},
      {"0x80000000", INT32_MIN},
      {"0xFFFFFFFF", -1},
      {"0x00000000FF", 255},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"0x100000000", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"1 2", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"-", std::nullopt},
      {"0xG", std::nullopt},
      {"true", std::nullopt},
  };
  for (const Case& entry : cases) {
    EXPECT_EQ(parseProfileInteger(entry.text), entry.expected) << '"' << entry.text << '"';
  }
  EXPECT_EQ(formatProfileInteger(INT32_MIN), "-2147483648");
  EXPECT_EQ(formatProfileInteger(16), "16");
}

TEST(ProfileValuesTest, Booleans) {
  struct Case {
    const char* text;
    std::optional<bool> expected;
  };
  const Case cases[] = {{"1", true},        {"-1", true},           {"2", true},
                        {"0x10", true},     {"0", false},           {"0x0", false},
                        {"", std::nullopt}, {"true", std::nullopt}, {"yes", std::nullopt}};
  for (const Case& entry : cases) {
    EXPECT_EQ(parseProfileBool(entry.text), entry.expected) << '"' << entry.text << '"';
  }
  EXPECT_EQ(formatProfileBool(true), "1");
  EXPECT_EQ(formatProfileBool(false), "0");
}

TEST(ProfileValuesTest, DateTimesAreWrittenWithSecondsAndMidnightAsTheDateAlone) {
  EXPECT_EQ(formatProfileDateTime(encodeDateTime(2007, 3, 5, 14, 30, 0)), "05.03.2007 14:30:00");
  EXPECT_EQ(formatProfileDateTime(encodeDateTime(2007, 3, 5)), "05.03.2007");
  EXPECT_EQ(formatProfileDateTime(encodeDateTime(2024, 12, 31, 0, 0, 1)), "31.12.2024 00:00:01");
  EXPECT_EQ(formatProfileDateTime(0), "30.12.1899");
}

TEST(ProfileValuesTest, DateTimesReadWhatIsWritten) {
  const double values[] = {0, encodeDateTime(2007, 3, 5, 14, 30, 0), encodeDateTime(2007, 3, 5),
                           encodeDateTime(2000, 2, 29, 23, 59, 59), encodeDateTime(1900, 1, 1, 6)};
  for (const double value : values) {
    const auto reread = parseProfileDateTime(formatProfileDateTime(value));
    ASSERT_TRUE(reread.has_value()) << value;
    EXPECT_DOUBLE_EQ(*reread, value);
  }
  EXPECT_EQ(parseProfileDateTime("30.12.1899"), 0.0);
}

// Before the epoch the day count is negative but the time of day is not: -1.25 is
// 29.12.1899 06:00, a quarter of a day into the day before the epoch.
TEST(ProfileValuesTest, DatesBeforeTheEpochKeepTheirTimeOfDay) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"29.12.1899 06:00:00", -1.25},
      {"29.12.1899 18:00:00", -1.75},
      {"29.12.1899", -1.0},
      {"01.01.1800 06:00:00", -36522.25},
      {"01.01.0001 23:59:59", encodeDateTime(1, 1, 1, 23, 59, 59)},
      {"30.12.1899 06:00:00", 0.25},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(formatProfileDateTime(entry.value), entry.text) << entry.value;
    EXPECT_EQ(parseProfileDateTime(entry.text), entry.value) << entry.text;
  }
}

TEST(ProfileValuesTest, DateTimesThatNameNoDayAreRefused) {
  for (const double value :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), 1e300, -1e300, 2958466.0, -693594.0}) {
    EXPECT_THROW(formatProfileDateTime(value), std::invalid_argument) << value;
    EXPECT_THROW(formatProfileTime(value), std::invalid_argument) << value;
  }
}

TEST(ProfileValuesTest, DateTimeForms) {
  struct Case {
    const char* text;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {"5.3.2007 9:05", encodeDateTime(2007, 3, 5, 9, 5)},
      {"05.03.2007 14:30:15", encodeDateTime(2007, 3, 5, 14, 30, 15)},
      {"", std::nullopt},
      {"never", std::nullopt},
      {"31.02.2007", std::nullopt},
      {"05.03.07", std::nullopt},
      {"05.03.2007 25:00:00", std::nullopt},
      {"05.03.2007 14:30:00 extra", std::nullopt},
      {"05.03.2007x", std::nullopt},
      {"05/03/2007", std::nullopt},
  };
  for (const Case& entry : cases) {
    EXPECT_EQ(parseProfileDateTime(entry.text), entry.expected) << '"' << entry.text << '"';
  }
}

TEST(ProfileValuesTest, TimesOfDay) {
  struct Case {
    const char* text;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {"14:30", encodeTime(14, 30)},
      {"14:30:15", encodeTime(14, 30, 15)},
      {"9:05", encodeTime(9, 5)},
      {"00:00", 0.0},
      {"23:59:59", encodeTime(23, 59, 59)},
      {"24:00", std::nullopt},
      {"14:60", std::nullopt},
      {"14", std::nullopt},
      {"14:30:00:00", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
  };
  for (const Case& entry : cases) {
    EXPECT_EQ(parseProfileTime(entry.text), entry.expected) << '"' << entry.text << '"';
  }
  // Only the time of day is written.
  EXPECT_EQ(formatProfileTime(encodeDateTime(2007, 3, 5, 14, 30, 15)), "14:30:15");
  EXPECT_EQ(formatProfileTime(0), "00:00:00");
}

}  // namespace
}  // namespace tarvel::platform
