#include "autoquery/core/polling_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <thread>

#include "autoquery/core/schedule_builder.h"
#include "platform/cp1251_literal.h"
#include "support/fake_host.h"

namespace tarvel::autoquery {
namespace {

using platform::encodeDateTime;
using platform::operator""_cp1251;
using testing::Schedule;
using Log = std::vector<std::string>;

const std::string kProgress = "ReportMessage(" + std::to_string(MessageKind::Progress) + ",";
const std::string kWarning = "ReportMessage(" + std::to_string(MessageKind::ErrorOrWarning) + ",";
const std::string kStarting = kProgress + u8"Автозапрос на АЗС: "_cp1251;
const std::string kCancelled = kProgress + u8"Отмена автозапроса для АЗС: "_cp1251;
const std::string kOldDaily =
    kWarning + u8"Версия CallBack низкой версии, возможно нужно обновить Кремнекс Офис)"_cp1251;
const std::string kUnknownToHost =
    kWarning + u8"Автозапрос не выполнен, программа не знает АЗС: "_cp1251;
const std::string kOldWeekdays =
    kWarning + u8"Версия CallBack мала, возможно нужно обновить Кремнекс Офис)"_cp1251;

// 3 March 2025 was a Monday.
platform::DateTime monday(int hour, int minute, int second) {
  return encodeDateTime(2025, 3, 3, hour, minute, second);
}

class PollingEngineTest : public ::testing::Test {
 protected:
  ~PollingEngineTest() override { platform::setClockForTests(std::nullopt); }

  PollingEngine::Links links() {
    PollingEngine::Links links;
    links.registry = &registry;
    links.confirm = [this](const std::string& name) {
      host.calls.push_back("Confirm(" + name + ")");
      return answer(name) ? Confirmation::Proceed : Confirmation::Declined;
    };
    links.host = &host;
    links.autoSendInetFromOffice = [this](const std::string& name, int32_t value,
                                          HostVariant& parameter) {
      host.calls.push_back("AutoSendInetFromOffice(" + name + "," + std::to_string(value) + "," +
                           (parameter.kind == HostVariant::Kind::Null ? "Null" : "?") + ")");
    };
    return links;
  }

  // The calls the tick made, without the version questions.
  Log tickAt(platform::DateTime moment) {
    host.calls.clear();
    platform::setClockForTests(moment);
    engine.tick();
    return calls();
  }
  Log calls() const {
    Log log = host.calls;
    std::erase(log, "GetVersion()");
    return log;
  }

