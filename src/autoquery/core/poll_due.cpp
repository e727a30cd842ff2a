#include "autoquery/core/poll_due.h"

#include <algorithm>
#include <map>
#include <optional>

#include "autoquery/core/poll_minute.h"
#include "autoquery/core/time_text.h"

namespace tarvel::autoquery {
namespace {

// The minute of the day a slot holds in the clock's own form, or nothing: such a slot matches a
// moment exactly when the moment is in that minute.
std::optional<int> clockMinuteOfDay(const ConnectionPoint& slot) {
  if (!slot) return std::nullopt;
  const std::optional<TimeText> time = readTimeText(*slot);
  if (!time || !time->clockForm || time->hours > 23 || time->minutes > 59) return std::nullopt;
  return time->hours * 60 + time->minutes;
}

bool slotHolds(const ConnectionPoint& slot, const PollMoment& moment) {
  return clockMinuteOfDay(slot) == moment.hours * 60 + moment.minutes;
}

}  // namespace

PollMoment pollMoment(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  return {parts.hour, parts.minute, platform::isoWeekday(moment)};
}

std::vector<int32_t> dueSlots(const TAzsItem& item, const PollMoment& moment) {
  std::vector<int32_t> slots;
  if (!item.Enable || !item.CP) return slots;
  const std::vector<ConnectionPoint>& points = *item.CP;
  if (item.ConnTimeTipe == ScheduleKind::Daily) {
    // The first slot of the minute is the poll; more of the same time (a list edited by hand,
    // or a count whose missing times all read as midnight) would only repeat the exchange.
    for (std::size_t slot = 0; slot < points.size(); ++slot) {
      if (slotHolds(points[slot], moment)) {
        slots.push_back(static_cast<int32_t>(slot));
        break;
      }
    }
  } else if (item.ConnTimeTipe == ScheduleKind::Weekdays) {
    // Slot j belongs to ISO weekday j + 1, so at most one slot can match.
    const auto slot = static_cast<std::size_t>(moment.isoWeekday - 1);
    if (slot < points.size() && slotHolds(points[slot], moment)) {
      slots.push_back(static_cast<int32_t>(slot));
    }
  }
  return slots;
}

bool isEverPolled(const TAzsItem& item) {
  if (!item.Enable || !item.CP) return false;
  const bool weekdays = item.ConnTimeTipe == ScheduleKind::Weekdays;
  if (item.ConnTimeTipe != ScheduleKind::Daily && !weekdays) return false;
  const std::vector<ConnectionPoint>& points = *item.CP;
  const std::size_t slots =
      weekdays ? std::min<std::size_t>(points.size(), kWeekdaySlotCount) : points.size();
  for (std::size_t slot = 0; slot < slots; ++slot) {
    const std::optional<TimeText> time = points[slot] ? readTimeText(*points[slot]) : std::nullopt;
    if (time && time->clockForm && time->hours < 24 && time->minutes < 60) return true;
  }
  return false;
}

std::vector<DuePoll> duePolls(const tAutoAZS& registry, platform::DateTime moment) {
  const PollMoment when = pollMoment(moment);
  std::vector<DuePoll> polls;
  for (int32_t position = 0; position < registry.Count(); ++position) {
    const TAzsItem& item = registry.Items(position);
    for (const int32_t slot : dueSlots(item, when)) {
      polls.push_back(
          {position, slot, item.AZSName, item.ConnType, item.ConnTimeTipe, item.HasUserQuery});
    }
  }
  return polls;
}

std::vector<DueMinute> dueMinutesBetween(const TAzsItem& item, int64_t first, int64_t last) {
  std::vector<DueMinute> due;
  if (!item.Enable || !item.CP || first > last) return due;
  const std::vector<ConnectionPoint>& points = *item.CP;
  const auto addIfWithin = [&](int64_t day, int minuteOfDay, int32_t slot) {
    const int64_t minute = day * kMinutesPerDay + minuteOfDay;
    if (minute >= first && minute <= last) due.push_back({minute, slot});
  };
  if (item.ConnTimeTipe == ScheduleKind::Daily) {
    // Every day the same minutes, each with the last slot that holds it.
    std::map<int, int32_t> lastSlotAt;
    for (std::size_t slot = 0; slot < points.size(); ++slot) {
      if (const std::optional<int> minuteOfDay = clockMinuteOfDay(points[slot])) {
        lastSlotAt[*minuteOfDay] = static_cast<int32_t>(slot);
      }
    }
    for (int64_t day = dayOf(first); day <= dayOf(last); ++day) {
      for (const auto& [minuteOfDay, slot] : lastSlotAt) addIfWithin(day, minuteOfDay, slot);
    }
  } else if (item.ConnTimeTipe == ScheduleKind::Weekdays) {
    for (int64_t day = dayOf(first); day <= dayOf(last); ++day) {
      const auto slot =
          static_cast<std::size_t>(platform::isoWeekday(startOfMinute(day * kMinutesPerDay)) - 1);
      if (slot >= points.size()) continue;
      if (const std::optional<int> minuteOfDay = clockMinuteOfDay(points[slot])) {
        addIfWithin(day, *minuteOfDay, static_cast<int32_t>(slot));
      }
    }
  }
  return due;
}

}  // namespace tarvel::autoquery
