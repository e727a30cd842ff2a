// The reference host's call-back: answers read from the window's controls at the moment of the
// call, messages and exchanges shown in the message pane, menu items made in the menu bar.
#include "host/host_callback.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cstring>

#include "host/host_control_panel.h"
#include "host/host_window.h"
#include "host/menu_item.h"
#include "host/message_pane.h"
#include "support/fake_host.h"

namespace {

using tarvel::HostCommand;
using tarvel::HostVariant;
using tarvel::MessageKind;
using tarvel::host::HostWindow;
using tarvel::host::ReferenceHostCallback;

int32_t valueAtOffset28(const void* record) {
  int32_t value = 0;
  std::memcpy(&value, static_cast<const unsigned char*>(record) + tarvel::kStationRecordValueOffset,
              sizeof value);
  return value;
}

TEST(ReferenceHostCallback, InstallationKindStartsFromTheModeAndFollowsTheControl) {
  const struct {
    uint8_t mode;
    int32_t expected;
  } cases[] = {{0, 0}, {1, 3}, {2, 0}};
  for (const auto& entry : cases) {
    HostWindow window(entry.mode, false);
    HostVariant answer = window.callback().Command(HostCommand::InstallationKind, 0);
    EXPECT_EQ(answer.kind, HostVariant::Kind::Integer);
    EXPECT_EQ(answer.integer, entry.expected) << int(entry.mode);
  }
  HostWindow window(0, false);
  window.controlPanel->installationKind->setValue(5);
  EXPECT_EQ(window.callback().Command(HostCommand::InstallationKind, 0).integer, 5);
}

TEST(ReferenceHostCallback, ShiftNumberMovesOnWhenAShiftIsClosed) {
  HostWindow window(0, false);
  window.controlPanel->shiftNumber->setValue(41);
  EXPECT_EQ(window.callback().Command(HostCommand::ShiftNumber, 0).integer, 41);
  window.controlPanel->closeShiftButton->click();
  const HostVariant answer = window.callback().Command(HostCommand::ShiftNumber, 0);
  EXPECT_EQ(answer.kind, HostVariant::Kind::Integer);
  EXPECT_EQ(answer.integer, 42);
  EXPECT_TRUE(window.messagePane->lines().last().endsWith("42"));
}

TEST(ReferenceHostCallback, DatabaseTextVersionAndStationNameAreCp1251) {
  HostWindow window(1, false);
  const HostVariant database = window.callback().Command(HostCommand::DatabaseConnection, 0);
  EXPECT_EQ(database.kind, HostVariant::Kind::Text);
  EXPECT_EQ(database.text, "C:\\FSYS\\OFFICEDB\\OFFICE.FDB");
  window.controlPanel->databaseConnection->setText("server:C:\\FSYS\\OFFICEDB\\OFFICE.FDB");
  EXPECT_EQ(window.callback().Command(HostCommand::DatabaseConnection, 0).text,
            "server:C:\\FSYS\\OFFICEDB\\OFFICE.FDB");

  EXPECT_EQ(window.callback().GetVersion(), 7);
  window.controlPanel->callbackVersion->setValue(4);
  EXPECT_EQ(window.callback().GetVersion(), 4);

  EXPECT_EQ(window.callback().GetStationName(), "\xc0\xc7\xd1 1");  // "АЗС 1"
  window.controlPanel->stationName->setText(QString::fromUtf8("АЗС 7"));
  EXPECT_EQ(window.callback().GetStationName(), "\xc0\xc7\xd1 7");

  EXPECT_EQ(window.callback().Command(1, 0).kind, HostVariant::Kind::Empty);
}

TEST(ReferenceHostCallback, FindStationGivesTheTablesValueAtOffset28) {
  HostWindow window(1, false);
  const void* second = window.callback().FindStation("\xe0\xe7\xf1 2");  // "азс 2"
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(valueAtOffset28(second), 102);
  EXPECT_EQ(window.callback().FindStation("\xc0\xc7\xd1 9"), nullptr);  // "АЗС 9"

  window.controlPanel->stationTable->item(1, 1)->setText("-7");
  const void* again = window.callback().FindStation("\xe0\xe7\xf1 2");
  EXPECT_EQ(valueAtOffset28(again), -7);
  // A record handed out earlier is not moved by later calls.
  window.controlPanel->addStation("\xc0\xc7\xd1 3", 303);  // "АЗС 3"
  EXPECT_EQ(valueAtOffset28(window.callback().FindStation("\xc0\xc7\xd1 3")), 303);
  EXPECT_EQ(valueAtOffset28(second), -7);
}

TEST(ReferenceHostCallback, ReportMessageAndStartExchangeGoToThePane) {
  HostWindow window(1, false);
  window.messagePane->clear();
  // "Ненайдена библиотека Orvaly.dll"
  window.callback().ReportMessage(
      MessageKind::MissingLibrary,
      "\xcd\xe5\xed\xe0\xe9\xe4\xe5\xed\xe0 \xe1\xe8\xe1\xeb\xe8\xee\xf2\xe5\xea\xe0 Orvaly.dll");
  window.callback().StartExchange("\xc0\xc7\xd1 2", 3, HostVariant::null());
  const QStringList lines = window.messagePane->lines();
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QString::fromUtf8("[4] Ненайдена библиотека Orvaly.dll"));
  EXPECT_TRUE(lines[1].contains(QString::fromUtf8("АЗС 2"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[1].contains("3")) << lines[1].toStdString();
  EXPECT_TRUE(lines[1].endsWith("Null")) << lines[1].toStdString();
}

TEST(ReferenceHostCallback, MenuItemsAreMadeInTheMenuBar) {
  HostWindow window(0, false);
  tarvel::HostMenuItem* root = window.callback().GetMainMenu();
  ASSERT_EQ(root->count(), 1);  // the host's own "Файл"
  EXPECT_EQ(root->item(0)->caption(), "&\xd4\xe0\xe9\xeb");

  tarvel::HostMenuItem* added = window.callback().NewMenuItem(root, -1);
  added->setCaption("\xd1\xe2\xff\xe7\xfc");  // "Связь"
  ASSERT_EQ(root->count(), 2);
  EXPECT_EQ(root->item(1), added);
  // Shown with an Alt key of its own; the caption stays as given.
  EXPECT_EQ(window.menuBar()->actions().last()->text(), QString::fromUtf8("&Связь"));
  EXPECT_EQ(added->caption(), "\xd1\xe2\xff\xe7\xfc");

  tarvel::testing::FakeMenuItem foreign;
  EXPECT_THROW(window.callback().NewMenuItem(&foreign, -1), std::invalid_argument);
  EXPECT_THROW(window.callback().NewMenuItem(nullptr, -1), std::invalid_argument);
}

TEST(ReferenceHostCallback, F10OpensTheMenuBarsFirstMenu) {
  HostWindow window(1, false);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F10);
  ASSERT_NE(window.menuBar()->activeAction(), nullptr);
  EXPECT_EQ(window.menuBar()->activeAction(), window.menuBar()->actions().first());
  EXPECT_TRUE(window.menuBar()->activeAction()->menu()->isVisible());
}

TEST(ReferenceHostCallback, HostCanBringItsOwnCommunicationMenu) {
  const struct {
    uint8_t mode;
    const char* caption;
  } cases[] = {{0, "\xd1\xe2\xff\xe7\xfc \xf1 \xee&\xf4\xe8\xf1\xee\xec"},  // "Связь с о&фисом"
               {1, "\xd1\xe2\xff\xe7\xfc"}};                                // "Связь"
  for (const auto& entry : cases) {
    HostWindow window(entry.mode, true);
    tarvel::HostMenuItem* root = window.callback().GetMainMenu();
    ASSERT_EQ(root->count(), 2);
    EXPECT_EQ(root->item(1)->caption(), entry.caption);
    ASSERT_EQ(root->item(1)->count(), 1);
    EXPECT_EQ(root->item(1)->item(0)->caption(), "\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8");
  }
}

}  // namespace
