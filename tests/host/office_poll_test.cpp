// The office's polling engine answered by the reference host's call-back, on schedules read from
// a real cnf.INI: what the host's message pane shows of each poll.
#include <gtest/gtest.h>

#include <QStringList>
#include <mutex>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/polling_engine.h"
#include "host/host_callback.h"
#include "host/host_window.h"
#include "host/message_pane.h"
#include "platform/clock.h"
#include "platform/cp1251.h"
#include "support/temporary_installation.h"

namespace {

namespace autoquery = tarvel::autoquery;
namespace platform = tarvel::platform;
using tarvel::HostVariant;
using tarvel::MessageKind;

class OfficePollThroughTheReferenceHost : public ::testing::Test {
 protected:
  ~OfficePollThroughTheReferenceHost() override { platform::setClockForTests(std::nullopt); }

  tarvel::testing::TemporaryInstallation installation;
};

TEST_F(OfficePollThroughTheReferenceHost, DirectIpStationTheHostDoesNotKnowIsReportedFailed) {
  // An editor saved cnf.INI as UTF-8: the plug-in reads the names as Windows-1251 bytes, which
  // no station of the host is called.
  const std::string name = QString::fromUtf8(u8"АЗС Юг").toStdString();
  installation.writeSettings(
      "[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=" +
      name + "\r\nConnType=3\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:05\r\n");
  autoquery::tAutoAZS registry;
  registry.LoadFromIni(installation.settingsFile());

  tarvel::host::HostWindow window(1, false);
  ASSERT_GE(window.callback().GetVersion(), autoquery::kTransportQueryMinimumVersion);
  ASSERT_EQ(window.callback().FindStation(name), nullptr);
  std::vector<std::string> transportCalls;
  std::recursive_mutex timerLock;
  autoquery::PollingEngine::Links links;
  links.registry = &registry;
  links.host = &window.callback();
  links.autoSendInetFromOffice = [&](const std::string& station, int32_t, HostVariant&) {
    transportCalls.push_back(station);
  };
  autoquery::PollingEngine engine(links, timerLock);
  window.messagePane->clear();
  for (const int minute : {4, 5}) {
    platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, minute, 10));
    engine.tick();
  }

  // The pane shows the name as the plug-in read it, once, as a failure of kind 2.
  const QString shownName = platform::toUnicode(name);
  EXPECT_EQ(window.messagePane->lines().filter(shownName),
            QStringList{QString("[%1] ").arg(MessageKind::ErrorOrWarning) +
                        QString::fromUtf8(u8"Автозапрос не выполнен, программа не знает АЗС: ") +
                        shownName});
  EXPECT_TRUE(transportCalls.empty());
}

}  // namespace
