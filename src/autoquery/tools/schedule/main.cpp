// tarvel-schedule: the office's poll schedules for administrators, from a shell, a script or a
// monitoring system, without the host: list, next, collisions, check and chart (see
// command_line.h and the manual page). Called as tarvel-chart-png it is the older chart tool.
//
// Exit status: 0 done and nothing found, 1 collisions or findings, 2 an error (one line on
// stderr; under --json also {"error": "..."} on stdout). Texts for people are UTF-8, with a
// file's control characters escaped; --json writes one JSON document.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "autoquery/tools/schedule/chart_command.h"
#include "autoquery/tools/schedule/check_command.h"
#include "autoquery/tools/schedule/collisions_command.h"
#include "autoquery/tools/schedule/command_line.h"
#include "autoquery/tools/schedule/escaped_controls.h"
#include "autoquery/tools/schedule/list_command.h"
#include "autoquery/tools/schedule/next_command.h"
#include "autoquery/tools/schedule/schedule_file.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "platform/cp1251.h"

namespace {

using namespace tarvel::autoquery::schedule;

// Standard output for one command: its JSON document, or its text in UTF-8 through a buffered
// stream, so that a listing of a hundred thousand lines costs no write per line, with the control
// characters a file may hold escaped. Everything that can fail is done before the first byte
// goes out.
class Output {
 public:
  explicit Output(bool json) : json_(json) { file_.open(stdout, QIODevice::WriteOnly); }
  bool json() const { return json_; }
  void write(const QJsonObject& document) {
    file_.write(QJsonDocument(document).toJson(QJsonDocument::Indented));
  }
  QTextStream& text() { return text_; }

 private:
  bool json_;
  QFile file_;
  EscapingStandardOutput terminal_;
  QTextStream text_{&terminal_};
};

int runChart(const ToolOptions& options, const QDateTime& now, int& argc, char** argv,
             Output& output) {
  // The labels' fonts need a QGuiApplication; no display is needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const QGuiApplication application(argc, argv);
  std::unique_ptr<ScheduleFile> file;
  std::vector<std::unique_ptr<tarvel::autoquery::TAzsItem>> demo;
  std::vector<const tarvel::autoquery::TAzsItem*> items;
  if (options.demo) {
    demo = demoChain();
    for (const auto& item : demo) items.push_back(item.get());
  } else {
    file = std::make_unique<ScheduleFile>(options.ini.value_or(defaultScheduleFile()));
    items = file->items();
  }
  const QImage picture = chartPicture(items, options.zoom, options.days, now);
  writeChartPicture(picture, options.picture);
  if (output.json()) {
    output.write(chartJson(options.picture, picture, items.size()));
  } else {
    output.text() << chartText(options.picture, picture, items.size());
  }
  return 0;
}

// Runs the command; its exit status.
int run(const ToolOptions& options, int& argc, char** argv, Output& output) {
  const QDateTime now = options.at.value_or(QDateTime::currentDateTime());
  if (options.command == Command::Chart) return runChart(options, now, argc, argv, output);
  const ScheduleFile file(options.ini.value_or(defaultScheduleFile()));
  switch (options.command) {
    case Command::List:
      if (output.json()) {
        output.write(listJson(file.registry));
      } else {
        writeListText(output.text(), file.registry);
      }
      return 0;
    case Command::Next: {
      const auto polls = upcomingPolls(file.registry, now, options.hours, options.station);
      if (output.json()) {
        output.write(upcomingPollsJson(file.registry, polls, now, options.hours));
      } else {
        writeUpcomingPollsText(output.text(), file.registry, polls, options.hours);
      }
      return 0;
    }
    case Command::Collisions: {
      const auto items = file.items();
      const SessionCollisions found(items, options.zoom, options.days, now);
      if (output.json()) {
        output.write(collisionsJson(found, items, options.zoom, options.days, now));
      } else {
        writeCollisionsText(output.text(), found, items, options.zoom, options.days);
      }
      return found.collisions().empty() ? 0 : 1;
    }
    case Command::Check: {
      const auto findings = checkSchedule(file.ini, file.registry);
      if (output.json()) {
        output.write(findingsJson(findings));
      } else {
        output.text() << findingsText(findings);
      }
      return findings.empty() ? 0 : 1;
    }
    case Command::Chart:
      break;
  }
  return 0;
}

void write(std::FILE* stream, const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int index = 1; index < argc; ++index) arguments << QString::fromLocal8Bit(argv[index]);
  const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
  if (program == "tarvel-chart-png") arguments = chartPngArguments(arguments);
  // Known before the command line is understood, so that its own errors come as JSON too.
  bool json = arguments.contains("--json");
  std::string message;
  try {
    const ToolOptions options = parseToolOptions(arguments);
    json = options.json;
    if (options.help) {
      write(stdout, tarvel::platform::toUnicode(text::kUsage).toUtf8() + '\n');
      return 0;
    }
    Output output(options.json);
    return run(options, argc, argv, output);
  } catch (const std::bad_alloc&) {
    message = text::kOutOfMemory;
  } catch (const std::exception& error) {
    // Every message of ours and of the plug-in's libraries is Windows-1251 and Russian.
    message = error.what();
  }
  const QString line = tarvel::platform::toUnicode(message).simplified();
  if (json) {
    write(stdout, QJsonDocument(QJsonObject{{"error", line}}).toJson(QJsonDocument::Indented));
  }
  write(stderr, escapedControls(("tarvel-schedule: " + line + '\n').toUtf8()));
  return 2;
}
