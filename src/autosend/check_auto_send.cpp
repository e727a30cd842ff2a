// The scheduler of TAutoSendForm: the timer's tick and the check of one minute.
#include <QScopedValueRollback>

#include "autosend/auto_send_due.h"
#include "autosend/auto_send_form.h"
#include "autosend/send_question.h"
#include "autosend/shift_number.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/operator_dialogs.h"
#include "settings/settings_file.h"

namespace tarvel::autosend {
namespace {

bool isTransport(int32_t viaSend) { return viaSend >= 1 && viaSend <= 3; }

uint16_t currentMinuteOfHour() {
  return static_cast<uint16_t>(platform::minuteOfHour(platform::now()));
}

}  // namespace

void TAutoSendForm::Timer_check_AutoSendTimer() {
  // An error ends the tick before LastCheckedMinute moves on, so the next tick checks again.
  platform::guarded([this] {
    // Ticks keep coming while a check waits for the operator's answer; a second question
    // stacked on the first would send twice.
    if (checkRunning_) return;
    if (currentMinuteOfHour() == LastCheckedMinute) return;
    {
      const QScopedValueRollback running(checkRunning_, true);
      CheckAutoSend();
    }
    // The minute in which the check ended: minutes spent inside a long check are skipped.
    LastCheckedMinute = currentMinuteOfHour();
  });
}

void TAutoSendForm::CheckAutoSend() {
  if (!inet_.AutoSendEnable) return;

  std::optional<int32_t> heldShiftNumber;
  if (inet_.WhenSend == kSendWhenShiftClosed) heldShiftNumber = askShiftNumber();
  if (!autoSendDue(inet_, platform::now(), editorSendTime(), heldShiftNumber)) return;

  if (!sendThroughTransport()) return;

  // The send is recorded once the transport has returned, whatever its outcome.
  inet_.LastAutoSendTime = platform::now();
  if (heldShiftNumber && *heldShiftNumber != kNoShiftNumber) inet_.LastSmena = *heldShiftNumber;
  settings::writeLastSend(inet_);
  FillControls();
}

bool TAutoSendForm::sendThroughTransport() {
  // Without a transport there is nothing to ask about or call; the send is still recorded.
  if (!isTransport(inet_.ViaSend)) return true;
  if (inet_.EnableAutoZapros && !platform::operatorDialogs().askYesNo(
                                    this, sendQuestionTitle(), sendQuestionText(inet_.ViaSend))) {
    return false;
  }
  if (links_.callTransport) links_.callTransport(inet_.ViaSend);
  return true;
}

int32_t TAutoSendForm::askShiftNumber() const {
  return shiftNumberFromHost(links_.askShiftNumber ? links_.askShiftNumber() : HostVariant{});
}

}  // namespace tarvel::autosend
