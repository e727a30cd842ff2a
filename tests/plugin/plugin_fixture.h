// A loaded-plug-in test: a fresh installation, a fake host, scripted operator dialogs and a
// recording error handler; UnLoad runs at the end when the test has not run it.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "platform/library_loader.h"
#include "plugin/ui/lifecycle.h"
#include "support/fake_host.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_installation.h"

namespace tarvel::testing {

class PluginTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (loaded_) plugin::unload();
    for (const char* variable : {"TARVEL_FAIL_LOAD", "TARVEL_FAIL_UNLOAD", "TARVEL_FAIL_SEND"}) {
      unsetenv(variable);
    }
    platform::setProgramFolderForTests(std::nullopt);
  }

  int32_t load(uint8_t mode, intptr_t hostContext = 4321) {
    loaded_ = true;
    return plugin::load(hostContext, mode, &host);
  }

  int32_t unload() {
    loaded_ = false;
    return plugin::unload();
  }

  // The stand-in siblings' call log, one entry per line, without the "finished" lines.
  std::vector<std::string> siblingCalls() const {
    std::istringstream log(
        TemporaryInstallation::readFile(installation.root() / "FSYS" / "Siblings.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find(" finished") == std::string::npos) lines.push_back(line);
    }
    return lines;
  }

  TemporaryInstallation installation;
  FakeHost host;
  ScriptedDialogs dialogs;
  RecordedApplicationErrors applicationErrors;

 private:
  bool loaded_ = false;
};

}  // namespace tarvel::testing
