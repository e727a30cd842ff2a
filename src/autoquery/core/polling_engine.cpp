#include "autoquery/core/polling_engine.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/missed_polls.h"
#include "autoquery/core/poll_minute.h"

namespace tarvel::autoquery {
namespace {

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
  // A minute to walk, and whether it passed while this engine held the tick (no tick came).
  struct WaitingMinute {
    int64_t minute = 0;
    bool passedWhileHeld = false;
  };

  State(Links givenLinks, std::recursive_mutex& givenTimerLock)
      : links(std::move(givenLinks)), timerLock(givenTimerLock) {}

  void tick();
  void walkMinute(int64_t minute);
  void reportMissed(const tAutoAZS& registry, int64_t minute);
  void walk(const tAutoAZS& registry, int64_t minute);
  enum class Outcome { Made, Declined, Unanswered };
  // Asks, reports and starts one poll; Declined also when the engine stopped meanwhile.
  Outcome pollStation(const DuePoll& poll);
  bool isKnown(int64_t minute) const;
  // A minute that passed while an exchange, not a count-down, held the tick, now too old to poll.
  bool isTooLateToPoll(const WaitingMinute& queued) const;
  // Remembers the minutes that began while a count-down was open, from the one it opened in.
  void rememberCountDown(int64_t openedIn);
  // Queues, in order, the minutes that began since heldUpTo while this tick held the engine (Qt
  // delivers no tick of a timer whose slot still runs), and moves heldUpTo to the current minute.
  // True when it queued any.
  bool queueMinutesPassedWhileHeld(int64_t& heldUpTo);
  // Forgets minutes more than a day from the one walked now.
  void forgetOldMinutes(int64_t minute);

  Links links;
  std::recursive_mutex& timerLock;
  bool busy = false;
  bool stopped = false;
  bool unanswered = false;  // this tick's walk ended at a confirmation left without an answer
  std::optional<int64_t> walking;     // the minute being walked
  std::optional<int64_t> lastWalked;  // the minute walked last
  std::set<int64_t> walked;           // minutes walked within a day of the last one
  std::set<int64_t> reported;         // minutes reported as missed, as long
  std::set<int64_t> countedDown;      // minutes that began while a count-down was open, as long
  std::deque<WaitingMinute> waiting;  // minutes to walk, in order
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
  if (!isKnown(minute)) waiting.push_back({minute});
  // A tick delivered inside a running one (the confirmation's event loop) only leaves its
  // minute to the running tick.
  if (busy) return;
  const ScopedValue running(busy, true);
  unanswered = false;
  int64_t heldUpTo = minute;
  try {
    do {
      while (!waiting.empty() && !stopped && !unanswered) {
        const WaitingMinute next = waiting.front();
        // Taken first: a minute whose walk raised is retried by the next tick of that minute.
        waiting.pop_front();
        // Left unwalked, it is reported as missed by the next walk.
        if (isTooLateToPoll(next)) continue;
        walkMinute(next.minute);
      }
    } while (!stopped && !unanswered && queueMinutesPassedWhileHeld(heldUpTo));
    // Left as after an error: the next tick walks what passed meanwhile.
    if (unanswered) queueMinutesPassedWhileHeld(heldUpTo);
  } catch (...) {
    // The minutes that passed while the engine was held still get their walk, from the next
    // tick; the one that raised keeps its own rule.
    queueMinutesPassedWhileHeld(heldUpTo);
    throw;
  }
}

bool PollingEngine::State::queueMinutesPassedWhileHeld(int64_t& heldUpTo) {
  const int64_t minute = minuteSinceEpoch(platform::now());
  const auto raisedInIt = [this](int64_t passed) {
    return unfinished && unfinished->minute == passed;
  };
  const size_t before = waiting.size();
  if (minute > heldUpTo && minute - heldUpTo <= kLatePollMinutes) {
    for (int64_t passed = heldUpTo + 1; passed <= minute; ++passed) {
      if (!isKnown(passed) && !raisedInIt(passed)) waiting.push_back({passed, true});
    }
  } else if (minute != heldUpTo && !isKnown(minute) && !raisedInIt(minute)) {
    // A step of the clock, not time spent: only the minute it lands in, as a tick would.
    waiting.push_back({minute});
  }
  heldUpTo = minute;
  return waiting.size() != before;
}

bool PollingEngine::State::isKnown(int64_t minute) const {
  return walked.count(minute) != 0 || walking == minute ||
         std::any_of(waiting.begin(), waiting.end(),
                     [minute](const WaitingMinute& queued) { return queued.minute == minute; });
}

bool PollingEngine::State::isTooLateToPoll(const WaitingMinute& queued) const {
  return queued.passedWhileHeld && countedDown.count(queued.minute) == 0 &&
         minuteSinceEpoch(platform::now()) - queued.minute > kLateExchangePollMinutes;
}

void PollingEngine::State::rememberCountDown(int64_t openedIn) {
  const int64_t closedIn = minuteSinceEpoch(platform::now());
  // A longer count-down is a step of the clock, which walks no minute late anyway.
  if (closedIn <= openedIn || closedIn - openedIn > kLatePollMinutes) return;
  for (int64_t began = openedIn + 1; began <= closedIn; ++began) countedDown.insert(began);
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
  if (stopped || unanswered) return;
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
  std::vector<MissedPoll> missed = pollsDueBetween(registry, first, last);
  std::erase_if(missed, [this](const MissedPoll& poll) {
    if (walked.count(poll.minute) != 0 || reported.count(poll.minute) != 0) return true;
    // A station whose polls were all made before an error in that minute was not missed.
    return unfinished && unfinished->minute == poll.minute &&
           PollPlace{poll.position, poll.lastSlot} < unfinished->resumeAt;
  });
  for (const std::string& message : missedPollMessages(registry, missed)) {
    if (stopped) return;
    links.host->ReportMessage(MessageKind::ErrorOrWarning, message);
  }
  for (int64_t passed = first; passed <= last && !stopped; ++passed) {
    if (walked.count(passed) == 0) reported.insert(passed);
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
      const Outcome outcome = pollStation(poll);
      if (outcome == Outcome::Declined) declinedPosition = poll.position;
      if (outcome == Outcome::Unanswered) {
        unfinished = UnfinishedMinute{minute, place};
        unanswered = true;
        return;
      }
    } catch (...) {
      unfinished = UnfinishedMinute{minute, place};
      throw;
    }
  }
}

