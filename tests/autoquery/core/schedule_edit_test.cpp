#include "autoquery/core/schedule_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel::autoquery {
namespace {

using Slots = std::vector<ConnectionPoint>;
using Times = std::vector<std::string>;

const Times kNoWeekdays(7, "");

struct ApplyCase {
  const char* name;
  EditedSchedule edited;
  ScheduleRefusal refusal;
  std::optional<Slots> CPafter;  // the item holds Slots{"07:00"} before
};

class ApplyEditedSchedule : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyEditedSchedule, WritesTheRecordOrRefusesAndLeavesItAsItWas) {
  const ApplyCase& c = GetParam();
  TAzsItem item;
  item.AZSName = "A";
  item.Enable = !c.edited.Enable;
  item.HasUserQuery = !c.edited.HasUserQuery;
  item.ConnType = 0;
  item.ConnTimeTipe = 0;
  item.CP = Slots{"07:00"};
  const bool enableBefore = item.Enable;

  EXPECT_EQ(applyEditedSchedule(item, c.edited), c.refusal);
  const bool written = c.refusal == ScheduleRefusal::None;
  EXPECT_EQ(item.Enable, written ? c.edited.Enable : enableBefore);
  EXPECT_EQ(item.HasUserQuery != c.edited.HasUserQuery, !written);
  EXPECT_EQ(item.ConnType, written ? c.edited.ConnType : 0);
  EXPECT_EQ(item.ConnTimeTipe, written ? c.edited.ConnTimeTipe : 0);
  EXPECT_EQ(item.CP, c.CPafter);
  EXPECT_EQ(item.AZSName, "A");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyEditedSchedule,
    ::testing::Values(
        ApplyCase{"EnabledDailyWithoutTimesIsRefused",
                  {.Enable = true, .ConnTimeTipe = ScheduleKind::Daily, .weekdayTimes = {"08:00"}},
                  ScheduleRefusal::NoSessions,
                  Slots{"07:00"}},
        ApplyCase{"DisabledDailyWithoutTimesGetsAnEmptyList",
                  {.Enable = false, .ConnType = 1, .ConnTimeTipe = ScheduleKind::Daily},
                  ScheduleRefusal::None,
                  Slots{}},
        ApplyCase{"DailyTimesKeepTheirOrderDuplicatesAndRanges",
                  {.Enable = true,
                   .HasUserQuery = false,
                   .ConnType = 2,
                   .ConnTimeTipe = ScheduleKind::Daily,
                   .dailyTimes = {"18:00", "06:00", "06:00", "25:70"},
                   .weekdayTimes = kNoWeekdays},
                  ScheduleRefusal::None,
                  Slots{"18:00", "06:00", "06:00", "25:70"}},
        ApplyCase{"PartlyTypedDailyTimeIsRefused",
                  {.Enable = false,
                   .ConnTimeTipe = ScheduleKind::Daily,
                   .dailyTimes = {"08:00", "1 :3 "}},
                  ScheduleRefusal::PartlyTypedTime,
                  Slots{"07:00"}},
        ApplyCase{"WeekdaysFillSevenSlotsEvenWithoutAnyTime",
                  {.Enable = true,
                   .ConnTimeTipe = ScheduleKind::Weekdays,
                   .dailyTimes = {"1 :  "},
                   .weekdayTimes = kNoWeekdays},
                  ScheduleRefusal::None,
                  Slots(7, "")},
        ApplyCase{"WeekdayTimesGoToTheirDays",
                  {.Enable = true,
                   .ConnTimeTipe = ScheduleKind::Weekdays,
                   .weekdayTimes = {"09:00", "", "", "", "18:30", "", ""}},
                  ScheduleRefusal::None,
                  Slots{"09:00", "", "", "", "18:30", "", ""}},
        ApplyCase{"PartlyTypedWeekdayTimeIsRefused",
                  {.Enable = true,
                   .ConnTimeTipe = ScheduleKind::Weekdays,
                   .weekdayTimes = {"", "  :  ", "", "", "", "", ""}},
                  ScheduleRefusal::PartlyTypedTime,
                  Slots{"07:00"}},
        ApplyCase{"MonthDatesKeepTheirList",
                  {.Enable = true, .ConnType = 1, .ConnTimeTipe = ScheduleKind::MonthDates},
                  ScheduleRefusal::None,
                  Slots{"07:00"}}),
    [](const auto& testParam) { return std::string(testParam.param.name); });

// Also of the midnights the file left without a key.
TEST(ApplyEditedScheduleToStoredTimes, OnlyChangedTimesEndTheKeepingOfTheFilesTimes) {
  const struct {
    const char* name;
    EditedSchedule edited;
    bool keepsAfter;
  } cases[] = {
      {"the same times, polling switched on",
       {.Enable = true, .ConnTimeTipe = 1, .dailyTimes = {"07:00"}},
       true},
      {"a time changed", {.Enable = true, .ConnTimeTipe = 1, .dailyTimes = {"07:05"}}, false},
      {"the same times as weekdays", {.ConnTimeTipe = 2, .weekdayTimes = {"07:00"}}, false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TAzsItem item;
    item.ConnTimeTipe = ScheduleKind::Daily;
    item.CP = Slots{"07:00"};
    item.keepsStoredTimes = true;
    item.slotsWithoutKey = {0};
    ASSERT_EQ(applyEditedSchedule(item, test.edited), ScheduleRefusal::None);
    EXPECT_EQ(item.keepsStoredTimes, test.keepsAfter);
    EXPECT_EQ(item.slotsWithoutKey.empty(), !test.keepsAfter);
  }
}

TEST(PartlyTypedTime, IsABlankInADigitPlace) {
  const struct {
    const char* time;
    bool partly;
  } cases[] = {{"08:00", false}, {"25:70", false}, {"", false},     {"1 :00", true},
               {" 1:00", true},  {"10: 0", true},  {"10:0 ", true}, {"  :  ", true}};
  for (const auto& c : cases) EXPECT_EQ(isPartlyTypedTime(c.time), c.partly) << c.time;
}

}  // namespace
}  // namespace tarvel::autoquery
