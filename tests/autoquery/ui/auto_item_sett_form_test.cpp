#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "autoquery/ui/schedule_editor/schedule_editor_texts.h"
#include "autoquery/ui/schedule_editor/toggle_switch.h"
#include "platform/cp1251.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/user_actions.h"

namespace tarvel::autoquery {
namespace {

using Slots = std::vector<ConnectionPoint>;
using testing::clickButton;
using testing::clickItem;
using testing::typeInto;

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

  clickButton(*editor.BitBtn1);
  EXPECT_TRUE(messageShown(schedule_editor_text::kNoSessions));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_TRUE(item.Enable);
  EXPECT_FALSE(item.CP.has_value());

  // The switch clears the check box, and a disabled station may have no times.
  clickButton(*editor.RxSwitch1);
  EXPECT_FALSE(editor.cbEnable->isChecked());
  clickButton(*editor.BitBtn1);
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
  clickButton(*editor.cbEnable);
  EXPECT_TRUE(editor.RxSwitch1->isChecked());
  clickButton(*editor.RxSwitch1);
  EXPECT_FALSE(editor.cbEnable->isChecked());
  testing::pressKey(*editor.RxSwitch1, Qt::Key_Space);
  EXPECT_TRUE(editor.cbEnable->isChecked());
  clickButton(*editor.rbModem);
  clickButton(*editor.cbQuery);
  clickButton(*editor.BitBtn1);

  EXPECT_TRUE(item.Enable);
  EXPECT_FALSE(item.HasUserQuery);
  EXPECT_EQ(item.ConnType, 1);
  EXPECT_EQ(editor.result(), QDialog::Accepted);
}

TEST_F(AutoItemSettFormTest, AssistiveToggleOfEitherKeepsBothInStepAndApplyStoresWhatTheyShow) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00"});
  const QString toggle = QAccessibleActionInterface::toggleAction();
  testing::doAccessibleAction(*editor.RxSwitch1, toggle);
  EXPECT_FALSE(editor.RxSwitch1->isChecked());
  EXPECT_FALSE(editor.cbEnable->isChecked());
  testing::doAccessibleAction(*editor.cbEnable, toggle);
  EXPECT_TRUE(editor.RxSwitch1->isChecked());
  testing::doAccessibleAction(*editor.RxSwitch1, toggle);
  EXPECT_FALSE(editor.cbEnable->isChecked());
  clickButton(*editor.BitBtn1);
  EXPECT_FALSE(item.Enable);
}

TEST_F(AutoItemSettFormTest, EveryControlThatTakesTheFocusHasANameOfWords) {
  station(true, ScheduleKind::Weekdays, Slots{"09:00", "", "", "", "", "", ""});
  // Both time groups, one after the other.
  for (QRadioButton* kind : {editor.rbWeek, editor.rbDay}) {
    clickButton(*kind);
    for (QWidget* control : editor.findChildren<QWidget*>()) {
      if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisible()) continue;
      const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
      EXPECT_FALSE(name.trimmed().isEmpty()) << control->objectName().toStdString();
      EXPECT_EQ(name, name.trimmed()) << control->objectName().toStdString();
      EXPECT_FALSE(name.contains("<<")) << control->objectName().toStdString();
    }
  }
  // The weekday rows' time cells, empty ones included.
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(editor.lvWeekDay);
  QAccessibleTableInterface* cells = table->tableInterface();
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->cellAt(0, 1)->text(QAccessible::Name), "09:00");
  EXPECT_EQ(cells->cellAt(1, 1)->text(QAccessible::Name), QString::fromUtf8("нет сеанса"));
}

TEST_F(AutoItemSettFormTest, DraggedSwitchEndsWhereItsKnobIsLetGo) {
  station(false, ScheduleKind::Daily, Slots{"08:00"});
  ToggleSwitch& toggle = *editor.RxSwitch1;
  const int top = 8;
  const int bottom = toggle.height() - 8;
  struct Case {
    bool on;
    int from;
    int to;
    bool onAfter;
  };
  const Case cases[] = {
      {false, bottom, top, true}, {true, bottom, top, true},
      {true, top, bottom, false}, {false, top, bottom, false},
      {false, bottom, -30, true}, {true, top, toggle.height() + 30, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.on << " " << c.from << " -> " << c.to);
    editor.cbEnable->setChecked(c.on);
    testing::dragMouse(toggle, {toggle.width() / 2, c.from}, {toggle.width() / 2, c.to});
    EXPECT_EQ(toggle.isChecked(), c.onAfter);
    EXPECT_EQ(editor.cbEnable->isChecked(), c.onAfter);
  }
}

