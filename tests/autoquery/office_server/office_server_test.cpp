// The office window with its database on a real Firebird server (see support/firebird_server.h),
// under the faults an office meets: a server that stops answering, one that dies and comes
// back, a listener that never answers. The window must stay the host's: bounded waits, the poll
// timer ticking meanwhile, and nothing left waiting when it goes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database_texts.h"
#include "autoquery/database/office_database_thread.h"
#include "autoquery/database/tools/office_database_creation.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autoquery/ui/office_window/office_window_texts.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autoquery/ui/station_frame/azs_frame.h"
#include "platform/cp1251.h"
#include "support/firebird_server.h"
#include "support/local_port.h"
#include "support/office_window_fixture.h"
#include "support/office_window_showing.h"
#include "support/scripted_dialogs.h"

namespace tarvel::autoquery {
namespace {

using namespace std::chrono_literals;

std::string cp1251(const char* utf8) { return platform::fromUnicode(QString::fromUtf8(utf8)); }

// A saved schedule of count stations named "Старое i", all polled daily at 08:00.
std::string savedSchedule(int count) {
  std::string text = "[AutoZapros]\r\nCount=" + std::to_string(count) + "\r\n";
  for (int i = 0; i < count; ++i) {
    text += "[AutoZaprosItem" + std::to_string(i) +
            "]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=" + cp1251("Старое ") + std::to_string(i) +
            "\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:00\r\n";
  }
  return text;
}

const std::vector<std::string> kSavedNames = {cp1251("Старое 0"), cp1251("Старое 1")};
const std::vector<std::string> kServerNames = {cp1251("АЗС №1"), cp1251("АЗС №2"),
                                               cp1251("АЗС №3")};

// The office window with two saved schedules, its poll timer ticking every 20 ms into a counter.
class PolledOfficeWindowTest : public testing::OfficeWindowFixture {
 public:
  void startOffice(const std::string& hostDatabaseText) {
    host.commandAnswers[HostCommand::DatabaseConnection] = HostVariant::fromText(hostDatabaseText);
    installation.writeSettings(savedSchedule(2));
    OfficeWindowFixture::startOffice();
    form->TimerSend->setInterval(20);
    form->setTickAction([this] { ++ticks; });
  }

  int ticks = 0;
};

// With a server holding the office database of three stations. A server that cannot be started
// fails the test with the reason (no package source, no network, a broken package): these tests
// are the only ones of a real server, and passing without it would hide that.
class OfficeServerTest : public PolledOfficeWindowTest {
 public:
  void SetUp() override {
    try {
      server = std::make_unique<testing::FirebirdServer>();
    } catch (const std::exception& error) {
      FAIL() << "could not start a Firebird server for the test: " << error.what();
    }
    std::vector<OfficeStation> stations;
    for (int i = 0; i < static_cast<int>(kServerNames.size()); ++i) {
      stations.push_back({.AZSNUMBER = i + 1, .AZSNAME = kServerNames[static_cast<size_t>(i)]});
    }
    createOfficeDatabase(server->officeFile(), stations);
    startOffice(server->hostDatabaseText());
  }
  void TearDown() override {
    if (server) server->resume();
  }

