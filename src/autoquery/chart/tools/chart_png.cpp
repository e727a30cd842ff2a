// tarvel-chart-png: writes the schedule time-line chart as a PNG file, for a look at the chart
// without the office window. It draws a built-in demo registry (daily, weekday, disabled,
// month-date and overlapping stations) or the schedules of a cnf.INI file.
//
//   tarvel-chart-png chart.png [--zoom 1..5] [--forecast 1..30] [--at "yyyy-MM-dd hh:mm"]
//                    [--registry path/to/cnf.INI]
#include <QCommandLineParser>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <vector>

#include "autoquery/chart/draw_timeline.h"
#include "autoquery/core/auto_azs.h"
#include "platform/cp1251.h"
#include "platform/cp1251_literal.h"

namespace {

using tarvel::autoquery::ScheduleKind;
using tarvel::autoquery::TAzsItem;
using tarvel::platform::operator""_cp1251;

// The window's button face on the system the chart was designed for.
constexpr QRgb kDemoButtonFace = 0xFFF0F0F0;

std::unique_ptr<TAzsItem> demoItem(const char* name, bool enable, int kind,
                                   std::vector<tarvel::autoquery::ConnectionPoint> times) {
  auto item = std::make_unique<TAzsItem>();
  item->AZSName = name;
  item->Enable = enable;
  item->ConnTimeTipe = kind;
  if (kind != ScheduleKind::MonthDates) item->CP = std::move(times);
  return item;
}

std::vector<std::unique_ptr<TAzsItem>> demoRegistry() {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(
      demoItem(u8"АЗС №1 Центральная"_cp1251, true, ScheduleKind::Daily, {"08:00", "20:30"}));
  items.push_back(demoItem(u8"АЗС №2 Северная"_cp1251, true, ScheduleKind::Daily, {"08:20"}));
  items.push_back(demoItem(u8"АЗС №3 Южная"_cp1251, true, ScheduleKind::Weekdays,
                           {"09:00", "", "", "14:00", "", "", ""}));
  items.push_back(demoItem(u8"АЗС №4 Речная"_cp1251, false, ScheduleKind::Daily, {"12:00"}));
  items.push_back(
      demoItem(u8"АЗС №5 Трасса"_cp1251, true, ScheduleKind::Daily, {"23:30", "02:00", "02:20"}));
  items.push_back(demoItem(u8"АЗС №6 Озёрная"_cp1251, true, ScheduleKind::MonthDates, {}));
  items.push_back(
      demoItem(u8"АЗС №7 Полевая"_cp1251, true, ScheduleKind::Daily, {"20:00", "02:10"}));
  return items;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "tarvel-chart-png: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription("Writes the office's schedule time-line chart as a PNG file.");
  parser.addHelpOption();
  parser.addPositionalArgument("output", "The PNG file to write.");
  parser.addOption({"zoom", "Scale 1 .. 5 (the window's \"Масштаб\").", "Z", "2"});
  parser.addOption({"forecast", "Forecast days 1 .. 30 (the window's \"Прогноз\").", "days", "7"});
  parser.addOption({"at", "The present moment, \"yyyy-MM-dd hh:mm\" (default: now).", "moment"});
  parser.addOption({"registry", "Draw the schedules of this cnf.INI instead of the demo.", "file"});
  parser.process(application);
  if (parser.positionalArguments().size() != 1) return fail("give one output file; see --help");

  try {
    tarvel::platform::DateTime now = tarvel::platform::now();
    if (parser.isSet("at")) {
      const QDateTime at = QDateTime::fromString(parser.value("at"), "yyyy-MM-dd hh:mm");
      if (!at.isValid()) return fail("--at wants \"yyyy-MM-dd hh:mm\"");
      now = tarvel::platform::encodeDateTime(at.date().year(), at.date().month(), at.date().day(),
                                             at.time().hour(), at.time().minute());
    }
    tarvel::autoquery::tAutoAZS registry;
    std::vector<std::unique_ptr<TAzsItem>> demo;
    std::vector<const TAzsItem*> items;
    if (parser.isSet("registry")) {
      registry.LoadFromIni(parser.value("registry").toStdString());
      for (int32_t i = 0; i < registry.Count(); ++i) items.push_back(&registry.Items(i));
    } else {
      demo = demoRegistry();
      for (const auto& item : demo) items.push_back(item.get());
    }
    QImage picture;
    tarvel::autoquery::chart::drawTimelineAt(items, picture, parser.value("zoom").toInt(),
                                             parser.value("forecast").toInt() + 1, kDemoButtonFace,
                                             now);
    const QString output = parser.positionalArguments().front();
    if (!picture.save(output, "PNG")) return fail("cannot write " + output.toStdString());
    std::printf("%s: %d x %d, %zu stations\n", output.toLocal8Bit().constData(), picture.width(),
                picture.height(), items.size());
    return 0;
  } catch (const std::exception& error) {
    return fail(tarvel::platform::toUnicode(error.what()).toStdString());
  }
}
