// TAutoSendForm's working copy of the settings: filling the controls, Apply, Cancel, the reset
// link and the handlers that tie the interval and the time to their moments.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimeEdit>

#include "autosend/auto_send_due.h"
#include "autosend/auto_send_form.h"
#include "autosend/send_interval.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "settings/settings_file.h"

namespace tarvel::autosend {
namespace {

constexpr int32_t kViaModem = 1;
constexpr int32_t kViaMail = 2;
constexpr int32_t kViaInet = 3;

QTime toQTime(platform::DateTime value) {
  const platform::DateTimeParts parts = platform::decodeDateTime(value);
  return QTime(parts.hour, parts.minute, parts.second, parts.millisecond);
}

QString lastSendText(platform::DateTime lastAutoSendTime) {
  // "Не производилась"
  if (lastAutoSendTime == 0) {
    return platform::toUnicode("\xcd\xe5 \xef\xf0\xee\xe8\xe7\xe2\xee\xe4\xe8\xeb\xe0\xf1\xfc");
  }
  return platform::toUnicode(platform::formatDateTimeSeconds(lastAutoSendTime));
}

}  // namespace

void TAutoSendForm::FillControls() noexcept {
  cb_AutoSend->setChecked(inet_.AutoSendEnable);
  // A failing step abandons the rest of its group only, silently: the dialog must still open.
  try {
    fillTransportAndMoment();
  } catch (...) {
  }
  try {
    fillValues();
  } catch (...) {
  }
}

void TAutoSendForm::fillTransportAndMoment() {
  // A value outside 1..3 leaves the selection as it is.
  switch (inet_.ViaSend) {
    case kViaModem:
      rb_via_modem->setChecked(true);
      break;
    case kViaMail:
      rb_via_mail->setChecked(true);
      break;
    case kViaInet:
      rb_via_inet->setChecked(true);
      break;
    default:
      break;
  }
  switch (inet_.WhenSend) {
    case kSendWhenShiftClosed:
      rb_on_closeSM->setChecked(true);
      break;
    case kSendEveryInterval:
      rb_on_period->setChecked(true);
      break;
    case kSendAtSetTime:
      rb_on_time->setChecked(true);
      break;
    default:
      break;
  }
}

void TAutoSendForm::fillValues() {
  {
    // Showing the stored interval and time is no edit by the operator: their change handlers
    // would select another moment than the stored one.
    const QSignalBlocker periodBlocker(se_period);
    const QSignalBlocker timeBlocker(dtp);
    se_period->setValue(inet_.SendInterval);  // the editor keeps it within its range
    dtp->setTime(toQTime(inet_.SendTime));
  }
  lb_last_autosend->setText(lastSendText(inet_.LastAutoSendTime));
  lb_last_autosend->adjustSize();
  cbEnableZapros->setChecked(inet_.EnableAutoZapros);
}

std::optional<int32_t> TAutoSendForm::checkedTransport() const {
  if (rb_via_modem->isChecked()) return kViaModem;
  if (rb_via_mail->isChecked()) return kViaMail;
  if (rb_via_inet->isChecked()) return kViaInet;
  return std::nullopt;
}

std::optional<int32_t> TAutoSendForm::checkedMoment() const {
  if (rb_on_closeSM->isChecked()) return kSendWhenShiftClosed;
  if (rb_on_period->isChecked()) return kSendEveryInterval;
  if (rb_on_time->isChecked()) return kSendAtSetTime;
  return std::nullopt;
}

platform::DateTime TAutoSendForm::editorSendTime() const {
  const QTime time = dtp->time();
  return platform::encodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

void TAutoSendForm::BitBtn1Click() {
  platform::guarded([this] {
    inet_.AutoSendEnable = cb_AutoSend->isChecked();
    if (const auto transport = checkedTransport()) inet_.ViaSend = *transport;
    if (const auto moment = checkedMoment()) inet_.WhenSend = *moment;
    inet_.SendInterval = roundedIntervalHours(se_period->value());
    inet_.SendTime = editorSendTime();
    inet_.EnableAutoZapros = cbEnableZapros->isChecked();
    // A failed write ends Apply here: the timer and the window keep their state.
    settings::writeAutoSendSettings(inet_);
    setTimerEnabled(inet_.AutoSendEnable);
    close();
  });
}

void TAutoSendForm::BitBtn2Click() {
  platform::guarded([this] { close(); });
}

void TAutoSendForm::Label2Click() {
  platform::guarded([this] {
    inet_.LastAutoSendTime = 0;
    FillControls();
    settings::writeLastAutoSendTime(inet_);
  });
}

void TAutoSendForm::se_periodChange() {
  platform::guarded([this] { rb_on_period->setChecked(true); });
}

void TAutoSendForm::dtpChange() {
  platform::guarded([this] { rb_on_time->setChecked(true); });
}

void TAutoSendForm::rb_on_timeClick() {
  platform::guarded([this] {
    if (rb_on_time->isChecked()) dtp->setFocus();
  });
}

}  // namespace tarvel::autosend
