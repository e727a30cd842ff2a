// TAutoSendForm's working copy of the settings: filling the controls, Apply, Cancel, the reset
// link and the handlers that tie the interval and the time to their moments.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimeEdit>

#include "autosend/core/autosend_texts.h"
#include "autosend/core/send_interval.h"
#include "autosend/ui/auto_send_form.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "settings/connection_type.h"
#include "settings/send_moment.h"
#include "settings/settings_file.h"

namespace tarvel::autosend {
namespace {

using settings::ConnectionType;
using settings::SendMoment;

QTime toQTime(platform::DateTime value) {
  const platform::DateTimeParts parts = platform::decodeDateTime(value);
  return QTime(parts.hour, parts.minute, parts.second, parts.millisecond);
}

QString lastSendText(platform::DateTime lastAutoSendTime) {
  if (lastAutoSendTime == 0) return platform::toUnicode(text::kNeverSent);
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
    case ConnectionType::Modem:
      rb_via_modem->setChecked(true);
      break;
    case ConnectionType::Mail:
      rb_via_mail->setChecked(true);
      break;
    case ConnectionType::DirectIp:
      rb_via_inet->setChecked(true);
      break;
    default:
      break;
  }
  switch (inet_.WhenSend) {
    case SendMoment::ShiftClosed:
      rb_on_closeSM->setChecked(true);
      break;
    case SendMoment::EveryInterval:
      rb_on_period->setChecked(true);
      break;
    case SendMoment::SetTime:
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
  if (rb_via_modem->isChecked()) return ConnectionType::Modem;
  if (rb_via_mail->isChecked()) return ConnectionType::Mail;
  if (rb_via_inet->isChecked()) return ConnectionType::DirectIp;
  return std::nullopt;
}

std::optional<int32_t> TAutoSendForm::checkedMoment() const {
  if (rb_on_closeSM->isChecked()) return SendMoment::ShiftClosed;
  if (rb_on_period->isChecked()) return SendMoment::EveryInterval;
  if (rb_on_time->isChecked()) return SendMoment::SetTime;
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
