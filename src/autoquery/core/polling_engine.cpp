#include "autoquery/core/polling_engine.h"

#include <QScopeGuard>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/minute_bookkeeping.h"
#include "autoquery/core/missed_polls.h"
#include "autoquery/core/poll_minute.h"

namespace tarvel::autoquery {
namespace {

int64_t currentMinute() { return minuteSinceEpoch(platform::now()); }

}  // namespace

struct PollingEngine::State {
  State(Links givenLinks, std::recursive_mutex& givenTimerLock)
      : links(std::move(givenLinks)), timerLock(givenTimerLock) {}

  void tick();
  void walkMinute(int64_t minute);
  void reportMissed(const tAutoAZS& registry, int64_t minute);
  void walk(const tAutoAZS& registry, int64_t minute);
  enum class Outcome { Made, Declined, Unanswered };
  // Asks, reports and starts one poll; Declined also when the engine stopped meanwhile.
  Outcome pollStation(const DuePoll& poll);
  // Queues the minutes that began since heldUpTo while this tick held the engine (Qt delivers
  // no tick of a timer whose slot still runs); true when it queued any.
  bool queueMinutesPassedWhileHeld(int64_t& heldUpTo);

  Links links;
  std::recursive_mutex& timerLock;
  bool busy = false;
  bool stopped = false;
  bool unanswered = false;  // this tick's walk ended at a confirmation left without an answer
  MinuteBookkeeping minutes;
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
  state_->minutes.clearWaiting();
  if (state_->busy && state_->links.closeConfirmation) state_->links.closeConfirmation();
}

int PollingEngine::LastMinute() const {
  const std::optional<int64_t> lastWalked = state_->minutes.lastWalked();
  return lastWalked ? platform::minuteOfHour(startOfMinute(*lastWalked)) : 0;
}

void PollingEngine::State::tick() {
  const std::lock_guard hold(timerLock);
  if (stopped) return;
  const int64_t minute = currentMinute();
  minutes.addTickMinute(minute);
  // A tick that comes while another runs (a host calling it from the confirmation's event loop)
  // only leaves its minute to the running tick.
  if (busy) return;
  busy = true;
  const auto notBusy = qScopeGuard([this] { busy = false; });
  unanswered = false;
  int64_t heldUpTo = minute;
  try {
    do {
      while (!stopped && !unanswered) {
        const std::optional<int64_t> next = minutes.takeNextToWalk(currentMinute());
        if (!next) break;
        walkMinute(*next);
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
  return minutes.addMinutesPassedWhileHeld(heldUpTo, currentMinute());
}

void PollingEngine::State::walkMinute(int64_t minute) {
  if (minutes.isWalked(minute)) return;
  // Right after the start the last walked minute counts as minute 0 of the hour, so the first
  // ticks in an hh:00 minute walk nothing.
  if (!minutes.lastWalked() && platform::minuteOfHour(startOfMinute(minute)) == 0) return;
  minutes.beginWalking(minute);
  const auto endWalking = qScopeGuard([this] { minutes.endWalking(); });
  if (const tAutoAZS* registry = links.registry) {
    reportMissed(*registry, minute);
    walk(*registry, minute);
  }
  if (stopped || unanswered) return;
  minutes.finishWalk(minute);
}

void PollingEngine::State::reportMissed(const tAutoAZS& registry, int64_t minute) {
  const std::optional<MinuteSpan> span = minutes.minutesToReportMissed(minute);
  if (!span) return;
  std::vector<MissedPoll> missed = pollsDueBetween(registry, span->first, span->last);
  std::erase_if(missed, [this](const MissedPoll& poll) { return !minutes.isToReport(poll); });
  for (const std::string& message : missedPollMessages(registry, missed)) {
    if (stopped) return;
    links.host->ReportMessage(MessageKind::ErrorOrWarning, message);
  }
  if (!stopped) minutes.markReported(*span);
}

void PollingEngine::State::walk(const tAutoAZS& registry, int64_t minute) {
  // Polls made before an error in this same minute are not made again.
  const PollPlace resumeAt = minutes.resumeAt(minute);
  int32_t declinedPosition = -1;
  for (const DuePoll& poll : duePolls(registry, startOfMinute(minute))) {
    if (stopped) return;
    const PollPlace place{poll.position, poll.slot};
    if (place < resumeAt) continue;
    // A declined station is not asked again for its other slots.
    if (poll.position == declinedPosition) continue;
    try {
      const Outcome outcome = pollStation(poll);
      if (outcome == Outcome::Declined) declinedPosition = poll.position;
      if (outcome == Outcome::Unanswered) {
        minutes.leaveUnfinished(minute, place);
        unanswered = true;
        return;
      }
    } catch (...) {
      minutes.leaveUnfinished(minute, place);
      throw;
    }
  }
}

PollingEngine::State::Outcome PollingEngine::State::pollStation(const DuePoll& poll) {
  HostCallback& host = *links.host;
  if (poll.HasUserQuery && links.confirm) {
    const int64_t openedIn = currentMinute();
    const Confirmation answer = links.confirm(poll.AZSName);
    minutes.rememberCountDown(openedIn, currentMinute());
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

}  // namespace tarvel::autoquery
