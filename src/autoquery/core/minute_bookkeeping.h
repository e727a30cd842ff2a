// The polling engine's record of minutes (see poll_minute.h): which are walked, being walked,
// waiting to be walked, reported as missed, held by a count-down, and where an unfinished walk
// stopped. A value without a clock: every rule that depends on the time is given the current
// minute. docs/ARCHITECTURE.md, "The way of a poll", tells how the engine uses it.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <utility>

#include "autoquery/core/missed_polls.h"

namespace tarvel::autoquery {

// The longest gap since the last walked minute whose due polls are reported as missed.
inline constexpr int64_t kMissedPollReportMinutes = 24 * 60;
// The longest time a tick may hold the engine whose minutes are then walked late; beyond it the
// clock is taken to have been stepped.
inline constexpr int64_t kLatePollMinutes = 24 * 60;
// How old a minute that passed while an exchange blocked may be when the walk reaches it and
// still be polled. A direct-IP transport gives up on a silent station after about two minutes:
// five minutes let the polls that one such wait held up, and those that a second one right after
// it held up, still be made, close enough to their time to be the polls the schedule meant. A
// transport stuck for longer would otherwise leave its hours of polls to run back to back, each
// of them able to block again, long after their time.
inline constexpr int64_t kLateExchangePollMinutes = 5;

// Where a walk stands in its minute: the item's position and the slot, ordered as the walk goes.
using PollPlace = std::pair<int32_t, int32_t>;

// The minutes first .. last.
struct MinuteSpan {
  int64_t first = 0;
  int64_t last = 0;
  bool operator==(const MinuteSpan&) const = default;
};

class MinuteBookkeeping {
 public:
  // Whether the minute is walked, being walked or waiting.
  bool isKnown(int64_t minute) const;
  // Whether the minute is walked (within a day of the last walked one).
  bool isWalked(int64_t minute) const { return walked_.count(minute) != 0; }
  // The minute walked last, if any.
  std::optional<int64_t> lastWalked() const { return lastWalked_; }

  // Queues the minute a tick came in, unless it is known.
  void addTickMinute(int64_t minute);
  // Queues, in order, the minutes after heldUpTo up to now that began while a tick held the
  // engine and are neither known nor unfinished; a gap of more than kLatePollMinutes, or a step
  // back, is a step of the clock and queues only now. Moves heldUpTo to now; true when it queued.
  bool addMinutesPassedWhileHeld(int64_t& heldUpTo, int64_t now);
  // Takes the next waiting minute off the queue, passing over those that began while an
  // exchange held the tick and are more than kLateExchangePollMinutes older than now.
  std::optional<int64_t> takeNextToWalk(int64_t now);
  // Forgets the waiting minutes.
  void clearWaiting() { waiting_.clear(); }

  // The minute's walk begins or ends without being finished.
  void beginWalking(int64_t minute) { walking_ = minute; }
  void endWalking() { walking_.reset(); }
  // Where the walk of the minute starts: where it stopped in that same minute, else at the start.
  PollPlace resumeAt(int64_t minute) const;
  // The walk of the minute stopped at place (an error, or a confirmation without an answer).
  void leaveUnfinished(int64_t minute, PollPlace place) { unfinished_ = Unfinished{minute, place}; }
  // The minute's walk ended: it is the last walked, no longer unfinished, and minutes more than a
  // day from it are forgotten.
  void finishWalk(int64_t minute);

  // A count-down opened in openedIn closed in closedIn: the minutes that began meanwhile are
  // walked however late. A count-down longer than kLatePollMinutes holds none (a clock step).
  void rememberCountDown(int64_t openedIn, int64_t closedIn);

  // The minutes whose due polls the walk of minute reports as missed: from the one after the
  // last walked to the one before minute, when the last walked is at most
  // kMissedPollReportMinutes before it.
  std::optional<MinuteSpan> minutesToReportMissed(int64_t minute) const;
  // Whether a missed poll is still to be reported: its minute neither walked nor reported, and
  // not one the unfinished walk of its minute had made.
  bool isToReport(const MissedPoll& poll) const;
  // The minutes of the span that were not walked are reported.
  void markReported(MinuteSpan span);

 private:
  // A minute to walk, and whether it passed while a tick held the engine (no tick came in it).
  struct Waiting {
    int64_t minute = 0;
    bool passedWhileHeld = false;
  };
  struct Unfinished {
    int64_t minute = 0;
    PollPlace resumeAt;
  };
  bool isUnfinished(int64_t minute) const { return unfinished_ && unfinished_->minute == minute; }

  std::optional<int64_t> walking_;
  std::optional<int64_t> lastWalked_;
  std::set<int64_t> walked_;       // minutes walked within a day of the last one
  std::set<int64_t> reported_;     // minutes reported as missed, as long
  std::set<int64_t> countedDown_;  // minutes that began while a count-down was open, as long
  std::deque<Waiting> waiting_;    // in order
  std::optional<Unfinished> unfinished_;
};

}  // namespace tarvel::autoquery
