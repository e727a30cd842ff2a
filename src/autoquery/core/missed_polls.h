// The polls whose minute passed without a polling tick (the host frozen, the machine
// suspended), and how they are reported. A few are named one by one; more are summed up in one
// line, so that a chain of thousands of stations after hours without ticks costs the host one
// message, not one per station and minute, before the current minute's polls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"

namespace tarvel::autoquery {

// A station due in a minute (see poll_minute.h) that had no tick.
struct MissedPoll {
  int64_t minute = 0;
  int32_t position = 0;
  int32_t lastSlot = 0;  // the last of its slots due in that minute
};

// Up to this many missed polls are reported one message each; more make one line.
inline constexpr std::size_t kMissedPollsReportedOneByOne = 5;
// The line that sums them up names this many, the earliest first.
inline constexpr std::size_t kMissedPollsNamedInSum = 3;

// The stations due in the minutes first .. last, in minute and registry order, one entry per
// station and minute: a pass over each station's slots (dueMinutesBetween), not one per minute.
std::vector<MissedPoll> pollsDueBetween(const tAutoAZS& registry, int64_t first, int64_t last);

// The texts (kind 2) that report missed polls given in minute order: up to
// kMissedPollsReportedOneByOne, "Пропущен автозапрос на АЗС: " with the name and " (hh:nn)"
// each; more, one line "Пропущено автозапросов на АЗС: " with their number, " с " and " по " the
// first and last of their times, and ", первые: " the first names with their times.
std::vector<std::string> missedPollMessages(const tAutoAZS& registry,
                                            const std::vector<MissedPoll>& missed);

}  // namespace tarvel::autoquery
