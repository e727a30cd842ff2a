// The clock. Every read of the current date-time goes through now(), so tests can set it.
// Date-times are day counts since 30 December 1899, the fraction being the time of day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvel::platform {

using DateTime = double;

struct DateTimeParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The current local date-time (or the time a test set).
DateTime now();

// Test seam: a fixed "now"; std::nullopt restores the real clock. May be called from any thread.
void setClockForTests(std::optional<DateTime> fixedNow);

// Calendar values to a day count; throws std::invalid_argument for an impossible date or time.
DateTime encodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int millisecond = 0);
// A time of day alone (the date part 0).
DateTime encodeTime(int hour, int minute, int second = 0, int millisecond = 0);

// The calendar values of a day count, rounded to the nearest millisecond. The sign belongs to
// the day count alone (-1.25 is 29.12.1899 06:00). Throws std::invalid_argument for a value
// that is not finite or lies outside the years 1 to 9999.
DateTimeParts decodeDateTime(DateTime value);

// The time of day alone, as a fraction of a day (throws as decodeDateTime does).
DateTime timeOfDay(DateTime value);

// "hh:nn": two-digit 24-hour hours, a colon, two-digit minutes.
std::string formatHourMinute(DateTime value);

// "dd.mm.yyyy hh:nn:ss".
std::string formatDateTimeSeconds(DateTime value);

// The minute of the hour, 0 .. 59.
int minuteOfHour(DateTime value);

// The ISO weekday of the moment's date: 1 Monday to 7 Sunday.
int isoWeekday(DateTime value);

// Milliseconds in a day.
inline constexpr int64_t kMillisecondsPerDay = 86'400'000;

}  // namespace tarvel::platform