PollingEngine::State::Outcome PollingEngine::State::pollStation(const DuePoll& poll) {
  HostCallback& host = *links.host;
  if (poll.HasUserQuery && links.confirm) {
    const int64_t openedIn = minuteSinceEpoch(platform::now());
    const Confirmation answer = links.confirm(poll.AZSName);
    rememberCountDown(openedIn);
    // UnLoad began while the operator was asked: nothing more reaches the host.
    if (stopped) return Outcome::Declined;
    // Nobody answered: the host is taking its windows down, so nothing more starts now.
    if (answer == Confirmation::Unanswered) return Outcome::Unanswered;
    if (answer == Confirmation::Declined) {
      host.ReportMessage(MessageKind::Progress, text::kQueryCancelled + poll.AZSName);
      return Outcome::Declined;
    }
  }
  // Settled before the poll is announced: a station it cannot reach is reported as failed.
  const std::optional<StationQuery> query =
      prepareQuery(host, links.autoSendInetFromOffice != nullptr, poll.AZSName, poll.ConnType);
  if (!query) return Outcome::Made;
  host.ReportMessage(MessageKind::Progress, text::kQueryStarting + poll.AZSName);
  if (host.GetVersion() >= kQueryMinimumVersion) {
    QueryAZS(host, links.autoSendInetFromOffice, *query, HostVariant::null());
  } else {
    host.ReportMessage(MessageKind::ErrorOrWarning, poll.ConnTimeTipe == ScheduleKind::Daily
                                                        ? text::kOldCallbackDaily
                                                        : text::kOldCallbackWeekdays);
  }
  return Outcome::Made;
}

void PollingEngine::State::forgetOldMinutes(int64_t minute) {
  const auto forget = [minute](std::set<int64_t>& minutes) {
    std::erase_if(minutes, [minute](int64_t known) {
      return known < minute - kMinutesPerDay || known > minute + kMinutesPerDay;
    });
  };
  forget(walked);
  forget(reported);
  forget(countedDown);
}

}  // namespace tarvel::autoquery
