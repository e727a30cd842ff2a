#include "autoquery/core/polling_engine.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/time_text.h"

namespace tarvel::autoquery {
namespace {

constexpr int64_t kMinutesPerDay = 24 * 60;

// The minute a moment falls in, counted from the clock's epoch: tells one 08:05 from the next.
int64_t minuteSinceEpoch(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  const auto day =
      static_cast<int64_t>(platform::encodeDateTime(parts.year, parts.month, parts.day));
  return day * kMinutesPerDay + parts.hour * 60 + parts.minute;
}

// The day such a minute falls in.
int64_t dayOf(int64_t minute) {
  return minute >= 0 ? minute / kMinutesPerDay : -((-minute - 1) / kMinutesPerDay) - 1;
}

// The first moment of such a minute.
platform::DateTime startOfMinute(int64_t minute) {
  const int64_t day = dayOf(minute);
  const auto minuteOfDay = static_cast<int>(minute - day * kMinutesPerDay);
  const platform::DateTime time = platform::encodeTime(minuteOfDay / 60, minuteOfDay % 60);
  // The sign of a day count belongs to the day alone (see platform/clock.h).
  return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

// A station due in a minute that had no tick.
struct MissedStation {
  int64_t minute = 0;
  int32_t position = 0;
  int32_t lastSlot = 0;  // the last of its slots due in that minute
};

// The stations due in the minutes first .. last, in minute and registry order, one entry per
// station and minute. Each station's own times give the minutes to look at, and the due rule
// decides, so a day of minutes costs a pass over the registry rather than one per minute.
std::vector<MissedStation> stationsDueBetween(const tAutoAZS& registry, int64_t first,
                                              int64_t last) {
  std::vector<MissedStation> missed;
  const int64_t firstDay = dayOf(first);
  for (int32_t position = 0; position < registry.Count(); ++position) {
    const TAzsItem& item = registry.Items(position);
    if (!item.Enable || !item.CP) continue;
    std::set<int64_t> minutes;
    for (const ConnectionPoint& slot : *item.CP) {
      const std::optional<TimeText> time = slot ? readTimeText(*slot) : std::nullopt;
      if (!time || !time->clockForm || time->hours > 23 || time->minutes > 59) continue;
      for (int64_t day = firstDay; day * kMinutesPerDay <= last; ++day) {
        const int64_t minute = day * kMinutesPerDay + time->hours * 60 + time->minutes;
        if (minute >= first && minute <= last) minutes.insert(minute);
      }
    }
    for (const int64_t minute : minutes) {
      const std::vector<int32_t> slots = dueSlots(item, pollMoment(startOfMinute(minute)));
      if (!slots.empty()) missed.push_back({minute, position, slots.back()});
    }
  }
  std::stable_sort(missed.begin(), missed.end(),
                   [](const MissedStation& a, const MissedStation& b) { return a.minute < b.minute; });
  return missed;
}

// Sets a mark for as long as it lives.
template <typename Value>
class ScopedValue {
 public:
  ScopedValue(Value& target, Value value) : target_(target), old_(std::exchange(target, value)) {}
  ~ScopedValue() { target_ = std::move(old_); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  Value& target_;
  Value old_;
};

}  // namespace

struct PollingEngine::State {
  // Where a walk stands: the item's position and the slot, ordered as the walk goes.
  using PollPlace = std::pair<int32_t, int32_t>;
  struct UnfinishedMinute {
    int64_t minute = 0;
    PollPlace resumeAt;
  };

  State(Links givenLinks, std::recursive_mutex& givenTimerLock)
      : links(std::move(givenLinks)), timerLock(givenTimerLock) {}

  void tick();
  void walkMinute(int64_t minute);
  void reportMissed(const tAutoAZS& registry, int64_t minute);
  void walk(const tAutoAZS& registry, int64_t minute);
  // Asks, reports and starts one poll; false when the operator declined it or the engine stopped.
  bool pollStation(const DuePoll& poll);
  bool isKnown(int64_t minute) const;
  // Forgets minutes more than a day from the one walked now.
  void forgetOldMinutes(int64_t minute);

  Links links;
  std::recursive_mutex& timerLock;
  bool busy = false;
  bool stopped = false;
  std::optional<int64_t> walking;     // the minute being walked
  std::optional<int64_t> lastWalked;  // the minute walked last
  std::set<int64_t> walked;           // minutes walked within a day of the last one
  std::set<int64_t> reported;         // minutes reported as missed, as long
  std::deque<int64_t> waiting;        // minutes whose tick came while busy, in order
  std::optional<UnfinishedMinute> unfinished;
};

PollingEngine::PollingEngine(Links links, std::recursive_mutex& timerLock)
    : state_(std::make_shared<State>(std::move(links), timerLock)) {
  if (state_->links.host == nullptr) throw std::invalid_argument("PollingEngine without a host");
}

PollingEngine::~PollingEngine() { stop(); }

void PollingEngine::tick() {
  // Kept alive by the tick itself: UnLoad may free the engine while the operator is asked.
  const std::shared_ptr<State> state = state_;
  state->tick();
}

void PollingEngine::stop() {
  state_->stopped = true;
  state_->waiting.clear();
  if (state_->busy && state_->links.closeConfirmation) state_->links.closeConfirmation();
}

int PollingEngine::LastMinute() const {
  return state_->lastWalked ? platform::minuteOfHour(startOfMinute(*state_->lastWalked)) : 0;
}

void PollingEngine::State::tick() {
  const std::lock_guard hold(timerLock);
  if (stopped) return;
  const int64_t minute = minuteSinceEpoch(platform::now());
  if (!isKnown(minute)) waiting.push_back(minute);
  // A tick delivered inside a running one (the confirmation's event loop) only leaves its
  // minute to the running tick.
  if (busy) return;
  const ScopedValue running(busy, true);
  while (!waiting.empty() && !stopped) {
    const int64_t next = waiting.front();
    // Taken first: a minute whose walk raised is retried by the next tick of that minute.
    waiting.pop_front();
    walkMinute(next);
  }
}

bool PollingEngine::State::isKnown(int64_t minute) const {
  return walked.count(minute) != 0 || walking == minute ||
         std::find(waiting.begin(), waiting.end(), minute) != waiting.end();
}

void PollingEngine::State::walkMinute(int64_t minute) {
  if (walked.count(minute) != 0) return;
  // Right after the start the last walked minute counts as minute 0 of the hour, so the first
  // ticks in an hh:00 minute walk nothing.
  if (!lastWalked && platform::minuteOfHour(startOfMinute(minute)) == 0) return;
  const ScopedValue<std::optional<int64_t>> current(walking, minute);
  if (const tAutoAZS* registry = links.registry) {
    reportMissed(*registry, minute);
    walk(*registry, minute);
  }
  if (stopped) return;
  unfinished.reset();
  walked.insert(minute);
  lastWalked = minute;
  forgetOldMinutes(minute);
}

void PollingEngine::State::reportMissed(const tAutoAZS& registry, int64_t minute) {
  if (!lastWalked || minute <= *lastWalked || minute - *lastWalked > kMissedPollReportMinutes) {
    return;
  }
  const int64_t first = *lastWalked + 1;
  const int64_t last = minute - 1;
  for (const MissedStation& station : stationsDueBetween(registry, first, last)) {
    if (stopped) return;
    if (walked.count(station.minute) != 0 || reported.count(station.minute) != 0) continue;
    // A station whose polls were all made before an error in that minute was not missed.
    if (unfinished && unfinished->minute == station.minute &&
        PollPlace{station.position, station.lastSlot} < unfinished->resumeAt) {
      continue;
    }
    const std::string time = " (" + platform::formatHourMinute(startOfMinute(station.minute)) + ")";
    links.host->ReportMessage(MessageKind::ErrorOrWarning,
                              text::kQueryMissed + registry.Items(station.position).AZSName + time);
  }
  for (int64_t missed = first; missed <= last && !stopped; ++missed) {
    if (walked.count(missed) == 0) reported.insert(missed);
  }
}

void PollingEngine::State::walk(const tAutoAZS& registry, int64_t minute) {
  PollPlace resumeAt{0, 0};
  if (unfinished && unfinished->minute == minute) resumeAt = unfinished->resumeAt;
  int32_t declinedPosition = -1;
  for (const DuePoll& poll : duePolls(registry, startOfMinute(minute))) {
    if (stopped) return;
    const PollPlace place{poll.position, poll.slot};
    // Polls made before an error in this same minute are not made again.
    if (place < resumeAt) continue;
    // A declined station is not asked again for its other slots.
    if (poll.position == declinedPosition) continue;
    try {
      if (!pollStation(poll)) declinedPosition = poll.position;
    } catch (...) {
      unfinished = UnfinishedMinute{minute, place};
      throw;
    }
  }
}

bool PollingEngine::State::pollStation(const DuePoll& poll) {
  HostCallback& host = *links.host;
  if (poll.HasUserQuery && links.confirm) {
    const bool allowed = links.confirm(poll.AZSName);
    // UnLoad began while the operator was asked: nothing more reaches the host.
    if (stopped) return false;
    if (!allowed) {
      host.ReportMessage(MessageKind::Progress, text::kQueryCancelled + poll.AZSName);
      return false;
    }
  }
  // Settled before the poll is announced: a station it cannot reach is reported as failed.
  const std::optional<StationQuery> query =
      prepareQuery(host, links.autoSendInetFromOffice != nullptr, poll.AZSName, poll.ConnType);
  if (!query) return true;
  host.ReportMessage(MessageKind::Progress, text::kQueryStarting + poll.AZSName);
  if (host.GetVersion() >= kQueryMinimumVersion) {
    QueryAZS(host, links.autoSendInetFromOffice, *query, HostVariant::null());
  } else {
    host.ReportMessage(MessageKind::ErrorOrWarning, poll.ConnTimeTipe == ScheduleKind::Daily
                                                        ? text::kOldCallbackDaily
                                                        : text::kOldCallbackWeekdays);
  }
  return true;
}

void PollingEngine::State::forgetOldMinutes(int64_t minute) {
  const auto forget = [minute](std::set<int64_t>& minutes) {
    std::erase_if(minutes, [minute](int64_t known) {
      return known < minute - kMinutesPerDay || known > minute + kMinutesPerDay;
    });
  };
  forget(walked);
  forget(reported);
}

}  // namespace tarvel::autoquery
