// The office window as the plug-in makes it, with the fake host, a temporary installation and
// the registry it is given: what the tests of the window and those of its server share.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database_thread.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "support/fake_host.h"
#include "support/recorded_errors.h"
#include "support/temporary_installation.h"

namespace tarvel::testing {

class OfficeWindowFixture : public ::testing::Test {
 public:
  ~OfficeWindowFixture() override {
    AutoAZS.reset();  // the registry goes before the window, as at unload
    form.reset();
    // A call the window gave up ends once its server answers: nothing of the test outlives it.
    static_cast<void>(QTest::qWaitFor(
        [] { return autoquery::OfficeDatabaseThread::threadsRunning() == 0; }, 10'000));
  }

  // The plug-in's start at the office: the registry, the window given it, then the registry
  // loaded from cnf.INI.
  void startOffice() {
    AutoAZS = std::make_unique<autoquery::tAutoAZS>();
    form = std::make_unique<autoquery::TAutoZaprosOfficeForm>(*AutoAZS, &host);
    AutoAZS->LoadFromIni(installation.settingsFile());
  }
  // The stations' names in registry order.
  std::vector<std::string> registryNames() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < AutoAZS->Count(); ++i) names.push_back(AutoAZS->Items(i).AZSName);
    return names;
  }
  // The texts of the host's messages of kind 2.
  std::vector<std::string> hostErrors() const {
    return host.messageTexts(MessageKind::ErrorOrWarning);
  }

  TemporaryInstallation installation;
  FakeHost host;
  RecordedApplicationErrors applicationErrors;
  std::unique_ptr<autoquery::TAutoZaprosOfficeForm> form;
  std::unique_ptr<autoquery::tAutoAZS> AutoAZS;
};

}  // namespace tarvel::testing
