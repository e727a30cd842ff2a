// The unattended script of the command line: each step's outcome decides how the run ends.
#include "host/unattended_script.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

#include "host/host_window.h"
#include "support/temporary_installation.h"

namespace {

using tarvel::host::HostOptions;
using tarvel::host::HostWindow;
using tarvel::host::ScriptStep;
using tarvel::host::UnattendedScript;
using Action = ScriptStep::Action;

// A list of times and a masked time field, the kind of window the script checks: a click on a
// line copies it into the field, typing changes the field.
struct TimesWindow : QWidget {
  QListWidget* times = new QListWidget(this);
  QLineEdit* field = new QLineEdit(this);

  TimesWindow() {
    setObjectName("TimesWindow");
    times->setObjectName("times");
    field->setObjectName("field");
    times->addItems({"07:30", "18:05"});
    field->setInputMask("99:99; ");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(times);
    layout->addWidget(field);
    connect(times, &QListWidget::currentTextChanged, field, &QLineEdit::setText);
  }
};

TEST(UnattendedScript, EndsTheRunWithTheOutcomeOfItsSteps) {
  tarvel::testing::TemporaryInstallation scratch;
  const QString folder = QString::fromStdString((scratch.root() / "shots").string());
  const QString early = QString::fromStdString((scratch.root() / "early").string());
  struct Case {
    const char* name;
    std::vector<ScriptStep> steps;
    bool finalPictures;
    int exitCode;
    bool pictured;
  } cases[] = {
      {"an --open path that names no item", {{Action::Open, {}, "Нет/Такого"}},
       false, 1, false},
      {"a --click that finds no visible widget", {{Action::Click, {"nothing", 9, {}}, {}}},
       false, 1, false},
      {"a --click on a row the list does not have",
       {{Action::Click, {"times", 0, 2}, {}}}, false, 1, false},
      {"--screenshot", {}, true, 0, true},
      {"a row clicked, a time typed, and what they show",
       {{Action::Click, {"times", 0, 1}, {}},
        {Action::Expect, {"field", 0, {}}, "18:05"},
        {Action::Type, {"field", 0, {}}, "0745"},
        {Action::Expect, {"field", 0, {}}, "07:45"},
        {Action::Expect, {"times", 0, {}}, "18:05"},
        {Action::Expect, {"times", 0, 0}, "07:30"}},
       true, 0, true},
      {"an --expect that finds another text, before a picture is taken",
       {{Action::Expect, {"times", 0, 0}, "18:05"},
        {Action::Screenshot, {}, early}},
       true, 1, false},
      {"--screenshot-now, and the run goes on", {{Action::Screenshot, {}, early}},
       false, 0, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    QDir(folder).removeRecursively();
    QDir(early).removeRecursively();
    HostOptions options;
    options.steps = test.steps;
    if (test.finalPictures) options.screenshotFolder = folder;
    // Without final pictures the run ends when its time is up, unless a step ends it first.
    if (!test.finalPictures) options.quitAfterSeconds = 2;
    HostWindow window(0, false);
    window.show();
    TimesWindow times;
    times.show();
    int shutdownRequests = 0;
    UnattendedScript script(options, window, [&] { ++shutdownRequests; });
    script.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shutdownRequests > 0; }, 10'000));
    EXPECT_EQ(script.exitCode(), test.exitCode);
    EXPECT_EQ(QDir(folder).entryList({"*.png"}).contains("HostWindow.png"), test.pictured);
    const bool takenEarly = std::any_of(test.steps.begin(), test.steps.end(), [](const auto& step) {
      return step.action == Action::Screenshot;
    });
    EXPECT_EQ(QDir(early).entryList({"*.png"}).contains("TimesWindow.png"),
              takenEarly && test.exitCode == 0);
  }
}

}  // namespace
