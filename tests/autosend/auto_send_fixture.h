// A TAutoSendForm on a fresh installation, with the clock, the operator's answers, the host's
// shift number and the transports in the test's hands.
#pragma once

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "autosend/ui/auto_send_form.h"
#include "platform/clock.h"
#include "platform/ui/error_guard.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_installation.h"

namespace tarvel::autosend {

// Records what the scheduler asked of the host and the transports.
struct FakeLinks {
  HostVariant shiftAnswer = HostVariant::fromInteger(0);
  int shiftQuestions = 0;
  std::vector<int32_t> transportCalls;
  std::function<void()> whileTransportRuns;

  AutoSendLinks links() {
    return {[this] {
              ++shiftQuestions;
              return shiftAnswer;
            },
            [this](int32_t viaSend) {
              transportCalls.push_back(viaSend);
              if (whileTransportRuns) whileTransportRuns();
            }};
  }
};

class AutoSendTest : public ::testing::Test {
 protected:
  ~AutoSendTest() override {
    form.reset();
    platform::setClockForTests(std::nullopt);
  }

  // Makes the form from the settings as they are now.
  TAutoSendForm& makeForm() {
    form = std::make_unique<TAutoSendForm>(inet, fakeLinks.links());
    return *form;
  }

  static void setClock(int hour, int minute, int second = 0, int day = 5) {
    platform::setClockForTests(platform::encodeDateTime(2007, 3, day, hour, minute, second));
  }

  testing::TemporaryInstallation installation;
  testing::ScriptedDialogs dialogs;
  settings::InetSettings inet;
  FakeLinks fakeLinks;
  testing::RecordedApplicationErrors reportedErrors;
  std::unique_ptr<TAutoSendForm> form;
};

}  // namespace tarvel::autosend
