#include "autoquery/core/poll_due.h"

#include <gtest/gtest.h>

#include "autoquery/core/poll_minute.h"
#include "autoquery/core/schedule_builder.h"

namespace tarvel::autoquery {
namespace {

using platform::encodeDateTime;
using testing::Schedule;

// 3 March 2025 was a Monday.
const platform::DateTime kMonday0800 = encodeDateTime(2025, 3, 3, 8, 0, 40);
const platform::DateTime kMonday0900 = encodeDateTime(2025, 3, 3, 9, 0);
const platform::DateTime kTuesday0900 = encodeDateTime(2025, 3, 4, 9, 0, 59);
const platform::DateTime kSunday2030 = encodeDateTime(2025, 3, 9, 20, 30);

struct DueCase {
  const char* name;
  Schedule schedule;
  platform::DateTime moment;
  std::vector<int32_t> dueSlots;
};

TEST(PollDue, SlotIsDueOnlyWhenItsTextEqualsTheMinuteOnItsDay) {
  const std::vector<ConnectionPoint> mondayNine = {"09:00", "", "", "", "", "", ""};
  const DueCase cases[] = {
      {"daily, same time twice is due once", {.CP = {"08:00", "12:00", "08:00"}}, kMonday0800, {0}},
      {"daily, switched off", {.Enable = false, .CP = {"08:00"}}, kMonday0800, {}},
      {"daily, written without the leading zero", {.CP = {"8:00"}}, kMonday0800, {}},
      {"daily, unset slot", {.CP = {std::nullopt, "08:00"}}, kMonday0800, {1}},
      {"weekday Monday on Monday", {.ConnTimeTipe = 2, .CP = mondayNine}, kMonday0900, {0}},
      {"weekday Monday on Tuesday", {.ConnTimeTipe = 2, .CP = mondayNine}, kTuesday0900, {}},
      {"weekday Sunday is slot 6",
       {.ConnTimeTipe = 2, .CP = {"", "", "", "", "", "", "20:30"}},
       kSunday2030,
       {6}},
      {"weekday list shorter than the week", {.ConnTimeTipe = 2, .CP = {"20:30"}}, kSunday2030, {}},
      {"dates of the month never", {.ConnTimeTipe = 3, .CP = {"08:00"}}, kMonday0800, {}},
      {"unknown kind never", {.ConnTimeTipe = 0, .CP = {"08:00"}}, kMonday0800, {}},
  };
  for (const DueCase& test : cases) {
    SCOPED_TRACE(test.name);
    tAutoAZS registry;
    testing::addSchedule(registry, test.schedule);
    EXPECT_EQ(dueSlots(registry.Items(0), pollMoment(test.moment)), test.dueSlots);
  }
}

TEST(PollDue, MinutesBetweenTwoTimesAreThoseTheRuleAnswersAtEachMinute) {
  const std::vector<Schedule> schedules = {
      {.CP = {"08:00", "23:59", "08:00", "00:00", "8:00", "24:00", std::nullopt}},
      {.Enable = false, .CP = {"08:00"}},
      {.ConnTimeTipe = 2, .CP = {"00:00", "09:00", "", "", "", "", "23:59"}},
      {.ConnTimeTipe = 2, .CP = {"09:00"}},
      {.ConnTimeTipe = 3, .CP = {"08:00"}},
  };
  // Sunday 20:00 to Tuesday 10:00: two midnights and three weekdays.
  const int64_t first = minuteSinceEpoch(kSunday2030) - 30;
  const int64_t last = minuteSinceEpoch(kTuesday0900) + 60;
  for (std::size_t index = 0; index < schedules.size(); ++index) {
    SCOPED_TRACE("schedule " + std::to_string(index));
    tAutoAZS registry;
    const TAzsItem& item = testing::addSchedule(registry, schedules[index]);
    std::vector<std::pair<int64_t, int32_t>> expected;
    for (int64_t minute = first; minute <= last; ++minute) {
      const std::vector<int32_t> dueHere = dueSlots(item, pollMoment(startOfMinute(minute)));
      if (!dueHere.empty()) expected.emplace_back(minute, dueHere.back());
    }
    std::vector<std::pair<int64_t, int32_t>> found;
    for (const DueMinute& due : dueMinutesBetween(item, first, last)) {
      found.emplace_back(due.minute, due.lastSlot);
    }
    EXPECT_EQ(found, expected);
  }
}

}  // namespace
}  // namespace tarvel::autoquery