TEST_F(AutoItemSettFormTest, ClickedLineShowsItsTimeAndTypingEditsThatLineOnly) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{});
  // Added times keep their order and their duplicates; the ranges are not checked.
  for (const char* digits : {"0730", "1805", "1200", "1200", "2570"}) {
    typeInto(*editor.meDayTime, digits);
    clickButton(*editor.SpeedButton1);
  }
  EXPECT_EQ(editor.meDayTime->text(), "25:70");

  clickItem(*editor.lbDayTime, 0);
  EXPECT_EQ(editor.meDayTime->text(), "07:30");
  typeInto(*editor.meDayTime, "0915");
  EXPECT_EQ(dailyLines(), QStringList({"09:15", "18:05", "12:00", "12:00", "25:70"}));
  clickButton(*editor.SpeedButton1);

  clickItem(*editor.lbDayTime, 2);
  EXPECT_EQ(editor.meDayTime->text(), "12:00");
  clickButton(*editor.SpeedButton2);
  clickButton(*editor.BitBtn1);
  EXPECT_EQ(item.CP, (Slots{"09:15", "18:05", "12:00", "25:70", "09:15"}));
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Daily);
}

TEST_F(AutoItemSettFormTest, LineChosenByKeyShowsItsTime) {
  station(true, ScheduleKind::Daily, Slots{"06:00", "07:00", "08:00"});
  struct Step {
    Qt::Key key;
    int line;
  };
  const Step steps[] = {{Qt::Key_Down, 0}, {Qt::Key_End, 2},      {Qt::Key_Up, 1},
                        {Qt::Key_Home, 0}, {Qt::Key_PageDown, 2}, {Qt::Key_PageUp, 0}};
  for (const Step& step : steps) {
    testing::pressKey(*editor.lbDayTime, step.key);
    ASSERT_EQ(editor.lbDayTime->currentRow(), step.line) << step.key;
    EXPECT_EQ(editor.meDayTime->text(), dailyLines()[step.line]) << step.key;
  }
  typeInto(*editor.meDayTime, "0615");
  EXPECT_EQ(dailyLines(), QStringList({"06:15", "07:00", "08:00"}));
}

TEST_F(AutoItemSettFormTest, PartlyTypedTimeIsNeitherAddedNorStored) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00"});
  editor.meDayTime->clear();
  typeInto(*editor.meDayTime, "1");
  EXPECT_EQ(editor.meDayTime->displayText(), "1 :  ");
  clickButton(*editor.SpeedButton1);
  EXPECT_EQ(dailyLines(), QStringList({"08:00"}));
  EXPECT_TRUE(messageShown(schedule_editor_text::kIncompleteTime));

  // Typed in place into a line, it is refused when stored; the item keeps its time.
  clickItem(*editor.lbDayTime, 0);
  editor.meDayTime->clear();
  typeInto(*editor.meDayTime, "07");
  EXPECT_EQ(dailyLines(), QStringList({"07:  "}));
  dialogs.asked.clear();
  clickButton(*editor.BitBtn1);
  EXPECT_TRUE(messageShown(schedule_editor_text::kIncompleteTime));
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(item.CP, Slots{"08:00"});

  // The weekday list refuses it too.
  clickButton(*editor.rbWeek);
  clickItem(*editor.lvWeekDay, 0);
  editor.meWeekTime->clear();
  dialogs.asked.clear();
  clickButton(*editor.SpeedButton3);
  EXPECT_TRUE(messageShown(schedule_editor_text::kIncompleteTime));
}

