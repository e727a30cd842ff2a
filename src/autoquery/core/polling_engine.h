// The office polling engine: the office window's TimerSend calls tick() every 30 seconds; once
// per minute it walks the registry, asks the operator where a schedule says so, tells the host
// and starts each due station's query. It holds no widgets: the confirmation dialog, the host
// and the IP transport come in through Links.
//
// Minutes are whole minutes, date and time: a clock step of any size, also of exactly an hour,
// lands in a minute that is walked once, and a step back walks no minute walked already (within
// the last day). Choices beyond the plain walk:
// - On one thread TimerLock holds nothing back (it is re-entrant): the busy mark stops re-entry.
//   A tick delivered while another is running (the confirmation dialog runs its own event loop)
//   only keeps its minute, which is walked as soon as the running tick ends, in the order the
//   ticks came, each minute at most once.
// - A minute in which no tick came at all is not polled late, but the next walk reports kind 2
//   "Пропущен автозапрос на АЗС: " with the station's name and " (hh:nn)", once per station and
//   minute, for the minutes since the last walked one when that is at most a day ago. The first
//   walk after the start reports nothing.
// - An error that ends a tick (the host, the transport or the dialog raising) goes on to the
//   caller and leaves the minute unwalked, so the next tick of that minute retries; the retry
//   starts at the poll that raised, so the polls already made in that minute are not repeated.
// - stop() (UnLoad has begun) closes an open confirmation; the tick waiting on it starts no
//   exchange and reports nothing more, and later ticks do nothing. The engine may be destroyed
//   while its tick waits on the operator: the tick keeps what it uses alive until it ends.
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

class PollingEngine {
 public:
  struct Links {
    // The registry walked at each tick; it must outlive the engine. nullptr: nothing to walk.
    const tAutoAZS* registry = nullptr;
    // ConfirmAutoQuery(station name, kConfirmationSeconds): true lets the poll go ahead. Empty:
    // every poll goes ahead without asking.
    std::function<bool(const std::string& stationName)> confirm;
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

  // One TimerSend tick (TimerSendTimer). Reads the clock once. Throws what the host, the
  // transport or the dialog raised.
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
