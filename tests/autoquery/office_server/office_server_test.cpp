// The office window with its database on a real Firebird server (see support/firebird_server.h),
// under the faults an office meets: a server that stops answering, one that dies and comes
// back, a listener that never answers. The window must stay the host's: bounded waits, the poll
// timer ticking meanwhile, and nothing left waiting when it goes.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database_texts.h"
#include "autoquery/database/office_database_thread.h"
#include "autoquery/database/tools/office_database_creation.h"
#include "autoquery/ui/auto_zapros_office_form.h"
#include "autoquery/ui/office_window_texts.h"
#include "platform/cp1251.h"
#include "support/fake_host.h"
#include "support/firebird_server.h"
#include "support/office_database_threads.h"
#include "support/recorded_errors.h"
#include "support/temporary_installation.h"

namespace tarvel::autoquery {
namespace {

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

// The office window as the plug-in makes it, its poll timer ticking every 20 ms into a counter.
class OfficeWindowFixture : public ::testing::Test {
 public:
  ~OfficeWindowFixture() override {
    AutoAZS.reset();
    form.reset();
    // A call the window gave up ends once its server answers (TearDown resumes it): nothing of
    // the test outlives it.
    for (int wait = 0; wait < 200 && testing::officeDatabaseThreadRuns(); ++wait) QTest::qWait(50);
  }

  void startOffice(const std::string& hostDatabaseText) {
    host.commandAnswers[HostCommand::DatabaseConnection] = HostVariant::fromText(hostDatabaseText);
    installation.writeSettings(savedSchedule(2));
    AutoAZS = std::make_unique<tAutoAZS>();
    AutoAZS->LoadFromIni(installation.settingsFile());
    form = std::make_unique<TAutoZaprosOfficeForm>(*AutoAZS, &host);
    form->TimerSend->setInterval(20);
    form->setTickAction([this] { ++ticks; });
  }
  std::vector<std::string> registryNames() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < AutoAZS->Count(); ++i) names.push_back(AutoAZS->Items(i).AZSName);
    return names;
  }
  std::vector<std::string> hostErrors() const {
    return host.messageTexts(MessageKind::ErrorOrWarning);
  }

  testing::TemporaryInstallation installation;
  testing::FakeHost host;
  testing::RecordedApplicationErrors applicationErrors;
  std::unique_ptr<TAutoZaprosOfficeForm> form;
  std::unique_ptr<tAutoAZS> AutoAZS;
  int ticks = 0;
};

// With a server holding the office database of three stations. A server that cannot be started
// fails the test with the reason (no package source, no network, a broken package): these tests
// are the only ones of a real server, and passing without it would hide that.
class OfficeServerTest : public OfficeWindowFixture {
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
  form->show();
  EXPECT_EQ(registryNames(), kServerNames);
  EXPECT_TRUE(hostErrors().empty());
}

TEST_F(OfficeServerTest, ServerStoppedDuringTheOpeningIsGivenUpAfterTheBoundWhilePollsGoOn) {
  form->IBDatabase1.setAfterConnect([this] { server->stop(); });
  form->show();

  const std::string expected = std::string(text::kStationListError) + text::kDatabaseDidNotAnswer +
                               std::to_string(kOpeningBound.count()) + text::kSeconds;
  EXPECT_EQ(hostErrors(), std::vector<std::string>{expected});
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(registryNames(), kSavedNames) << "the registry as it was";
  EXPECT_GT(ticks, 0) << "the poll timer ticked while the window waited";

  // The answer that comes when the server goes on is thrown away.
  server->resume();
  for (int wait = 0; wait < 100 && testing::officeDatabaseThreadRuns(); ++wait) QTest::qWait(50);
  QTest::qWait(50);
  EXPECT_EQ(registryNames(), kSavedNames);
  EXPECT_EQ(hostErrors().size(), 1u);
}

struct ClosingCase {
  const char* name;
  const char* button;
  std::vector<std::string> registryAfter;  // Apply keeps the server's names, Cancel reloads
};

class OfficeServerClosingTest : public OfficeServerTest,
                                public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(OfficeServerClosingTest, ServerStoppedWhileTheWindowIsOpenDoesNotHoldTheClosing) {
  form->show();
  ASSERT_EQ(registryNames(), kServerNames);
  server->stop();
  ticks = 0;
  auto* button = form->findChild<QPushButton*>(GetParam().button);
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);

  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(registryNames(), GetParam().registryAfter);
  EXPECT_GT(ticks, 0) << "the poll timer ticked while the window waited";
  EXPECT_TRUE(applicationErrors.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, OfficeServerClosingTest,
                         ::testing::Values(ClosingCase{"Apply", "BitBtn1", kServerNames},
                                           ClosingCase{"Cancel", "BitBtn2", kSavedNames}),
                         [](const auto& testParam) { return std::string(testParam.param.name); });

TEST_F(OfficeServerTest, ServerKilledAndRestartedServesTheNextOpening) {
  form->show();
  ASSERT_EQ(registryNames(), kServerNames);
  server->kill();
  QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());

  form->show();
  ASSERT_EQ(hostErrors().size(), 1u) << "no server: reported";
  QTest::mouseClick(form->BitBtn2, Qt::LeftButton);

  server->start();
  form->show();
  EXPECT_EQ(registryNames(), kServerNames);
  EXPECT_EQ(hostErrors().size(), 1u);
}

TEST_F(OfficeServerTest, WindowGoingWhileACallIsStuckLeavesTheCallToFinishOnItsOwn) {
  form->IBDatabase1.setAfterConnect([this] { server->stop(); });
  form->show();
  ASSERT_EQ(hostErrors().size(), 1u);
  // UnLoad: the registry, then the window. Neither waits for the server.
  AutoAZS.reset();
  form.reset();
  EXPECT_TRUE(testing::officeDatabaseThreadRuns()) << "the stuck call goes on on its thread";

  server->resume();
  for (int wait = 0; wait < 200 && testing::officeDatabaseThreadRuns(); ++wait) QTest::qWait(50);
  EXPECT_FALSE(testing::officeDatabaseThreadRuns()) << "it ended once the server answered";
}

// A port of this machine where a socket accepts connections and never answers.
class SilentListener {
 public:
  SilentListener() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    ::listen(socket_, 4);
  }
  ~SilentListener() { ::close(socket_); }
  std::string hostDatabaseText() const {
    return "127.0.0.1/" + std::to_string(port_) + ":C:\\FSYS\\DB\\MAIN.FDB";
  }

 private:
  int socket_;
  int port_ = 0;
};

TEST_F(OfficeWindowFixture, ListenerThatNeverAnswersIsReportedAsAConnectTimeout) {
  const SilentListener listener;
  startOffice(listener.hostDatabaseText());
  form->show();

  const std::string expected = std::string(text::kStationListError) + text::kConnectDidNotAnswer;
  ASSERT_EQ(hostErrors().size(), 1u);
  EXPECT_TRUE(hostErrors()[0].starts_with(expected))
      << platform::toUnicode(hostErrors()[0]).toStdString();
  EXPECT_EQ(registryNames(), kSavedNames);
  EXPECT_GT(ticks, 0);
}

}  // namespace
}  // namespace tarvel::autoquery
