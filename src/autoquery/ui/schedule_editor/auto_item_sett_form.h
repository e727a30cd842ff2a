// TAutoItemSettForm: the schedule editor of one station, opened from the office window by a
// click on the station's frame. It edits the item at AZSIndex of the registry: polling on or
// off, asking first, the connection type and the session times, daily or per weekday. Apply
// writes the choices into the item and closes with OK; refreshing the station's frame and
// writing the file are the office window's business. Made and freed for each use.
#pragma once

#include <QString>
#include <cstdint>

#include "autoquery/core/auto_azs.h"
#include "platform/ui/settings_dialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvel::autoquery {

class ToggleSwitch;

class TAutoItemSettForm : public platform::SettingsDialog {
  Q_OBJECT

 public:
  // registry: the office's schedules, which must outlive the dialog. owner: the window it
  // belongs to (the office window); not its parent.
  explicit TAutoItemSettForm(tAutoAZS& registry, QWidget* owner = nullptr);

  // The position in the registry of the station being edited; set before the dialog is shown.
  int32_t AZSIndex = 0;

  QLabel* Label1 = nullptr;
  QLabel* lbAZSname = nullptr;
  QCheckBox* cbEnable = nullptr;
  QCheckBox* cbQuery = nullptr;
  ToggleSwitch* RxSwitch1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* rbModem = nullptr;
  QRadioButton* rbMail = nullptr;
  QRadioButton* rbIP = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QRadioButton* rbDay = nullptr;
  QRadioButton* rbWeek = nullptr;
  QRadioButton* rbMonth = nullptr;
  QGroupBox* gbDay = nullptr;
  QLabel* Label2 = nullptr;
  QListWidget* lbDayTime = nullptr;
  QGroupBox* gdDayTime = nullptr;
  QLineEdit* meDayTime = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QGroupBox* gbWeek = nullptr;
  QLabel* Label3 = nullptr;
  QTreeWidget* lvWeekDay = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QLineEdit* meWeekTime = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

  // The time in the "Время" column of a weekday row (0 Monday .. 6 Sunday); empty for none.
  QString weekdayTime(int row) const;

 protected:
  void FormShow() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void createComponents();
  void createTypeGroups();
  void createDailyGroup();
  void createWeekdayGroup();
  void connectHandlers();
  // Names for assistive technology where a control's caption gives none a listener understands.
  void nameForListeners();
  // A weekday row's time cell says its time, or that the day has no session.
  static void nameTimeCellForListeners(QTreeWidgetItem& row, int timeColumn);

  void cbEnableClick();
  void RxSwitch1Click();
  void rbDayClick();
  void lbDayTimeClick();
  void meDayTimeChange();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void lvWeekDayChange();
  // A click on a row, its tick included, selects the row.
  void lvWeekDayClick(QTreeWidgetItem* row);
  void meWeekTimeChange();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void BitBtn1Click();

  // The selected line of lbDayTime, or -1.
  int selectedDayLine() const;
  // The selected row of lvWeekDay, or nullptr.
  QTreeWidgetItem* selectedWeekdayRow() const;
  // Whether a time about to be stored was typed only in part; then tells the operator.
  bool refusePartlyTyped(const QString& time);

  tAutoAZS& registry_;
  // Set while the weekday refresh changes the list, whose own change signals it then ignores.
  bool refreshingWeekdays_ = false;
};

}  // namespace tarvel::autoquery
