#include "autosend/core/auto_send_scheduler.h"

#include <QScopedValueRollback>

#include "autosend/core/auto_send_due.h"
#include "autosend/core/send_question.h"
#include "autosend/core/shift_number.h"
#include "settings/connection_type.h"
#include "settings/send_moment.h"
#include "settings/settings_file.h"

namespace tarvel::autosend {
namespace {

using settings::ConnectionType;

bool isTransport(int32_t viaSend) {
  return viaSend == ConnectionType::Modem || viaSend == ConnectionType::Mail ||
         viaSend == ConnectionType::DirectIp;
}

uint16_t currentMinuteOfHour() {
  return static_cast<uint16_t>(platform::minuteOfHour(platform::now()));
}

}  // namespace

AutoSendScheduler::AutoSendScheduler(settings::InetSettings& inet, AutoSendLinks links,
                                     AutoSendWindowLinks window)
    : inet_(inet), links_(std::move(links)), window_(std::move(window)) {}

void AutoSendScheduler::tick() {
  // Ticks keep coming while a check waits for the operator's answer; a second question
  // stacked on the first would send twice.
  if (checkRunning_) return;
  if (currentMinuteOfHour() == LastCheckedMinute) return;
  {
    const QScopedValueRollback running(checkRunning_, true);
    CheckAutoSend();
  }
  LastCheckedMinute = currentMinuteOfHour();
}

void AutoSendScheduler::CheckAutoSend() {
  if (!inet_.AutoSendEnable) return;

  const std::optional<int32_t> heldShiftNumber = shiftNumberForMoment();
  const platform::DateTime setTime = window_.editorSendTime ? window_.editorSendTime() : 0;
  if (!autoSendDue(inet_, platform::now(), setTime, heldShiftNumber)) return;

  if (!sendThroughTransport()) return;

  // The send is recorded once the transport has returned, whatever its outcome.
  inet_.LastAutoSendTime = platform::now();
  if (heldShiftNumber && *heldShiftNumber != kNoShiftNumber) inet_.LastSmena = *heldShiftNumber;
  settings::writeLastSend(inet_);
  if (window_.sendRecorded) window_.sendRecorded();
}

bool AutoSendScheduler::sendThroughTransport() {
  // Without a transport there is nothing to ask about or call; the send is still recorded.
  if (!isTransport(inet_.ViaSend)) return true;
  if (inet_.EnableAutoZapros) {
    const bool yes = window_.askOperator &&
                     window_.askOperator(sendQuestionTitle(), sendQuestionText(inet_.ViaSend));
    if (!yes) return false;
  }
  if (links_.callTransport) links_.callTransport(inet_.ViaSend);
  return true;
}

std::optional<int32_t> AutoSendScheduler::shiftNumberForMoment() const {
  // Only the shift mode asks the host.
  if (inet_.WhenSend != settings::SendMoment::ShiftClosed) return std::nullopt;
  return shiftNumberFromHost(links_.askShiftNumber ? links_.askShiftNumber() : HostVariant{});
}

}  // namespace tarvel::autosend
