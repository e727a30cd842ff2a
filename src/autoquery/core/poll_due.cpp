#include "autoquery/core/poll_due.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>

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

// Of the slots whose time is one minute of a day, in slot order, those that poll then: each time
// the file or the operator lists polls, so a time listed twice (a retry) polls twice. The slots
// that read "00:00" only because their key is missing are one poll together, and none beside a
// midnight that is listed: a count above the keys present must not flood the station with
// midnight exchanges nobody asked for. The one place that says so, for the minute's rule and for
// a range of minutes alike.
std::vector<int32_t> slotsPolledInOneMinute(const TAzsItem& item,
                                            std::span<const int32_t> holding) {
  std::vector<int32_t> polled;
  polled.reserve(holding.size());
  const bool anyListed = std::any_of(holding.begin(), holding.end(),
                                     [&](int32_t slot) { return !isSlotWithoutKey(item, slot); });
  bool keylessPolled = anyListed;
  for (const int32_t slot : holding) {
    if (!isSlotWithoutKey(item, slot)) {
      polled.push_back(slot);
    } else if (!keylessPolled) {
      polled.push_back(slot);
      keylessPolled = true;
    }
  }
  return polled;
}

// Calls visit(slot, minuteOfDay) for each slot of the item that can come due on a day of the ISO
// weekday, in slot order: for an enabled daily item every slot in the clock's form, for an
// enabled weekday item the weekday's own slot (slot j belongs to weekday j + 1) when it is.
template <typename Visit>
void forEachSlotOfDay(const TAzsItem& item, int isoWeekday, Visit&& visit) {
  if (!item.Enable || !item.CP) return;
  const std::vector<ConnectionPoint>& points = *item.CP;
  if (item.ConnTimeTipe == ScheduleKind::Daily) {
    for (std::size_t slot = 0; slot < points.size(); ++slot) {
      if (const std::optional<int> minuteOfDay = clockMinuteOfDay(points[slot])) {
        visit(static_cast<int32_t>(slot), *minuteOfDay);
      }
    }
  } else if (item.ConnTimeTipe == ScheduleKind::Weekdays) {
    const auto slot = static_cast<std::size_t>(isoWeekday - 1);
    if (slot >= points.size()) return;
    if (const std::optional<int> minuteOfDay = clockMinuteOfDay(points[slot])) {
      visit(static_cast<int32_t>(slot), *minuteOfDay);
    }
  }
}

// A slot due at a minute of the day.
struct DayPoll {
  int minuteOfDay = 0;
  int32_t slot = 0;
};

// The item's polls on a day of the ISO weekday, in minute order and, within a minute, in the
// order the minute's rule gives them.
std::vector<DayPoll> dayPolls(const TAzsItem& item, int isoWeekday) {
  std::vector<DayPoll> holding;
  holding.reserve(item.CP ? item.CP->size() : 0);
  forEachSlotOfDay(item, isoWeekday, [&](int32_t slot, int minuteOfDay) {
    holding.push_back({minuteOfDay, slot});
  });
  const auto earlier = [](const DayPoll& a, const DayPoll& b) {
    return a.minuteOfDay < b.minuteOfDay;
  };
  // Most lists are written in the order of the day already.
  if (!std::is_sorted(holding.begin(), holding.end(), earlier)) {
    std::stable_sort(holding.begin(), holding.end(), earlier);
  }
  std::vector<DayPoll> polls;
  polls.reserve(holding.size());
  std::vector<int32_t> minuteSlots;
  for (std::size_t begin = 0, end = 0; begin < holding.size(); begin = end) {
    minuteSlots.clear();
    for (end = begin;
         end < holding.size() && holding[end].minuteOfDay == holding[begin].minuteOfDay; ++end) {
      minuteSlots.push_back(holding[end].slot);
    }
    for (const int32_t slot : slotsPolledInOneMinute(item, minuteSlots)) {
      polls.push_back({holding[begin].minuteOfDay, slot});
    }
  }
  return polls;
}

}  // namespace

PollMoment pollMoment(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  return {parts.hour, parts.minute, platform::isoWeekday(moment)};
}

std::vector<int32_t> dueSlots(const TAzsItem& item, const PollMoment& moment) {
  std::vector<int32_t> holding;
  const int minuteOfDay = moment.hours * 60 + moment.minutes;
  forEachSlotOfDay(item, moment.isoWeekday, [&](int32_t slot, int slotMinute) {
    if (slotMinute == minuteOfDay) holding.push_back(slot);
  });
  return slotsPolledInOneMinute(item, holding);
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

std::vector<DueSlot> dueSlotsBetween(const TAzsItem& item, int64_t first, int64_t last) {
  std::vector<DueSlot> due;
  if (!item.Enable || !item.CP || first > last) return due;
  // A day's polls follow from its weekday alone, and only a weekday schedule's differ between
  // days: each is found once.
  std::array<std::optional<std::vector<DayPoll>>, 7> pollsOfWeekday;
  const bool sameEveryDay = item.ConnTimeTipe != ScheduleKind::Weekdays;
  int weekday = platform::isoWeekday(startOfMinute(dayOf(first) * kMinutesPerDay));
  for (int64_t day = dayOf(first); day <= dayOf(last); ++day, weekday = weekday % 7 + 1) {
    std::optional<std::vector<DayPoll>>& polls = pollsOfWeekday[sameEveryDay ? 0 : weekday - 1];
    if (!polls) polls = dayPolls(item, weekday);
    for (const DayPoll& poll : *polls) {
      const int64_t minute = day * kMinutesPerDay + poll.minuteOfDay;
      if (minute >= first && minute <= last) due.push_back({minute, poll.slot});
    }
  }
  return due;
}

std::vector<DueMinute> dueMinutesBetween(const TAzsItem& item, int64_t first, int64_t last) {
  std::vector<DueMinute> due;
  for (const DueSlot& slot : dueSlotsBetween(item, first, last)) {
    if (!due.empty() && due.back().minute == slot.minute) {
      due.back().lastSlot = slot.slot;
    } else {
      due.push_back({slot.minute, slot.slot});
    }
  }
  return due;
}

std::vector<RegistryPoll> pollsBetween(const tAutoAZS& registry, int64_t first, int64_t last) {
  std::vector<RegistryPoll> polls;
  if (first > last) return polls;
  // The minute's rule reads every minute as a moment of the clock; one it cannot hold throws.
  pollMoment(startOfMinute(first));
  pollMoment(startOfMinute(last));
  for (int32_t position = 0; position < registry.Count(); ++position) {
    for (const DueSlot& due : dueSlotsBetween(registry.Items(position), first, last)) {
      polls.push_back({due.minute, position, due.slot});
    }
  }
  // Each item's polls came in minute order, the items in registry order: a stable sort by minute
  // gives the engine's order.
  std::stable_sort(polls.begin(), polls.end(), [](const RegistryPoll& a, const RegistryPoll& b) {
    return a.minute < b.minute;
  });
  return polls;
}

}  // namespace tarvel::autoquery
