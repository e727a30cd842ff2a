// The reference host's command line.
#include "host/host_options.h"

#include <gtest/gtest.h>

namespace {

using tarvel::host::parseHostOptions;
using tarvel::host::ScriptStep;

QStringList commandLine(std::initializer_list<const char*> arguments) {
  QStringList list{"tarvel-host"};
  for (const char* argument : arguments) list << QString::fromUtf8(argument);
  return list;
}

TEST(HostOptions, ModeNamesAndNumbers) {
  const struct {
    const char* text;
    std::optional<uint8_t> expected;
  } cases[] = {
      {"station", 0}, {"Office", 1}, {"0", 0},   {"1", 1},           {"2", 2},
      {"255", 255},   {"256", {}},   {"-1", {}}, {"stationary", {}}, {"", {}},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(tarvel::host::parseMode(entry.text), entry.expected) << entry.text;
  }
}

TEST(HostOptions, DefaultsToAStationWithNothingUnattended) {
  const auto parsed = parseHostOptions(commandLine({}));
  ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
  EXPECT_EQ(parsed.options->mode, 0);
  EXPECT_FALSE(parsed.options->root);
  EXPECT_FALSE(parsed.options->pluginPath);
  EXPECT_FALSE(parsed.options->screenshotFolder);
  EXPECT_TRUE(parsed.options->steps.empty());
  EXPECT_FALSE(parsed.options->quitAfterSeconds);
  EXPECT_FALSE(parsed.options->hostMenuHasLink);
  EXPECT_FALSE(parsed.options->installationKind);
  EXPECT_FALSE(parsed.options->callbackVersion);
  EXPECT_TRUE(parsed.options->stations.empty());
}

TEST(HostOptions, TakesEveryOption) {
  const auto parsed = parseHostOptions(commandLine({"--mode",
                                                    "office",
                                                    "--root",
                                                    "/tmp/demo",
                                                    "--plugin",
                                                    "/x/libtarvel.so",
                                                    "--screenshot",
                                                    "/tmp/shots",
                                                    "--open",
                                                    "Связь/Настройки",
                                                    "--quit-after",
                                                    "5",
                                                    "--host-menu-has-link",
                                                    "--installation-kind",
                                                    "0",
                                                    "--callback-version",
                                                    "4",
                                                    "--station",
                                                    "АЗС 7=4242",
                                                    "--station",
                                                    "B=-1"}));
  ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
  const auto& options = *parsed.options;
  EXPECT_EQ(options.mode, 1);
  EXPECT_EQ(options.root, QString("/tmp/demo"));
  EXPECT_EQ(options.pluginPath, QString("/x/libtarvel.so"));
  EXPECT_EQ(options.screenshotFolder, QString("/tmp/shots"));
  EXPECT_EQ(options.steps, (std::vector<ScriptStep>{
                               {ScriptStep::Action::Open, {}, QString::fromUtf8("Связь/Настройки")}}));
  EXPECT_EQ(options.quitAfterSeconds, 5);
  EXPECT_TRUE(options.hostMenuHasLink);
  EXPECT_EQ(options.installationKind, 0);
  EXPECT_EQ(options.callbackVersion, 4);
  const std::vector<std::pair<QString, int32_t>> stations = {{QString::fromUtf8("АЗС 7"), 4242},
                                                             {"B", -1}};
  EXPECT_EQ(options.stations, stations);
}

TEST(HostOptions, RefusesWhatItCannotUse) {
  for (const auto& arguments :
       {commandLine({"--mode", "depot"}), commandLine({"--quit-after", "soon"}),
        commandLine({"--quit-after", "-2"}), commandLine({"--quit-after", "2147484"}),
        commandLine({"--quit-after", "99999999999"}), commandLine({"--unknown"}),
        commandLine({"--root"}), commandLine({"stray"}), commandLine({"--callback-version", "new"}),
        commandLine({"--installation-kind", "3.5"}), commandLine({"--station", "A"}),
        commandLine({"--click", "#2"}), commandLine({"--click", "lbAZSname#-1"}),
        commandLine({"--click", "lbAZSname#x"}), commandLine({"--click", "lbAZSname#"}),
        commandLine({"--click", "lbDayTime@-1"}), commandLine({"--type", "meDayTime"}),
        commandLine({"--type", "lbDayTime@0=0745"}),
        commandLine({"--type", "=0745"}), commandLine({"--expect", "lbDayTime@x=07:45"}),
        commandLine({"--screenshot-when", "TQueryForm"}),
        commandLine({"--screenshot", "shots", "--screenshot-when", " "})}) {
    const auto parsed = parseHostOptions(arguments);
    EXPECT_FALSE(parsed.options) << arguments.join(' ').toStdString();
    EXPECT_FALSE(parsed.error.isEmpty()) << arguments.join(' ').toStdString();
  }
}

TEST(HostOptions, StepsKeepTheCommandLinesOrderAndTheScreenshotsMayWaitForAWindow) {
  const auto parsed = parseHostOptions(commandLine(
      {"--click", "lbAZSname#3", "--screenshot", "shots", "--type", "meDayTime=07:45=x", "--click",
       "lbDayTime@1", "--screenshot-now", "mid", "--open", "Связь", "--expect", "lbAZSname#2=",
       "--click", "BitBtn1", "--screenshot-when", "TQueryForm"}));
  ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
  using Action = ScriptStep::Action;
  const std::vector<ScriptStep> steps = {
      {Action::Click, {"lbAZSname", 3, {}}, {}},
      {Action::Type, {"meDayTime", 0, {}}, "07:45=x"},
      {Action::Click, {"lbDayTime", 0, 1}, {}},
      {Action::Screenshot, {}, "mid"},
      {Action::Open, {}, QString::fromUtf8("Связь")},
      {Action::Expect, {"lbAZSname", 2, {}}, ""},
      {Action::Click, {"BitBtn1", 0, {}}, {}},
  };
  EXPECT_EQ(parsed.options->steps, steps);
  EXPECT_EQ(parsed.options->screenshotFolder, QString("shots"));
  EXPECT_EQ(parsed.options->screenshotWhen, QString("TQueryForm"));
}

TEST(HostOptions, QuitAfterUpToTheTimersLimit) {
  const auto parsed = parseHostOptions(commandLine({"--quit-after", "2147483"}));
  ASSERT_TRUE(parsed.options) << parsed.error.toStdString();
  EXPECT_EQ(parsed.options->quitAfterSeconds, 2147483);
}

TEST(HostOptions, HelpIsNoError) {
  const auto parsed = parseHostOptions(commandLine({"--help"}));
  EXPECT_TRUE(parsed.helpRequested);
  EXPECT_FALSE(parsed.options);
  EXPECT_TRUE(parsed.error.isEmpty());
  EXPECT_TRUE(parsed.helpText.contains("--screenshot"));
  EXPECT_TRUE(parsed.helpText.contains("--click"));
  EXPECT_TRUE(parsed.helpText.contains("--screenshot-when"));
  EXPECT_TRUE(parsed.helpText.contains("--screenshot-now"));
  EXPECT_TRUE(parsed.helpText.contains("--type"));
  EXPECT_TRUE(parsed.helpText.contains("--expect"));
  EXPECT_TRUE(parsed.helpText.startsWith("Usage: tarvel-host [options]"))
      << parsed.helpText.toStdString();
}

TEST(HostOptions, OnlyThePluginOptionsAreKeptFromQt) {
  const struct {
    std::vector<const char*> commandLine;
    QStringList forQt;
    QStringList plugin;
  } cases[] = {
      {{"tarvel-host", "-style", "Fusion", "--plugin", "/x/libtarvel.so", "--mode", "office"},
       {"tarvel-host", "-style", "Fusion", "--mode", "office"},
       {"--plugin", "/x/libtarvel.so"}},
      {{"tarvel-host", "--plugin=/y.so", "-plugin", "evdevmouse", "--plugin"},
       {"tarvel-host", "-plugin", "evdevmouse"},
       {"--plugin=/y.so", "--plugin"}},
  };
  for (const auto& test : cases) {
    std::vector<char*> argv;
    for (const char* argument : test.commandLine) argv.push_back(const_cast<char*>(argument));
    QStringList plugin;
    QStringList forQt;
    for (char* argument :
         tarvel::host::withoutPluginOptions(static_cast<int>(argv.size()), argv.data(), plugin)) {
      forQt << argument;
    }
    EXPECT_EQ(forQt, test.forQt);
    EXPECT_EQ(plugin, test.plugin);
  }
}

}  // namespace
