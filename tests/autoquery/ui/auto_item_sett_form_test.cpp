#include "autoquery/ui/auto_item_sett_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "autoquery/ui/autoquery_ui_texts.h"
#include "autoquery/ui/toggle_switch.h"
#include "platform/cp1251.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"

namespace tarvel::autoquery {
namespace {

using Slots = std::vector<ConnectionPoint>;

class AutoItemSettFormTest : public ::testing::Test {
 protected:
  testing::ScriptedDialogs dialogs;
  testing::RecordedApplicationErrors reportedErrors;
  tAutoAZS registry;

  // A station at position 1 (another before it) with the given schedule, and its editor shown.
  TAzsItem& station(bool enable, int32_t kind, std::optional<Slots> times) {
    registry.Add();
    TAzsItem& item = registry.Add();
    item.AZSName = platform::fromUnicode(QString::fromUtf8("АЗС №2"));
    item.Enable = enable;
    item.ConnTimeTipe = kind;
    item.CP = std::move(times);
    editor.AZSIndex = 1;
    editor.show();
    return item;
  }

  // Types into a time field from its first position, as the operator does.
  static void typeTime(QLineEdit* field, const QString& digits) {
    field->setFocus();
    field->setCursorPosition(0);
    QTest::keyClicks(field, digits);
  }

  QStringList dailyLines() const {
    QStringList lines;
    for (int line = 0; line < editor.lbDayTime->count(); ++line) {
      lines << editor.lbDayTime->item(line)->text();
    }
    return lines;
  }

  std::vector<bool> weekdayTicks() const {
    std::vector<bool> ticks;
    for (int day = 0; day < 7; ++day) {
      ticks.push_back(editor.lvWeekDay->topLevelItem(day)->checkState(0) == Qt::Checked);
    }
    return ticks;
  }

  void selectWeekday(int day) {
    editor.lvWeekDay->setCurrentItem(editor.lvWeekDay->topLevelItem(day));
  }

  bool messageShown(const char* text) const {
    for (const auto& asked : dialogs.asked) {
      if (asked.kind == "bare message" && asked.text == text) return true;
    }
    return false;
  }

  TAutoItemSettForm editor{registry};
};

TEST_F(AutoItemSettFormTest, EnabledDailyStationWithoutTimesIsRefusedDisabledOneIsAccepted) {
  TAzsItem& item = station(true, ScheduleKind::Daily, std::nullopt);
  EXPECT_TRUE(editor.RxSwitch1->isChecked());

  editor.BitBtn1->click();
  EXPECT_TRUE(messageShown(text::kNoSessions));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(item.Enable);
  EXPECT_FALSE(item.CP.has_value());

  // The switch clears the check box, and a disabled station may have no times.
  editor.RxSwitch1->click();
  EXPECT_FALSE(editor.cbEnable->isChecked());
  editor.BitBtn1->click();
  EXPECT_FALSE(editor.isVisible());
  EXPECT_EQ(editor.result(), QDialog::Accepted);
  EXPECT_FALSE(item.Enable);
  EXPECT_EQ(item.CP, Slots{});
  EXPECT_TRUE(reportedErrors.messages.empty());
}

TEST_F(AutoItemSettFormTest, NameTooLongForItsPlaceIsShortenedBeforeTheSwitchAndWholeInItsTip) {
  const QString longName = QString::fromUtf8("АЗС №127 Северная объездная дорога, въезд с юга");
  registry.Add().AZSName = platform::fromUnicode(longName);
  editor.AZSIndex = 0;
  editor.show();
  EXPECT_LT(editor.lbAZSname->geometry().right(), editor.RxSwitch1->x());
  EXPECT_NE(editor.lbAZSname->text(), longName);
  EXPECT_EQ(editor.lbAZSname->toolTip(), longName);
}

TEST_F(AutoItemSettFormTest, SwitchAndCheckBoxMirrorEachOtherAndApplyStoresTheChoices) {
  TAzsItem& item = station(false, ScheduleKind::Daily, Slots{"08:00"});
  editor.cbEnable->click();
  EXPECT_TRUE(editor.RxSwitch1->isChecked());
  editor.RxSwitch1->click();
  EXPECT_FALSE(editor.cbEnable->isChecked());
  editor.RxSwitch1->click();
  EXPECT_TRUE(editor.cbEnable->isChecked());
  editor.rbModem->click();
  editor.cbQuery->click();
  editor.BitBtn1->click();

  EXPECT_TRUE(item.Enable);
  EXPECT_FALSE(item.HasUserQuery);
  EXPECT_EQ(item.ConnType, 1);
  EXPECT_EQ(editor.result(), QDialog::Accepted);
}

TEST_F(AutoItemSettFormTest, TypingEditsTheSelectedTimeInPlaceAndAddingKeepsOrderAndDuplicates) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00"});
  editor.lbDayTime->setCurrentRow(0);
  EXPECT_EQ(editor.meDayTime->text(), "08:00");
  typeTime(editor.meDayTime, "0915");
  EXPECT_EQ(dailyLines(), QStringList({"09:15"}));
  editor.SpeedButton1->click();
  EXPECT_EQ(dailyLines(), QStringList({"09:15", "09:15"}));

