#include "autoquery/core/polling_engine.h"

#include <stdexcept>

#include "autoquery/core/autoquery_texts.h"

namespace tarvel::autoquery {
namespace {

constexpr int32_t kProgressMessage = 1;
constexpr int32_t kWarningMessage = 2;

// The minute a moment falls in, counted from the clock's epoch: tells one 08:05 from the next.
int64_t minuteSinceEpoch(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  const auto day =
      static_cast<int64_t>(platform::encodeDateTime(parts.year, parts.month, parts.day));
  return day * 1440 + parts.hour * 60 + parts.minute;
}

// Clears the running mark however the tick ends.
class RunningMark {
 public:
  explicit RunningMark(bool& running) : running_(running) { running_ = true; }
  ~RunningMark() { running_ = false; }
  RunningMark(const RunningMark&) = delete;
  RunningMark& operator=(const RunningMark&) = delete;

 private:
  bool& running_;
};

}  // namespace

PollingEngine::PollingEngine(Links links, std::recursive_mutex& timerLock)
    : links_(std::move(links)), timerLock_(timerLock) {
  if (links_.host == nullptr) throw std::invalid_argument("PollingEngine without a host");
}

void PollingEngine::tick() {
  const std::lock_guard hold(timerLock_);
  if (ticking_) return;
  const RunningMark running(ticking_);

  const platform::DateTime moment = platform::now();
  const int minute = platform::minuteOfHour(moment);
  if (minute == LastMinute_) return;

  if (links_.registry != nullptr) walk(*links_.registry, moment, minuteSinceEpoch(moment));
  unfinished_.reset();
  LastMinute_ = minute;
}

void PollingEngine::walk(const tAutoAZS& registry, platform::DateTime moment,
                         int64_t minuteSinceEpoch) {
  PollPlace resumeAt{0, 0};
  if (unfinished_ && unfinished_->minuteSinceEpoch == minuteSinceEpoch) {
    resumeAt = unfinished_->resumeAt;
  }
  int32_t declinedPosition = -1;
  for (const DuePoll& poll : duePolls(registry, moment)) {
    const PollPlace place{poll.position, poll.slot};
    // Polls made before an error in this same minute are not made again.
    if (place < resumeAt) continue;
    // A declined station is not asked again for its other slots.
    if (poll.position == declinedPosition) continue;
    try {
      if (!pollStation(poll)) declinedPosition = poll.position;
    } catch (...) {
      unfinished_ = UnfinishedMinute{minuteSinceEpoch, place};
      throw;
    }
  }
}

bool PollingEngine::pollStation(const DuePoll& poll) {
  HostCallback& host = *links_.host;
  if (poll.HasUserQuery && links_.confirm && !links_.confirm(poll.AZSName)) {
    host.ReportMessage(kProgressMessage, text::kQueryCancelled + poll.AZSName);
    return false;
  }
  host.ReportMessage(kProgressMessage, text::kQueryStarting + poll.AZSName);
  if (host.GetVersion() >= kQueryMinimumVersion) {
    QueryAZS(host, links_.autoSendInetFromOffice, poll.AZSName, poll.ConnType, HostVariant::null());
  } else {
    host.ReportMessage(kWarningMessage, poll.ConnTimeTipe == ScheduleKind::Daily
                                            ? text::kOldCallbackDaily
                                            : text::kOldCallbackWeekdays);
  }
  return true;
}

}  // namespace tarvel::autoquery
