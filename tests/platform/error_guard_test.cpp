#include "platform/ui/error_guard.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <QtTest/QSignalSpy>
#include <stdexcept>
#include <vector>

#include "support/scripted_dialogs.h"

namespace tarvel::platform {
namespace {

class ErrorGuard : public ::testing::Test {
 protected:
  void SetUp() override {
    setApplicationErrorHandler([this](const std::string& message) { reported.push_back(message); });
  }
  void TearDown() override { setApplicationErrorHandler({}); }
  std::vector<std::string> reported;
};

TEST_F(ErrorGuard, HandsWhatIsThrownToTheApplicationHandler) {
  guarded([] { throw std::runtime_error("\xce\xf8\xe8\xe1\xea\xe0"); });  // "Ошибка"
  guarded([] { throw 42; });
  guarded([] {});
  EXPECT_EQ(reported,
            (std::vector<std::string>{
                "\xce\xf8\xe8\xe1\xea\xe0",
                "\xcd\xe5\xe8\xe7\xe2\xe5\xf1\xf2\xed\xe0\xff \xee\xf8\xe8\xe1\xea\xe0"}));
}

TEST_F(ErrorGuard, GuardedHandlersPassSignalArgumentsOn) {
  int received = 0;
  auto handler = guardedHandler([&](int value) {
    received = value;
    if (value < 0) throw std::invalid_argument("negative");
  });
  handler(5);
  handler(-1);
  EXPECT_EQ(received, -1);
  EXPECT_EQ(reported, std::vector<std::string>{"negative"});
}

TEST_F(ErrorGuard, TimerTicksThatThrowDoNotReachTheEventLoop) {
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout,
                   guardedHandler([] { throw std::runtime_error("tick failed"); }));
  QSignalSpy fired(&timer, &QTimer::timeout);
  timer.start(0);
  ASSERT_TRUE(fired.wait(1000));
  EXPECT_EQ(reported, std::vector<std::string>{"tick failed"});
}

TEST(ErrorGuardDefault, ShowsTheMessageToTheOperator) {
  testing::ScriptedDialogs dialogs;
  setApplicationErrorHandler({});
  guarded([] { throw std::runtime_error("disk full"); });
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, "message");
  EXPECT_EQ(dialogs.asked[0].text, "disk full");
}

}  // namespace
}  // namespace tarvel::platform
