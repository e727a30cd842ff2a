// The command line of tarvel-schedule:
//   tarvel-schedule [--ini FILE] [--at "yyyy-MM-dd hh:mm"] [--json] COMMAND [options]
// Options may stand before or after the command; each command takes only its own.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace tarvel::autoquery::schedule {

enum class Command { List, Next, Collisions, Check, Chart };

struct ToolOptions {
  Command command = Command::List;
  std::optional<std::filesystem::path> ini;  // --ini; default the installation's cnf.INI
  std::optional<QDateTime> at;               // --at: the clock; default now
  bool json = false;
  bool help = false;
  int hours = 24;                      // next --hours, 1 .. 744
  std::optional<std::string> station;  // next --station, Windows-1251
  int days = 7;                        // collisions --days, chart --forecast: 1 .. 30
  int zoom = 2;                        // collisions, chart --zoom: 1 .. 5
  QString picture;                     // chart FILE.png
  bool demo = false;                   // chart: the built-in demo chain (tarvel-chart-png)
};

// The options, or throws ToolError (Windows-1251) for a command line that says something
// else. arguments exclude the program's name.
ToolOptions parseToolOptions(const QStringList& arguments);

// tarvel-chart-png FILE [--zoom Z] [--forecast D] [--at ...] [--registry cnf.INI] in terms of
// this command: chart FILE, --registry becoming --ini, the demo chain when it is not given.
QStringList chartPngArguments(const QStringList& arguments);

}  // namespace tarvel::autoquery::schedule
