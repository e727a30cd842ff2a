#include "platform/clock.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

#include "platform/platform_texts.h"

namespace tarvel::platform {
namespace {

// NaN while the real clock runs. Atomic, so that a test may move the clock from another thread
// while the user-interface thread waits in a call that blocks.
std::atomic<DateTime>& fixedClock() {
  static std::atomic<DateTime> fixed{std::numeric_limits<DateTime>::quiet_NaN()};
  return fixed;
}

// The Julian day of day 0, 30 December 1899.
qint64 epochJulianDay() { return QDate(1899, 12, 30).toJulianDay(); }

// The first and the last day a date-time can name: 01.01.0001 and 31.12.9999.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

}  // namespace

DateTime now() {
  if (const DateTime fixed = fixedClock().load(); !std::isnan(fixed)) return fixed;
  const QDateTime current = QDateTime::currentDateTime();
  const QDate date = current.date();
  const QTime time = current.time();
  return encodeDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                        time.second(), time.msec());
}

void setClockForTests(std::optional<DateTime> fixedNow) {
  fixedClock().store(fixedNow.value_or(std::numeric_limits<DateTime>::quiet_NaN()));
}

DateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond) {
  const QDate date(year, month, day);
  if (!date.isValid()) throw std::invalid_argument(text::kInvalidDate);
  const double days = static_cast<double>(date.toJulianDay() - epochJulianDay());
  const double time = encodeTime(hour, minute, second, millisecond);
  return days >= 0 ? days + time : days - time;
}

DateTime encodeTime(int hour, int minute, int second, int millisecond) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    throw std::invalid_argument(text::kInvalidTime);
  }
  const int64_t milliseconds = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

DateTimeParts decodeDateTime(DateTime value) {
  // Checked before any conversion: casting a NaN, an infinity or a huge double to an integer
  // is undefined.
  if (!std::isfinite(value) || std::trunc(value) < kFirstDay || std::trunc(value) > kLastDay) {
    throw std::invalid_argument(text::kDateTimeOutOfRange);
  }
  // The sign belongs to the day count alone: -1.25 is 29.12.1899 06:00, one day before the
  // epoch and a quarter of a day into it. The time of day is never negative.
  const double wholeDays = std::trunc(value);
  auto days = static_cast<int64_t>(wholeDays);
  int64_t rest = std::llround(std::fabs(value - wholeDays) * kMillisecondsPerDay);
  // A fraction that rounds up to a whole day belongs to the next calendar day.
  if (rest >= kMillisecondsPerDay) {
    rest -= kMillisecondsPerDay;
    ++days;
  }
  const QDate date = QDate::fromJulianDay(epochJulianDay() + days);
  DateTimeParts parts;
  parts.year = date.year();
  parts.month = date.month();
  parts.day = date.day();
  parts.millisecond = static_cast<int>(rest % 1000);
  rest /= 1000;
  parts.second = static_cast<int>(rest % 60);
  rest /= 60;
  parts.minute = static_cast<int>(rest % 60);
  parts.hour = static_cast<int>(rest / 60);
  return parts;
}

DateTime timeOfDay(DateTime value) {
  const DateTimeParts parts = decodeDateTime(value);
  return encodeTime(parts.hour, parts.minute, parts.second, parts.millisecond);
}

std::string formatHourMinute(DateTime value) {
  const DateTimeParts parts = decodeDateTime(value);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", parts.hour, parts.minute);
  return text;
}

std::string formatDateTimeSeconds(DateTime value) {
  const DateTimeParts parts = decodeDateTime(value);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", parts.day, parts.month,
                parts.year, parts.hour, parts.minute, parts.second);
  return text;
}

int minuteOfHour(DateTime value) { return decodeDateTime(value).minute; }

int isoWeekday(DateTime value) {
  const DateTimeParts parts = decodeDateTime(value);
  return QDate(parts.year, parts.month, parts.day).dayOfWeek();
}

}  // namespace tarvel::platform
