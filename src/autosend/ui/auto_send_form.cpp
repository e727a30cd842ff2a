#include "autosend/ui/auto_send_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>

#include "autosend/core/autosend_texts.h"
#include "autosend/ui/clickable_label.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/operator_dialogs.h"

namespace tarvel::autosend {

TAutoSendForm::TAutoSendForm(settings::InetSettings& inet, AutoSendLinks links)
    : SettingsDialog("TAutoSendForm", text::kFormCaption, kFormClientSize,
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                         Qt::MSWindowsFixedSizeDialogHint),
      inet_(inet),
      scheduler_(inet, std::move(links),
                 {[this] { return editorSendTime(); },
                  // The question is owned by this window, shown or hidden.
                  [this](const std::string& title, const std::string& question) {
                    return platform::operatorDialogs().askYesNo(this, title, question);
                  },
                  [this] { FillControls(); }}) {
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

void TAutoSendForm::Timer_check_AutoSendTimer() {
  // An error ends the tick before the scheduler records the minute, so the next tick checks
  // again.
  platform::guarded([this] { scheduler_.tick(); });
}

void TAutoSendForm::FormShow() {
  // Every showing starts from the stored settings.
  platform::guarded([this] { FillControls(); });
}

void TAutoSendForm::FormClose() {
  platform::guarded([this] { hide(); });
}

void TAutoSendForm::closeEvent(QCloseEvent* event) {
  // The object lives as long as the plug-in; closing only hides it.
  FormClose();
  event->ignore();
}

}  // namespace tarvel::autosend
