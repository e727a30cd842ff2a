// TAutoSendForm: the station's auto-send settings dialog, which also owns the scheduler that
// sends the shift reports when their moment has come.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/clock.h"
#include "platform/ui/settings_dialog.h"
#include "settings/inet_settings.h"
#include "tarvel/contract.h"

class QCheckBox;
class QDoubleSpinBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimeEdit;
class QTimer;

namespace tarvel::autosend {

class ClickableLabel;

// What the scheduler needs from outside the dialog.
struct AutoSendLinks {
  // The host's answer to Command(25, 0): the station's current shift number.
  std::function<HostVariant()> askShiftNumber;
  // Calls the send entry of the transport for ViaSend 1, 2 or 3 when it is bound; returns when
  // the transport has finished.
  std::function<void(int32_t viaSend)> callTransport;
};

// The interval of the scheduler's timer.
inline constexpr int kCheckIntervalMilliseconds = 30'000;

class TAutoSendForm : public platform::SettingsDialog {
  Q_OBJECT

 public:
  // A window of its own (no owner), hidden. It edits inet, which must outlive it. Fills the
  // controls from inet and enables the timer exactly when AutoSendEnable is on.
  TAutoSendForm(settings::InetSettings& inet, AutoSendLinks links);
  ~TAutoSendForm() override;

  // Components, named as the form names them (each also its objectName).
  QCheckBox* cb_AutoSend = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QRadioButton* rb_via_modem = nullptr;
  QRadioButton* rb_via_mail = nullptr;
  QRadioButton* rb_via_inet = nullptr;
  QWidget* TabSheet2 = nullptr;
  QRadioButton* rb_on_closeSM = nullptr;
  QRadioButton* rb_on_period = nullptr;
  QDoubleSpinBox* se_period = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lb_last_autosend = nullptr;
  ClickableLabel* Label2 = nullptr;
  QRadioButton* rb_on_time = nullptr;
  QTimeEdit* dtp = nullptr;
  QWidget* TabSheet3 = nullptr;
  QCheckBox* cbEnableZapros = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QTimer* Timer_check_AutoSend = nullptr;

  // The minute of the hour (0..59) read from the clock after the last check.
  uint16_t LastCheckedMinute = 0;

  // Settings -> controls. Never fails: a failing step abandons only the rest of its group.
  // Showing the stored interval and time does not select their moments.
  void FillControls() noexcept;

  // The check of one minute: when the chosen moment has come, asks the operator if asking is on,
  // calls the transport, records the send in memory and in cnf.INI and refills the controls.
  // Throws when the shift number is unreadable or cnf.INI cannot be written.
  void CheckAutoSend();

  // Event handlers. Each is entered through the error guard, so whatever it raises goes to the
  // application-level error handler and never out of the handler.
  void Timer_check_AutoSendTimer();  // once per minute: CheckAutoSend
  void BitBtn1Click();               // Apply: controls -> settings -> cnf.INI, timer, hide
  void BitBtn2Click();               // Cancel: hide, nothing copied
  void Label2Click();                // reset the last send time and write it at once
  void se_periodChange();            // selects rb_on_period
  void dtpChange();                  // selects rb_on_time
  void rb_on_timeClick();            // moves the focus to dtp when rb_on_time is selected

  // The time the editor dtp holds, as a time of day.
  platform::DateTime editorSendTime() const;

 protected:
  void FormShow() override;  // FillControls
  void closeEvent(QCloseEvent* event) override;

 private:
  void createComponents();
  void createConnectionPage();
  void createMomentPage();
  void createMiscellaneousPage();
  void createButtonPanel();
  void connectHandlers();

  void fillTransportAndMoment();
  void fillValues();
  std::optional<int32_t> checkedTransport() const;
  std::optional<int32_t> checkedMoment() const;
  void setTimerEnabled(bool enabled);

  // Asks the operator when asking is on and calls the transport of ViaSend; false when the
  // operator declined.
  bool sendThroughTransport();
  int32_t askShiftNumber() const;

  settings::InetSettings& inet_;
  AutoSendLinks links_;
  // Set while a check runs, so that a tick arriving behind an open question does nothing.
  bool checkRunning_ = false;
};

}  // namespace tarvel::autosend
