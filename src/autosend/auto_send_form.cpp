#include "autosend/auto_send_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>

#include "autosend/clickable_label.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"

namespace tarvel::autosend {

TAutoSendForm::TAutoSendForm(settings::InetSettings& inet, AutoSendLinks links)
    // "Настройка автоматической отправки отчетов в офис"
    : SettingsDialog("TAutoSendForm",
                     "\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe0 "
                     "\xe0\xe2\xf2\xee\xec\xe0\xf2\xe8\xf7\xe5\xf1\xea\xee"
                     "\xe9 \xee\xf2\xef\xf0\xe0\xe2\xea\xe8 \xee\xf2\xf7\xe5\xf2\xee\xe2 \xe2 "
                     "\xee\xf4\xe8\xf1",
                     QSize(389, 235),
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      inet_(inet),
      links_(std::move(links)) {
  createComponents();
  connectHandlers();

  FillControls();
  setTimerEnabled(inet_.AutoSendEnable);
}

TAutoSendForm::~TAutoSendForm() = default;

void TAutoSendForm::connectHandlers() {
  // Each handler guards itself, so the connections need no guard of their own.
  connect(Timer_check_AutoSend, &QTimer::timeout, this, &TAutoSendForm::Timer_check_AutoSendTimer);
  connect(BitBtn1, &QPushButton::clicked, this, &TAutoSendForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TAutoSendForm::BitBtn2Click);
  connect(Label2, &ClickableLabel::clicked, this, &TAutoSendForm::Label2Click);
  connect(se_period, &QDoubleSpinBox::textChanged, this, &TAutoSendForm::se_periodChange);
  connect(dtp, &QTimeEdit::timeChanged, this, &TAutoSendForm::dtpChange);
  connect(rb_on_time, &QRadioButton::clicked, this, &TAutoSendForm::rb_on_timeClick);
}

void TAutoSendForm::setTimerEnabled(bool enabled) {
  // Switching on a running timer must not restart its interval.
  if (enabled && !Timer_check_AutoSend->isActive()) Timer_check_AutoSend->start();
  if (!enabled) Timer_check_AutoSend->stop();
}

void TAutoSendForm::FormShow() {
  // Every showing starts from the stored settings.
  FillControls();
}

void TAutoSendForm::closeEvent(QCloseEvent* event) {
  // FormClose: the object lives as long as the plug-in; closing only hides it.
  platform::guarded([this] { hide(); });
  event->ignore();
}

}  // namespace tarvel::autosend
