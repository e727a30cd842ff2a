#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTimeEdit>

#include "auto_send_fixture.h"
#include "autosend/core/send_question.h"
#include "support/user_actions.h"

namespace tarvel::autosend {
namespace {

class CheckAutoSendTest : public AutoSendTest {
 protected:
  CheckAutoSendTest() {
    inet.AutoSendEnable = true;
    inet.ViaSend = 1;
  }
  // One tick at hh:mm:ss on 5 March 2007.
  void tickAt(int hour, int minute, int second = 0) {
    setClock(hour, minute, second);
    form->Timer_check_AutoSendTimer();
  }
};

TEST_F(CheckAutoSendTest, SetTimeSendsOnceInItsMinuteAndNotInTheNext) {
  inet.WhenSend = 3;
  inet.SendTime = platform::encodeTime(14, 5, 40);
  makeForm();
  tickAt(14, 4, 30);
  tickAt(14, 5, 0);
  tickAt(14, 5, 30);
  tickAt(14, 6, 0);
  EXPECT_EQ(fakeLinks.transportCalls, std::vector<int32_t>{1});
  EXPECT_EQ(inet.LastAutoSendTime, platform::encodeDateTime(2007, 3, 5, 14, 5));
  EXPECT_EQ(fakeLinks.shiftQuestions, 0);  // only the shift mode asks the host
}

TEST_F(CheckAutoSendTest, SetTimeEditedInTheOpenDialogCountsBeforeApply) {
  inet.WhenSend = 3;
  inet.SendTime = platform::encodeTime(8, 0);
  makeForm();
  form->dtp->setTime(QTime(14, 5));
  tickAt(14, 5);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 1u);
  EXPECT_EQ(form->dtp->time(), QTime(8, 0));  // the send refilled the editor from the settings
}

TEST_F(CheckAutoSendTest, IntervalCountsFromTheEndOfThePreviousSend) {
  inet.WhenSend = 2;
  inet.SendInterval = 1;
  makeForm();
  // A transport that works for five minutes.
  fakeLinks.whileTransportRuns = [] {
    const platform::DateTime started = platform::now();
    platform::setClockForTests(started + 5.0 / (24 * 60));
  };
  tickAt(10, 1);  // never sent before: due at once
  EXPECT_EQ(inet.LastAutoSendTime, platform::encodeDateTime(2007, 3, 5, 10, 6));
  EXPECT_EQ(form->scheduler().LastCheckedMinute, 6);  // the minute in which the check ended
  tickAt(11, 5);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 1u);
  tickAt(11, 6);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 2u);
}

TEST_F(CheckAutoSendTest, ChecksAtMostOncePerMinuteAndNotInTheMinuteItWasLoaded) {
  inet.WhenSend = 2;
  inet.SendInterval = 0;  // due at every check
  makeForm();
  tickAt(10, 0, 10);  // LastCheckedMinute starts at 0
  EXPECT_TRUE(fakeLinks.transportCalls.empty());
  tickAt(10, 1, 0);
  tickAt(10, 1, 30);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 1u);
  tickAt(10, 2, 0);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 2u);
}

TEST_F(CheckAutoSendTest, ShiftChangeInEitherDirectionSendsAndRecordsTheNumber) {
  inet.WhenSend = 1;
  inet.LastSmena = 7;
  makeForm();
  const std::pair<int32_t, bool> answers[] = {{7, false}, {9, true}, {9, false}, {4, true}};
  int minute = 1;
  for (const auto& [shiftNumber, sends] : answers) {
    const size_t callsBefore = fakeLinks.transportCalls.size();
    fakeLinks.shiftAnswer = HostVariant::fromInteger(shiftNumber);
    tickAt(12, minute++);
    EXPECT_EQ(fakeLinks.transportCalls.size() - callsBefore, sends ? 1u : 0u) << shiftNumber;
    EXPECT_EQ(inet.LastSmena, shiftNumber);
  }
  EXPECT_EQ(fakeLinks.shiftQuestions, 4);
  EXPECT_EQ(installation.settingsText(),
            "[Inet]\r\nLastSmena=4\r\nLastAutoSendTime=05.03.2007 12:04:00\r\n");
}

