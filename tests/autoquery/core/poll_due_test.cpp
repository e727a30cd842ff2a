#include "autoquery/core/poll_due.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "autoquery/core/poll_minute.h"
#include "autoquery/core/schedule_builder.h"

namespace tarvel::autoquery {
namespace {

using platform::encodeDateTime;
using testing::Schedule;

// 3 March 2025 was a Monday.
const platform::DateTime kMonday0000 = encodeDateTime(2025, 3, 3, 0, 0, 10);
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
      {"daily, same time listed twice is due twice",
       {.CP = {"08:00", "12:00", "08:00"}},
       kMonday0800,
       {0, 2}},
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

TEST(PollDue, MidnightsReadForMissingKeysAreOnePollTogether) {
  const DueCase cases[] = {
      {"three keys missing",
       {.CP = {"08:00", "00:00", "00:00", "00:00"}, .slotsWithoutKey = {1, 2, 3}},
       kMonday0000,
       {1}},
      {"beside a listed midnight, none",
       {.CP = {"00:00", "00:00", "00:00"}, .slotsWithoutKey = {0, 2}},
       kMonday0000,
       {1}},
      {"a midnight listed twice still polls twice",
       {.CP = {"00:00", "00:00", "00:00", "00:00"}, .slotsWithoutKey = {1, 3}},
       kMonday0000,
       {0, 2}},
      {"a weekday's missing key",
       {.ConnTimeTipe = 2, .CP = {"00:00"}, .slotsWithoutKey = {0}},
       kMonday0000,
       {0}},
  };
  for (const DueCase& test : cases) {
    SCOPED_TRACE(test.name);
    tAutoAZS registry;
    testing::addSchedule(registry, test.schedule);
    EXPECT_EQ(dueSlots(registry.Items(0), pollMoment(test.moment)), test.dueSlots);
  }
}

TEST(PollDue, RangesGiveWhatTheRuleAnswersAtEachMinute) {
  tAutoAZS registry;
  for (const Schedule& schedule : std::vector<Schedule>{
           {.CP = {"08:00", "23:59", "08:00", "00:00", "8:00", "24:00", std::nullopt}},
           {.CP = {"00:00", "00:00", "00:00"}, .slotsWithoutKey = {0, 1, 2}},  // keys missing
           {.CP = {"00:00", "00:00", "12:00", "00:00"}, .slotsWithoutKey = {1, 3}},
           {.Enable = false, .CP = {"08:00"}},
           {.ConnTimeTipe = 2, .CP = {"00:00", "09:00", "", "", "", "", "23:59"}},
           {.ConnTimeTipe = 2, .CP = {"09:00"}},
           {.ConnTimeTipe = 2, .CP = {"", "", "", "", "", "", "", "10:00"}},  // beyond Sunday
           {.ConnTimeTipe = 3, .CP = {"08:00"}},
           {.ConnTimeTipe = 7, .CP = {"08:00"}},
           {.CP = {"23:59", "00:00", "12:00", "00:00", "23:59"}},
       }) {
    testing::addSchedule(registry, schedule);
  }
  const struct {
    const char* name;
    int64_t first, last;
  } ranges[] = {
      {"Sunday 20:00 to Tuesday 10:00, two midnights", minuteSinceEpoch(kSunday2030) - 30,
       minuteSinceEpoch(kTuesday0900) + 60},
      {"nine days from Tuesday 09:00, each weekday once or twice", minuteSinceEpoch(kTuesday0900),
       minuteSinceEpoch(kTuesday0900) + 9 * kMinutesPerDay},
      {"one minute, midnight", minuteSinceEpoch(kMonday0900) - 540,
       minuteSinceEpoch(kMonday0900) - 540},
      {"before the clock's epoch", minuteSinceEpoch(encodeDateTime(1890, 6, 1, 22, 0)),
       minuteSinceEpoch(encodeDateTime(1890, 6, 3, 1, 0))},
  };
  for (const auto& range : ranges) {
    SCOPED_TRACE(range.name);
    std::vector<std::tuple<int64_t, int32_t, int32_t>> expected, found;
    std::vector<std::vector<std::pair<int64_t, int32_t>>> expectedLast(registry.Count());
    for (int64_t minute = range.first; minute <= range.last; ++minute) {
      for (const DuePoll& poll : duePolls(registry, startOfMinute(minute))) {
        expected.emplace_back(minute, poll.position, poll.slot);
        auto& last = expectedLast[static_cast<std::size_t>(poll.position)];
        if (last.empty() || last.back().first != minute) last.emplace_back(minute, poll.slot);
        last.back().second = poll.slot;
      }
    }
    for (const RegistryPoll& poll : pollsBetween(registry, range.first, range.last)) {
      found.emplace_back(poll.minute, poll.position, poll.slot);
    }
    EXPECT_EQ(found, expected);
    for (int32_t position = 0; position < registry.Count(); ++position) {
      std::vector<std::pair<int64_t, int32_t>> foundLast;
      for (const DueMinute& due :
           dueMinutesBetween(registry.Items(position), range.first, range.last)) {
        foundLast.emplace_back(due.minute, due.lastSlot);
      }
      EXPECT_EQ(foundLast, expectedLast[static_cast<std::size_t>(position)]) << "item " << position;
    }
  }
  // A range the clock cannot hold throws as the minute's rule does.
  const int64_t lastClockMinute = minuteSinceEpoch(encodeDateTime(9999, 12, 31, 23, 59));
  EXPECT_THROW(pollsBetween(registry, lastClockMinute, lastClockMinute + 1), std::invalid_argument);
}

}  // namespace
}  // namespace tarvel::autoquery
