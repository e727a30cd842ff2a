#include "autosend/core/auto_send_due.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tarvel::autosend