  std::unique_ptr<testing::FirebirdServer> server;
};

TEST_F(OfficeServerTest, WindowIsFilledFromTheServer) {
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  EXPECT_EQ(registryNames(), kServerNames);
  EXPECT_TRUE(hostErrors().empty());
}

TEST_F(OfficeServerTest, ServerStoppedDuringTheOpeningIsGivenUpAfterTheBoundWhilePollsGoOn) {
  form->IBDatabase1.setAfterConnect([this] { server->stop(); });
  ASSERT_TRUE(testing::showAndWaitForStations(*form));

  const std::string expected = std::string(office_window_text::kStationListError) +
                               text::kDatabaseDidNotAnswer + std::to_string(kOpeningBound.count()) +
                               text::kSeconds;
  EXPECT_EQ(hostErrors(), std::vector<std::string>{expected});
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(registryNames(), kSavedNames) << "the registry as it was";
  EXPECT_GT(ticks, 0) << "the poll timer ticked while the window waited";

  // The answer that comes when the server goes on is thrown away.
  server->resume();
  static_cast<void>(
      QTest::qWaitFor([] { return OfficeDatabaseThread::threadsRunning() == 0; }, 5'000));
  QTest::qWait(50);
  EXPECT_EQ(registryNames(), kSavedNames);
  EXPECT_EQ(hostErrors().size(), 1u);
}

TEST_F(OfficeServerTest, StationsAndApplyWaitForTheSlowServersListAndThenServeItsStations) {
  // The server answers two seconds after the connection is made.
  form->IBDatabase1.setAfterConnect([this] {
    server->stop();
    std::this_thread::sleep_for(2s);
    server->resume();
  });
  const std::string savedFile = installation.settingsText();
  testing::ScriptedDialogs dialogs;
  std::vector<std::string> editedNames;
  dialogs.modalActions.push_back([&](QDialog& dialog) {
    auto& editor = dynamic_cast<TAutoItemSettForm&>(dialog);
    editedNames.push_back(platform::fromUnicode(editor.lbAZSname->text()));
  });
  // The moment the window shows, the operator clicks the second station and "Применить".
  bool clicked = false;
  QTimer::singleShot(0, form.get(), [&] {
    ASSERT_TRUE(form->readingStationList());
    ASSERT_NE(form->frameAt(1), nullptr) << "the saved schedules stand meanwhile";
    QTest::mouseClick(form->frameAt(1)->lbAZSname, Qt::LeftButton);
    QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(form->cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(form->lbReading->isVisible());
    clicked = true;
  });
  form->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return clicked; }, 20'000));
  EXPECT_TRUE(editedNames.empty()) << "no editor of a place not yet lined up";
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(installation.settingsText(), savedFile);

  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->readingStationList(); }, 20'000));
  EXPECT_FALSE(form->lbReading->isVisible());
  ASSERT_EQ(registryNames(), kServerNames);
  QTest::mouseClick(form->frameAt(1)->lbAZSname, Qt::LeftButton);
  EXPECT_EQ(editedNames, std::vector<std::string>{kServerNames[1]});
  QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  tAutoAZS saved;
  saved.LoadFromIni(installation.settingsFile());
  ASSERT_EQ(saved.Count(), 3);
  for (int32_t i = 0; i < 3; ++i)
    EXPECT_EQ(saved.Items(i).AZSName, kServerNames[static_cast<size_t>(i)]);
  EXPECT_TRUE(hostErrors().empty());
}

struct ClosingCase {
  const char* name;
  const char* button;
  std::vector<std::string> registryAfter;  // Apply keeps the server's names, Cancel reloads
};

class OfficeServerClosingTest : public OfficeServerTest,
                                public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(OfficeServerClosingTest, ServerStoppedWhileTheWindowIsOpenDoesNotHoldTheClosing) {
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(registryNames(), kServerNames);
  server->stop();
  ticks = 0;
  auto* button = form->findChild<QPushButton*>(GetParam().button);
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);

  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(registryNames(), GetParam().registryAfter);
  ASSERT_TRUE(testing::waitForTheDatabase(*form));
  EXPECT_GT(ticks, 0) << "the poll timer ticked while the window waited";
  EXPECT_TRUE(applicationErrors.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, OfficeServerClosingTest,
                         ::testing::Values(ClosingCase{"Apply", "BitBtn1", kServerNames},
                                           ClosingCase{"Cancel", "BitBtn2", kSavedNames}),
                         [](const auto& testParam) { return std::string(testParam.param.name); });

TEST_F(OfficeServerTest, WindowShownAgainWhileTheClosingWaitsReadsItsStationsAfterTheClosing) {
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  server->stop();
  QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
  ASSERT_EQ(form->IBDatabase1.callsPending(), 1u) << "the closing waits for the stopped server";
  // The menu command comes meanwhile: the window is there at once, its reading waits behind
  // the closing and is served once the server goes on.
  form->show();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->readingStationList());
  server->resume();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form->readingStationList(); }, 20'000));
  EXPECT_EQ(registryNames(), kServerNames);
  EXPECT_TRUE(hostErrors().empty());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->BitBtn1->isEnabled());
}

TEST_F(OfficeServerTest, ServerKilledAndRestartedServesTheNextOpening) {
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(registryNames(), kServerNames);
  server->kill();
  QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(hostErrors().empty()) << "a connection that is gone closes quietly";
  EXPECT_TRUE(applicationErrors.messages.empty());

  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(hostErrors().size(), 1u) << "no server: reported";
  QTest::mouseClick(form->BitBtn2, Qt::LeftButton);

  server->start();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  EXPECT_EQ(registryNames(), kServerNames);
  EXPECT_EQ(hostErrors().size(), 1u);
}

TEST_F(OfficeServerTest, WindowGoingWhileACallIsStuckClosesItsConnectionAndEndsItsThread) {
  form->IBDatabase1.setAfterConnect([this] { server->stop(); });
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(hostErrors().size(), 1u);
  // UnLoad: the registry, then the window. The call stuck at the stopped server is given up
  // with its connection: nothing is left running, though the server never answers.
  AutoAZS.reset();
  form.reset();
  EXPECT_EQ(OfficeDatabaseThread::threadsRunning(), 0u);
}

TEST_F(PolledOfficeWindowTest, ListenerThatNeverAnswersIsReportedAsAConnectTimeout) {
  const testing::LocalPort listener(testing::LocalPort::Kind::Silent);
  startOffice(listener.hostDatabaseText());
  ASSERT_TRUE(testing::showAndWaitForStations(*form));

  const std::string expected =
      std::string(office_window_text::kStationListError) + text::kConnectDidNotAnswer;
  ASSERT_EQ(hostErrors().size(), 1u);
  EXPECT_TRUE(hostErrors()[0].starts_with(expected))
      << platform::toUnicode(hostErrors()[0]).toStdString();
  EXPECT_EQ(registryNames(), kSavedNames);
  EXPECT_GT(ticks, 0);
}

}  // namespace
}  // namespace tarvel::autoquery
