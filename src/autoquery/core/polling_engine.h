// The office polling engine: the office window's TimerSend calls tick() every 30 seconds; once
// per minute it walks the registry, asks the operator where a schedule says so, tells the host
// and starts each due station's query. It holds no widgets: the confirmation dialog, the host
// and the IP transport come in through Links.
//
// Minutes are whole minutes, date and time: a clock step of any size, also of exactly an hour,
// lands in a minute that is walked once, and a step back walks no minute walked already (within
// the last day). Choices beyond the plain walk:
// - A tick holds the engine while the operator is asked and the host or the transport works,
//   and Qt delivers no further tick of the timer meanwhile (a timer's slot is not re-entered).
//   So when a tick's walk ends it reads the clock again and takes the minutes that began since,
//   in order, each once. Those that began while one of the engine's own count-downs was open
//   are walked, however late: the operator's question held them, and their polls are made late,
//   not lost. Those that began while the host or a transport blocked are walked only while at
//   most kLateExchangePollMinutes old when the walk reaches them; older ones are not caught up
//   but reported as missed with the next walk, as minutes without a tick are. A gap of more
//   than a day is taken for a step of the clock, not time spent, and only the minute it lands
//   in is walked.
// - On one thread TimerLock holds nothing back (it is re-entrant): the busy mark stops re-entry.
//   A tick that does come while another is running (a host that re-enters) only keeps its
//   minute, which the running tick walks in its turn.
// - A minute in which no tick came at all (the host frozen, the machine suspended) is not polled
//   late, but the next walk reports the polls it missed, for the minutes since the last walked
//   one when that is at most a day ago, kind 2: a few as "Пропущен автозапрос на АЗС: " with the
//   station's name and " (hh:nn)", once per station and minute; more summed up in one line (see
//   missed_polls.h), so that thousands of them cost the host one message before the current
//   minute's polls. The first walk after the start reports nothing.
// - An error that ends a tick (the host, the transport or the dialog raising) goes on to the
//   caller and leaves the minute unwalked, so the next tick of that minute retries; the retry
//   starts at the poll that raised, so the polls already made in that minute are not repeated.
//   The minutes that passed while that tick held the engine are walked by the next tick.
// - stop() (UnLoad has begun) closes an open confirmation; the tick waiting on it starts no
//   exchange and reports nothing more, and later ticks do nothing. The engine may be destroyed
//   while its tick waits on the operator: the tick keeps what it uses alive until it ends.
// - A confirmation that ends without an answer (the host closed it, as it does when it quits
//   with one open, or the application's exit ended it) ends the tick as an error would, but
//   quietly: nothing more is reported or started, and a tick of that minute that still comes
//   asks that station again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/poll_due.h"
#include "autoquery/core/query_azs.h"
#include "tarvel/contract.h"

namespace tarvel::autoquery {

// The seconds the confirmation dialog counts down.
inline constexpr int32_t kConfirmationSeconds = 20;
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

// How a confirmation ended: Apply or the end of the count-down, Cancel, or no answer at all.
enum class Confirmation { Proceed, Declined, Unanswered };

class PollingEngine {
 public:
  struct Links {
    // The registry walked at each tick; it must outlive the engine. nullptr: nothing to walk.
    const tAutoAZS* registry = nullptr;
    // Asks about the poll of a station, counting down kConfirmationSeconds. Empty: every poll
    // goes ahead without asking.
    std::function<Confirmation(const std::string& stationName)> confirm;
    // Closes a confirmation that confirm has open, as Cancel would; may be empty.
    std::function<void()> closeConfirmation;
    // The host's call-back: messages, its version, StartExchange and FindStation. Not owned.
    HostCallback* host = nullptr;
    AutoSendInetFromOfficeCall autoSendInetFromOffice;
  };

  // timerLock is held for the whole of each tick; it must outlive the engine.
  PollingEngine(Links links, std::recursive_mutex& timerLock);
  // Stops the engine (see stop()).
  ~PollingEngine();
  PollingEngine(const PollingEngine&) = delete;
  PollingEngine& operator=(const PollingEngine&) = delete;

  // One TimerSend tick (TimerSendTimer). Reads the clock at its start and again after each walk
  // (see above). Throws what the host, the transport or the dialog raised.
  void tick();

  // From now on nothing more: an open confirmation closes, the tick waiting on it neither
  // reports nor starts anything, and later ticks do nothing.
  void stop();

  // The minute of the hour (0 .. 59) of the last minute walked; 0 at the start.
  int LastMinute() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace tarvel::autoquery
