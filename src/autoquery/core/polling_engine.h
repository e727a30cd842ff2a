// The office polling engine: the office window's TimerSend calls tick() every 30 seconds; once
// per minute it walks the registry, asks the operator where a schedule says so, tells the host
// and starts each due station's query. It holds no widgets: the confirmation dialog, the host
// and the IP transport come in through Links.
//
// Two choices beyond the plain walk:
// - A tick delivered while an earlier tick is still running (the confirmation dialog runs its own
//   event loop) does nothing, so the operator is never asked twice and no station is polled
//   twice for the same minute.
// - An error that ends a tick (the host, the transport or the dialog raising) goes on to the
//   caller and leaves LastMinute as it was, so the next tick of that minute retries; the retry
//   starts at the poll that raised, so the polls already made in that minute are not repeated.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/poll_due.h"
#include "autoquery/core/query_azs.h"
#include "tarvel/contract.h"

namespace tarvel::autoquery {

// The seconds the confirmation dialog counts down.
inline constexpr int32_t kConfirmationSeconds = 20;

class PollingEngine {
 public:
  struct Links {
    // The registry walked at each tick; it must outlive the engine. nullptr: nothing to walk.
    const tAutoAZS* registry = nullptr;
    // ConfirmAutoQuery(station name, kConfirmationSeconds): true lets the poll go ahead. Empty:
    // every poll goes ahead without asking.
    std::function<bool(const std::string& stationName)> confirm;
    // The host's call-back: messages, its version, StartExchange and FindStation. Not owned.
    HostCallback* host = nullptr;
    AutoSendInetFromOfficeCall autoSendInetFromOffice;
  };

  // timerLock is held for the whole of each tick; it must outlive the engine.
  PollingEngine(Links links, std::recursive_mutex& timerLock);

  // One TimerSend tick (TimerSendTimer). Reads the clock once. Throws what the host, the
  // transport or the dialog raised.
  void tick();

  // The minute of the hour (0 .. 59) of the last tick that walked the stations; 0 at the start.
  int LastMinute() const { return LastMinute_; }

 private:
  // Where a walk stands: the item's position and the slot, ordered as the walk goes.
  using PollPlace = std::pair<int32_t, int32_t>;
  struct UnfinishedMinute {
    int64_t minuteSinceEpoch = 0;
    PollPlace resumeAt;
  };

  void walk(const tAutoAZS& registry, platform::DateTime moment, int64_t minuteSinceEpoch);
  // Asks, reports and starts one poll; false when the operator declined it.
  bool pollStation(const DuePoll& poll);

  Links links_;
  std::recursive_mutex& timerLock_;
  int LastMinute_ = 0;
  bool ticking_ = false;
  std::optional<UnfinishedMinute> unfinished_;
};

}  // namespace tarvel::autoquery
