#include "plugin/ui/office_auto_query.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iterator>
#include <thread>

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/polling_engine.h"
#include "autoquery/ui/confirmation/query_form.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "platform/clock.h"
#include "platform/cp1251.h"
#include "platform/cp1251_literal.h"
#include "plugin/plugin_fixture.h"
#include "support/user_actions.h"

namespace tarvel::testing {
namespace {

using platform::operator""_cp1251;
using ::testing::Contains;
using ::testing::ElementsAre;

const std::string kStationA = u8"АЗС Северная"_cp1251;
const std::string kStationB = u8"АЗС Южная"_cp1251;

class OfficeAutoQuery : public PluginTest {
 protected:
  ~OfficeAutoQuery() override { platform::setClockForTests(std::nullopt); }

  // Two stations due at 08:05: A over direct IP asking the operator first, B by modem without.
  void writeTwoStationsAtFive() const {
    installation.writeSettings(
        "[AutoZapros]\r\nCount=2\r\n"
        "[AutoZaprosItem0]\r\nEnable=1\r\nHasUserQuery=1\r\nAZSName=" +
        kStationA +
        "\r\nConnType=3\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:05\r\n"
        "[AutoZaprosItem1]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=" +
        kStationB + "\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:05\r\n");
  }
  autoquery::TAutoZaprosOfficeForm* officeForm() const {
    return plugin::moduleState().AutoZaprosOfficeForm.get();
  }
  // Sets the clock and lets the window's own timer, quickened, tick until the engine has walked
  // that minute.
  void tickThrough(platform::DateTime moment) const {
    platform::setClockForTests(moment);
    officeForm()->TimerSend->setInterval(5);
    const int minute = platform::minuteOfHour(moment);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return plugin::moduleState().pollingEngine->LastMinute() == minute; }, 5000));
  }
  // The messages of kinds 1 and 2 the host received, as "kind text".
  std::vector<std::string> progressAndWarnings() const {
    std::vector<std::string> lines;
    for (const FakeHost::Message& message : host.messages) {
      if (message.kind == MessageKind::Progress || message.kind == MessageKind::ErrorOrWarning) {
        lines.push_back(std::to_string(message.kind) + " " + message.text);
      }
    }
    return lines;
  }
  // The exchanges started: the host's StartExchange and the IP transport's calls.
  std::vector<std::string> exchangesStarted() const {
    std::vector<std::string> exchanges;
    std::ranges::copy_if(host.calls, std::back_inserter(exchanges), [](const std::string& call) {
      return call.starts_with("StartExchange(");
    });
    std::ranges::copy_if(siblingCalls(), std::back_inserter(exchanges),
                         [](const std::string& call) {
                           return call.find("AutoSendInetFromOffice(") != std::string::npos;
                         });
    return exchanges;
  }
};

TEST_F(OfficeAutoQuery, OfficeOfKindThreePollsItsStationsAtTheirMinute) {
  writeTwoStationsAtFive();
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  host.version = 7;
  host.stations[kStationA].exchangeValue = 4242;
  platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 4, 40));
  ASSERT_EQ(load(1), 0);
  ASSERT_NE(officeForm(), nullptr);
  EXPECT_FALSE(officeForm()->isVisible());
  EXPECT_TRUE(officeForm()->TimerSend->isActive());
  ASSERT_EQ(plugin::moduleState().AutoAZS->Count(), 2);

  QString countdownStation;
  dialogs.modalActions.push_back([&](QDialog& dialog) {
    countdownStation = dialog.findChild<QLabel*>("lbAZS")->text();
    // A host that re-enters the tick from the dialog's event loop in the same minute (Qt itself
    // delivers no tick of a timer whose slot still runs): it must do nothing.
    officeForm()->TimerSendTimer();
    clickButton(*dialog.findChild<QPushButton*>("BitBtn1"));
  });
  officeForm()->TimerSendTimer();  // still 08:04: nothing due
  EXPECT_TRUE(dialogs.asked.empty());
  platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 5, 10));
  officeForm()->TimerSendTimer();
  officeForm()->TimerSendTimer();

  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].title, u8"Подтверждение автозапроса на АЗС"_cp1251);
  EXPECT_EQ(countdownStation, QString::fromUtf8("АЗС Северная"));
  const std::string starting = u8"Автозапрос на АЗС: "_cp1251;
  std::vector<FakeHost::Message> progress;
  for (const auto& message : host.messages) {
    if (message.kind == MessageKind::Progress) progress.push_back(message);
  }
  EXPECT_THAT(progress,
              ElementsAre(FakeHost::Message{MessageKind::Progress, starting + kStationA},
                          FakeHost::Message{MessageKind::Progress, starting + kStationB}));
  EXPECT_THAT(host.calls, Contains("StartExchange(" + kStationB + ",1,Null)"));
  EXPECT_THAT(siblingCalls(),
              Contains("Kestrin.dll AutoSendInetFromOffice(" + kStationA + ",4242,Null)"));
  EXPECT_TRUE(applicationErrors.messages.empty());

  ASSERT_EQ(unload(), 0);
  EXPECT_EQ(plugin::moduleState().AutoAZS, nullptr);
  EXPECT_EQ(officeForm(), nullptr);
}

