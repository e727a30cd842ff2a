#include "platform/clock.h"

#include <gtest/gtest.h>

namespace tarvel::platform {
namespace {

TEST(DayCounts, CountFromTheThirtiethOfDecember1899) {
  EXPECT_EQ(encodeDateTime(1899, 12, 30), 0.0);
  EXPECT_EQ(encodeDateTime(1900, 1, 1), 2.0);
  EXPECT_EQ(encodeDateTime(2007, 3, 5, 12), 39146.5);
  EXPECT_THROW(encodeDateTime(2007, 2, 30), std::invalid_argument);
  EXPECT_THROW(encodeTime(24, 0), std::invalid_argument);
}

TEST(DayCounts, DecodeToTheNearestMillisecond) {
  const DateTime moment = encodeDateTime(2007, 3, 6, 9, 5, 7, 42);
  const DateTimeParts parts = decodeDateTime(moment);
  EXPECT_EQ(parts.year, 2007);
  EXPECT_EQ(parts.month, 3);
  EXPECT_EQ(parts.day, 6);
  EXPECT_EQ(parts.hour, 9);
  EXPECT_EQ(parts.minute, 5);
  EXPECT_EQ(parts.second, 7);
  EXPECT_EQ(parts.millisecond, 42);
  // A hair before midnight that rounds up belongs to the next day.
  const DateTimeParts nextDay = decodeDateTime(encodeDateTime(2007, 3, 6) + 0.9999999999);
  EXPECT_EQ(nextDay.day, 7);
  EXPECT_EQ(nextDay.hour, 0);
}

TEST(DayCounts, FormatHoursAndMinutesAndFullMoments) {
  EXPECT_EQ(formatHourMinute(encodeTime(14, 5, 59)), "14:05");
  EXPECT_EQ(formatHourMinute(encodeDateTime(2007, 3, 5, 0, 0)), "00:00");
  EXPECT_EQ(formatDateTimeSeconds(encodeDateTime(2007, 3, 5, 14, 30)), "05.03.2007 14:30:00");
  EXPECT_EQ(minuteOfHour(encodeDateTime(2007, 3, 5, 14, 59, 59)), 59);
  EXPECT_DOUBLE_EQ(timeOfDay(encodeDateTime(2007, 3, 5, 18)), 0.75);
}

TEST(DayCounts, IsoWeekdayOfTheMomentsDate) {
  const struct {
    DateTime moment;
    int weekday;
  } cases[] = {
      {0.0, 6},                                   // 30.12.1899, a Saturday
      {-1.25, 5},                                 // 29.12.1899 06:00
      {encodeDateTime(2025, 3, 3, 23, 59), 1},    // a Monday
      {encodeDateTime(2025, 3, 9, 0, 0), 7},      // the Sunday after it
      {encodeDateTime(2024, 2, 29, 12, 0), 4},    // a leap day, Thursday
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(isoWeekday(entry.moment), entry.weekday) << entry.moment;
  }
}

TEST(Clock, TestsCanFixNow) {
  const DateTime fixed = encodeDateTime(2010, 1, 2, 3, 4, 5);
  setClockForTests(fixed);
  EXPECT_EQ(now(), fixed);
  setClockForTests(std::nullopt);
  EXPECT_GT(now(), encodeDateTime(2020, 1, 1));
}

}  // namespace
}  // namespace tarvel::platform
