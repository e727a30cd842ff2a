// tarvel-schedule next: the polls of the coming hours, found by the polling engine's own due rule
// for a range of minutes (pollsBetween), which answers what duePolls answers asked minute by
// minute, as the engine's ticks ask it.
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QTextStream>
#include <optional>
#include <string>
#include <vector>

#include "autoquery/core/poll_due.h"
#include "autoquery/core/query_azs.h"

namespace tarvel::autoquery::schedule {

struct UpcomingPoll {
  int64_t minute = 0;  // as the engine counts minutes (poll_minute.h)
  QDateTime moment;    // the same minute on the office's clock
  int32_t position = 0;
  int32_t slot = 0;
  QueryRoute route =
      QueryRoute::Host;  // for a current host (version 7 or more) with the IP transport
};

// The polls due in the minutes from the one `from` falls in up to `hours` hours later, in time
// order and, within a minute, in the engine's order; only those of the named station (compared
// without regard to case, Windows-1251) when one is given. Throws std::invalid_argument, as the
// engine's rule does, for minutes beyond the clock's years.
std::vector<UpcomingPoll> upcomingPolls(const tAutoAZS& registry, const QDateTime& from, int hours,
                                        const std::optional<std::string>& station);

// The table of the polls, a line each, or the line that there are none.
void writeUpcomingPollsText(QTextStream& out, const tAutoAZS& registry,
                            const std::vector<UpcomingPoll>& polls, int hours);
// {"from", "hours", "polls": [{"time", "index", "slot", "name", "asks", "connectionType",
// "connectionTypeText", "route": "host" | "ipTransport"}]}
QJsonObject upcomingPollsJson(const tAutoAZS& registry, const std::vector<UpcomingPoll>& polls,
                              const QDateTime& from, int hours);

}  // namespace tarvel::autoquery::schedule
