#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QTreeWidget>

#include "autoquery/core/schedule_edit.h"
#include "autoquery/ui/common/component_looks.h"
#include "autoquery/ui/schedule_editor/schedule_editor_texts.h"
#include "autoquery/ui/schedule_editor/time_field.h"
#include "autoquery/ui/schedule_editor/toggle_switch.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "settings/connection_type.h"

namespace tarvel::autoquery {
namespace {

using platform::guardedHandler;

constexpr QSize kDesignClientSize(389, 587);
// The window's outer height once shown: the two buttons then stand just below the one time
// group shown at kTimeGroupTop.
constexpr int kOuterHeight = 415;
constexpr int kTimeGroupTop = 150;
// The buttons keep their distances to the right and bottom edges as drawn.
constexpr int kApplyRightGap = 389 - (165 + 106);
constexpr int kCancelRightGap = 389 - (277 + 104);
constexpr int kButtonBottomGap = 587 - (551 + 30);
constexpr int kTimeColumn = 1;
// The gap kept between the station's name and the polling switch beside it.
constexpr int kNameRightMargin = 4;
constexpr int kWeekdayCount = kWeekdaySlotCount;

}  // namespace

TAutoItemSettForm::TAutoItemSettForm(tAutoAZS& registry, QWidget* owner)
    : SettingsDialog(
          "TAutoItemSettForm", schedule_editor_text::kItemFormCaption, kDesignClientSize,
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint,
          owner),
      registry_(registry) {
  // A resizable window: only the buttons follow its edges.
  setMinimumSize(
      platform::scaled(QSize(kDesignClientSize.width() / 2, kDesignClientSize.height() / 4)));
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  createComponents();
  nameForListeners();
  connectHandlers();
}

void TAutoItemSettForm::connectHandlers() {
  // Whatever changes either (mouse, key, an assistive client's toggle action, code) changes the
  // other: the check box holds the state that "Применить" stores, the switch shows it. Setting
  // the state a widget already has signals nothing, so the two do not echo each other.
  connect(cbEnable, &QCheckBox::toggled, this, guardedHandler([this] { cbEnableClick(); }));
  connect(RxSwitch1, &ToggleSwitch::toggled, this, guardedHandler([this] { RxSwitch1Click(); }));
  for (QRadioButton* kind : {rbDay, rbWeek, rbMonth}) {
    connect(kind, &QRadioButton::toggled, this, guardedHandler([this] { rbDayClick(); }));
  }
  // The selection, not the current line: a mouse press makes a line current before it selects
  // it, the keyboard selects before it moves the current line, and only the selection has
  // settled by the time either signal of it arrives.
  connect(lbDayTime, &QListWidget::itemSelectionChanged, this,
          guardedHandler([this] { lbDayTimeClick(); }));
  connect(meDayTime, &QLineEdit::textChanged, this, guardedHandler([this] { meDayTimeChange(); }));
  connect(SpeedButton1, &QToolButton::clicked, this,
          guardedHandler([this] { SpeedButton1Click(); }));
  connect(SpeedButton2, &QToolButton::clicked, this,
          guardedHandler([this] { SpeedButton2Click(); }));
  connect(lvWeekDay, &QTreeWidget::itemSelectionChanged, this,
          guardedHandler([this] { lvWeekDayChange(); }));
  connect(lvWeekDay, &QTreeWidget::itemChanged, this,
          guardedHandler([this] { lvWeekDayChange(); }));
  connect(lvWeekDay, &QTreeWidget::itemClicked, this,
          guardedHandler([this](QTreeWidgetItem* row, int) { lvWeekDayClick(row); }));
  connect(meWeekTime, &QLineEdit::textChanged, this,
          guardedHandler([this] { meWeekTimeChange(); }));
  connect(SpeedButton3, &QToolButton::clicked, this,
          guardedHandler([this] { SpeedButton3Click(); }));
  connect(SpeedButton4, &QToolButton::clicked, this,
          guardedHandler([this] { SpeedButton4Click(); }));
  connect(BitBtn1, &QPushButton::clicked, this, guardedHandler([this] { BitBtn1Click(); }));
  connect(BitBtn2, &QPushButton::clicked, this, guardedHandler([this] { reject(); }));
}

QString TAutoItemSettForm::weekdayTime(int row) const {
  return lvWeekDay->topLevelItem(row)->text(kTimeColumn);
}

void TAutoItemSettForm::FormShow() {
  resize(width(), platform::scaled(kOuterHeight) - (frameGeometry().height() - height()));

  const TAzsItem& item = registry_.Items(AZSIndex);
  setCaptionWithin(lbAZSname, platform::toUnicode(item.AZSName),
                   RxSwitch1->x() - lbAZSname->x() - platform::scaled(kNameRightMargin));
  cbEnable->setChecked(item.Enable);
  cbEnableClick();
  cbQuery->setChecked(item.HasUserQuery);

  switch (item.ConnType) {
    case settings::ConnectionType::Modem:
      rbModem->setChecked(true);
      break;
    case settings::ConnectionType::Mail:
      rbMail->setChecked(true);
      break;
    case settings::ConnectionType::DirectIp:
      rbIP->setChecked(true);
      break;
    default:
      break;  // the choice the form was drawn with stays
  }

  gbDay->hide();
  gbWeek->hide();
  switch (item.ConnTimeTipe) {
    case ScheduleKind::Daily:
      rbDay->setChecked(true);
      rbDayClick();
      lbDayTime->clear();
      if (item.CP) {
        for (const ConnectionPoint& slot : *item.CP) {
          if (slot) lbDayTime->addItem(platform::toUnicode(*slot));
        }
      }
      break;
    case ScheduleKind::Weekdays:
      rbWeek->setChecked(true);
      rbDayClick();
      if (item.CP) {
        const int slotCount = std::min<int>(kWeekdayCount, static_cast<int>(item.CP->size()));
        for (int day = 0; day < slotCount; ++day) {
          const ConnectionPoint& slot = (*item.CP)[day];
          if (slot) lvWeekDay->topLevelItem(day)->setText(kTimeColumn, platform::toUnicode(*slot));
        }
      }
      lvWeekDayChange();
      break;
    case ScheduleKind::MonthDates:
      rbMonth->setChecked(true);
      break;
    default:
      break;  // a kind the editor does not know shows no time group
  }
}

void TAutoItemSettForm::resizeEvent(QResizeEvent* event) {
  SettingsDialog::resizeEvent(event);
  using platform::scaled;
  const int buttonTop = height() - scaled(kButtonBottomGap) - BitBtn1->height();
  BitBtn1->move(width() - scaled(kApplyRightGap) - BitBtn1->width(), buttonTop);
  BitBtn2->move(width() - scaled(kCancelRightGap) - BitBtn2->width(), buttonTop);
}

void TAutoItemSettForm::cbEnableClick() { RxSwitch1->setChecked(cbEnable->isChecked()); }

void TAutoItemSettForm::RxSwitch1Click() { cbEnable->setChecked(RxSwitch1->isChecked()); }

void TAutoItemSettForm::rbDayClick() {
  gbDay->hide();
  gbWeek->hide();
  if (rbDay->isChecked()) {
    gbDay->move(gbDay->x(), platform::scaled(kTimeGroupTop));
    gbDay->show();
  }
  if (rbWeek->isChecked()) {
    gbWeek->move(gbWeek->x(), platform::scaled(kTimeGroupTop));
    gbWeek->show();
  }
}

int TAutoItemSettForm::selectedDayLine() const {
  const QList<QListWidgetItem*> selected = lbDayTime->selectedItems();
  return selected.isEmpty() ? -1 : lbDayTime->row(selected.front());
}

void TAutoItemSettForm::lbDayTimeClick() {
  const int line = selectedDayLine();
  if (line >= 0) meDayTime->setText(lbDayTime->item(line)->text());
}

void TAutoItemSettForm::meDayTimeChange() {
  // Typing edits the selected time in place.
  const int line = selectedDayLine();
  if (line >= 0) lbDayTime->item(line)->setText(timeFieldText(*meDayTime));
}

bool TAutoItemSettForm::refusePartlyTyped(const QString& time) {
  if (!isPartlyTypedTime(platform::fromUnicode(time))) return false;
  platform::operatorDialogs().showBareMessage(schedule_editor_text::kIncompleteTime);
  return true;
}

void TAutoItemSettForm::SpeedButton1Click() {
  const QString time = timeFieldText(*meDayTime);
  if (refusePartlyTyped(time)) return;
  lbDayTime->addItem(time);
}

void TAutoItemSettForm::SpeedButton2Click() {
  const int line = selectedDayLine();
  if (line >= 0) delete lbDayTime->takeItem(line);
}

QTreeWidgetItem* TAutoItemSettForm::selectedWeekdayRow() const {
  const QList<QTreeWidgetItem*> selected = lvWeekDay->selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

void TAutoItemSettForm::lvWeekDayChange() {
  if (refreshingWeekdays_) return;
  refreshingWeekdays_ = true;
  // The ticks only show which weekdays have a time: a tick set or cleared by hand is undone.
  for (int day = 0; day < kWeekdayCount; ++day) {
    QTreeWidgetItem* row = lvWeekDay->topLevelItem(day);
    row->setCheckState(0, row->text(kTimeColumn).isEmpty() ? Qt::Unchecked : Qt::Checked);
    nameTimeCellForListeners(*row, kTimeColumn);
  }
  refreshingWeekdays_ = false;
  const QTreeWidgetItem* row = selectedWeekdayRow();
  if (row != nullptr && !row->text(kTimeColumn).isEmpty() &&
      timeFieldText(*meWeekTime) != row->text(kTimeColumn)) {
    meWeekTime->setText(row->text(kTimeColumn));
  }
}

void TAutoItemSettForm::lvWeekDayClick(QTreeWidgetItem* row) {
  // A press on a tick goes to the tick alone and leaves the selection where it was; the
  // operator who clicks a day's tick means that day all the same.
  if (!row->isSelected()) lvWeekDay->setCurrentItem(row);
}

void TAutoItemSettForm::meWeekTimeChange() {
  QTreeWidgetItem* row = selectedWeekdayRow();
  if (row == nullptr) return;
  row->setText(kTimeColumn, timeFieldText(*meWeekTime));
  lvWeekDayChange();
}

void TAutoItemSettForm::SpeedButton3Click() {
  QTreeWidgetItem* row = selectedWeekdayRow();
  if (row == nullptr) return;
  const QString time = timeFieldText(*meWeekTime);
  if (refusePartlyTyped(time)) return;
  row->setText(kTimeColumn, time);
  lvWeekDayChange();
}

void TAutoItemSettForm::SpeedButton4Click() {
  QTreeWidgetItem* row = selectedWeekdayRow();
  if (row == nullptr) return;
  row->setText(kTimeColumn, QString());
  lvWeekDayChange();
}

void TAutoItemSettForm::BitBtn1Click() {
  EditedSchedule edited{
      .Enable = cbEnable->isChecked(),
      .HasUserQuery = cbQuery->isChecked(),
      .ConnType = rbModem->isChecked()  ? settings::ConnectionType::Modem
                  : rbMail->isChecked() ? settings::ConnectionType::Mail
                                        : settings::ConnectionType::DirectIp,
      .ConnTimeTipe = rbDay->isChecked()    ? ScheduleKind::Daily
                      : rbWeek->isChecked() ? ScheduleKind::Weekdays
                                            : ScheduleKind::MonthDates,
  };
  for (int line = 0; line < lbDayTime->count(); ++line) {
    edited.dailyTimes.push_back(platform::fromUnicode(lbDayTime->item(line)->text()));
  }
  for (int day = 0; day < kWeekdayCount; ++day) {
    edited.weekdayTimes.push_back(platform::fromUnicode(weekdayTime(day)));
  }
  switch (applyEditedSchedule(registry_.Items(AZSIndex), edited)) {
    case ScheduleRefusal::None:
      accept();
      break;
    case ScheduleRefusal::NoSessions:
      platform::operatorDialogs().showBareMessage(schedule_editor_text::kNoSessions);
      break;
    case ScheduleRefusal::PartlyTypedTime:
      platform::operatorDialogs().showBareMessage(schedule_editor_text::kIncompleteTime);
      break;
  }
}

}  // namespace tarvel::autoquery
