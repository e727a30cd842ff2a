#include "autoquery/tools/schedule/command_line.h"

#include <map>
#include <set>

#include "autoquery/tools/schedule/schedule_file.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery::schedule {
namespace {

// Options every command takes, and those of each command.
const std::set<QString> kGlobalOptions = {"--ini", "--at", "--json", "--help", "-h"};
const std::map<Command, std::set<QString>> kCommandOptions = {
    {Command::List, {}},
    {Command::Next, {"--hours", "--station"}},
    {Command::Collisions, {"--days", "--zoom"}},
    {Command::Check, {}},
    {Command::Chart, {"--zoom", "--forecast", "--demo"}},
};
const std::set<QString> kFlags = {"--json", "--help", "-h", "--demo"};
const std::map<QString, Command> kCommands = {{"list", Command::List},
                                              {"next", Command::Next},
                                              {"collisions", Command::Collisions},
                                              {"check", Command::Check},
                                              {"chart", Command::Chart}};

std::string bytes(const QString& text) { return platform::fromUnicode(text); }

int boundedNumber(const QString& option, const QString& value, int lowest, int highest) {
  bool isNumber = false;
  const int number = value.trimmed().toInt(&isNumber);
  if (!isNumber || number < lowest || number > highest) {
    throw ToolError(bytes(option) + ": " + text::kBadNumber + std::to_string(lowest) + text::kTo +
                    std::to_string(highest));
  }
  return number;
}

}  // namespace

ToolOptions parseToolOptions(const QStringList& arguments) {
  ToolOptions options;
  std::optional<Command> command;
  QStringList positional;
  std::map<QString, QString> values;
  for (qsizetype index = 0; index < arguments.size(); ++index) {
    QString argument = arguments[index];
    if (!argument.startsWith('-') || argument == "-") {
      if (!command && positional.isEmpty()) {
        const auto known = kCommands.find(argument);
        if (known == kCommands.end()) throw ToolError(text::kUnknownCommand + bytes(argument));
        command = known->second;
      } else {
        positional << argument;
      }
      continue;
    }
    QString value;
    const qsizetype equals = argument.indexOf('=');
    const bool inlineValue = equals > 0;
    if (inlineValue) {
      value = argument.mid(equals + 1);
      argument = argument.left(equals);
    }
    bool known = kGlobalOptions.contains(argument);
    for (const auto& [anyCommand, names] : kCommandOptions)
      known = known || names.contains(argument);
    if (!known) throw ToolError(text::kUnknownOption + bytes(argument));
    if (kFlags.contains(argument)) {
      if (inlineValue) throw ToolError(text::kExtraArgument + bytes(arguments[index]));
    } else if (!inlineValue) {
      if (index + 1 >= arguments.size()) throw ToolError(text::kMissingValue + bytes(argument));
      value = arguments[++index];
    }
    values[argument] = value;
  }
  if (values.contains("--help") || values.contains("-h")) {
    options.help = true;
    return options;
  }
  if (!command) throw ToolError(text::kNoCommand);
  options.command = *command;
  const QString commandName = [&] {
    for (const auto& [name, value] : kCommands) {
      if (value == *command) return name;
    }
    return QString();
  }();
  for (const auto& [name, value] : values) {
    if (!kGlobalOptions.contains(name) && !kCommandOptions.at(*command).contains(name)) {
      throw ToolError(bytes(name) + text::kOptionNotForCommand + bytes(commandName));
    }
  }
  if (values.contains("--ini")) options.ini = values["--ini"].toStdString();
  if (values.contains("--at")) {
    const QDateTime at = QDateTime::fromString(values["--at"].trimmed(), "yyyy-MM-dd hh:mm");
    if (!at.isValid()) throw ToolError(text::kBadMoment + bytes(values["--at"]));
    options.at = at;
  }
  options.json = values.contains("--json");
  if (values.contains("--hours"))
    options.hours = boundedNumber("--hours", values["--hours"], 1, 744);
  if (values.contains("--station")) options.station = bytes(values["--station"]);
  if (values.contains("--days")) options.days = boundedNumber("--days", values["--days"], 1, 30);
  if (values.contains("--forecast")) {
    options.days = boundedNumber("--forecast", values["--forecast"], 1, 30);
  }
  if (values.contains("--zoom")) options.zoom = boundedNumber("--zoom", values["--zoom"], 1, 5);
  options.demo = values.contains("--demo");
  if (options.command == Command::Chart) {
    if (positional.isEmpty()) throw ToolError(text::kChartNeedsFile);
    options.picture = positional.takeFirst();
  }
  if (!positional.isEmpty()) throw ToolError(text::kExtraArgument + bytes(positional.first()));
  return options;
}

QStringList chartPngArguments(const QStringList& arguments) {
  QStringList translated{"chart"};
  bool registry = false;
  for (const QString& argument : arguments) {
    if (argument == "--registry" || argument.startsWith("--registry=")) {
      registry = true;
      translated << QString(argument).replace("--registry", "--ini");
    } else {
      translated << argument;
    }
  }
  if (!registry) translated << "--demo";
  return translated;
}

}  // namespace tarvel::autoquery::schedule
