#include "autoquery/database/office_database.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QObject>
#include <QTest>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "autoquery/database/office_database_name.h"
#include "autoquery/database/office_database_texts.h"
#include "autoquery/database/office_database_thread.h"
#include "autoquery/database/tools/office_database_creation.h"
#include "support/local_port.h"
#include "support/temporary_installation.h"

namespace tarvel::autoquery {
namespace {

// The Cyrillic letters of Windows-1251 from one case: "Ё" (or "ё") and the 32 from 0xc0 (0xe0).
std::string cyrillicLetters(bool upperCase) {
  std::string letters = upperCase ? "\xa8" : "\xb8";
  for (int byte = 0; byte < 32; ++byte)
    letters += static_cast<char>((upperCase ? 0xc0 : 0xe0) + byte);
  return letters;
}

class OfficeDatabaseTest : public ::testing::Test {
 protected:
  std::filesystem::path officeFile() const {
    return installation.root() / "FSYS" / "OFFICEDB" / "OFFICE.FDB";
  }
  void makeOfficeFolder() const { std::filesystem::create_directories(officeFile().parent_path()); }

  // The names of the local office database, read as the window reads them.
  std::vector<std::string> readNames(OfficeDatabase& database) const {
    database.connect(officeDatabaseName("C:\\FSYS\\MAIN.FDB"));
    database.startTransaction();
    std::vector<std::string> names;
    database.forEachStationName([&](const std::string& name) { names.push_back(name); });
    return names;
  }

  // The error text of the first failing step of reading the local office database.
  std::string readFailure(std::string_view databaseName) const {
    OfficeDatabase database;
    try {
      database.connect(databaseName);
      database.startTransaction();
      database.forEachStationName([](const std::string&) {});
    } catch (const OfficeDatabaseError& error) {
      return error.what();
    }
    ADD_FAILURE() << "reading " << databaseName << " succeeded";
    return {};
  }

