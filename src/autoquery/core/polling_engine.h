// The office polling engine: the office window's TimerSend calls tick() every 30 seconds; once
// per minute it walks the registry, asks the operator where a schedule says so, tells the host
// and starts each due station's query. It holds no widgets: the confirmation dialog, the host
// and the IP transport come in through Links. Its minutes are counted by MinuteBookkeeping;
// late, missed and retried minutes: docs/ARCHITECTURE.md, "The way of a poll".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/minute_bookkeeping.h"
#include "autoquery/core/poll_due.h"
#include "autoquery/core/query_azs.h"
#include "tarvel/contract.h"

namespace tarvel::autoquery {

// The seconds the confirmation dialog counts down.
inline constexpr int32_t kConfirmationSeconds = 20;

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

  // One TimerSend tick (TimerSendTimer): walks its minute, then the minutes that began while it
  // held the engine. Throws what the host, the transport or the dialog raised; the minute that
  // raised is retried by its next tick from the poll that raised.
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