TEST_F(AutoItemSettFormTest, ClickedWeekdayShowsItsTimeAndTicksOnlyShowWhichDaysHaveOne) {
  TAzsItem& item =
      station(true, ScheduleKind::Weekdays, Slots{"09:00", "", "", "", "18:30", "", ""});
  EXPECT_TRUE(editor.gbWeek->isVisible());
  EXPECT_FALSE(editor.gbDay->isVisible());
  EXPECT_EQ(editor.gbWeek->y(), 150);
  EXPECT_EQ(editor.frameGeometry().height(), 415);
  EXPECT_EQ(weekdayTicks(), (std::vector<bool>{true, false, false, false, true, false, false}));

  clickItem(*editor.lvWeekDay, 4);
  EXPECT_EQ(editor.meWeekTime->text(), "18:30");
  typeInto(*editor.meWeekTime, "1945");
  EXPECT_EQ(editor.weekdayTime(4), "19:45");
  EXPECT_EQ(editor.weekdayTime(0), "09:00");

  // A day without a time leaves the field as it is; typing gives the day a time.
  clickItem(*editor.lvWeekDay, 2);
  EXPECT_EQ(editor.meWeekTime->text(), "19:45");
  typeInto(*editor.meWeekTime, "1030");
  EXPECT_EQ(editor.weekdayTime(2), "10:30");
  EXPECT_TRUE(weekdayTicks()[2]);
  clickButton(*editor.SpeedButton4);
  EXPECT_EQ(editor.weekdayTime(2), "");
  EXPECT_FALSE(weekdayTicks()[2]);

  // A click on a tick selects its row like a click on its text; the tick itself only shows
  // whether the day has a time, so the change the click makes is undone.
  QSignalSpy tickChanges(editor.lvWeekDay, &QTreeWidget::itemChanged);
  testing::clickItemCheck(*editor.lvWeekDay, 0);
  EXPECT_EQ(editor.meWeekTime->text(), "09:00");
  testing::clickItemCheck(*editor.lvWeekDay, 3);
  EXPECT_GE(tickChanges.count(), 2) << "the clicks reached the ticks";
  EXPECT_EQ(weekdayTicks(), (std::vector<bool>{true, false, false, false, true, false, false}));
  testing::pressKey(*editor.lvWeekDay, Qt::Key_Down);
  EXPECT_EQ(editor.lvWeekDay->currentItem(), editor.lvWeekDay->topLevelItem(4));
  EXPECT_EQ(editor.meWeekTime->text(), "19:45");

  clickButton(*editor.BitBtn1);
  EXPECT_EQ(item.CP, (Slots{"09:00", "", "", "", "19:45", "", ""}));
}

TEST_F(AutoItemSettFormTest, KindWithoutTimeListsShowsNoTimeGroup) {
  for (const int32_t kind : {int32_t{ScheduleKind::MonthDates}, 0, 7}) {
    SCOPED_TRACE(kind);
    TAutoItemSettForm other(registry);
    registry.Add().ConnTimeTipe = kind;
    other.AZSIndex = registry.Count() - 1;
    other.show();
    EXPECT_EQ(other.rbMonth->isChecked(), kind == ScheduleKind::MonthDates);
    EXPECT_FALSE(other.rbMonth->isEnabled());
    EXPECT_FALSE(other.gbDay->isVisible());
    EXPECT_FALSE(other.gbWeek->isVisible());
  }
}

TEST_F(AutoItemSettFormTest, MonthDatesKindIsKeptWithItsList) {
  TAzsItem& item = station(false, ScheduleKind::MonthDates, Slots{"07:00"});
  clickButton(*editor.BitBtn1);
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::MonthDates);
  EXPECT_EQ(item.CP, Slots{"07:00"});
}

TEST_F(AutoItemSettFormTest, DailyStationSwitchedToWeekdaysGetsSevenSlots) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00", "20:00"});
  clickButton(*editor.rbWeek);
  EXPECT_TRUE(editor.gbWeek->isVisible());
  EXPECT_FALSE(editor.gbDay->isVisible());
  EXPECT_EQ(editor.gbWeek->y(), 150);
  clickItem(*editor.lvWeekDay, 1);
  typeInto(*editor.meWeekTime, "1100");
  clickButton(*editor.SpeedButton3);
  clickButton(*editor.BitBtn1);
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Weekdays);
  EXPECT_EQ(item.CP, (Slots{"", "11:00", "", "", "", "", ""}));
}

TEST_F(AutoItemSettFormTest, CancelAfterEditsWritesNothing) {
  TAzsItem& item = station(true, ScheduleKind::Daily, Slots{"08:00"});
  clickItem(*editor.lbDayTime, 0);
  typeInto(*editor.meDayTime, "2359");
  clickButton(*editor.cbEnable);
  clickButton(*editor.rbMail);
  clickButton(*editor.rbWeek);
  clickButton(*editor.BitBtn2);
  EXPECT_EQ(editor.result(), QDialog::Rejected);
  EXPECT_TRUE(item.Enable);
  EXPECT_EQ(item.ConnType, 3);
  EXPECT_EQ(item.ConnTimeTipe, ScheduleKind::Daily);
  EXPECT_EQ(item.CP, Slots{"08:00"});
}

}  // namespace
}  // namespace tarvel::autoquery