TEST_F(OfficeAutoQuery, UnLoadDuringTheCountDownClosesItAndStartsNothing) {
  writeTwoStationsAtFive();
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  host.version = 7;
  platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 4, 40));
  ASSERT_EQ(load(1), 0);
  officeForm()->TimerSendTimer();  // 08:04: nothing due
  platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 5, 10));

  // The host unloads the plug-in from its event loop while station A's count-down runs.
  bool unloaded = false;
  bool countDownOpenAfterUnLoad = true;
  std::size_t messagesBeforeUnLoad = 0;
  std::size_t callsAfterUnLoad = 0;
  dialogs.modalActions.push_back([&](QDialog& dialog) {
    messagesBeforeUnLoad = host.messages.size();
    EXPECT_EQ(unload(), 0);
    callsAfterUnLoad = host.calls.size();
    countDownOpenAfterUnLoad = dialog.isVisible();
    unloaded = true;
  });
  officeForm()->TimerSend->start(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return unloaded; }, 5000));
  QTest::qWait(20);

  EXPECT_FALSE(countDownOpenAfterUnLoad);
  EXPECT_EQ(host.messages.size(), messagesBeforeUnLoad);
  EXPECT_EQ(std::vector<std::string>(host.calls.begin() + callsAfterUnLoad, host.calls.end()),
            std::vector<std::string>{});
  EXPECT_THAT(siblingCalls(), ::testing::Not(Contains(::testing::HasSubstr("AutoSendInetFrom"))));
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeAutoQuery, CountDownClosedByAQuittingHostStartsNoFurtherExchange) {
  // Station A asks first, B does not; both are due at 08:05.
  const std::string cancelled = std::string("1 ") + u8"Отмена автозапроса для АЗС: "_cp1251;
  const std::string starting = std::string("1 ") + u8"Автозапрос на АЗС: "_cp1251;
  const struct {
    const char* ending;
    std::function<void(QDialog&)> end;
    std::vector<std::string> messages;
    std::vector<std::string> exchanges;
  } cases[] = {
      // The reference host quits so: it closes its modal windows, its loop ends, UnLoad follows.
      {"the host closes it to quit", [](QDialog& dialog) { dialog.close(); }, {}, {}},
      {"the operator cancels",
       [](QDialog& dialog) { clickButton(*dialog.findChild<QPushButton*>("BitBtn2")); },
       {cancelled + kStationA, starting + kStationB},
       {"StartExchange(" + kStationB + ",1,Null)"}},
  };
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  for (const auto& test : cases) {
    SCOPED_TRACE(test.ending);
    writeTwoStationsAtFive();
    host.messages.clear();
    host.calls.clear();
    platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 4, 40));
    ASSERT_EQ(load(1), 0);
    tickThrough(platform::encodeDateTime(2025, 3, 3, 8, 4, 50));
    bool ended = false;
    dialogs.modalActions.push_back([&](QDialog& dialog) {
      test.end(dialog);
      // No tick comes after the host's loop has ended.
      officeForm()->TimerSend->stop();
      ended = true;
    });
    platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 5, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended; }, 5000));
    QTest::qWait(20);
    ASSERT_EQ(unload(), 0);

    EXPECT_EQ(progressAndWarnings(), test.messages);
    EXPECT_EQ(exchangesStarted(), test.exchanges);
  }
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeAutoQuery, MinutesThatPassDuringTheCountDownsArePolledLateInOrder) {
  // Four stations ask the operator at 14:05; while nobody answers, their count-downs run from
  // 14:05:50 to 14:07:14, the window's own timer gets no tick, and 14:06 and 14:07 pass.
  const std::vector<std::string> asking = {u8"АЗС Первая"_cp1251, u8"АЗС Вторая"_cp1251,
                                           u8"АЗС Третья"_cp1251, u8"АЗС Четвёртая"_cp1251};
  const std::string next = u8"АЗС Следующая"_cp1251;
  const std::string last = u8"АЗС Последняя"_cp1251;
  std::string settings = "[AutoZapros]\r\nCount=6\r\n";
  const auto addStation = [&settings](int index, const std::string& name, bool asks,
                                      const char* time) {
    settings += "[AutoZaprosItem" + std::to_string(index) +
                "]\r\nEnable=1\r\nHasUserQuery=" + (asks ? "1" : "0") + "\r\nAZSName=" + name +
                "\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=" + time + "\r\n";
  };
  for (int index = 0; index < 4; ++index) addStation(index, asking[index], true, "14:05");
  addStation(4, next, false, "14:06");
  addStation(5, last, false, "14:07");
  installation.writeSettings(settings);
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  const platform::DateTime firstTick = platform::encodeDateTime(2025, 3, 3, 14, 5, 50);
  platform::setClockForTests(firstTick);
  ASSERT_EQ(load(1), 0);

  // Each count-down runs to its end in its own event loop; every second it counts moves the
  // clock a second on. Only its pace is quickened.
  int secondsCounted = 0;
  for (std::size_t question = 0; question < asking.size(); ++question) {
    dialogs.modalActions.push_back([&](QDialog& dialog) {
      auto& form = dynamic_cast<autoquery::TQueryForm&>(dialog);
      QObject::connect(form.Timer1, &QTimer::timeout, &form, [&] {
        ++secondsCounted;
        platform::setClockForTests(firstTick + secondsCounted / 86'400.0);
      });
      form.Timer1->setInterval(1);
      form.exec();
    });
  }
  const std::string starting = u8"Автозапрос на АЗС: "_cp1251;
  // Every message the host received, kind and text.
  const auto received = [this] {
    std::vector<std::string> lines;
    for (const FakeHost::Message& message : host.messages) {
      lines.push_back(std::to_string(message.kind) + " " + message.text);
    }
    return lines;
  };
  const auto polled = [&](const std::string& station) {
    return std::ranges::count(received(), "1 " + starting + station) != 0;
  };
  officeForm()->TimerSend->setInterval(5);
  ASSERT_TRUE(QTest::qWaitFor([&] { return polled(last); }, 10'000));
  // Ticks that come after it must not poll anything again.
  QTest::qWait(50);

  EXPECT_EQ(platform::formatDateTimeSeconds(platform::now()), "03.03.2025 14:07:14");
  std::vector<std::string> messages;
  std::vector<std::string> exchanges;
  for (const std::string& station : {asking[0], asking[1], asking[2], asking[3], next, last}) {
    messages.push_back("1 " + starting + station);
    exchanges.push_back("StartExchange(" + station + ",1,Null)");
  }
  EXPECT_EQ(received(), messages);
  std::vector<std::string> hostExchanges;
  std::ranges::copy_if(host.calls, std::back_inserter(hostExchanges),
                       [](const std::string& call) { return call.starts_with("StartExchange("); });
  EXPECT_EQ(hostExchanges, exchanges);
  EXPECT_EQ(dialogs.asked.size(), asking.size());
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeAutoQuery, ATimeListedTwicePollsTwiceAndMidnightsOfMissingKeysOnce) {
  const struct {
    const char* name;
    const char* timeKeys;
    int hour, minute;
    std::size_t polls;
  } cases[] = {
      {"a daily time listed twice",
       "CPcount=3\r\nCP0time=08:01\r\nCP1time=12:00\r\n"
       "CP2time=08:01\r\n",
       8, 1, 2},
      {"three keys missing", "CPcount=4\r\nCP0time=12:00\r\n", 0, 0, 1},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    host.messages.clear();
    host.calls.clear();
    installation.writeSettings(
        "[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nEnable=1\r\n"
        "HasUserQuery=0\r\nAZSName=" +
        kStationB + "\r\nConnType=1\r\nConnTimeTipe=1\r\n" + test.timeKeys);
    host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
    const platform::DateTime due = platform::encodeDateTime(2025, 3, 3, test.hour, test.minute, 5);
    platform::setClockForTests(due - 1.0 / 1440);
    ASSERT_EQ(load(1), 0);
    tickThrough(due - 1.0 / 1440);
    tickThrough(due);
    ASSERT_EQ(unload(), 0);
    EXPECT_EQ(progressAndWarnings(),
              std::vector<std::string>(
                  test.polls, "1 " + std::string(u8"Автозапрос на АЗС: "_cp1251) + kStationB));
    EXPECT_EQ(exchangesStarted(),
              std::vector<std::string>(test.polls, "StartExchange(" + kStationB + ",1,Null)"));
  }
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeAutoQuery, NamesOfAFileSavedAsUtf8AreNeverPolledAndLoadSaysWhy) {
  // A modem, an e-mail and a direct-IP station, all due at 08:05; the host knows the last one.
  const std::vector<std::string> names = {u8"АЗС Север"_cp1251, u8"АЗС Юг"_cp1251,
                                          u8"АЗС Запад"_cp1251};
  const std::string failed =
      std::string("2 ") + u8"Автозапрос не выполнен, программа не знает АЗС: "_cp1251;
  const std::string starting = std::string("1 ") + u8"Автозапрос на АЗС: "_cp1251;
  const auto inUtf8 = [](const std::string& name) {
    return platform::toUnicode(name).toUtf8().toStdString();
  };
  const std::string garbled = inUtf8(names[0]);
  const struct {
    const char* file;
    bool utf8;
    std::vector<std::string> messages;
    std::vector<std::string> exchanges;
  } cases[] = {
      {"saved as UTF-8",
       true,
       {std::string("2 ") +
            u8"файл записан в кодировке UTF-8, а не Windows-1251: русские названия читаются "
            u8"искажёнными, например \""_cp1251 +
            garbled + u8"\" вместо \""_cp1251 + names[0] + "\"",
        failed + garbled, failed + inUtf8(names[1]), failed + inUtf8(names[2])},
       {}},
      {"saved as Windows-1251",
       false,
       {starting + names[0], starting + names[1], starting + names[2]},
       {"StartExchange(" + names[0] + ",1,Null)", "StartExchange(" + names[1] + ",2,Null)",
        "Kestrin.dll AutoSendInetFromOffice(" + names[2] + ",77,Null)"}},
  };
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  host.stations[names[2]].exchangeValue = 77;
  for (const auto& test : cases) {
    SCOPED_TRACE(test.file);
    std::string settings = "[AutoZapros]\r\nCount=3\r\n";
    for (int type = 1; type <= 3; ++type) {
      const std::string& name = names[static_cast<std::size_t>(type - 1)];
      settings +=
          "[AutoZaprosItem" + std::to_string(type - 1) +
          "]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=" + (test.utf8 ? inUtf8(name) : name) +
          "\r\nConnType=" + std::to_string(type) +
          "\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:05\r\n";
    }
    installation.writeSettings(settings);
    std::filesystem::remove(installation.root() / "FSYS" / "Siblings.log");
    host.messages.clear();
    host.calls.clear();
    platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 4, 40));
    ASSERT_EQ(load(1), 0);
    tickThrough(platform::encodeDateTime(2025, 3, 3, 8, 4, 50));
    tickThrough(platform::encodeDateTime(2025, 3, 3, 8, 5, 10));

    EXPECT_EQ(progressAndWarnings(), test.messages);
    EXPECT_EQ(exchangesStarted(), test.exchanges);
    ASSERT_EQ(unload(), 0);
  }
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeAutoQuery, MinutesABlockingExchangeHeldArePolledLateOnlyWhileAFewMinutesOld) {
  // B, over direct IP, is due at 08:05; while its exchange or its count-down holds the engine,
  // the clock moves on past the other stations' times, all by modem.
  const std::pair<const char*, const char*> others[] = {
      {"M1", "08:06"}, {"M2", "08:07"}, {"M3", "08:20"}, {"M4", "08:20"},
      {"M5", "08:20"}, {"K", "08:59"},  {"E", "09:00"},  {"N", "09:05"}};
  const auto settings = [&others](bool asks) {
    std::string text =
        "[AutoZapros]\r\nCount=9\r\n[AutoZaprosItem0]\r\nEnable=1\r\nHasUserQuery=" +
        std::string(asks ? "1" : "0") +
        "\r\nAZSName=B\r\nConnType=3\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:05\r\n";
    int position = 1;
    for (const auto& [name, time] : others) {
      text += "[AutoZaprosItem" + std::to_string(position++) +
              "]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=" + name +
              "\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=" + time + "\r\n";
    }
    return text;
  };
  // The messages: a station's name alone for its poll, or the line that sums up missed ones.
  const auto messages = [](std::initializer_list<std::string> lines) {
    std::vector<std::string> received;
    for (const std::string& line : lines) {
      received.push_back(line.size() > 2
                             ? "2 " + line
                             : std::string("1 ") + u8"Автозапрос на АЗС: "_cp1251 + line);
    }
    return received;
  };
  const platform::DateTime at0807 = platform::encodeDateTime(2025, 3, 3, 8, 7, 15);
  const platform::DateTime at0905 = platform::encodeDateTime(2025, 3, 3, 9, 5, 15);
  const struct {
    const char* held;
    bool countDown;  // B's count-down holds the engine; otherwise its transport blocks
    platform::DateTime until;
    std::vector<std::string> messages;
  } cases[] = {
      {"the transport blocks until 08:07:15", false, at0807, messages({"B", "M1", "M2"})},
      {"the transport blocks for an hour", false, at0905,
       messages({"B",
                 u8"Пропущено автозапросов на АЗС: 6 с 08:06 по 08:59, первые: M1 (08:06), "
                 u8"M2 (08:07), M3 (08:20)"_cp1251,
                 "E", "N"})},
      {"the count-down stays open for an hour", true, at0905,
       messages({"B", "M1", "M2", "M3", "M4", "M5", "K", "E", "N"})},
  };
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  host.stations["B"].exchangeValue = 5;
  const std::filesystem::path siblingLog = installation.root() / "FSYS" / "Siblings.log";
  for (const auto& test : cases) {
    SCOPED_TRACE(test.held);
    installation.writeSettings(settings(test.countDown));
    std::filesystem::remove(siblingLog);
    host.messages.clear();
    platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 4, 40));
    ASSERT_EQ(load(1), 0);
    tickThrough(platform::encodeDateTime(2025, 3, 3, 8, 4, 50));

    std::thread clockMover;
    if (test.countDown) {
      dialogs.modalActions.push_back([&test](QDialog& dialog) {
        platform::setClockForTests(test.until);
        clickButton(*dialog.findChild<QPushButton*>("BitBtn1"));
      });
    } else {
      // The transport works for a second, while the clock moves on from another thread.
      setenv("TARVEL_SEND_SECONDS", "1", 1);
      clockMover = std::thread([&siblingLog, until = test.until] {
        for (int look = 0; look < 1000; ++look) {
          if (TemporaryInstallation::readFile(siblingLog).find("AutoSendInetFromOffice(B,") !=
              std::string::npos) {
            platform::setClockForTests(until);
            return;
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
      });
    }
    platform::setClockForTests(platform::encodeDateTime(2025, 3, 3, 8, 5, 10));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return progressAndWarnings().size() >= test.messages.size(); }, 10'000));
    QTest::qWait(50);
    if (clockMover.joinable()) clockMover.join();
    unsetenv("TARVEL_SEND_SECONDS");
    ASSERT_EQ(unload(), 0);

    EXPECT_EQ(progressAndWarnings(), test.messages);
  }
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeAutoQuery, TimesBeyondTheSlotBudgetAreReportedOnceAndApplyKeepsThemInTheFile) {
  // A thousand stations of a slot each minute spend the whole budget; the next one is left
  // short.
  const int32_t full = autoquery::kMaxConnectionPointTotal / autoquery::kMaxConnectionPointCount;
  std::string text = "[AutoZapros]\r\nCount=" + std::to_string(full + 1) + "\r\n";
  for (int32_t position = 0; position < full; ++position) {
    text += "[" + autoquery::itemSectionName(position) + "]\r\nCPcount=1440\r\n";
  }
  const std::string lastSection = "[" + autoquery::itemSectionName(full) +
                                  "]\r\nEnable=1\r\nHasUserQuery=0\r\nAZSName=" + kStationB +
                                  "\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=2\r\n"
                                  "CP0time=08:05\r\nCP1time=20:30\r\n";
  installation.writeSettings(text + lastSection);
  host.commandAnswers[HostCommand::InstallationKind] = HostVariant::fromInteger(3);
  ASSERT_EQ(load(1), 0);

  std::vector<std::string> warnings;
  for (const auto& message : host.messages) {
    if (message.kind == MessageKind::ErrorOrWarning) warnings.push_back(message.text);
  }
  EXPECT_THAT(warnings, ElementsAre(::testing::HasSubstr(kStationB)));

  officeForm()->BitBtn1Click();  // "Применить" without any edit
  const std::string saved = installation.settingsText();
  EXPECT_TRUE(saved.ends_with(lastSection)) << saved.substr(saved.rfind('['));
}

}  // namespace
}  // namespace tarvel::testing
