#include "autoquery/core/poll_minute.h"

namespace tarvel::autoquery {

int64_t minuteSinceEpoch(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  const auto day =
      static_cast<int64_t>(platform::encodeDateTime(parts.year, parts.month, parts.day));
  return day * kMinutesPerDay + parts.hour * 60 + parts.minute;
}

int64_t dayOf(int64_t minute) {
  return minute >= 0 ? minute / kMinutesPerDay : -((-minute - 1) / kMinutesPerDay) - 1;
}

platform::DateTime startOfMinute(int64_t minute) {
  const int64_t day = dayOf(minute);
  const auto minuteOfDay = static_cast<int>(minute - day * kMinutesPerDay);
  const platform::DateTime time = platform::encodeTime(minuteOfDay / 60, minuteOfDay % 60);
  // The sign of a day count belongs to the day alone (see platform/clock.h).
  return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

}  // namespace tarvel::autoquery