  testing::FakeHost host;
  tAutoAZS registry;
  std::recursive_mutex timerLock;
  std::function<bool(const std::string&)> answer = [](const std::string&) { return true; };
  PollingEngine engine{links(), timerLock};
};

TEST_F(PollingEngineTest, DailyTimeTwicePollsTwiceInTheMinuteAndOnlyThen) {
  testing::addSchedule(registry, {.CP = {"08:05", "12:00", "08:05"}});
  EXPECT_EQ(tickAt(monday(8, 5, 1)), (Log{kStarting + "A)", "StartExchange(A,1,Null)",
                                          kStarting + "A)", "StartExchange(A,1,Null)"}));
  EXPECT_EQ(engine.LastMinute(), 5);
  EXPECT_EQ(tickAt(monday(8, 5, 31)), Log{});
}

TEST_F(PollingEngineTest, MinuteZeroRightAfterTheStartPollsNothing) {
  testing::addSchedule(registry, {.CP = {"10:00", "10:01"}});
  EXPECT_EQ(tickAt(monday(10, 0, 20)), Log{});
  EXPECT_EQ(tickAt(monday(10, 1, 20)), (Log{kStarting + "A)", "StartExchange(A,1,Null)"}));
}

TEST_F(PollingEngineTest, DeclinedStationIsNotAskedAgainAndTheNextOneIsPolled) {
  testing::addSchedule(registry, {.AZSName = "A", .HasUserQuery = true, .CP = {"08:05", "08:05"}});
  testing::addSchedule(registry, {.AZSName = "B", .ConnType = 2, .CP = {"08:05"}});
  answer = [](const std::string&) { return false; };
  EXPECT_EQ(tickAt(monday(8, 5, 0)),
            (Log{"Confirm(A)", kCancelled + "A)", kStarting + "B)", "StartExchange(B,2,Null)"}));
}

struct VersionCase {
  const char* name;
  int32_t version;
  Schedule schedule;
  bool transportPresent;
  Log expected;
};

TEST_F(PollingEngineTest, HostVersionAndConnectionTypeChooseTheWayOfTheQuery) {
  const std::vector<ConnectionPoint> monday0805 = {"08:05", "", "", "", "", "", ""};
  const VersionCase cases[] = {
      {"version 4, daily", 4, {.CP = {"08:05"}}, true, {kStarting + "A)", kOldDaily}},
      {"version 4, weekdays",
       4,
       {.ConnTimeTipe = 2, .CP = monday0805},
       true,
       {kStarting + "A)", kOldWeekdays}},
      {"version 6, direct IP",
       6,
       {.ConnType = 3, .CP = {"08:05"}},
       true,
       {kStarting + "A)", "StartExchange(A,3,Null)"}},
      {"version 7, direct IP, known station",
       7,
       {.ConnType = 3, .CP = {"08:05"}},
       true,
       {"FindStation(A)", kStarting + "A)", "AutoSendInetFromOffice(A,1234,Null)"}},
      {"version 7, direct IP, station unknown to the host: failed, not announced",
       7,
       {.AZSName = "Z", .ConnType = 3, .CP = {"08:05"}},
       true,
       {"FindStation(Z)", kUnknownToHost + "Z)"}},
      {"version 7, direct IP, no transport",
       7,
       {.ConnType = 3, .CP = {"08:05"}},
       false,
       {kStarting + "A)", "StartExchange(A,3,Null)"}},
  };
  host.stations["A"].exchangeValue = 1234;
  for (const VersionCase& test : cases) {
    SCOPED_TRACE(test.name);
    host.version = test.version;
    tAutoAZS caseRegistry;
    testing::addSchedule(caseRegistry, test.schedule);
    PollingEngine::Links caseLinks = links();
    caseLinks.registry = &caseRegistry;
    if (!test.transportPresent) caseLinks.autoSendInetFromOffice = nullptr;
    PollingEngine caseEngine(caseLinks, timerLock);
    host.calls.clear();
    platform::setClockForTests(monday(8, 5, 0));
    caseEngine.tick();
    EXPECT_EQ(calls(), test.expected);
  }
}

TEST_F(PollingEngineTest, TicksDeliveredWhileTheOperatorIsAskedAreWalkedInOrderAfterIt) {
  testing::addSchedule(registry, {.AZSName = "A", .HasUserQuery = true, .CP = {"14:05"}});
  testing::addSchedule(registry, {.AZSName = "B", .CP = {"14:05", "14:06"}});
  testing::addSchedule(registry, {.AZSName = "C", .CP = {"14:07"}});
  bool lockFreeDuringTheQuestion = true;
  answer = [&](const std::string&) {
    // A host that re-enters the tick while the operator is asked, every half minute until 14:07
    // (Qt itself delivers no tick of a timer whose slot still runs).
    for (const int seconds : {30, 60, 90, 120}) {
      platform::setClockForTests(monday(14, 5, 0) + seconds / 86'400.0);
      engine.tick();
    }
    std::thread([&] {
      lockFreeDuringTheQuestion = timerLock.try_lock();
      if (lockFreeDuringTheQuestion) timerLock.unlock();
    }).join();
    return true;
  };
  EXPECT_EQ(tickAt(monday(14, 5, 0)),
            (Log{"Confirm(A)", kStarting + "A)", "StartExchange(A,1,Null)", kStarting + "B)",
                 "StartExchange(B,1,Null)", kStarting + "B)", "StartExchange(B,1,Null)",
                 kStarting + "C)", "StartExchange(C,1,Null)"}));
  EXPECT_EQ(engine.LastMinute(), 7);
  EXPECT_FALSE(lockFreeDuringTheQuestion);
  EXPECT_EQ(tickAt(monday(14, 7, 44)), Log{});
}

// The late walk itself, through the window's real timer and count-downs, is OfficeAutoQuery's test;
// here the rules at its edges.
TEST_F(PollingEngineTest, MinutesThatBeginWhileATickHoldsTheEngineAreWalkedWhenItEnds) {
  testing::addSchedule(registry, {.AZSName = "A", .HasUserQuery = true, .CP = {"14:05"}});
  testing::addSchedule(registry, {.AZSName = "B", .CP = {"14:05", "14:06"}});
  testing::addSchedule(registry, {.AZSName = "C", .CP = {"14:07"}});
  const auto polled = [](const std::string& station) -> Log {
    return Log{kStarting + station + ")", "StartExchange(" + station + ",1,Null)"};
  };
  const auto joined = [](std::initializer_list<Log> parts) -> Log {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  const std::string missedAtFive = kWarning + u8"Пропущен автозапрос на АЗС: "_cp1251;
  const struct {
    const char* name;
    platform::DateTime answeredAt;  // the operator's answer, or the dialog's failure
    bool dialogFails;
    Log heldTick;
    Log nextTickHalfAMinuteLater;
  } cases[] = {
      {"the dialog fails at 14:07:14: the next tick walks what passed",
       monday(14, 7, 14),
       true,
       {"Confirm(A)"},
       joined(
           {{missedAtFive + "A (14:05))", missedAtFive + "B (14:05))"}, polled("B"), polled("C")})},
      {"the clock stepped two days on: only the minute it landed in",
       monday(14, 7, 14) + 2,
       false,
       joined({{"Confirm(A)"}, polled("A"), polled("B"), polled("C")}),
       {}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    answer = [&test](const std::string&) {
      platform::setClockForTests(test.answeredAt);
      if (test.dialogFails) throw std::runtime_error("dialog failed");
      return true;
    };
    PollingEngine caseEngine(links(), timerLock);
    platform::setClockForTests(monday(14, 4, 0));
    caseEngine.tick();
    host.calls.clear();
    platform::setClockForTests(monday(14, 5, 50));
    if (test.dialogFails) {
      EXPECT_THROW(caseEngine.tick(), std::runtime_error);
    } else {
      caseEngine.tick();
    }
    EXPECT_EQ(calls(), test.heldTick);
    host.calls.clear();
    platform::setClockForTests(test.answeredAt + 30 / 86'400.0);
    caseEngine.tick();
    EXPECT_EQ(calls(), test.nextTickHalfAMinuteLater);
  }
}

TEST_F(PollingEngineTest, ClockStepOfAnySizeLandsInAMinuteWalkedOnce) {
  testing::addSchedule(registry, {.CP = {"08:05", "09:05", "07:05"}});
  const Log polled = {kStarting + "A)", "StartExchange(A,1,Null)"};
  // The day forward passes 07:05 without a tick.
  Log missedAndPolled = polled;
  missedAndPolled.insert(missedAndPolled.begin(),
                         kWarning + u8"Пропущен автозапрос на АЗС: A (07:05))"_cp1251);
  const struct {
    const char* step;
    platform::DateTime moment;
    Log expected;
  } steps[] = {
      {"start", monday(8, 5, 10), polled},
      {"an hour forward", monday(9, 5, 10), polled},
      {"an hour back, to a minute walked", monday(8, 5, 40), {}},
      {"a day forward", monday(8, 5, 10) + 1, missedAndPolled},
      {"the same minute again", monday(8, 5, 50) + 1, {}},
      {"a day and an hour back, to a minute never walked", monday(7, 5, 10), polled},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.step);
    EXPECT_EQ(tickAt(step.moment), step.expected);
  }
}

TEST_F(PollingEngineTest, MinutesWithoutATickAreReportedOncePerStationUpToADayLater) {
  testing::addSchedule(registry, {.AZSName = "A", .CP = {"08:06", "08:06", "08:07"}});
  const std::vector<ConnectionPoint> monday0807 = {"08:07", "", "", "", "", "", ""};
  testing::addSchedule(registry, {.AZSName = "B", .ConnTimeTipe = 2, .CP = monday0807});
  testing::addSchedule(registry, {.AZSName = "C", .Enable = false, .CP = {"08:06"}});
  testing::addSchedule(registry, {.AZSName = "D", .CP = {"08:09"}});
  const auto missed = [](const char* station, const char* time) {
    return kWarning + u8"Пропущен автозапрос на АЗС: "_cp1251 + std::string(station) + " (" + time +
           "))";
  };
  const struct {
    const char* gap;
    platform::DateTime moment;
    Log expected;
  } ticks[] = {
      {"the start", monday(8, 5, 0), {}},
      {"four minutes",
       monday(8, 9, 10),
       {missed("A", "08:06"), missed("A", "08:07"), missed("B", "08:07"), kStarting + "D)",
        "StartExchange(D,1,Null)"}},
      {"exactly a day",
       monday(8, 9, 0) + 1,
       {missed("A", "08:06"), missed("A", "08:07"), kStarting + "D)", "StartExchange(D,1,Null)"}},
      {"a day and a minute", monday(8, 10, 0) + 2, {}},
  };
  for (const auto& tick : ticks) {
    SCOPED_TRACE(tick.gap);
    EXPECT_EQ(tickAt(tick.moment), tick.expected);
  }
}

TEST_F(PollingEngineTest, ManyMissedPollsAreSummedUpInOneLineAndTheMinuteIsStillPolled) {
  // Six hours without a tick: the stations are due one a minute from 08:06 on, round the gap.
  constexpr int kGapMinutes = 14 * 60 + 5 - (8 * 60 + 6);
  const auto timeOf = [](int minuteOfDay) {
    return platform::formatHourMinute(platform::encodeTime(minuteOfDay / 60, minuteOfDay % 60));
  };
  const auto missedAt = [&](int station) { return 8 * 60 + 6 + station % kGapMinutes; };
  const auto named = [&](int station) {
    return "S" + std::to_string(station) + " (" + timeOf(missedAt(station)) + ")";
  };
  for (const int stations : {5, 6, 10'000}) {
    SCOPED_TRACE(std::to_string(stations) + " stations missed");
    tAutoAZS chain;
    for (int station = 0; station < stations; ++station) {
      testing::addSchedule(chain, {.AZSName = "S" + std::to_string(station),
                                   .CP = {timeOf(missedAt(station)), "23:59"}});
    }
    testing::addSchedule(chain, {.AZSName = "Now", .CP = {"14:05"}});
    PollingEngine::Links chainLinks = links();
    chainLinks.registry = &chain;
    PollingEngine chainEngine(chainLinks, timerLock);
    platform::setClockForTests(monday(8, 5, 0));
    chainEngine.tick();
    host.calls.clear();
    platform::setClockForTests(monday(14, 5, 10));
    chainEngine.tick();

    Log expected;
    if (stations <= 5) {
      for (int station = 0; station < stations; ++station) {
        expected.push_back(kWarning + u8"Пропущен автозапрос на АЗС: "_cp1251 + named(station) +
                           ")");
      }
    } else {
      // Named first: the earliest minutes, and within a minute the registry's order.
      std::vector<int> inMinuteOrder(static_cast<std::size_t>(stations));
      std::iota(inMinuteOrder.begin(), inMinuteOrder.end(), 0);
      std::stable_sort(inMinuteOrder.begin(), inMinuteOrder.end(),
                       [&](int a, int b) { return missedAt(a) < missedAt(b); });
      expected.push_back(kWarning + u8"Пропущено автозапросов на АЗС: "_cp1251 +
                         std::to_string(stations) + u8" с "_cp1251 + timeOf(missedAt(0)) +
                         u8" по "_cp1251 + timeOf(missedAt(inMinuteOrder.back())) +
                         u8", первые: "_cp1251 + named(inMinuteOrder[0]) + ", " +
                         named(inMinuteOrder[1]) + ", " + named(inMinuteOrder[2]) + ")");
    }
    expected.push_back(kStarting + "Now)");
    expected.push_back("StartExchange(Now,1,Null)");
    EXPECT_EQ(calls(), expected);
  }
}

TEST_F(PollingEngineTest, RetryAfterAnErrorStartsAtThePollThatRaised) {
  testing::addSchedule(registry, {.AZSName = "A", .CP = {"08:05"}});
  testing::addSchedule(registry, {.AZSName = "B", .HasUserQuery = true, .CP = {"08:05"}});
  testing::addSchedule(registry, {.AZSName = "C", .CP = {"08:05"}});
  int questions = 0;
  answer = [&](const std::string&) -> bool {
    if (++questions == 1) throw std::runtime_error("dialog failed");
    return true;
  };
  EXPECT_THROW(tickAt(monday(8, 5, 0)), std::runtime_error);
  EXPECT_EQ(calls(), (Log{kStarting + "A)", "StartExchange(A,1,Null)", "Confirm(B)"}));
  EXPECT_EQ(engine.LastMinute(), 0);
  EXPECT_EQ(tickAt(monday(8, 5, 30)),
            (Log{"Confirm(B)", kStarting + "B)", "StartExchange(B,1,Null)", kStarting + "C)",
                 "StartExchange(C,1,Null)"}));
  EXPECT_EQ(engine.LastMinute(), 5);
}

TEST_F(PollingEngineTest, RetryMemoryDoesNotOutliveItsMinute) {
  testing::addSchedule(registry, {.AZSName = "A", .CP = {"08:05", "09:05"}});
  testing::addSchedule(registry, {.AZSName = "B", .HasUserQuery = true, .CP = {"08:05"}});
  answer = [](const std::string&) -> bool { throw std::runtime_error("dialog failed"); };
  EXPECT_THROW(tickAt(monday(8, 5, 0)), std::runtime_error);
  // An hour later the minute of the hour is the same again, but it is another minute.
  EXPECT_EQ(tickAt(monday(9, 5, 0)), (Log{kStarting + "A)", "StartExchange(A,1,Null)"}));
}

}  // namespace
}  // namespace tarvel::autoquery
