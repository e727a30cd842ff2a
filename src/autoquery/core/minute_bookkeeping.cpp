#include "autoquery/core/minute_bookkeeping.h"

#include <algorithm>
#include <cstddef>

#include "autoquery/core/poll_minute.h"

namespace tarvel::autoquery {

bool MinuteBookkeeping::isKnown(int64_t minute) const {
  return isWalked(minute) || walking_ == minute ||
         std::any_of(waiting_.begin(), waiting_.end(),
                     [minute](const Waiting& queued) { return queued.minute == minute; });
}

void MinuteBookkeeping::addTickMinute(int64_t minute) {
  if (!isKnown(minute)) waiting_.push_back({minute});
}

bool MinuteBookkeeping::addMinutesPassedWhileHeld(int64_t& heldUpTo, int64_t now) {
  const std::size_t before = waiting_.size();
  if (now > heldUpTo && now - heldUpTo <= kLatePollMinutes) {
    for (int64_t passed = heldUpTo + 1; passed <= now; ++passed) {
      if (!isKnown(passed) && !isUnfinished(passed)) waiting_.push_back({passed, true});
    }
  } else if (now != heldUpTo && !isKnown(now) && !isUnfinished(now)) {
    // A step of the clock, not time spent: only the minute it lands in, as a tick would.
    waiting_.push_back({now});
  }
  heldUpTo = now;
  return waiting_.size() != before;
}

std::optional<int64_t> MinuteBookkeeping::takeNextToWalk(int64_t now) {
  while (!waiting_.empty()) {
    const Waiting next = waiting_.front();
    // Taken first: a minute whose walk raised is retried by the next tick of that minute.
    waiting_.pop_front();
    // Left unwalked, it is reported as missed by the next walk.
    const bool tooLate = next.passedWhileHeld && countedDown_.count(next.minute) == 0 &&
                         now - next.minute > kLateExchangePollMinutes;
    if (!tooLate) return next.minute;
  }
  return std::nullopt;
}

PollPlace MinuteBookkeeping::resumeAt(int64_t minute) const {
  return isUnfinished(minute) ? unfinished_->resumeAt : PollPlace{0, 0};
}

void MinuteBookkeeping::finishWalk(int64_t minute) {
  unfinished_.reset();
  walked_.insert(minute);
  lastWalked_ = minute;
  const auto forget = [minute](std::set<int64_t>& minutes) {
    std::erase_if(minutes, [minute](int64_t known) {
      return known < minute - kMinutesPerDay || known > minute + kMinutesPerDay;
    });
  };
  forget(walked_);
  forget(reported_);
  forget(countedDown_);
}

void MinuteBookkeeping::rememberCountDown(int64_t openedIn, int64_t closedIn) {
  // A longer count-down is a step of the clock, which walks no minute late anyway.
  if (closedIn <= openedIn || closedIn - openedIn > kLatePollMinutes) return;
  for (int64_t began = openedIn + 1; began <= closedIn; ++began) countedDown_.insert(began);
}

std::optional<MinuteSpan> MinuteBookkeeping::minutesToReportMissed(int64_t minute) const {
  if (!lastWalked_ || minute <= *lastWalked_ || minute - *lastWalked_ > kMissedPollReportMinutes) {
    return std::nullopt;
  }
  return MinuteSpan{*lastWalked_ + 1, minute - 1};
}

bool MinuteBookkeeping::isToReport(const MissedPoll& poll) const {
  if (isWalked(poll.minute) || reported_.count(poll.minute) != 0) return false;
  // A station whose polls were all made before an error in that minute was not missed.
  return !(isUnfinished(poll.minute) &&
           PollPlace{poll.position, poll.lastSlot} < unfinished_->resumeAt);
}

void MinuteBookkeeping::markReported(MinuteSpan span) {
  for (int64_t passed = span.first; passed <= span.last; ++passed) {
    if (!isWalked(passed)) reported_.insert(passed);
  }
}

}  // namespace tarvel::autoquery
