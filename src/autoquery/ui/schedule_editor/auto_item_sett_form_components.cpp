// The components of TAutoItemSettForm at the places the form was drawn with.
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/schedule_captions.h"
#include "autoquery/ui/common/component_looks.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autoquery/ui/schedule_editor/schedule_editor_texts.h"
#include "autoquery/ui/schedule_editor/time_field.h"
#include "autoquery/ui/schedule_editor/toggle_switch.h"
#include "platform/cp1251.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/form_font.h"

namespace tarvel::autoquery {
namespace {

// A check box or radio button with its caption, widened where this platform's font needs it.
template <typename Button>
Button* makeCaptioned(QWidget* parent, const char* objectName, const char* cp1251Text,
                      QRect place) {
  auto* button = makeComponent<Button>(parent, objectName);
  button->setText(platform::toUnicode(cp1251Text));
  button->setGeometry(platform::scaled(place));
  platform::widenToFitCaption(button);
  return button;
}

QGroupBox* makeGroup(QWidget* parent, const char* objectName, const char* cp1251Title,
                     QRect place) {
  auto* group = makeComponent<QGroupBox>(parent, objectName);
  group->setTitle(platform::toUnicode(cp1251Title));
  group->setGeometry(platform::scaled(place));
  return group;
}

QToolButton* makeSpeedButton(QWidget* parent, const char* objectName, const char* cp1251Text,
                             QRect place) {
  auto* button = makeComponent<QToolButton>(parent, objectName);
  button->setText(platform::toUnicode(cp1251Text));
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setGeometry(platform::scaled(place));
  return button;
}

constexpr int kRadioWidth = 172;
constexpr int kRadioHeight = 17;

}  // namespace

void TAutoItemSettForm::createComponents() {
  Label1 = makeLabel(this, "Label1", schedule_editor_text::kStationNameCaption, {8, 2, 0, 0});
  lbAZSname = makeLabel(this, "lbAZSname", "", {99, -2, 0, 0});
  lbAZSname->setFont(serifFont(16, QFont::Bold));
  setTextColor(lbAZSname, Qt::blue);

  cbEnable = makeCaptioned<QCheckBox>(this, "cbEnable", schedule_editor_text::kEnableCaption,
                                      {8, 22, 281, 17});
  cbQuery = makeCaptioned<QCheckBox>(this, "cbQuery", schedule_editor_text::kAskCaption,
                                     {8, 40, 237, 17});

  RxSwitch1 = makeComponent<ToggleSwitch>(this, "RxSwitch1");
  RxSwitch1->setGeometry(platform::scaled(QRect(339, -3, 50, 53)));

  createTypeGroups();
  createDailyGroup();
  createWeekdayGroup();

  BitBtn1 = platform::makeApplyButton(this, "BitBtn1", {165, 551, 106, 30});
  BitBtn1->setDefault(true);
  BitBtn2 = platform::makeCancelButton(this, "BitBtn2", {277, 551, 104, 30});
  BitBtn2->setAutoDefault(false);
}

void TAutoItemSettForm::createTypeGroups() {
  GroupBox1 =
      makeGroup(this, "GroupBox1", schedule_editor_text::kConnectionGroupCaption, {7, 61, 185, 81});
  rbModem = makeCaptioned<QRadioButton>(GroupBox1, "rbModem", text::kModemCaption,
                                        {7, 16, kRadioWidth, kRadioHeight});
  rbMail = makeCaptioned<QRadioButton>(GroupBox1, "rbMail", text::kMailCaption,
                                       {7, 37, kRadioWidth, kRadioHeight});
  rbIP = makeCaptioned<QRadioButton>(GroupBox1, "rbIP", text::kDirectIpCaption,
                                     {7, 59, kRadioWidth, kRadioHeight});
  rbIP->setChecked(true);

  GroupBox2 =
      makeGroup(this, "GroupBox2", schedule_editor_text::kKindGroupCaption, {198, 61, 185, 81});
  rbDay = makeCaptioned<QRadioButton>(GroupBox2, "rbDay", text::kDailyCaption,
                                      {7, 16, kRadioWidth, kRadioHeight});
  rbWeek = makeCaptioned<QRadioButton>(GroupBox2, "rbWeek", text::kWeekdaysCaption,
                                       {7, 37, kRadioWidth, kRadioHeight});
  rbMonth = makeCaptioned<QRadioButton>(GroupBox2, "rbMonth", text::kMonthDatesCaption,
                                        {7, 59, kRadioWidth, kRadioHeight});
  rbMonth->setEnabled(false);
  rbDay->setChecked(true);
}

void TAutoItemSettForm::createDailyGroup() {
  gbDay = makeGroup(this, "gbDay", schedule_editor_text::kTimesGroupCaption, {8, 150, 375, 193});
  Label2 = makeLabel(gbDay, "Label2", schedule_editor_text::kConnectionTimeCaption, {8, 18, 0, 0});

  lbDayTime = makeComponent<QListWidget>(gbDay, "lbDayTime");
  lbDayTime->setGeometry(platform::scaled(QRect(7, 32, 121, 150)));
  lbDayTime->setSelectionMode(QAbstractItemView::SingleSelection);
  lbDayTime->setSortingEnabled(false);

  gdDayTime =
      makeGroup(gbDay, "gdDayTime", schedule_editor_text::kGiveTimeCaption, {134, 32, 128, 65});
  meDayTime = makeTimeField(gdDayTime, "meDayTime", 24, 18);

  SpeedButton1 = makeSpeedButton(gbDay, "SpeedButton1", schedule_editor_text::kAddTimeCaption,
                                 {134, 96, 128, 25});
  SpeedButton2 = makeSpeedButton(gbDay, "SpeedButton2", schedule_editor_text::kRemoveTimeCaption,
                                 {134, 158, 129, 25});
}

void TAutoItemSettForm::createWeekdayGroup() {
  gbWeek = makeGroup(this, "gbWeek", schedule_editor_text::kTimesGroupCaption, {8, 349, 375, 193});
  Label3 = makeLabel(gbWeek, "Label3", schedule_editor_text::kConnectionTimeCaption, {8, 18, 0, 0});

  lvWeekDay = makeComponent<QTreeWidget>(gbWeek, "lvWeekDay");
  lvWeekDay->setGeometry(platform::scaled(QRect(8, 33, 225, 149)));
  lvWeekDay->setColumnCount(2);
  lvWeekDay->setHeaderLabels({platform::toUnicode(schedule_editor_text::kWeekdaysColumn),
                              platform::toUnicode(schedule_editor_text::kTimeColumn)});
  lvWeekDay->setColumnWidth(0, platform::scaled(100));
  lvWeekDay->setColumnWidth(1, platform::scaled(80));
  lvWeekDay->setRootIsDecorated(false);
  lvWeekDay->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvWeekDay->setSelectionMode(QAbstractItemView::SingleSelection);
  lvWeekDay->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvWeekDay->header()->setSectionsMovable(false);
  for (const char* weekday : text::kWeekDayNames) {
    auto* row = new QTreeWidgetItem(lvWeekDay, {platform::toUnicode(weekday), QString()});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Unchecked);
  }

