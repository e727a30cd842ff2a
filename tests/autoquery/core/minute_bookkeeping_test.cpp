#include "autoquery/core/minute_bookkeeping.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "autoquery/core/poll_minute.h"

namespace tarvel::autoquery {
namespace {

using Minutes = std::vector<int64_t>;

// Every minute the walk would take now, in order.
Minutes takeAll(MinuteBookkeeping& minutes, int64_t now) {
  Minutes taken;
  while (const std::optional<int64_t> next = minutes.takeNextToWalk(now)) taken.push_back(*next);
  return taken;
}

TEST(MinuteBookkeeping, MinutesThatPassWhileATickHoldsTheEngineAreQueuedInOrderEachOnce) {
  const struct {
    const char* name;
    int64_t now;
    std::optional<int64_t> walked;
    std::optional<int64_t> unfinished;
    Minutes queued;
  } cases[] = {
      {"three minutes on, one of them walked", 103, 102, std::nullopt, {101, 103}},
      {"the minute left unfinished waits for its own tick", 103, std::nullopt, 101, {102, 103}},
      {"still the same minute", 100, std::nullopt, std::nullopt, {}},
      {"a step back: only the minute it lands in", 50, std::nullopt, std::nullopt, {50}},
      {"a step back to a walked minute", 50, 50, std::nullopt, {}},
      {"more than a day on: a clock step",
       100 + kLatePollMinutes + 1,
       std::nullopt,
       std::nullopt,
       {100 + kLatePollMinutes + 1}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    MinuteBookkeeping minutes;
    if (test.walked) minutes.finishWalk(*test.walked);
    if (test.unfinished) minutes.leaveUnfinished(*test.unfinished, {0, 0});
    int64_t heldUpTo = 100;
    EXPECT_EQ(minutes.addMinutesPassedWhileHeld(heldUpTo, test.now), !test.queued.empty());
    EXPECT_EQ(heldUpTo, test.now);
    EXPECT_EQ(takeAll(minutes, test.now), test.queued);
  }
}

TEST(MinuteBookkeeping, OnlyMinutesACountDownHeldAreWalkedHoweverLate) {
  const struct {
    const char* name;
    std::optional<int64_t> countDownClosedIn;  // opened in minute 100
    Minutes walked;
  } cases[] = {
      {"an exchange held them all", std::nullopt, {105, 106, 107, 108, 109, 110}},
      {"a count-down held the first three", 103, {101, 102, 103, 105, 106, 107, 108, 109, 110}},
      {"a count-down longer than a day is a clock step",
       100 + kLatePollMinutes + 1,
       {105, 106, 107, 108, 109, 110}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    MinuteBookkeeping minutes;
    minutes.addTickMinute(100);
    EXPECT_EQ(minutes.takeNextToWalk(100), 100);
    if (test.countDownClosedIn) minutes.rememberCountDown(100, *test.countDownClosedIn);
    int64_t heldUpTo = 100;
    minutes.addMinutesPassedWhileHeld(heldUpTo, 110);
    EXPECT_EQ(takeAll(minutes, 110), test.walked);
  }
}

TEST(MinuteBookkeeping, MissedMinutesAreTheGapAfterTheLastWalkedOneUpToADay) {
  MinuteBookkeeping minutes;
  EXPECT_EQ(minutes.minutesToReportMissed(105), std::nullopt) << "nothing walked yet";
  minutes.finishWalk(100);
  const struct {
    int64_t minute;
    std::optional<MinuteSpan> missed;
  } cases[] = {
      {100, std::nullopt},
      {90, std::nullopt},
      {105, MinuteSpan{101, 104}},
      {100 + kMissedPollReportMinutes, MinuteSpan{101, 99 + kMissedPollReportMinutes}},
      {101 + kMissedPollReportMinutes, std::nullopt},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.minute);
    EXPECT_EQ(minutes.minutesToReportMissed(test.minute), test.missed);
  }
}

TEST(MinuteBookkeeping, MissedPollIsReportedOnceAndNotWhenItsUnfinishedMinuteMadeIt) {
  MinuteBookkeeping minutes;
  minutes.finishWalk(100);
  minutes.markReported({101, 104});
  minutes.leaveUnfinished(107, {2, 1});
  EXPECT_EQ(minutes.resumeAt(107), (PollPlace{2, 1}));
  EXPECT_EQ(minutes.resumeAt(106), (PollPlace{0, 0}));
  const struct {
    const char* name;
    MissedPoll poll;
    bool toReport;
  } cases[] = {
      {"a walked minute", {.minute = 100}, false},
      {"a minute reported already", {.minute = 102}, false},
      {"a minute not yet reported", {.minute = 105}, true},
      {"made before the unfinished walk stopped", {.minute = 107, .position = 2}, false},
      {"where the unfinished walk stopped", {.minute = 107, .position = 2, .lastSlot = 1}, true},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(minutes.isToReport(test.poll), test.toReport);
  }
  minutes.finishWalk(107);
  EXPECT_EQ(minutes.resumeAt(107), (PollPlace{0, 0})) << "a finished walk leaves no place";
}

TEST(MinuteBookkeeping, MinutesMoreThanADayFromTheLastWalkedOneAreForgotten) {
  MinuteBookkeeping minutes;
  minutes.finishWalk(100);
  minutes.markReported({50, 60});
  minutes.finishWalk(101 + kMinutesPerDay);
  EXPECT_FALSE(minutes.isKnown(100));
  EXPECT_TRUE(minutes.isToReport({.minute = 55}));
  EXPECT_EQ(minutes.lastWalked(), 101 + kMinutesPerDay);
}

}  // namespace
}  // namespace tarvel::autoquery
