// The built reference host as a process, the way an office runs it: it must end cleanly however
// it is told to (the menu's exit, also while the office window waits for a stalled server or for
// a connection the server never takes) and keep its signals its own once the office window has
// used the database client.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
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
#include "support/firebird_server.h"
#include "support/local_port.h"
#include "support/temporary_installation.h"

namespace tarvel::testing {
namespace {

using namespace std::chrono_literals;

const QString kOfficeWindow = QString::fromUtf8("Связь/Настройки/Автоматическая отправка запроса");
const QString kExit = QString::fromUtf8("Файл/Выход");
constexpr int kRunsThatExit = 50;
constexpr int kRunsQuittingInAStalledWait = 20;
constexpr int kRunsAtOnce = 4;
// Each of these runs waits out the closing's bound: more at a time keep the test near two bounds
// long, also when the run under load repeats it.
constexpr int kRunsAtOnceQuittingInAStalledWait = 10;
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
    // TARVEL_TEST_HOST runs another build of the host (an older one, to see these tests fail).
    host->setProgram(qEnvironmentVariable("TARVEL_TEST_HOST", TARVEL_HOST_PROGRAM));
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
        const std::string failure = waitForCleanExit(*host, output);
        if (!failure.empty()) failures.push_back(failure);
      }
    }
    return failures;
  }

  // Waits for the menu's exit, then for the host to exit 0 by itself within kRunBound. Returns
  // what went wrong, with the host's output, or nothing.
  static std::string waitForCleanExit(QProcess& host, QString& output) {
    const bool quitAsked = waitForOutput(host, "Opening: " + kExit, output);
    const bool ended =
        quitAsked && host.waitForFinished(std::chrono::milliseconds(kRunBound).count());
    if (!ended) {
      host.kill();
      host.waitForFinished();
    }
    output += QString::fromUtf8(host.readAll());
    if (ended && host.exitStatus() == QProcess::NormalExit && host.exitCode() == 0) return {};
    const std::string what = !quitAsked ? "never reached the exit"
                             : !ended   ? "still running after the bound"
                             : host.exitStatus() == QProcess::CrashExit
                                 ? "died of signal " + std::to_string(host.exitCode())
                                 : "exit code " + std::to_string(host.exitCode());
    return what + ":\n" + output.toStdString();
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

TEST_F(HostProcessTest, ExitWhileTheClosingWaitsForAStoppedServerEndsAtTheBound) {
  // The window reads its stations from a server, which then stops; "Отменить" leaves the
  // closing waiting for it, and the menu's exit comes meanwhile. Both waits and the client's
  // own exit would wait for ever for a server that never answers.
  std::unique_ptr<FirebirdServer> server;
  try {
    server = std::make_unique<FirebirdServer>();
  } catch (const std::exception& error) {
    FAIL() << "could not start a Firebird server for the test: " << error.what();
  }
  autoquery::createOfficeDatabase(server->officeFile(), {{.AZSNUMBER = 1, .AZSNAME = "AZS"}});
  const QStringList steps = {
      "--type", "databaseConnection=" + QString::fromStdString(server->hostDatabaseText()),
      "--open", kOfficeWindow, "--expect", "lbAZSname=AZS",
      // Time for the test to stop the server.
      "--expect", "lbAZSname=AZS", "--expect", "lbAZSname=AZS", "--click", "BitBtn2", "--open",
      kExit};
  std::vector<std::string> failures;
  for (int first = 0; first < kRunsQuittingInAStalledWait;
       first += kRunsAtOnceQuittingInAStalledWait) {
    std::vector<std::unique_ptr<QProcess>> hosts;
    std::vector<QString> outputs;
    for (int run = first;
         run < kRunsQuittingInAStalledWait && run < first + kRunsAtOnceQuittingInAStalledWait;
         ++run) {
      hosts.push_back(startHost(steps));
      outputs.emplace_back();
    }
    // Once every window has read the station, the server stops for all of them.
    for (size_t index = 0; index < hosts.size(); ++index) {
      if (!waitForOutput(*hosts[index], "Shows: lbAZSname", outputs[index])) {
        failures.push_back("never showed the station:\n" + outputs[index].toStdString());
      }
    }
    server->stop();
    for (size_t index = 0; index < hosts.size(); ++index) {
      const std::string failure = waitForCleanExit(*hosts[index], outputs[index]);
      if (!failure.empty()) failures.push_back(failure);
    }
    server->resume();
  }
  EXPECT_EQ(failures, std::vector<std::string>{});
}

TEST_F(HostProcessTest, QuitWhileConnectingToAServerThatTakesNoConnectionEndsAtTheBound) {
  // The server's queue is full: the kernel drops the connection requests, so a connect would
  // wait through the kernel's retries, about two minutes, and the client's exit with it.
  const LocalPort unreachable(LocalPort::Kind::Full);
  const QStringList opening = {
      "--type", "databaseConnection=" + QString::fromStdString(unreachable.hostDatabaseText()),
      "--open", kOfficeWindow};
  struct Case {
    const char* how;
    QStringList steps;
  };
  for (const Case& quit :
       {Case{"the menu's exit", {"--open", kExit}},
        Case{"cancelled, then the menu's exit", {"--click", "BitBtn2", "--open", kExit}}}) {
    EXPECT_EQ(runRepeatedly(kRunsAtOnce, opening + quit.steps), std::vector<std::string>{})
        << quit.how;
  }
}

TEST_F(HostProcessTest, MenuCommandRepeatedWhileTheWindowIsOpenLeavesItShownAndUsable) {
  const auto host = startHost({"--open", kOfficeWindow, "--open", kOfficeWindow, "--expect",
                               "lbAZSname=AZS 1", "--open", kExit});
  QString output;
  EXPECT_EQ(waitForCleanExit(*host, output), "");
  EXPECT_TRUE(output.contains("Shows: lbAZSname = AZS 1")) << output.toStdString();
  EXPECT_FALSE(output.contains("Recursive")) << output.toStdString();
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

TEST_F(HostProcessTest, QtsStandardOptionsAreTakenBesideTheHostsOwnAndTheHelpNamesTheHost) {
  const QString program = qEnvironmentVariable("TARVEL_TEST_HOST", TARVEL_HOST_PROGRAM);
  const QString plugin = QFileInfo(program).dir().filePath("libtarvel.so");
  const auto host = startHost({"-style", "Fusion", "-stylesheet", "/dev/null", "--plugin", plugin,
                               "-reverse", "--open", kExit});
  QString output;
  EXPECT_EQ(waitForCleanExit(*host, output), "");
  EXPECT_TRUE(output.contains("Load returned 0")) << output.toStdString();

  const auto help = startHost({"--help"});
  ASSERT_TRUE(help->waitForFinished(std::chrono::milliseconds(kStartBound).count()));
  const QByteArray helpText = help->readAll();
  EXPECT_TRUE(helpText.contains("\nUsage: tarvel-host [options]\n") ||
              helpText.startsWith("Usage: tarvel-host [options]\n"))
      << helpText.toStdString();
}

}  // namespace
}  // namespace tarvel::testing
