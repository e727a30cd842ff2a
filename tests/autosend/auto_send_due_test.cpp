#include "autosend/core/auto_send_due.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "autosend/core/send_interval.h"
#include "autosend/core/send_question.h"
#include "autosend/core/shift_number.h"

namespace tarvel::autosend {
namespace {

using platform::encodeDateTime;
using platform::encodeTime;

const platform::DateTime kLastSend = encodeDateTime(2007, 3, 5, 14, 30);

struct DueCase {
  const char* name;
  settings::InetSettings inet;
  platform::DateTime now;
  platform::DateTime setTime;
  std::optional<int32_t> shiftNumber;
  bool due;
};

settings::InetSettings moment(int32_t whenSend, int32_t interval = 1, double last = 0,
                              int32_t lastSmena = 0) {
  settings::InetSettings inet;
  inet.WhenSend = whenSend;
  inet.SendInterval = interval;
  inet.LastAutoSendTime = last;
  inet.LastSmena = lastSmena;
  return inet;
}

TEST(AutoSendDue, EachMomentDecidesFromItsOwnInputs) {
  const DueCase cases[] = {
      {"set time: same minute",
       moment(3),
       encodeDateTime(2007, 3, 5, 14, 5, 59),
       encodeTime(14, 5),
       {},
       true},
      {"set time: seconds of the set time ignored",
       moment(3),
       encodeDateTime(2007, 3, 5, 14, 5),
       encodeTime(14, 5, 45),
       {},
       true},
      {"set time: next minute",
       moment(3),
       encodeDateTime(2007, 3, 5, 14, 6),
       encodeTime(14, 5),
       {},
       false},
      {"set time: hour differs",
       moment(3),
       encodeDateTime(2007, 3, 5, 15, 5),
       encodeTime(14, 5),
       {},
       false},
      {"interval: never sent", moment(2, 1, 0), encodeDateTime(2007, 3, 5, 0, 0), 0, {}, true},
      {"interval: exact boundary",
       moment(2, 1, kLastSend),
       encodeDateTime(2007, 3, 5, 15, 30),
       0,
       {},
       true},
      {"interval: just before",
       moment(2, 1, kLastSend),
       encodeDateTime(2007, 3, 5, 15, 29, 59),
       0,
       {},
       false},
      {"interval: 48 hours, two days later",
       moment(2, 48, kLastSend),
       encodeDateTime(2007, 3, 7, 14, 30),
       0,
       {},
       true},
      {"interval: 48 hours, a minute short",
       moment(2, 48, kLastSend),
       encodeDateTime(2007, 3, 7, 14, 29),
       0,
       {},
       false},
      {"interval: last send in the future",
       moment(2, 1, kLastSend),
       encodeDateTime(2007, 3, 5, 10, 0),
       0,
       {},
       false},
      {"interval: future last send plus N reached",
       moment(2, 1, kLastSend),
       encodeDateTime(2007, 3, 5, 15, 30),
       0,
       {},
       true},
      {"interval: 0 hours is due at once", moment(2, 0, kLastSend), kLastSend, 0, {}, true},
      {"interval: negative hours count as 0", moment(2, -5, kLastSend), kLastSend, 0, {}, true},
      {"interval: beyond 999 counts as 999",
       moment(2, 100000, kLastSend),
       encodeDateTime(2007, 4, 16, 5, 30),
       0,
       {},
       true},
      {"shift: unchanged", moment(1, 1, 0, 7), kLastSend, 0, 7, false},
      {"shift: higher", moment(1, 1, 0, 7), kLastSend, 0, 8, true},
      {"shift: lower", moment(1, 1, 0, 7), kLastSend, 0, 3, true},
      {"shift: no shift number (-1) never", moment(1, 1, 0, 7), kLastSend, 0, -1, false},
      {"shift: number not supplied", moment(1, 1, 0, 7), kLastSend, 0, {}, false},
      {"WhenSend 0 never", moment(0, 0, 0), kLastSend, kLastSend, 5, false},
      {"WhenSend 4 never", moment(4, 0, 0), kLastSend, kLastSend, 5, false},
  };
  for (const DueCase& c : cases) {
    EXPECT_EQ(autoSendDue(c.inet, c.now, c.setTime, c.shiftNumber), c.due) << c.name;
  }
}

TEST(SendInterval, RoundsHalvesToEvenAndKeepsTheStoredRange) {
  const std::pair<double, int32_t> cases[] = {{0.2, 0},   {0.4, 0},   {0.5, 0}, {0.6, 1},
                                              {1.5, 2},   {2.5, 2},   {3.5, 4}, {998.5, 998},
                                              {999, 999}, {1e9, 999}, {-3.0, 0}};
  for (const auto& [editorValue, stored] : cases) {
    EXPECT_EQ(roundedIntervalHours(editorValue), stored) << editorValue;
  }
}

TEST(ShiftNumber, ConvertsIntegersEmptyAndDecimalText) {
  const std::pair<HostVariant, int32_t> cases[] = {
      {HostVariant::fromInteger(-1), -1},
      // Unassigned converts to 0: a host that has no shift number yet is at shift 0.
      {HostVariant::empty(), 0},
      {HostVariant::fromText(" 42\t"), 42},
      {HostVariant::fromText("+7"), 7},
      {HostVariant::fromText("-12"), -12},
      {HostVariant::fromText("2147483647"), 2147483647},
  };
  for (const auto& [answer, number] : cases) {
    EXPECT_EQ(shiftNumberFromHost(answer), number) << answer.text;
  }
}

TEST(ShiftNumber, RefusesWhatIsNoDecimalInteger) {
  const HostVariant refused[] = {
      HostVariant::null(),          HostVariant::fromText(" "),
      HostVariant::fromText(""),    HostVariant::fromText("abc"),
      HostVariant::fromText("12a"), HostVariant::fromText("0x10"),
      HostVariant::fromText("1 2"), HostVariant::fromText("2147483648"),
      HostVariant::fromText("+-3"), HostVariant::fromText("+"),
  };
  for (const HostVariant& answer : refused) {
    EXPECT_THROW(shiftNumberFromHost(answer), std::runtime_error) << answer.text;
  }
}

TEST(SendQuestion, ModemAddsTheOfficeReminderAndLinesEndInALoneCarriageReturn) {
  // "У вас включена автоматическая отправка отчетов" / "Сформировать и отправить отчет cейчас?"
  const std::string common =
      "\xd3 \xe2\xe0\xf1 \xe2\xea\xeb\xfe\xf7\xe5\xed\xe0 \xe0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7"
      "\xe5\xf1\xea\xe0\xff \xee\xf2\xef\xf0\xe0\xe2\xea\xe0 \xee\xf2\xf7\xe5\xf2\xee\xe2\r"
      "\xd1\xf4\xee\xf0\xec\xe8\xf0\xee\xe2\xe0\xf2\xfc \xe8 \xee\xf2\xef\xf0\xe0\xe2\xe8\xf2"
      "\xfc \xee\xf2\xf7\xe5\xf2 c\xe5\xe9\xf7\xe0\xf1?";
  // "(В офисе должно быть включено разрешение связи"
  const std::string reminder =
      "(\xc2 \xee\xf4\xe8\xf1\xe5 \xe4\xee\xeb\xe6\xed\xee \xe1\xfb\xf2\xfc \xe2\xea\xeb\xfe"
      "\xf7\xe5\xed\xee \xf0\xe0\xe7\xf0\xe5\xf8\xe5\xed\xe8\xe5 \xf1\xe2\xff\xe7\xe8";
  EXPECT_EQ(sendQuestionText(1), common + "\r" + reminder);
  EXPECT_EQ(sendQuestionText(2), common);
  EXPECT_EQ(sendQuestionText(3), common);
  // "Связь с офисом. Автоматическая отправка отчетов"
  EXPECT_EQ(sendQuestionTitle(),
            "\xd1\xe2\xff\xe7\xfc \xf1 \xee\xf4\xe8\xf1\xee\xec. \xc0\xe2\xf2\xee\xec\xe0\xf2"
            "\xe8\xf7\xe5\xf1\xea\xe0\xff \xee\xf2\xef\xf0\xe0\xe2\xea\xe0 \xee\xf2\xf7\xe5\xf2"
            "\xee\xe2");
}

}  // namespace
}  // namespace tarvel::autosend
