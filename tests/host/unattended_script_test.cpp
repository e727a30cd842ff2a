// The unattended script of the command line: each step's outcome decides how the run ends.
#include "host/unattended_script.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <functional>

#include "host/host_window.h"
#include "support/temporary_installation.h"

namespace {

using tarvel::host::HostOptions;
using tarvel::host::HostWindow;
using tarvel::host::UnattendedScript;

TEST(UnattendedScript, EndsTheRunWithTheOutcomeOfItsSteps) {
  tarvel::testing::TemporaryInstallation scratch;
  const QString folder = QString::fromStdString((scratch.root() / "shots").string());
  struct Case {
    const char* name;
    std::function<void(HostOptions&)> arrange;
    int exitCode;
    bool pictured;
  } cases[] = {
      {"an --open path that names no item", [](HostOptions& o) { o.openMenuPath = "Нет/Такого"; },
       1, false},
      {"a --click that finds no visible widget", [](HostOptions& o) { o.clicks = {"nothing#9"}; },
       1, false},
      {"--screenshot", [&](HostOptions& o) { o.screenshotFolder = folder; }, 0, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    HostOptions options;
    test.arrange(options);
    HostWindow window(0, false);
    window.show();
    int shutdownRequests = 0;
    UnattendedScript script(options, window, [&] { ++shutdownRequests; });
    script.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shutdownRequests > 0; }, 5'000));
    EXPECT_EQ(script.exitCode(), test.exitCode);
    EXPECT_EQ(QDir(folder).entryList({"*.png"}).contains("HostWindow.png"), test.pictured);
  }
}

}  // namespace