  testing::TemporaryInstallation installation;
};

TEST_F(OfficeDatabaseTest, ReadsNamesInStationNumberOrderWithTheirBytesUnchanged) {
  makeOfficeFolder();
  createOfficeDatabase(officeFile(), {{.AZSNUMBER = 30, .AZSNAME = "\xb9 30"},
                                      {.AZSNUMBER = 2, .AZSNAME = cyrillicLetters(true)},
                                      {.AZSNUMBER = 11, .AZSNAME = ""},
                                      {.AZSNUMBER = 7, .AZSNAME = cyrillicLetters(false)}});
  OfficeDatabase database;
  EXPECT_EQ(readNames(database), (std::vector<std::string>{cyrillicLetters(true),
                                                           cyrillicLetters(false), "", "\xb9 30"}));
  EXPECT_TRUE(database.transactionActive());
}

TEST_F(OfficeDatabaseTest, NameThatWindows1251CannotHoldGetsQuestionMarksAndTheWalkGoesOn) {
  makeOfficeFolder();
  // UTF-8 bytes: a Cyrillic name, then one with a Chinese letter and a check mark, then "Ёж".
  createOfficeDatabase(officeFile(),
                       {{.AZSNUMBER = 1, .AZSNAME = "\xd0\x90\xd0\x97\xd0\xa1"},
                        {.AZSNUMBER = 2, .AZSNAME = "X\xe4\xb8\xad-\xe2\x9c\x93"},
                        {.AZSNUMBER = 3, .AZSNAME = "\xd0\x81\xd0\xb6"}},
                       NameCharacterSet::Utf8);
  OfficeDatabase database;
  EXPECT_EQ(readNames(database), (std::vector<std::string>{"\xc0\xc7\xd1", "X?-?", "\xa8\xe6"}));
}

TEST_F(OfficeDatabaseTest, ClosedDatabaseOpensAgainForTheNextShowing) {
  makeOfficeFolder();
  createOfficeDatabase(officeFile(), {{.AZSNUMBER = 1, .AZSNAME = "A"}});
  OfficeDatabase database;
  readNames(database);
  database.disconnect();
  EXPECT_FALSE(database.connected());
  EXPECT_FALSE(database.transactionActive());
  EXPECT_EQ(readNames(database), std::vector<std::string>{"A"});
}

// What an answer of the database's thread said: the first name, the failure's text, or the closing.
std::string answerText(const StationNames& stations) {
  if (!stations.failure) return stations.AZSNAMEs.empty() ? "" : stations.AZSNAMEs.front();
  try {
    std::rethrow_exception(stations.failure);
  } catch (const std::exception& error) {
    return error.what();
  }
}

TEST_F(OfficeDatabaseTest, ThreadAnswersThroughTheEventLoopInOrderDroppingThoseWhoseAskerIsGone) {
  makeOfficeFolder();
  createOfficeDatabase(officeFile(), {{.AZSNUMBER = 1, .AZSNAME = "A"}});
  const std::string name = officeDatabaseName("C:\\FSYS\\MAIN.FDB");
  std::vector<std::string> answers;
  auto gone = std::make_unique<QObject>();
  QObject asker;
  OfficeDatabaseThread database;
  database.readStationNames(name, gone.get(), [&](StationNames) { answers.push_back("gone"); });
  database.readStationNames(
      name, &asker, [&](const StationNames& stations) { answers.push_back(answerText(stations)); });
  database.close(&asker, [&](const std::exception_ptr& failure) {
    answers.push_back(failure ? "closing failed" : "closed");
  });
  gone.reset();
  EXPECT_EQ(database.callsPending(), 3u);
  EXPECT_TRUE(answers.empty()) << "nothing is answered outside the event loop";
  ASSERT_TRUE(QTest::qWaitFor([&] { return database.callsPending() == 0; }, 20'000));
  EXPECT_EQ(answers, (std::vector<std::string>{"A", "closed"}));
}

TEST_F(OfficeDatabaseTest, ThreadGivesUpAReadingStuckPastItsBoundAndServesTheCallsBehindItAfresh) {
  makeOfficeFolder();
  createOfficeDatabase(officeFile(), {{.AZSNUMBER = 1, .AZSNAME = "A"}});
  const std::string name = officeDatabaseName("C:\\FSYS\\MAIN.FDB");
  std::atomic<bool> released{false};
  std::vector<std::string> answers;
  QObject asker;
  OfficeDatabaseThread database;
  const auto record = [&](const StationNames& stations) {
    answers.push_back(answerText(stations));
  };
  database.setAfterConnect([&] {
    while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  });
  database.readStationNames(name, &asker, record);
  database.setAfterConnect({});
  database.readStationNames(name, &asker, record);
  ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 2; }, 20'000));
  EXPECT_EQ(OfficeDatabaseThread::threadsRunning(), 2u) << "the given-up thread and the fresh one";
  released = true;
  EXPECT_TRUE(QTest::qWaitFor([] { return OfficeDatabaseThread::threadsRunning() == 1; }, 10'000))
      << "the given-up thread ends once its call goes on";
  EXPECT_EQ(answers,
            (std::vector<std::string>{std::string(text::kDatabaseDidNotAnswer) +
                                          std::to_string(kOpeningBound.count()) + text::kSeconds,
                                      "A"}));
}

volatile std::sig_atomic_t hostsTerminationHandlerRuns = 0;
void hostsTerminationHandler(int) { hostsTerminationHandlerRuns = hostsTerminationHandlerRuns + 1; }

TEST_F(OfficeDatabaseTest, TheClientLeavesTheHostsSignalsAsTheHostSetThem) {
  // A host that handles SIGTERM itself and leaves SIGINT to the system, as before any database
  // was made or read in this process.
  struct sigaction own {};
  own.sa_handler = hostsTerminationHandler;
  ASSERT_EQ(sigaction(SIGTERM, &own, nullptr), 0);
  ASSERT_NE(signal(SIGINT, SIG_DFL), SIG_ERR);
  makeOfficeFolder();
  createOfficeDatabase(officeFile(), {{.AZSNUMBER = 1, .AZSNAME = "A"}});
  OfficeDatabase database;
  EXPECT_EQ(readNames(database), std::vector<std::string>{"A"});
  database.disconnect();

  struct sigaction now {};
  sigaction(SIGINT, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
  sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, &hostsTerminationHandler);
  raise(SIGTERM);
  EXPECT_EQ(hostsTerminationHandlerRuns, 1);
}

TEST_F(OfficeDatabaseTest, FailuresCarryTheClientsErrorText) {
  makeOfficeFolder();
  const std::string localName = officeDatabaseName("");
  EXPECT_NE(readFailure(localName).find("OFFICE.FDB"), std::string::npos) << "no file";

  testing::TemporaryInstallation::writeFile(officeFile(), std::string(8192, '\x5a'));
  EXPECT_FALSE(readFailure(localName).empty()) << "damaged file";

  std::filesystem::remove(officeFile());
  createEmptyOfficeDatabase(officeFile());
  EXPECT_NE(readFailure(localName).find("OFFICE"), std::string::npos) << "no table";
}

TEST_F(OfficeDatabaseTest, ServerThatIsAbsentSilentOrUnreachableFailsSayingWhich) {
  using Kind = testing::LocalPort::Kind;
  struct Case {
    Kind port;
    const char* what;
    bool reportedAsNotAnswering;
  };
  for (const Case& server :
       {Case{Kind::Closed, "no server", false}, Case{Kind::Silent, "silent server", true},
        Case{Kind::Full, "queue full", true}}) {
    const testing::LocalPort port(server.port);
    const std::string failure = readFailure(officeDatabaseName(port.serverPrefix() + "C:\\DB.FDB"));
    EXPECT_FALSE(failure.empty());
    EXPECT_EQ(failure.starts_with(text::kConnectDidNotAnswer), server.reportedAsNotAnswering)
        << server.what << ": " << failure;
  }
}

// The client installs its handlers at its first call in a process: the signal goes in a process
// of its own, whose first call into the client is this attach.
TEST_F(OfficeDatabaseTest, SignalWhileTheClientsHandlersStandReachesTheHostsDisposition) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  constexpr int kClientsHandlerNotMet = 2;
  EXPECT_EXIT(
      {
        OfficeDatabase database;
        database.setAfterAttachCall([] {
          // The client's handler takes the signal's information; the host's default does not.
          struct sigaction standing {};
          sigaction(SIGTERM, nullptr, &standing);
          if ((standing.sa_flags & SA_SIGINFO) == 0) std::_Exit(kClientsHandlerNotMet);
          ::kill(::getpid(), SIGTERM);
        });
        try {
          database.connect(officeDatabaseName(""));  // no such file: the attach call fails
        } catch (const OfficeDatabaseError&) {
        }
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGTERM), "");
}

}  // namespace
}  // namespace tarvel::autoquery