TEST_F(CheckAutoSendTest, WithoutATransportNothingIsAskedOrCalledYetTheSendIsRecorded) {
  inet.ViaSend = 0;
  inet.WhenSend = 1;
  inet.EnableAutoZapros = true;
  fakeLinks.shiftAnswer = HostVariant::fromText("8");
  makeForm();
  tickAt(14, 30);
  EXPECT_TRUE(dialogs.asked.empty());
  EXPECT_TRUE(fakeLinks.transportCalls.empty());
  EXPECT_EQ(installation.settingsText(),
            "[Inet]\r\nLastSmena=8\r\nLastAutoSendTime=05.03.2007 14:30:00\r\n");
  EXPECT_EQ(form->lb_last_autosend->text(), "05.03.2007 14:30:00");
}

TEST_F(CheckAutoSendTest, ADeclinedQuestionRecordsNothingAndAsksAgainNextMinute) {
  inet.WhenSend = 2;
  inet.ViaSend = 2;
  inet.EnableAutoZapros = true;
  installation.writeSettings("[Inet]\r\nLastSmena=3\r\n");
  makeForm();
  dialogs.yesNoAnswers = {false, true};
  tickAt(9, 1);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].title, sendQuestionTitle());
  EXPECT_EQ(dialogs.asked[0].text, sendQuestionText(2));
  EXPECT_EQ(dialogs.asked[0].owner, form.get());
  EXPECT_TRUE(fakeLinks.transportCalls.empty());
  EXPECT_EQ(inet.LastAutoSendTime, 0);
  EXPECT_EQ(installation.settingsText(), "[Inet]\r\nLastSmena=3\r\n");

  tickAt(9, 2);
  EXPECT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(fakeLinks.transportCalls, std::vector<int32_t>{2});
}

TEST_F(CheckAutoSendTest, ATickBehindTheOpenQuestionDoesNothing) {
  inet.WhenSend = 2;
  inet.SendInterval = 0;
  inet.EnableAutoZapros = true;
  makeForm();
  dialogs.yesNoAnswers = {true};
  dialogs.whileQuestionOpen = [this] { tickAt(9, 2); };
  tickAt(9, 1);
  EXPECT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 1u);
  EXPECT_EQ(form->scheduler().LastCheckedMinute, 2);
}

TEST_F(CheckAutoSendTest, AnUnreadableShiftNumberReachesTheErrorHandlerAndTheNextTickRetries) {
  inet.WhenSend = 1;
  fakeLinks.shiftAnswer = HostVariant::fromText("abc");
  makeForm();
  tickAt(9, 1);
  ASSERT_EQ(reportedErrors.messages.size(), 1u);
  EXPECT_NE(reportedErrors.messages[0].find("abc"), std::string::npos);
  EXPECT_EQ(form->scheduler().LastCheckedMinute, 0);
  fakeLinks.shiftAnswer = HostVariant::fromInteger(5);
  tickAt(9, 1, 30);
  EXPECT_EQ(fakeLinks.transportCalls.size(), 1u);
  EXPECT_EQ(inet.LastSmena, 5);
  EXPECT_EQ(form->scheduler().LastCheckedMinute, 1);
}

TEST_F(CheckAutoSendTest, ASendRefillsTheDialogDiscardingUnsavedEdits) {
  inet.WhenSend = 2;
  inet.SendInterval = 6;
  makeForm();
  form->show();
  testing::clickButton(*form->cbEnableZapros);
  testing::typeInto(*form->se_period, "12");
  tickAt(9, 1);
  EXPECT_FALSE(form->cbEnableZapros->isChecked());
  EXPECT_DOUBLE_EQ(form->se_period->value(), 6.0);
  EXPECT_EQ(form->lb_last_autosend->text(), "05.03.2007 09:01:00");
}

TEST_F(CheckAutoSendTest, NothingHappensWhileSendingIsSwitchedOff) {
  inet.AutoSendEnable = false;
  inet.WhenSend = 1;
  fakeLinks.shiftAnswer = HostVariant::fromInteger(9);
  makeForm();
  testing::clickButton(*form->cb_AutoSend);  // ticked but not applied: the stored setting decides
  tickAt(9, 1);
  EXPECT_EQ(fakeLinks.shiftQuestions, 0);
  EXPECT_TRUE(fakeLinks.transportCalls.empty());
  EXPECT_EQ(form->scheduler().LastCheckedMinute, 1);
}

}  // namespace
}  // namespace tarvel::autosend
