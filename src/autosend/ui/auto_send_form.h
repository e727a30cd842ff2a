// TAutoSendForm: the station's auto-send settings dialog. It also owns the timer that drives
// the scheduler, which sends the shift reports when their moment has come.
#pragma once

#include <cstdint>
#include <optional>

#include "autosend/core/auto_send_scheduler.h"
#include "platform/clock.h"
#include "platform/ui/settings_dialog.h"
#include "settings/inet_settings.h"

class QCheckBox;
class QDoubleSpinBox;
class QFont;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimeEdit;
class QTimer;

namespace tarvel::autosend {

class ClickableLabel;

// The font of lb_last_autosend: Franklin Gothic Medium, 11-pixel characters (grown with
// formScale), or the nearest face this platform has.
QFont lastSendFont();

// The client area the dialog was drawn with.
inline constexpr QSize kFormClientSize(389, 235);

// The interval of the scheduler's timer.
inline constexpr int kCheckIntervalMilliseconds = 30'000;

class TAutoSendForm : public platform::SettingsDialog {
  Q_OBJECT

 public:
  // A window of its own (no owner), hidden. It edits inet, which must outlive it; links reach
  // the host and the transports for the scheduler. Fills the controls from inet and enables the
  // timer exactly when AutoSendEnable is on.
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

  // Settings -> controls. Never fails: a failing step abandons only the rest of its group.
  // Showing the stored interval and time does not select their moments.
  void FillControls() noexcept;

  // The scheduler this window's timer drives.
  AutoSendScheduler& scheduler() { return scheduler_; }

  // Event handlers. Each is entered through the error guard, so whatever it raises goes to the
  // application-level error handler and never out of the handler.
  void Timer_check_AutoSendTimer();  // wakes the scheduler
  void FormShow() override;          // FillControls
  void BitBtn1Click();               // Apply: controls -> settings -> cnf.INI, timer, hide
  void BitBtn2Click();               // Cancel: hide, nothing copied
  void Label2Click();                // reset the last send time and write it at once
  void se_periodChange();            // selects rb_on_period
  void dtpChange();                  // selects rb_on_time
  void rb_on_timeClick();            // moves the focus to dtp when rb_on_time is selected
  void FormClose();                  // hides the window; the object stays

  // The time the editor dtp holds, as a time of day.
  platform::DateTime editorSendTime() const;

 protected:
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

  settings::InetSettings& inet_;
  AutoSendScheduler scheduler_;
};

}  // namespace tarvel::autosend
