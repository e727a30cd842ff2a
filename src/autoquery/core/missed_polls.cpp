#include "autoquery/core/missed_polls.h"

#include <algorithm>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/poll_due.h"
#include "autoquery/core/poll_minute.h"

namespace tarvel::autoquery {
namespace {

std::string timeOf(int64_t minute) { return platform::formatHourMinute(startOfMinute(minute)); }

// "name (hh:nn)".
std::string namedWithTime(const tAutoAZS& registry, const MissedPoll& poll) {
  return registry.Items(poll.position).AZSName + " (" + timeOf(poll.minute) + ")";
}

}  // namespace

std::vector<MissedPoll> pollsDueBetween(const tAutoAZS& registry, int64_t first, int64_t last) {
  std::vector<MissedPoll> missed;
  for (int32_t position = 0; position < registry.Count(); ++position) {
    for (const DueMinute& due : dueMinutesBetween(registry.Items(position), first, last)) {
      missed.push_back({due.minute, position, due.lastSlot});
    }
  }
  std::stable_sort(missed.begin(), missed.end(),
                   [](const MissedPoll& a, const MissedPoll& b) { return a.minute < b.minute; });
  return missed;
}

std::vector<std::string> missedPollMessages(const tAutoAZS& registry,
                                            const std::vector<MissedPoll>& missed) {
  std::vector<std::string> messages;
  if (missed.size() <= kMissedPollsReportedOneByOne) {
    for (const MissedPoll& poll : missed) {
      messages.push_back(text::kQueryMissed + namedWithTime(registry, poll));
    }
    return messages;
  }
  std::string sum = text::kQueriesMissed + std::to_string(missed.size()) + text::kMissedFrom +
                    timeOf(missed.front().minute) + text::kMissedTo + timeOf(missed.back().minute) +
                    text::kMissedFirst;
  for (std::size_t named = 0; named < kMissedPollsNamedInSum; ++named) {
    sum += (named == 0 ? "" : ", ") + namedWithTime(registry, missed[named]);
  }
  messages.push_back(std::move(sum));
  return messages;
}

}  // namespace tarvel::autoquery
