#include "host/host_options.h"

#include <QCommandLineParser>
#include <algorithm>
#include <map>

#include "host/widget_reference.h"

namespace tarvel::host {

std::optional<uint8_t> parseMode(const QString& text) {
  const QString mode = text.trimmed();
  if (mode.compare("station", Qt::CaseInsensitive) == 0) return 0;
  if (mode.compare("office", Qt::CaseInsensitive) == 0) return 1;
  bool isNumber = false;
  const uint value = mode.toUInt(&isNumber);
  if (!isNumber || value > 255) return std::nullopt;
  return static_cast<uint8_t>(value);
}

std::optional<std::pair<QString, int32_t>> parseStation(const QString& text) {
  const qsizetype equals = text.lastIndexOf('=');
  if (equals < 0) return std::nullopt;
  const QString name = text.left(equals).trimmed();
  bool isNumber = false;
  const int32_t value = text.mid(equals + 1).trimmed().toInt(&isNumber);
  if (name.isEmpty() || !isNumber) return std::nullopt;
  return std::pair{name, value};
}

namespace {

// A 32-bit decimal option value, or std::nullopt with the error set.
std::optional<int32_t> integerOption(const QString& name, const QString& text, QString& error) {
  bool isNumber = false;
  const int32_t value = text.trimmed().toInt(&isNumber);
  if (isNumber) return value;
  error = "Invalid --" + name + ": " + text;
  return std::nullopt;
}

// The step an option's value makes, or std::nullopt with the error set.
std::optional<ScriptStep> makeStep(ScriptStep::Action action, const QString& name,
                                   const QString& value, QString& error) {
  switch (action) {
    case ScriptStep::Action::Open:
    case ScriptStep::Action::Screenshot:
      return ScriptStep{action, {}, value};
    case ScriptStep::Action::Click:
      if (const auto reference = parseWidgetReference(value)) {
        return ScriptStep{action, *reference, {}};
      }
      error = "Invalid --" + name + " (NAME, NAME#N, NAME@ROW or NAME#N@ROW): " + value;
      return std::nullopt;
    case ScriptStep::Action::Type:
    case ScriptStep::Action::Expect: {
      // Keys go to the widget clicked into, never to a row of it.
      const auto widgetText = parseWidgetText(value);
      const bool typing = action == ScriptStep::Action::Type;
      if (widgetText && !(typing && widgetText->first.row)) {
        return ScriptStep{action, widgetText->first, widgetText->second};
      }
      error = "Invalid --" + name + (typing ? " (NAME[#N]=TEXT): " : " (NAME[#N][@ROW]=TEXT): ") +
              value;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

// The steps in the order their options stand on the command line: the parser keeps the values
// of each option in order and the names of all options found in order, which together give it.
bool collectSteps(const QCommandLineParser& parser,
                  const std::vector<std::pair<const QCommandLineOption*, ScriptStep::Action>>& kinds,
                  std::vector<ScriptStep>& steps, QString& error) {
  std::map<QString, qsizetype> used;
  for (const QString& name : parser.optionNames()) {
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&name](const auto& entry) {
      return entry.first->names().contains(name);
    });
    if (kind == kinds.end()) continue;
    const QStringList values = parser.values(*kind->first);
    const qsizetype position = used[name]++;
    if (position >= values.size()) continue;
    const auto step = makeStep(kind->second, name, values[position], error);
    if (!step) return false;
    steps.push_back(*step);
  }
  return true;
}

// The parser names the program as it was started (a path), or "<executable_name>" where there
// is no application; the help names it as it is installed.
QString helpNamingTheProgram(const QCommandLineParser& parser) {
  QString text = parser.helpText();
  const QString usage = "Usage: ";
  if (text.startsWith(usage)) {
    const qsizetype end = text.indexOf(" [options]");
    if (end > 0) text.replace(0, end, usage + kProgramName);
  }
  return text;
}

}  // namespace

std::vector<char*> withoutPluginOptions(int argc, char** argv, QStringList& plugin) {
  const QByteArray option = "--plugin";
  std::vector<char*> kept;
  for (int index = 0; index < argc; ++index) {
    const QByteArray argument(argv[index]);
    if (index > 0 && argument == option) {
      plugin << QString::fromLocal8Bit(argument);
      if (index + 1 < argc) plugin << QString::fromLocal8Bit(argv[++index]);
    } else if (index > 0 && argument.startsWith(option + "=")) {
      plugin << QString::fromLocal8Bit(argument);
    } else {
      kept.push_back(argv[index]);
    }
  }
  return kept;
}

ParsedHostOptions parseHostOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "The reference host: loads the Tarvel plug-in, hands it a call-back and its menu bar.\n"
      "Qt's standard options are taken too: -style NAME, -stylesheet FILE, -platform NAME, "
      "-reverse and the others.");
  const QCommandLineOption helpOption({"h", "help"}, "Show this help.");
  const QCommandLineOption modeOption("mode", "Load mode: station (0), office (1) or a number.",
                                      "station|office|N", "station");
  const QCommandLineOption rootOption("root", "Installation root (sets TARVEL_ROOT).", "DIR");
  const QCommandLineOption pluginOption(
      "plugin", "The plug-in to load (default: libtarvel.so beside the host).", "PATH");
  const QCommandLineOption screenshotOption(
      "screenshot",
      "After the last step, save every visible window as PNG into DIR, then unload and exit.",
      "DIR");
  const QCommandLineOption openOption(
      "open",
      "Click the menu item at this caption path, e.g. \"Menu/Submenu/Item\". --open, --click, "
      "--type, --expect and --screenshot-now are steps, played 0.6 s apart in the order given; "
      "while a window shows the wait cursor, a step waits unless its control takes input.",
      "PATH");
  const QCommandLineOption clickOption(
      "click",
      "Click the widget of this objectName in the top-most modal window (or any visible window) "
      "at its centre; NAME#N clicks the visible one at N (from 0) in tree order, e.g. "
      "lbAZSname#3; @ROW clicks row ROW (from 0) of a list, tree or table, e.g. lbDayTime@0.",
      "NAME[#N][@ROW]");
  const QCommandLineOption typeOption(
      "type",
      "Click into the widget, select all (Ctrl+A) and type TEXT key by key, e.g. "
      "meDayTime=0745.",
      "NAME[#N]=TEXT");
  const QCommandLineOption expectOption(
      "expect",
      "Fail the run (exit code 1) unless the widget shows TEXT: a field's or label's text, the "
      "current row of a list, tree or table, or with @ROW that row (its columns' texts joined by "
      "a blank).",
      "NAME[#N][@ROW]=TEXT");
  const QCommandLineOption screenshotNowOption(
      "screenshot-now", "Save every visible window as PNG into DIR at this step, and go on.",
      "DIR");
  const QCommandLineOption screenshotWhenOption(
      "screenshot-when",
      QString("With --screenshot: wait (up to %1 s) for a visible window of this objectName or "
              "class, e.g. TQueryForm, before taking the screenshots.")
          .arg(kScreenshotWhenWaitSeconds),
      "NAME");
  const QCommandLineOption quitAfterOption("quit-after", "Exit cleanly after SECONDS.", "SECONDS");
  const QCommandLineOption hostMenuHasLinkOption(
      "host-menu-has-link", "The host menu brings its own communication menu and settings.");
  const QCommandLineOption installationKindOption(
      "installation-kind", "Answer to Command(46): the installation kind (office mode: 3).", "N");
  const QCommandLineOption callbackVersionOption("callback-version",
                                                 "Answer to GetVersion (default 7).", "N");
  const QCommandLineOption stationOption(
      "station", "A station FindStation knows, with its value at offset 28; repeatable.",
      "NAME=VALUE");
  parser.addOptions({helpOption, modeOption, rootOption, pluginOption, screenshotOption, openOption,
                     clickOption, typeOption, expectOption, screenshotNowOption,
                     screenshotWhenOption, quitAfterOption, hostMenuHasLinkOption,
                     installationKindOption, callbackVersionOption, stationOption});