  editor.lbDayTime->setCurrentRow(-1);
  for (const char* digits : {"1200", "1200", "1800", "0600", "2570"}) {
    typeTime(editor.meDayTime, digits);
    editor.SpeedButton1->click();
  }
  editor.lbDayTime->setCurrentRow(1);
  editor.SpeedButton2->click();
  editor.BitBtn1->click();

  EXPECT_EQ(item.CP, (Slots{"09:15", "12:00", "12:00", "18:00", "06:00", "25:70"}));
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Daily);
}

TEST_F(AutoItemSettFormTest, PartlyTypedTimeIsNeitherAddedNorStored) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00"});
  editor.meDayTime->clear();
  typeTime(editor.meDayTime, "1");
  EXPECT_EQ(editor.meDayTime->displayText(), "1 :  ");
  editor.SpeedButton1->click();
  EXPECT_EQ(dailyLines(), QStringList({"08:00"}));
  EXPECT_TRUE(messageShown(text::kIncompleteTime));

  // Typed in place into a line, it is refused when stored; the item keeps its time.
  editor.lbDayTime->setCurrentRow(0);
  editor.meDayTime->clear();
  typeTime(editor.meDayTime, "07");
  EXPECT_EQ(dailyLines(), QStringList({"07:  "}));
  dialogs.asked.clear();
  editor.BitBtn1->click();
  EXPECT_TRUE(messageShown(text::kIncompleteTime));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(item.CP, Slots{"08:00"});

  // The weekday list refuses it too.
  editor.rbWeek->click();
  selectWeekday(0);
  editor.meWeekTime->clear();
  dialogs.asked.clear();
  editor.SpeedButton3->click();
  EXPECT_TRUE(messageShown(text::kIncompleteTime));
}

TEST_F(AutoItemSettFormTest, WeekdayTicksOnlyShowWhichDaysHaveATime) {
  TAzsItem& item =
      station(true, ScheduleKind::Weekdays, Slots{"09:00", "", "", "", "18:30", "", ""});
  EXPECT_TRUE(editor.gbWeek->isVisible());
  EXPECT_FALSE(editor.gbDay->isVisible());
  EXPECT_EQ(editor.gbWeek->y(), 150);
  EXPECT_EQ(editor.frameGeometry().height(), 415);
  EXPECT_EQ(weekdayTicks(), (std::vector<bool>{true, false, false, false, true, false, false}));

  selectWeekday(2);
  typeTime(editor.meWeekTime, "1030");
  EXPECT_EQ(editor.weekdayTime(2), "10:30");
  EXPECT_TRUE(weekdayTicks()[2]);
  editor.SpeedButton4->click();
  EXPECT_EQ(editor.weekdayTime(2), "");
  EXPECT_FALSE(weekdayTicks()[2]);

  // A tick set by hand on a day without a time is undone.
  editor.lvWeekDay->topLevelItem(3)->setCheckState(0, Qt::Checked);
  EXPECT_FALSE(weekdayTicks()[3]);

  editor.BitBtn1->click();
  EXPECT_EQ(item.CP, (Slots{"09:00", "", "", "", "18:30", "", ""}));
}

TEST_F(AutoItemSettFormTest, MonthDatesKindIsShownWithoutTimesAndKeptWithItsList) {
  TAzsItem& item = station(false, ScheduleKind::MonthDates, Slots{"07:00"});
  EXPECT_TRUE(editor.rbMonth->isChecked());
  EXPECT_FALSE(editor.rbMonth->isEnabled());
  EXPECT_FALSE(editor.gbDay->isVisible());
  EXPECT_FALSE(editor.gbWeek->isVisible());
  editor.BitBtn1->click();
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::MonthDates);
  EXPECT_EQ(item.CP, Slots{"07:00"});
}

TEST_F(AutoItemSettFormTest, DailyStationSwitchedToWeekdaysGetsSevenSlots) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00", "20:00"});
  editor.rbWeek->click();
  EXPECT_TRUE(editor.gbWeek->isVisible());
  EXPECT_FALSE(editor.gbDay->isVisible());
  EXPECT_EQ(editor.gbWeek->y(), 150);
  selectWeekday(1);
  typeTime(editor.meWeekTime, "1100");
  editor.SpeedButton3->click();
  editor.BitBtn1->click();
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Weekdays);
  EXPECT_EQ(item.CP, (Slots{"", "11:00", "", "", "", "", ""}));
}

TEST_F(AutoItemSettFormTest, CancelAfterEditsWritesNothing) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00"});
  editor.lbDayTime->setCurrentRow(0);
  typeTime(editor.meDayTime, "2359");
  editor.cbEnable->click();
  editor.rbMail->click();
  editor.rbWeek->click();
  editor.BitBtn2->click();
  EXPECT_EQ(editor.result(), QDialog::Rejected);
  EXPECT_TRUE(item.Enable);
  EXPECT_EQ(item.ConnType, 3);
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Daily);
  EXPECT_EQ(item.CP, Slots{"08:00"});
}

}  // namespace
}  // namespace tarvel::autoquery
