// The reference host's command line.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "host/widget_reference.h"

namespace tarvel::host {

// The longest --quit-after: a timer counts milliseconds in a signed 32-bit number.
inline constexpr int kMaximumQuitAfterSeconds = 2'147'483;

// How long --screenshot-when waits for its window. The office polls every 30 seconds, so a
// station scheduled for the next minute is asked about within 90 seconds.
inline constexpr int kScreenshotWhenWaitSeconds = 120;

// One step of the unattended script; the steps are played in the command line's order.
struct ScriptStep {
  enum class Action {
    Open,        // --open PATH: click the menu item at the caption path text
    Click,       // --click REFERENCE: click widget (or its row)
    Type,        // --type REFERENCE=TEXT: click into widget, select all, type text key by key
    Expect,      // --expect REFERENCE=TEXT: end the run with exit code 1 unless widget shows text
    Screenshot,  // --screenshot-now DIR: picture the visible windows into the folder text, go on
  };
  Action action = Action::Open;
  WidgetReference widget;  // of Click, Type and Expect
  QString text;            // the path, the typed or expected text, or the folder

  bool operator==(const ScriptStep&) const = default;
};

struct HostOptions {
  uint8_t mode = 0;                         // --mode station|office|N
  std::optional<QString> root;              // --root DIR: becomes TARVEL_ROOT
  std::optional<QString> pluginPath;        // --plugin PATH; default libtarvel.so beside us
  std::optional<QString> screenshotFolder;  // --screenshot DIR: after the last step, then exit
  // --open, --click, --type, --expect and --screenshot-now, in the command line's order.
  std::vector<ScriptStep> steps;
  // --screenshot-when NAME: the screenshots wait for a window of that objectName or class.
  std::optional<QString> screenshotWhen;
  std::optional<int> quitAfterSeconds;  // --quit-after SECONDS, 0 .. kMaximumQuitAfterSeconds
  bool hostMenuHasLink = false;         // --host-menu-has-link
  // The host's answers, set before Load (they stay changeable in the side panel afterwards):
  std::optional<int32_t> installationKind;  // --installation-kind N: HostCommand::InstallationKind
  std::optional<int32_t> callbackVersion;   // --callback-version N: GetVersion
  // --station NAME=VALUE, repeated: the stations FindStation knows, with the value at offset
  // 28 of each record; given at all, they replace the demo's table.
  std::vector<std::pair<QString, int32_t>> stations;
};

struct ParsedHostOptions {
  std::optional<HostOptions> options;  // absent on an error or when help was asked for
  QString error;                       // why the command line was refused
  bool helpRequested = false;
  QString helpText;
};

// The program's name in its help.
inline constexpr char kProgramName[] = "tarvel-host";

// The command line with the host's own --plugin options (--plugin PATH, --plugin=PATH) taken
// out, in their order, into plugin: Qt would read them as its -plugin. What stays goes to the
// QApplication, which takes Qt's standard options (-style, -stylesheet, -platform, ...) out of
// it. The pointers are argv's own.
std::vector<char*> withoutPluginOptions(int argc, char** argv, QStringList& plugin);

// Parses the command line that is left once Qt took its own options, program name first, with
// the --plugin options put back at the end.
ParsedHostOptions parseHostOptions(const QStringList& arguments);

// "NAME=VALUE" of --station: the name before the last "=", trimmed and not empty, and a 32-bit
// decimal value; std::nullopt otherwise.
std::optional<std::pair<QString, int32_t>> parseStation(const QString& text);

// "station" is 0, "office" 1 (either without regard to case), a number 0 to 255 is itself;
// anything else is std::nullopt.
std::optional<uint8_t> parseMode(const QString& text);

}  // namespace tarvel::host