  ParsedHostOptions parsed;
  parsed.helpText = helpNamingTheProgram(parser);
  if (!parser.parse(arguments)) {
    parsed.error = parser.errorText();
    return parsed;
  }
  if (parser.isSet(helpOption)) {
    parsed.helpRequested = true;
    return parsed;
  }
  if (!parser.positionalArguments().isEmpty()) {
    parsed.error = "Unexpected argument: " + parser.positionalArguments().first();
    return parsed;
  }

  HostOptions options;
  const auto mode = parseMode(parser.value(modeOption));
  if (!mode) {
    parsed.error = "Invalid --mode: " + parser.value(modeOption);
    return parsed;
  }
  options.mode = *mode;
  if (parser.isSet(quitAfterOption)) {
    bool isNumber = false;
    const int seconds = parser.value(quitAfterOption).toInt(&isNumber);
    if (!isNumber || seconds < 0 || seconds > kMaximumQuitAfterSeconds) {
      parsed.error =
          QString("Invalid --quit-after (0 to %1 seconds): ").arg(kMaximumQuitAfterSeconds) +
          parser.value(quitAfterOption);
      return parsed;
    }
    options.quitAfterSeconds = seconds;
  }
  for (const auto& [option, target] :
       {std::pair{&installationKindOption, &options.installationKind},
        std::pair{&callbackVersionOption, &options.callbackVersion}}) {
    if (!parser.isSet(*option)) continue;
    *target = integerOption(option->names().constFirst(), parser.value(*option), parsed.error);
    if (!*target) return parsed;
  }
  for (const QString& text : parser.values(stationOption)) {
    const auto station = parseStation(text);
    if (!station) {
      parsed.error = "Invalid --station (NAME=VALUE): " + text;
      return parsed;
    }
    options.stations.push_back(*station);
  }
  if (!collectSteps(parser, {{&openOption, ScriptStep::Action::Open},
                              {&clickOption, ScriptStep::Action::Click},
                              {&typeOption, ScriptStep::Action::Type},
                              {&expectOption, ScriptStep::Action::Expect},
                              {&screenshotNowOption, ScriptStep::Action::Screenshot}},
                    options.steps, parsed.error)) {
    return parsed;
  }
  if (parser.isSet(screenshotWhenOption) &&
      (parser.value(screenshotWhenOption).trimmed().isEmpty() || !parser.isSet(screenshotOption))) {
    parsed.error = "--screenshot-when needs a window name and --screenshot";
    return parsed;
  }
  const auto valueIfSet = [&parser](const QCommandLineOption& option) -> std::optional<QString> {
    if (!parser.isSet(option)) return std::nullopt;
    return parser.value(option);
  };
  options.root = valueIfSet(rootOption);
  options.pluginPath = valueIfSet(pluginOption);
  options.screenshotFolder = valueIfSet(screenshotOption);
  options.screenshotWhen = valueIfSet(screenshotWhenOption);
  options.hostMenuHasLink = parser.isSet(hostMenuHasLinkOption);
  parsed.options = options;
  return parsed;
}

}  // namespace tarvel::host
