// Which stations are due for a poll at one moment: pure functions of the schedules and the time.
// A slot is due when its text equals the moment formatted "hh:nn" character for character (read
// by the one reader of time texts, in the clock's form, with the moment's hours and minutes);
// there is no tolerance and no catching up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "platform/clock.h"

namespace tarvel::autoquery {

// One poll the moment asks for, with what the engine needs of the station, copied so that the
// engine never holds on to an item while the operator is asked.
struct DuePoll {
  int32_t position = 0;  // the item's position in the registry
  int32_t slot = 0;      // the slot of CP whose time matched
  std::string AZSName;
  int32_t ConnType = 0;
  int32_t ConnTimeTipe = 0;
  bool HasUserQuery = true;
};

// The moment as the due rule compares it.
struct PollMoment {
  int hours = 0;
  int minutes = 0;
  int isoWeekday = 1;  // 1 Monday .. 7 Sunday
};
PollMoment pollMoment(platform::DateTime moment);

// The slots of one item due at the moment, in slot order: for an enabled daily item every
// filled slot with that time (a time listed twice polls twice), except that the midnights read
// for missing keys (TAzsItem::slotsWithoutKey) are one poll together, and none beside a listed
// midnight; for an enabled weekday item the slot of the ISO weekday when it holds that time;
// nothing for other kinds, a disabled item or an absent list.
std::vector<int32_t> dueSlots(const TAzsItem& item, const PollMoment& moment);

// Whether the item is polled at any moment: enabled, daily or by weekdays, with a slot (for
// weekdays one of the seven) holding a time the clock shows.
bool isEverPolled(const TAzsItem& item);

// Every poll due at the moment, in registry order and, within an item, slot order.
std::vector<DuePoll> duePolls(const tAutoAZS& registry, platform::DateTime moment);

// One poll of an item: the minute (see poll_minute.h) and the slot due then.
struct DueSlot {
  int64_t minute = 0;
  int32_t slot = 0;
};

// What dueSlots answers at each of the minutes first .. last, as one list in minute order (within
// a minute, in dueSlots' order), found in one pass over the slots per day instead of one per
// minute, so that a range costs what its polls cost, not minutes times slots.
std::vector<DueSlot> dueSlotsBetween(const TAzsItem& item, int64_t first, int64_t last);

// A minute (see poll_minute.h) at which an item is due, with the last of its slots due then.
struct DueMinute {
  int64_t minute = 0;
  int32_t lastSlot = 0;
};

// The minutes first .. last at which the item is due, in order: dueSlotsBetween with each
// minute once, given with the last slot dueSlots answers then.
std::vector<DueMinute> dueMinutesBetween(const TAzsItem& item, int64_t first, int64_t last);

// One poll of the registry: the minute, the item's position and the slot due.
struct RegistryPoll {
  int64_t minute = 0;
  int32_t position = 0;
  int32_t slot = 0;
};

// Every poll of the registry in the minutes first .. last, in the order the engine makes them:
// by minute, then as duePolls gives them (registry order, then slot order). Its work grows with
// the polls and the stations, not with the minutes times the stations. Throws
// std::invalid_argument, as pollMoment does, when the range reaches beyond the clock's years.
std::vector<RegistryPoll> pollsBetween(const tAutoAZS& registry, int64_t first, int64_t last);

}  // namespace tarvel::autoquery
