// The built reference host as a process, the way an office runs it: it must end cleanly however
// it is told to (the menu's exit, also while the office window waits for a stalled server) and
// keep its signals its own once the office window has used the database client.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/database/tools/office_database_creation.h"
#include "support/silent_listener.h"
#include "support/temporary_installation.h"

namespace tarvel::testing {
namespace {

using namespace std::chrono_literals;

const QString kOfficeWindow = QString::fromUtf8("Связь/Настройки/Автоматическая отправка запроса");
const QString kExit = QString::fromUtf8("Файл/Выход");
constexpr int kRunsThatExit = 50;
constexpr int kRunsQuittingInAStalledWait = 20;
constexpr int kRunsAtOnce = 2;
// Every run must be over within this of the menu's exit; the closing's wait for a stalled
// server is 5 s of it.
constexpr auto kRunBound = 10s;
// How long a host may take to come to a step of its script on a busy machine.
constexpr auto kStartBound = 60s;

class HostProcessTest : public ::testing::Test {
 public:
  HostProcessTest() {
    std::vector<autoquery::OfficeStation> stations;
    for (int number = 1; number <= 3; ++number) {
      stations.push_back({.AZSNUMBER = number, .AZSNAME = "AZS " + std::to_string(number)});
    }
    const std::filesystem::path office = installation.root() / "FSYS" / "OFFICEDB" / "OFFICE.FDB";
    std::filesystem::create_directories(office.parent_path());
    autoquery::createOfficeDatabase(office, stations);
  }

  // A host at the office of the test's installation, offscreen, with these steps.
  std::unique_ptr<QProcess> startHost(const QStringList& steps) const {
    auto host = std::make_unique<QProcess>();
    host->setProgram(TARVEL_HOST_PROGRAM);
    host->setArguments(QStringList{"--mode", "office", "--root",
                                   QString::fromStdString(installation.root().string())} +
                       steps);
    host->setProcessChannelMode(QProcess::MergedChannels);
    host->start();
    return host;
  }

  // Runs the host `runs` times, kRunsAtOnce at a time, with steps that end in the menu's exit;
  // each must exit 0 by itself within kRunBound of that exit's click. Returns what went wrong,
  // one line per failed run.
  std::vector<std::string> runRepeatedly(int runs, const QStringList& steps) const {
    std::vector<std::string> failures;
    for (int first = 0; first < runs; first += kRunsAtOnce) {
      std::vector<std::unique_ptr<QProcess>> hosts;
      for (int run = first; run < runs && run < first + kRunsAtOnce; ++run) {
        hosts.push_back(startHost(steps));
      }
      for (const auto& host : hosts) {
        QString output;
        const bool quitAsked = waitForOutput(*host, "Opening: " + kExit, output);
        const bool ended =
            quitAsked && host->waitForFinished(std::chrono::milliseconds(kRunBound).count());
        if (!ended) {
          host->kill();
          host->waitForFinished();
        }
        output += QString::fromUtf8(host->readAll());
        if (!ended || host->exitStatus() != QProcess::NormalExit || host->exitCode() != 0) {
          const std::string what = !quitAsked ? "never reached the exit"
                                   : !ended   ? "still running after the bound"
                                   : host->exitStatus() == QProcess::CrashExit
                                       ? "died of signal " + std::to_string(host->exitCode())
                                       : "exit code " + std::to_string(host->exitCode());
          failures.push_back(what + ":\n" + output.toStdString());
        }
      }
    }
    return failures;
  }

  // Waits (up to kStartBound: the machine may be busy) until the host has printed text.
  static bool waitForOutput(QProcess& host, const QString& text, QString& output) {
    const QDeadlineTimer deadline(kStartBound);
    while (!output.contains(text)) {
      if (deadline.hasExpired() || !host.waitForReadyRead(deadline.remainingTime())) return false;
      output += QString::fromUtf8(host.readAll());
    }
    return true;
  }

  TemporaryInstallation installation;
};

TEST_F(HostProcessTest, OfficeWindowUsedThenTheMenusExitEndsCleanlyEveryTime) {
  EXPECT_EQ(runRepeatedly(kRunsThatExit, {"--open", kOfficeWindow, "--open", kExit}),
            std::vector<std::string>{});
}

TEST_F(HostProcessTest, ExitWhileTheClosingWaitsForAStalledServerEndsAtTheBound) {
  // The window's reading hangs at a server that takes the connection and never answers;
  // "Отменить" leaves the closing waiting behind it, and the menu's exit comes meanwhile.
  const SilentListener server;
  EXPECT_EQ(
      runRepeatedly(
          kRunsQuittingInAStalledWait,
          {"--type", "databaseConnection=" + QString::fromStdString(server.hostDatabaseText()),
           "--open", kOfficeWindow, "--click", "BitBtn2", "--open", kExit}),
      std::vector<std::string>{});
}

TEST_F(HostProcessTest, SigtermEndsTheHostAfterTheOfficeWindowUsedTheDatabase) {
  // The click on a station waits until the window has read its stations: the client is loaded
  // and has attached by then.
  const auto host = startHost({"--open", kOfficeWindow, "--click", "lbAZSname#0"});
  QString output;
  ASSERT_TRUE(waitForOutput(*host, "Clicking: lbAZSname", output)) << output.toStdString();
  ::kill(static_cast<pid_t>(host->processId()), SIGTERM);

  ASSERT_TRUE(host->waitForFinished(1000)) << "still running a second after SIGTERM";
  EXPECT_EQ(host->exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(host->exitCode(), SIGTERM) << "ended by the signal itself";
}

}  // namespace
}  // namespace tarvel::testing
