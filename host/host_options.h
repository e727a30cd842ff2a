// The reference host's command line.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace tarvel::host {

// The longest --quit-after: a timer counts milliseconds in a signed 32-bit number.
inline constexpr int kMaximumQuitAfterSeconds = 2'147'483;

struct HostOptions {
  uint8_t mode = 0;                         // --mode station|office|N
  std::optional<QString> root;              // --root DIR: becomes TARVEL_ROOT
  std::optional<QString> pluginPath;        // --plugin PATH; default libtarvel.so beside us
  std::optional<QString> screenshotFolder;  // --screenshot DIR
  std::optional<QString> openMenuPath;      // --open "Caption/Caption/..."
  std::optional<int> quitAfterSeconds;      // --quit-after SECONDS, 0 .. kMaximumQuitAfterSeconds
  bool hostMenuHasLink = false;             // --host-menu-has-link
};

struct ParsedHostOptions {
  std::optional<HostOptions> options;  // absent on an error or when help was asked for
  QString error;                       // why the command line was refused
  bool helpRequested = false;
  QString helpText;
};

// Parses the whole command line, program name first. Nothing here needs a QApplication, so it
// runs before one exists (the options decide the platform and the installation root).
ParsedHostOptions parseHostOptions(const QStringList& arguments);

// "station" is 0, "office" 1 (either without regard to case), a number 0 to 255 is itself;
// anything else is std::nullopt.
std::optional<uint8_t> parseMode(const QString& text);

}  // namespace tarvel::host
