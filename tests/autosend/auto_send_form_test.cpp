#include "autosend/ui/auto_send_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <filesystem>

#include "auto_send_fixture.h"
#include "autosend/ui/clickable_label.h"
#include "support/user_actions.h"

namespace tarvel::autosend {
namespace {

using AutoSendFormTest = AutoSendTest;

struct Placed {
  const char* name;
  const char* parent;
  QRect place;
  const char* caption;  // UTF-8; nullptr when the component has none
};

QString captionOf(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  return {};
}

TEST_F(AutoSendFormTest, ComponentsStandWhereTheFormWasDrawn) {
  TAutoSendForm& dialog = makeForm();
  const Placed placed[] = {
      {"cb_AutoSend",
       "TAutoSendForm",
       {4, 1, 321, 17},
       "Использовать автоматическую отправку отчетов в офис"},
      {"PageControl1", "TAutoSendForm", {0, 23, 389, 171}, nullptr},
      {"rb_via_modem", "TabSheet1", {16, 16, 174, 17}, "Через модемное соединение"},
      {"rb_via_mail", "TabSheet1", {16, 48, 209, 17}, "Через электронный почтовый ящик"},
      {"rb_via_inet", "TabSheet1", {16, 81, 174, 17}, "Через прямое IP соединение"},
      {"rb_on_closeSM", "TabSheet2", {16, 11, 161, 17}, "При закрытии смены"},
      {"rb_on_period",
       "TabSheet2",
       {16, 48, 233, 17},
       "Периодически, каждые                    часов"},
      {"se_period", "TabSheet2", {157, 45, 57, 21}, nullptr},
      {"rb_on_time", "TabSheet2", {16, 105, 217, 17}, "Периодически в назначенное время:"},
      {"dtp", "TabSheet2", {230, 102, 67, 21}, nullptr},
      {"cbEnableZapros",
       "TabSheet3",
       {16, 16, 359, 17},
       "Выводить запрос на разрешение автоматичекой отправки"},
      {"Panel1", "TAutoSendForm", {0, 194, 389, 41}, nullptr},
      {"BitBtn1", "Panel1", {160, 4, 107, 32}, "Применить"},
      {"BitBtn2", "Panel1", {273, 4, 112, 32}, "Отменить"},
  };
  for (const Placed& component : placed) {
    auto* widget = dialog.findChild<QWidget*>(component.name);
    ASSERT_NE(widget, nullptr) << component.name;
    EXPECT_EQ(widget->parentWidget()->objectName(), component.parent) << component.name;
    EXPECT_EQ(widget->geometry(), component.place) << component.name;
    if (component.caption) {
      EXPECT_EQ(captionOf(widget), QString::fromUtf8(component.caption)) << component.name;
    }
  }
  const std::pair<QWidget*, QPoint> labels[] = {
      {dialog.Label1, {34, 63}}, {dialog.lb_last_autosend, {228, 62}}, {dialog.Label2, {191, 74}}};
  for (const auto& [label, topLeft] : labels) {
    EXPECT_EQ(label->pos(), topLeft) << label->objectName().toStdString();
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
  }
  EXPECT_EQ(dialog.Label1->text(), QString::fromUtf8("Последняя периодическая отправка:"));
  EXPECT_EQ(dialog.Label2->text(), QString::fromUtf8("Сбросить последнее время обмена!!!"));

  EXPECT_EQ(dialog.windowTitle(),
            QString::fromUtf8("Настройка автоматической отправки отчетов в офис"));
  EXPECT_EQ(dialog.size(), QSize(389, 235));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(dialog.parentWidget(), nullptr);
  const QStringList tabs = {dialog.PageControl1->tabText(0), dialog.PageControl1->tabText(1),
                            dialog.PageControl1->tabText(2)};
  EXPECT_EQ(tabs, QStringList({QString::fromUtf8("  Тип подключения к офису  "),
                               QString::fromUtf8("   Тип отправки отчетов  "),
                               QString::fromUtf8("      Разное       ")}));
  EXPECT_EQ(dialog.PageControl1->widget(1), dialog.TabSheet2);
  EXPECT_EQ(dialog.Timer_check_AutoSend->objectName(), "Timer_check_AutoSend");
  EXPECT_EQ(dialog.Timer_check_AutoSend->interval(), 30000);
}

TEST_F(AutoSendFormTest, LastSendTimeAsksForItsOwnFaceFirstAndGetsANearOne) {
  TAutoSendForm& dialog = makeForm();
  const QFont font = dialog.lb_last_autosend->font();
  ASSERT_FALSE(font.families().isEmpty());
  EXPECT_EQ(font.families().first(), "Franklin Gothic Medium");
  EXPECT_EQ(font.pixelSize(), 11);
  // Where the face is missing, the one matched in its place is a real face of this platform.
  EXPECT_FALSE(QFontInfo(font).family().isEmpty());
  EXPECT_EQ(QFontInfo(font).pixelSize(), 11);
}

TEST_F(AutoSendFormTest, StartsWithTheFormsInitialChoicesAndAppliesThemWhenNothingIsStored) {
  TAutoSendForm& dialog = makeForm();
  EXPECT_TRUE(dialog.rb_via_modem->isChecked());
  EXPECT_TRUE(dialog.rb_on_closeSM->isChecked());
  EXPECT_EQ(dialog.PageControl1->currentIndex(), 0);
  EXPECT_DOUBLE_EQ(dialog.se_period->value(), 1.0);
  EXPECT_EQ(dialog.se_period->minimum(), 0.2);
  EXPECT_EQ(dialog.se_period->maximum(), 999.0);
  EXPECT_EQ(dialog.dtp->displayFormat(), "HH:mm");
  EXPECT_EQ(dialog.lb_last_autosend->text(), QString::fromUtf8("Не производилась"));
  EXPECT_FALSE(dialog.Timer_check_AutoSend->isActive());
  EXPECT_EQ(dialog.scheduler().LastCheckedMinute, 0);
  dialog.show();
  testing::clickButton(*dialog.BitBtn1);
  EXPECT_EQ(inet.ViaSend, 1);
  EXPECT_EQ(inet.WhenSend, 1);
}

TEST_F(AutoSendFormTest, TransportAndMomentAreIndependentChoices) {
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  testing::clickButton(*dialog.rb_via_mail);
  testing::clickButton(*dialog.rb_on_period);
  testing::clickButton(*dialog.rb_via_inet);
  EXPECT_TRUE(dialog.rb_via_inet->isChecked());
  EXPECT_FALSE(dialog.rb_via_mail->isChecked());
  EXPECT_TRUE(dialog.rb_on_period->isChecked());
}

TEST_F(AutoSendFormTest, FillingShowsTheStoredMomentNotTheOneTheIntervalAndTimeWouldPick) {
  inet = {
      true, 2, 1, 5, platform::encodeTime(9, 45), 3, platform::encodeDateTime(2007, 3, 5, 14, 30),
      true};
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  EXPECT_TRUE(dialog.cb_AutoSend->isChecked());
  EXPECT_TRUE(dialog.rb_via_mail->isChecked());
  EXPECT_TRUE(dialog.rb_on_closeSM->isChecked());
  EXPECT_DOUBLE_EQ(dialog.se_period->value(), 5.0);
  EXPECT_EQ(dialog.dtp->time(), QTime(9, 45));
  EXPECT_EQ(dialog.lb_last_autosend->text(), "05.03.2007 14:30:00");
  EXPECT_TRUE(dialog.cbEnableZapros->isChecked());
  EXPECT_TRUE(dialog.Timer_check_AutoSend->isActive());
}

TEST_F(AutoSendFormTest, ValuesOutsideTheirRangeLeaveTheSelectionAndAreShownWithinIt) {
  inet.ViaSend = 7;
  inet.WhenSend = -1;
  inet.SendInterval = 5000;
  TAutoSendForm& dialog = makeForm();
  testing::clickButton(*dialog.rb_via_inet);
  testing::clickButton(*dialog.rb_on_time);
  dialog.FillControls();
  EXPECT_TRUE(dialog.rb_via_inet->isChecked());
  EXPECT_TRUE(dialog.rb_on_time->isChecked());
  EXPECT_DOUBLE_EQ(dialog.se_period->value(), 999.0);
  inet.SendInterval = -4;
  dialog.FillControls();
  EXPECT_DOUBLE_EQ(dialog.se_period->value(), 0.2);
}

TEST_F(AutoSendFormTest, EditingTheIntervalOrTheTimeSelectsItsMoment) {
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  testing::typeInto(*dialog.se_period, "3");
  EXPECT_TRUE(dialog.rb_on_period->isChecked());
  EXPECT_DOUBLE_EQ(dialog.se_period->value(), 3.0);
  testing::pressKey(*dialog.dtp, Qt::Key_Up);
  EXPECT_TRUE(dialog.rb_on_time->isChecked());
  testing::pressKey(*dialog.se_period, Qt::Key_Up);
  EXPECT_TRUE(dialog.rb_on_period->isChecked());
}

TEST_F(AutoSendFormTest, ApplyWritesEveryValueInItsOrderAndStartsTheTimer) {
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  testing::clickButton(*dialog.cb_AutoSend);
  testing::clickButton(*dialog.rb_via_mail);
  dialog.dtp->setTime(QTime(14, 5));
  // Typing the interval also selects every-N-hours: the last edit wins.
  testing::typeInto(*dialog.se_period,
                    QString("2") + dialog.se_period->locale().decimalPoint() + "5");
  testing::clickButton(*dialog.cbEnableZapros);
  testing::clickButton(*dialog.BitBtn1);

  EXPECT_EQ(installation.settingsText(),
            "[Inet]\r\nAutoSendEnable=1\r\nViaSend=2\r\nWhenSend=2\r\nSendInterval=2\r\n"
            "SendTime=14:05:00\r\nLastSmena=0\r\nLastAutoSendTime=30.12.1899\r\n"
            "EnableAutoZapros=1\r\n");
  EXPECT_TRUE(dialog.Timer_check_AutoSend->isActive());
  EXPECT_FALSE(dialog.isVisible());

  dialog.show();
  testing::clickButton(*dialog.cb_AutoSend);
  testing::clickButton(*dialog.BitBtn1);
  EXPECT_FALSE(inet.AutoSendEnable);
  EXPECT_FALSE(dialog.Timer_check_AutoSend->isActive());
}

TEST_F(AutoSendFormTest, ApplyRoundsTheIntervalHalvesToEven) {
  TAutoSendForm& dialog = makeForm();
  const struct {
    double typed;
    int32_t stored;
    double shownNextTime;
  } cases[] = {{0.4, 0, 0.2}, {0.5, 0, 0.2}, {1.5, 2, 2.0}, {2.5, 2, 2.0}, {3.5, 4, 4.0}};
  for (const auto& c : cases) {
    dialog.show();
    dialog.se_period->setValue(c.typed);
    testing::clickButton(*dialog.BitBtn1);
    EXPECT_EQ(inet.SendInterval, c.stored) << c.typed;
    dialog.show();
    EXPECT_DOUBLE_EQ(dialog.se_period->value(), c.shownNextTime) << c.typed;
  }
}

TEST_F(AutoSendFormTest, CancelKeepsTheSettingsAndTheNextShowingDiscardsTheEdits) {
  inet.ViaSend = 1;
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  testing::clickButton(*dialog.cb_AutoSend);
  testing::clickButton(*dialog.rb_via_inet);
  // Before Apply the check box already answers for the plug-in's getAutoSend.
  EXPECT_TRUE(dialog.cb_AutoSend->isChecked());
  EXPECT_FALSE(inet.AutoSendEnable);
  testing::clickButton(*dialog.BitBtn2);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(dialog.cb_AutoSend->isChecked());  // an abandoned edit counts until shown again
  EXPECT_EQ(installation.settingsText(), "");
  dialog.show();
  EXPECT_FALSE(dialog.cb_AutoSend->isChecked());
  EXPECT_TRUE(dialog.rb_via_modem->isChecked());
}

TEST_F(AutoSendFormTest, ClosingByAnyMeansOnlyHides) {
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  EXPECT_FALSE(dialog.close());
  EXPECT_FALSE(dialog.isVisible());
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  dialog.show();
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AutoSendFormTest, HidingRemembersWhereTheWindowStoodForTheNextRun) {
  const QString placementFile =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
      "/Tarvel/placement.ini";
  QFile::remove(placementFile);
  TAutoSendForm& dialog = makeForm();
  EXPECT_EQ(dialog.pos(), QPoint(0, 0));
  dialog.show();
  dialog.move(40, 30);
  testing::clickButton(*dialog.BitBtn2);
  form.reset();
  // Where the window stands once shown: the window system puts it back by its client area.
  TAutoSendForm& again = makeForm();
  again.show();
  EXPECT_EQ(again.pos(), QPoint(40, 30));
  QFile::remove(placementFile);
}

TEST_F(AutoSendFormTest, ResetLinkWritesAtOnceAndDiscardsUnappliedEdits) {
  inet.LastAutoSendTime = platform::encodeDateTime(2007, 3, 5, 14, 30);
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  testing::clickButton(*dialog.cbEnableZapros);
  QTest::mouseClick(dialog.Label2, Qt::LeftButton);
  EXPECT_EQ(inet.LastAutoSendTime, 0);
  EXPECT_EQ(dialog.lb_last_autosend->text(), QString::fromUtf8("Не производилась"));
  EXPECT_FALSE(dialog.cbEnableZapros->isChecked());
  testing::clickButton(*dialog.BitBtn2);
  EXPECT_EQ(installation.settingsText(), "[Inet]\r\nLastAutoSendTime=30.12.1899\r\n");
}

TEST_F(AutoSendFormTest, AnUnwritableFileEndsApplyWithTheTimerAndWindowUnchanged) {
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  std::filesystem::remove_all(installation.root() / "WINDOWS");
  testing::clickButton(*dialog.cb_AutoSend);
  testing::clickButton(*dialog.BitBtn1);
  EXPECT_EQ(reportedErrors.messages.size(), 1u);
  EXPECT_TRUE(inet.AutoSendEnable);  // changed before the write, and stays so
  EXPECT_FALSE(dialog.Timer_check_AutoSend->isActive());
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AutoSendFormTest, ClickingTheSetTimeMovesTheFocusToTheTimeEditor) {
  TAutoSendForm& dialog = makeForm();
  dialog.show();
  dialog.PageControl1->setCurrentWidget(dialog.TabSheet2);
  QTest::mouseClick(dialog.rb_on_time, Qt::LeftButton);
  EXPECT_TRUE(dialog.rb_on_time->isChecked());
  // The window's focus child: whether the window itself is active is the window system's affair.
  EXPECT_EQ(dialog.focusWidget(), dialog.dtp);
}

}  // namespace
}  // namespace tarvel::autosend
