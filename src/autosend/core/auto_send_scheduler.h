// The scheduler of the station's automatic sending. The settings dialog's timer wakes it twice a
// minute; it runs the check of one minute at most once in each minute of the hour, and never
// while an earlier check is still running (waiting for the operator's answer or the
// transport). It shows no window itself: it reaches the host, the transports and the window
// that drives it through the links it was given.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "settings/inet_settings.h"
#include "tarvel/contract.h"

namespace tarvel::autosend {

// What the scheduler needs from the host and the transports.
struct AutoSendLinks {
  // The host's answer to HostCommand::ShiftNumber: the station's current shift number.
  std::function<HostVariant()> askShiftNumber;
  // Calls the send entry of the transport for ViaSend 1, 2 or 3 when it is bound; returns when
  // the transport has finished.
  std::function<void(int32_t viaSend)> callTransport;
};

// What the scheduler needs from the window that drives it.
struct AutoSendWindowLinks {
  // The set time the window's time editor holds, which counts before Apply.
  std::function<platform::DateTime()> editorSendTime;
  // The Yes/No question before a send (Windows-1251 title and text); true for Yes.
  std::function<bool(const std::string& title, const std::string& text)> askOperator;
  // After a recorded send: the window shows the settings again.
  std::function<void()> sendRecorded;
};

class AutoSendScheduler {
 public:
  // inet: the settings in memory, which must outlive the scheduler.
  AutoSendScheduler(settings::InetSettings& inet, AutoSendLinks links, AutoSendWindowLinks window);

  // One tick of the timer. Unless a check is running or this minute of the hour was checked,
  // runs CheckAutoSend and then records the minute in which it ended, so the minutes spent
  // inside a long check are skipped. An error leaves LastCheckedMinute as it was and goes on
  // to the caller: the next tick checks again.
  void tick();

  // The check of one minute: when the chosen moment has come, asks the operator if asking is
  // on, calls the transport, records the send in memory and in cnf.INI and tells the window.
  // Throws when the shift number is unreadable or cnf.INI cannot be written.
  void CheckAutoSend();

  // The minute of the hour (0..59) read from the clock after the last check; 0 at first.
  uint16_t LastCheckedMinute = 0;

 private:
  // Asks the operator when asking is on and calls the transport of ViaSend; false when the
  // operator declined.
  bool sendThroughTransport();
  std::optional<int32_t> shiftNumberForMoment() const;

  settings::InetSettings& inet_;
  AutoSendLinks links_;
  AutoSendWindowLinks window_;
  bool checkRunning_ = false;
};

}  // namespace tarvel::autosend
