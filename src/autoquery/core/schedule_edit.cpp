#include "autoquery/core/schedule_edit.h"

#include <algorithm>
#include <optional>

namespace tarvel::autoquery {
namespace {

constexpr size_t kDigitPlaces[] = {0, 1, 3, 4};

bool anyPartlyTyped(const std::vector<std::string>& times) {
  return std::any_of(times.begin(), times.end(),
                     [](const std::string& time) { return isPartlyTypedTime(time); });
}

std::vector<ConnectionPoint> filledSlots(const std::vector<std::string>& times) {
  return {times.begin(), times.end()};
}

}  // namespace

bool isPartlyTypedTime(std::string_view time) {
  return std::any_of(std::begin(kDigitPlaces), std::end(kDigitPlaces),
                     [time](size_t place) { return place < time.size() && time[place] == ' '; });
}

ScheduleRefusal applyEditedSchedule(TAzsItem& item, const EditedSchedule& edited) {
  // A disabled station may have no times, and a weekday schedule may have none at all.
  std::optional<std::vector<ConnectionPoint>> newCP;
  switch (edited.ConnTimeTipe) {
    case ScheduleKind::Daily:
      if (edited.Enable && edited.dailyTimes.empty()) return ScheduleRefusal::NoSessions;
      if (anyPartlyTyped(edited.dailyTimes)) return ScheduleRefusal::PartlyTypedTime;
      newCP = filledSlots(edited.dailyTimes);
      break;
    case ScheduleKind::Weekdays:
      if (anyPartlyTyped(edited.weekdayTimes)) return ScheduleRefusal::PartlyTypedTime;
      newCP = filledSlots(edited.weekdayTimes);
      break;
    default:
      break;
  }
  // Times the operator changed are written as the editor holds them, each line his own; the same
  // times left as they were keep what the file holds beyond them and its midnights without a key.
  if (newCP && (newCP != item.CP || edited.ConnTimeTipe != item.ConnTimeTipe)) {
    item.keepsStoredTimes = false;
    item.slotsWithoutKey.clear();
  }
  item.Enable = edited.Enable;
  item.HasUserQuery = edited.HasUserQuery;
  item.ConnType = edited.ConnType;
  item.ConnTimeTipe = edited.ConnTimeTipe;
  if (newCP) item.CP = std::move(newCP);
  return ScheduleRefusal::None;
}

}  // namespace tarvel::autoquery
