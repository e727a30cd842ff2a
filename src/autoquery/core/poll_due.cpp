#include "autoquery/core/poll_due.h"

#include "autoquery/core/time_text.h"

namespace tarvel::autoquery {
namespace {

bool slotHolds(const ConnectionPoint& slot, const PollMoment& moment) {
  if (!slot) return false;
  const std::optional<TimeText> time = readTimeText(*slot);
  return time && time->clockForm && time->hours == moment.hours &&
         time->minutes == moment.minutes;
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
    for (std::size_t slot = 0; slot < points.size(); ++slot) {
      if (slotHolds(points[slot], moment)) slots.push_back(static_cast<int32_t>(slot));
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

}  // namespace tarvel::autoquery