  GroupBox4 =
      makeGroup(gbWeek, "GroupBox4", schedule_editor_text::kGiveTimeCaption, {239, 29, 128, 65});
  meWeekTime = makeTimeField(GroupBox4, "meWeekTime", 24, 18);

  SpeedButton3 = makeSpeedButton(gbWeek, "SpeedButton3", schedule_editor_text::kAddTimeCaption,
                                 {239, 94, 128, 25});
  SpeedButton4 = makeSpeedButton(gbWeek, "SpeedButton4", schedule_editor_text::kRemoveTimeCaption,
                                 {238, 158, 129, 25});
}

void TAutoItemSettForm::nameForListeners() {
  RxSwitch1->setAccessibleName(platform::toUnicode(schedule_editor_text::kSwitchName));
  lbDayTime->setAccessibleName(platform::toUnicode(schedule_editor_text::kDailyTimesName));
  lvWeekDay->setAccessibleName(platform::toUnicode(schedule_editor_text::kWeekdayTimesName));
  for (QLineEdit* field : {meDayTime, meWeekTime}) {
    field->setAccessibleName(platform::toUnicode(schedule_editor_text::kTimeFieldName));
  }
  for (QToolButton* add : {SpeedButton1, SpeedButton3}) {
    add->setAccessibleName(platform::toUnicode(schedule_editor_text::kAddTimeName));
  }
  for (QToolButton* remove : {SpeedButton2, SpeedButton4}) {
    remove->setAccessibleName(platform::toUnicode(schedule_editor_text::kRemoveTimeName));
  }
  for (int row = 0; row < lvWeekDay->topLevelItemCount(); ++row) {
    nameTimeCellForListeners(*lvWeekDay->topLevelItem(row), 1);
  }
}

void TAutoItemSettForm::nameTimeCellForListeners(QTreeWidgetItem& row, int timeColumn) {
  const QString time = row.text(timeColumn);
  row.setData(timeColumn, Qt::AccessibleTextRole,
              time.isEmpty() ? platform::toUnicode(schedule_editor_text::kNoTimeName) : time);
}

}  // namespace tarvel::autoquery
