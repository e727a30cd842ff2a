// What the schedule editor's "Применить" writes into a station's record, and when it refuses,
// without any window: the editor only collects the values its controls hold and shows the
// refusal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "autoquery/core/azs_item.h"

namespace tarvel::autoquery {

// The values of the editor's controls at "Применить". Times are Windows-1251 texts as the
// time fields form them ("hh:nn", a blank where no digit was typed).
struct EditedSchedule {
  bool Enable = false;
  bool HasUserQuery = true;
  int32_t ConnType = settings::ConnectionType::DirectIp;
  int32_t ConnTimeTipe = ScheduleKind::Daily;
  std::vector<std::string> dailyTimes{};    // the lines of the daily list, in order
  std::vector<std::string> weekdayTimes{};  // the weekday rows, Monday first; empty: no session
};

enum class ScheduleRefusal {
  None,
  NoSessions,       // polling on, daily, and not one time in the list
  PartlyTypedTime,  // a time to be stored has a blank where a digit belongs
};

// A time with a blank in one of its four digit places was typed only in part. Any other text,
// also one out of the ranges of hours and minutes such as 25:70, counts as typed in full.
bool isPartlyTypedTime(std::string_view time);

// Refuses edited (item stays as it was), or writes it into item; the office window then
// refreshes the station's frame. The name is not edited. Kind 1 replaces CP by the daily times,
// kind 2 by the weekday times; any other kind keeps CP as it was. Changed times (or kind) end
// the item's keeping of the times stored in the file and of its slots without a key.
ScheduleRefusal applyEditedSchedule(TAzsItem& item, const EditedSchedule& edited);

}  // namespace tarvel::autoquery
