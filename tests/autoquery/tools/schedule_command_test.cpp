// tarvel-schedule as an administrator runs it: the built program on schedule files written here,
// its answers compared with the polling engine and the chart it stands for.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <random>
#include <set>
#include <tuple>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/chart_geometry.h"
#include "autoquery/core/poll_due.h"
#include "autoquery/core/polling_engine.h"
#include "autoquery/core/schedule_builder.h"
#include "autoquery/core/time_text.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/cp1251.h"
#include "platform/cp1251_literal.h"
#include "support/fake_host.h"

namespace tarvel::autoquery::schedule {
namespace {

using platform::operator""_cp1251;
using tarvel::testing::addSchedule;
using tarvel::testing::Schedule;

struct CommandRun {
  int exitStatus = -1;
  QString out;
  QString err;
  QJsonObject json() const {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
  }
};

CommandRun runCommand(const QStringList& arguments,
                      const QString& program = TARVEL_SCHEDULE_COMMAND) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(60'000));
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

const std::string kFirst = u8"АЗС №1 Центральная"_cp1251;
const std::string kSecond = u8"АЗС №2 Вокзальная"_cp1251;
const std::string kThird = u8"АЗС №3 Заречье"_cp1251;
const std::string kFourth = u8"АЗС №4 Северная"_cp1251;
const std::string kFifth = u8"АЗС №5 Трасса"_cp1251;

class ScheduleCommandTest : public ::testing::Test {
 protected:
  ~ScheduleCommandTest() override { platform::setClockForTests(std::nullopt); }

  // A cnf.INI written by the plug-in's own registry.
  QString savedFile(const std::vector<Schedule>& schedules) {
    tAutoAZS registry;
    for (const Schedule& schedule : schedules) addSchedule(registry, schedule);
    registry.SaveToIni(path().toStdString());
    return path();
  }
  // A cnf.INI exactly as given (Windows-1251 bytes).
  QString writtenFile(const std::string& bytes) {
    std::ofstream(path().toStdString(), std::ios::binary) << bytes;
    return path();
  }
  QString path() const { return folder.filePath("cnf.INI"); }

  QTemporaryDir folder;
};

// A chain with every way of being due or not: twice in a minute, weekdays, switched off, dates of
// the month, direct IP with and without the operator asked.
std::vector<Schedule> mixedChain() {
  return {
      {.AZSName = kFirst, .HasUserQuery = true, .ConnType = 3, .CP = {"23:58", "00:01", "23:58"}},
      {.AZSName = kSecond, .ConnType = 1, .CP = {"00:00", "23:59"}},
      {.AZSName = kThird,
       .ConnType = 2,
       .ConnTimeTipe = ScheduleKind::Weekdays,
       .CP = {"00:02", "", "", "", "", "", "23:57"}},
      {.AZSName = kFourth, .Enable = false, .CP = {"23:58"}},
      {.AZSName = kFifth, .ConnType = 3, .ConnTimeTipe = ScheduleKind::MonthDates, .CP = {}},
  };
}

TEST_F(ScheduleCommandTest, NextGivesThePollsTheEngineMakesThroughTheSameMinutes) {
  const QString file = savedFile(mixedChain());
  // Sunday 2 March 2025 23:55 to Monday 00:05: the weekday slots of both days are in reach.
  const CommandRun run =
      runCommand({"--ini", file, "--at", "2025-03-02 23:55", "--json", "next", "--hours", "1"});
  ASSERT_EQ(run.exitStatus, 0) << run.err.toStdString();
  std::vector<std::tuple<QString, QString, QString>> listed;
  for (const QJsonValue poll : run.json()["polls"].toArray()) {
    listed.emplace_back(poll["time"].toString(), poll["name"].toString(), poll["route"].toString());
  }

  tAutoAZS registry;
  registry.LoadFromIni(file.toStdString());
  tarvel::testing::FakeHost host;
  host.stations[kFirst] = HostStationRecord{};
  std::recursive_mutex timerLock;
  PollingEngine::Links links;
  links.registry = &registry;
  links.host = &host;
  links.autoSendInetFromOffice = [&](const std::string& name, int32_t, HostVariant&) {
    host.calls.push_back("AutoSendInetFromOffice(" + name + ",");
  };
  PollingEngine engine(links, timerLock);
  std::vector<std::tuple<QString, QString, QString>> polled;
  // The engine's ticks come every 30 seconds; the first, a minute early, only sets its minute.
  for (int tick = -2; tick < 120; ++tick) {
    const QDateTime moment = QDateTime(QDate(2025, 3, 2), QTime(23, 55)).addSecs(tick * 30);
    host.calls.clear();
    platform::setClockForTests(platform::encodeDateTime(
        moment.date().year(), moment.date().month(), moment.date().day(), moment.time().hour(),
        moment.time().minute(), moment.time().second()));
    engine.tick();
    if (tick < 0) continue;
    for (const std::string& call : host.calls) {
      for (const auto& [prefix, route] : {std::pair{"StartExchange(", "host"},
                                          std::pair{"AutoSendInetFromOffice(", "ipTransport"}}) {
        if (call.starts_with(prefix)) {
          const std::string rest = call.substr(std::string(prefix).size());
          polled.emplace_back(moment.toString("yyyy-MM-ddThh:mm"),
                              platform::toUnicode(rest.substr(0, rest.find(','))), route);
        }
      }
    }
  }
  EXPECT_EQ(listed, polled);
  // The chain polls at all, and its time listed twice twice; not a copy of the rule.
  EXPECT_EQ(listed.size(), 7u);
  EXPECT_EQ(std::ranges::count(listed, std::tuple{QString("2025-03-02T23:58"), unicode(kFirst),
                                                  QString("ipTransport")}),
            2);
}

// Rows of cells as the tables were always laid out: each cell but the last padded to its
// column's widest cell and two blanks, the line trimmed.
QStringList alignedLines(const QList<QStringList>& rows) {
  QList<qsizetype> widths;
  for (const QStringList& row : rows) {
    for (qsizetype column = 0; column < row.size(); ++column) {
      if (widths.size() <= column) widths << 0;
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  QStringList lines;
  for (const QStringList& row : rows) {
    QString line;
    for (qsizetype column = 0; column < row.size(); ++column) {
      line += column + 1 < row.size() ? row[column].leftJustified(widths[column] + 2) : row[column];
    }
    lines << line.trimmed();
  }
  return lines;
}

// Every way of coming due and of not: a time twice, missing times read as midnight, times the
// clock never shows, weekdays (one beyond Sunday), switched off, dates of the month, an unknown
// kind, and a time past a day's end that the chart draws into the next day.
std::vector<Schedule> variedChain() {
  std::vector<Schedule> chain = mixedChain();
  chain[0].CP = {"23:58", "00:01", "23:58", std::nullopt, "12:00", std::nullopt};
  chain[1].CP = {"00:00", "23:59", "08.00", "24:00", "26:10"};
  chain.push_back({.AZSName = u8"АЗС №6 Озёрная"_cp1251,
                   .ConnTimeTipe = ScheduleKind::Weekdays,
                   .CP = {"00:00", "", "12:00", "", "", "", "", "09:00"}});
  chain.push_back({.AZSName = u8"АЗС №7 Полевая"_cp1251, .ConnTimeTipe = 5, .CP = {"12:00"}});
  chain.push_back({.AZSName = kFirst, .ConnType = 2, .CP = {"23:58", "12:00"}});
  return chain;
}

TEST_F(ScheduleCommandTest, NextListsWhatTheRuleGivesMinuteByMinuteLineForLine) {
  const QString file = savedFile(variedChain());
  tAutoAZS registry;
  registry.LoadFromIni(file.toStdString());
  const QDateTime from(QDate(2025, 3, 2), QTime(23, 55));  // a Sunday
  const int hours = 200;
  const std::optional<std::string> stations[] = {std::nullopt,
                                                 std::string(u8"азс №1 центральная"_cp1251)};
  for (const std::optional<std::string>& station : stations) {
    SCOPED_TRACE(station ? "one station" : "all stations");
    QList<QStringList> rows{unicode(text::kNextHeader).split('\t')};
    for (int offset = 0; offset < hours * 60; ++offset) {
      const QDateTime minute = from.addSecs(offset * 60);
      const platform::DateTime moment =
          platform::encodeDateTime(minute.date().year(), minute.date().month(), minute.date().day(),
                                   minute.time().hour(), minute.time().minute());
      for (const DuePoll& poll : duePolls(registry, moment)) {
        if (station && !platform::equalsIgnoringCase(poll.AZSName, *station)) continue;
        const bool transport = queryRoute(poll.ConnType, true, kTransportQueryMinimumVersion) ==
                               QueryRoute::IpTransport;
        rows << QStringList{momentText(minute), unicode(poll.AZSName),
                            unicode(poll.HasUserQuery ? text::kAsks : text::kDoesNotAsk),
                            connectionCaption(poll.ConnType),
                            unicode(transport ? text::kViaTransport : text::kViaHost)};
      }
    }
    QStringList arguments{
        "--ini", file, "--at", "2025-03-02 23:55", "next", "--hours", QString::number(hours)};
    if (station) arguments << "--station" << platform::toUnicode(*station);
    const CommandRun run = runCommand(arguments);
    ASSERT_EQ(run.exitStatus, 0) << run.err.toStdString();
    EXPECT_GT(rows.size(), station ? 40 : 70);  // the chain polls at all, often
    EXPECT_EQ(run.out.split('\n'), alignedLines(rows) << "");
  }
}

// The starts of the boxes of an item's times, as the chart reads and places them, that reach
// into the columns [first, end) of a chart of the geometry drawn at now.
QStringList sessionsReaching(const TAzsItem& item, const chart::ChartGeometry& geometry,
                             const QDateTime& now, int first, int end) {
  std::vector<QDateTime> starts;
  if (!item.Enable || !item.CP) return {};
  for (int day = 0; day <= geometry.span + 1; ++day) {
    const int weekday = now.date().addDays(day).dayOfWeek();
    for (std::size_t slot = 0; slot < item.CP->size(); ++slot) {
      const ConnectionPoint& point = (*item.CP)[slot];
      const bool drawn =
          item.ConnTimeTipe == ScheduleKind::Daily
              ? point.has_value()
              : slot + 1 == static_cast<std::size_t>(weekday) && point && point->size() >= 4;
      const std::optional<TimeText> time = drawn ? readTimeText(*point) : std::nullopt;
      if (!time) continue;
      const int box = geometry.X(day) + geometry.v(time->hours, time->minutes);
      if (box < end && box + geometry.w > first) {
        starts.push_back(QDateTime(now.date().addDays(day), QTime(0, 0))
                             .addSecs((time->hours * 60 + time->minutes) * 60));
      }
    }
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  QStringList texts;
  for (const QDateTime& start : starts) texts << momentJson(start);
  return texts;
}

TEST_F(ScheduleCommandTest, CollisionsNameEachStationsSessionsReachingIntoTheStretch) {
  const QString file = savedFile(variedChain());
  tAutoAZS registry;
  registry.LoadFromIni(file.toStdString());
  const QDateTime now(QDate(2026, 12, 7), QTime(7, 31));
  for (const auto& [zoom, days] : {std::pair{1, 1}, std::pair{2, 9}, std::pair{5, 3}}) {
    SCOPED_TRACE(::testing::Message() << "zoom " << zoom << ", days " << days);
    const QStringList common{"--ini",
                             file,
                             "--at",
                             "2026-12-07 07:31",
                             "collisions",
                             "--zoom",
                             QString::number(zoom),
                             "--days",
                             QString::number(days)};
    const QJsonArray collisions =
        runCommand(common + QStringList{"--json"}).json()["collisions"].toArray();
    ASSERT_FALSE(collisions.isEmpty());
    const auto geometry = chart::ChartGeometry::make(zoom, days + 1, registry.Count(),
                                                     now.time().msecsSinceStartOfDay());
    QList<QStringList> rows;
    for (const QJsonValue collision : collisions) {
      const QDateTime start = QDateTime::fromString(collision["start"].toString(), Qt::ISODate);
      const QDateTime end = QDateTime::fromString(collision["end"].toString(), Qt::ISODate);
      const bool oneDay = start.date() == end.date();
      QStringList stations;
      for (const QJsonValue station : collision["stations"].toArray()) {
        const TAzsItem& item = registry.Items(station["index"].toInt());
        const QStringList expected = sessionsReaching(
            item, geometry, now, collision["firstColumn"].toInt(), collision["endColumn"].toInt());
        QStringList listed;
        for (const QJsonValue session : station["sessions"].toArray()) listed << session.toString();
        EXPECT_EQ(listed, expected) << unicode(item.AZSName).toStdString();
        QStringList times;
        for (const QString& session : expected) {
          times << QDateTime::fromString(session, Qt::ISODate)
                       .toString(oneDay ? "hh:mm" : "dd.MM hh:mm");
        }
        stations << unicode(item.AZSName) + " (" + times.join(", ") + ")";
      }
      rows << QStringList{
          momentText(start) + " - " + (oneDay ? end.toString("hh:mm") : momentText(end)),
          stations.join("; ")};
    }
    const QStringList lines = runCommand(common).out.split('\n');
    ASSERT_EQ(lines.size(), rows.size() + 2);
    EXPECT_EQ(lines.mid(1), alignedLines(rows) << "");
  }
}

// The chart's red columns: where a row's box pixels show overlap red.
std::map<int, std::set<int>> redRowsByColumn(const QImage& picture, int rowCount) {
  std::map<int, std::set<int>> red;
  for (int x = 0; x < picture.width(); ++x) {
    for (int row = 0; row < rowCount; ++row) {
      for (int y = 40 * row + 16; y <= 40 * row + 28; ++y) {
        if (picture.pixel(x, y) == chart::colour::kOverlapRed) red[x].insert(row);
      }
    }
  }
  return red;
}

TEST_F(ScheduleCommandTest, CollisionsAreTheChartsRedColumnsAtTheSameZoomAndDays) {
  const QString file = savedFile({
      {.AZSName = kFirst, .CP = {"08:00", "20:30"}},
      {.AZSName = kSecond, .CP = {"08:20"}},
      {.AZSName = kThird,
       .ConnTimeTipe = ScheduleKind::Weekdays,
       .CP = {"20:00", "", "", "08:40", "", "", ""}},
      {.AZSName = kFourth, .Enable = false, .CP = {"08:00"}},
      {.AZSName = kFifth, .CP = {"23:30", "00:10"}},
  });
  for (const auto& [zoom, days] : {std::pair{1, 1}, std::pair{2, 7}, std::pair{5, 3}}) {
    SCOPED_TRACE(::testing::Message() << "zoom " << zoom << ", days " << days);
    const QStringList common{"--ini", file, "--at", "2026-12-07 07:31"};
    const QString picture = folder.filePath("chart.png");
    ASSERT_EQ(runCommand(common + QStringList{"chart", picture, "--zoom", QString::number(zoom),
                                              "--forecast", QString::number(days)})
                  .exitStatus,
              0);
    const CommandRun run =
        runCommand(common + QStringList{"--json", "collisions", "--zoom", QString::number(zoom),
                                        "--days", QString::number(days)});
    const std::map<int, std::set<int>> red = redRowsByColumn(QImage(picture), 5);
    std::map<int, std::set<int>> listed;
    for (const QJsonValue collision : run.json()["collisions"].toArray()) {
      std::set<int> rows;
      for (const QJsonValue station : collision["stations"].toArray()) {
        rows.insert(station["index"].toInt());
      }
      for (int x = collision["firstColumn"].toInt(); x < collision["endColumn"].toInt(); ++x) {
        listed[x] = rows;
      }
    }
    EXPECT_FALSE(red.empty());
    EXPECT_EQ(run.exitStatus, 1);
    // Each column's own rows are a subset of its stretch's; together they are the same.
    std::set<int> redColumns, listedColumns;
    for (const auto& [x, rows] : red) {
      redColumns.insert(x);
      EXPECT_TRUE(std::includes(listed[x].begin(), listed[x].end(), rows.begin(), rows.end()))
          << "column " << x;
    }
    for (const auto& [x, rows] : listed) listedColumns.insert(x);
    EXPECT_EQ(listedColumns, redColumns);
  }
}

TEST_F(ScheduleCommandTest, CollisionsExitZeroWhereNoSessionsMeet) {
  const QString file = savedFile(
      {{.AZSName = kFirst, .CP = {"08:00", "08:20"}}, {.AZSName = kSecond, .CP = {"12:00"}}});
  const CommandRun run = runCommand({"--ini", file, "collisions", "--days", "30", "--zoom", "5"});
  EXPECT_EQ(run.exitStatus, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(u8"Наложений сеансов нет")))
      << run.out.toStdString();
}

// Damaged files: each listed damage, the kind check names it by, and where.
struct Damage {
  const char* kind;
  std::string file;
  const char* section;
};

std::string header(const char* count) {
  return std::string("[AutoZapros]\r\nCount=") + count + "\r\n";
}
std::string item(int index, const std::string& keys, const std::string& name = "A") {
  return "[AutoZaprosItem" + std::to_string(index) + "]\r\nEnable=1\r\nAZSName=" + name +
         "\r\nConnType=1\r\nConnTimeTipe=1\r\n" + keys;
}

TEST_F(ScheduleCommandTest, CheckFindsEachListedDamage) {
  const std::vector<Damage> damages = {
      {"count-missing", item(0, "CPcount=1\r\nCP0time=08:00\r\n"), "AutoZapros"},
      {"count-unreadable", header("two") + item(0, ""), "AutoZapros"},
      {"count-negative", header("-1"), "AutoZapros"},
      {"count-above-limit", header("20000"), "AutoZapros"},
      {"sections-missing", header("3") + item(0, "") + item(2, "", "B"), "AutoZaprosItem1"},
      {"sections-beyond-count", header("1") + item(0, "") + item(1, "", "B"), "AutoZaprosItem1"},
      {"value-unreadable", header("1") + "[AutoZaprosItem0]\r\nEnable=yes\r\n", "AutoZaprosItem0"},
      {"connection-type-unknown",
       header("1") + "[AutoZaprosItem0]\r\nConnType=7\r\nConnTimeTipe=3\r\n", "AutoZaprosItem0"},
      {"kind-unknown", header("1") + "[AutoZaprosItem0]\r\nConnTimeTipe=4\r\n", "AutoZaprosItem0"},
      {"cpcount-negative", header("1") + item(0, "CPcount=-2\r\n"), "AutoZaprosItem0"},
      {"cpcount-above-limit", header("1") + item(0, "CPcount=5000\r\n"), "AutoZaprosItem0"},
      {"cpcount-above-limit", header("1") + "[AutoZaprosItem0]\r\nConnTimeTipe=2\r\nCPcount=8\r\n",
       "AutoZaprosItem0"},
      {"times-not-counted", header("1") + item(0, "CP0time=08:00\r\n"), "AutoZaprosItem0"},
      {"time-missing", header("1") + item(0, "CPcount=2\r\nCP0time=08:00\r\n"), "AutoZaprosItem0"},
      {"time-refused-by-chart", header("1") + item(0, "CPcount=1\r\nCP0time=8:00\r\n"),
       "AutoZaprosItem0"},
      {"time-never-due", header("1") + item(0, "CPcount=1\r\nCP0time=24:00\r\n"),
       "AutoZaprosItem0"},
      {"time-duplicate", header("1") + item(0, "CPcount=2\r\nCP0time=08:00\r\nCP1time=08:00\r\n"),
       "AutoZaprosItem0"},
      {"name-quotes-removed", header("1") + item(0, "", "\"A\""), "AutoZaprosItem0"},
      {"name-duplicate", header("2") + item(0, "") + item(1, "", " 'A' "), "AutoZaprosItem1"},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.kind);
    const CommandRun run = runCommand({"--ini", writtenFile(damage.file), "--json", "check"});
    EXPECT_EQ(run.exitStatus, 1) << run.out.toStdString();
    bool found = false;
    for (const QJsonValue finding : run.json()["findings"].toArray()) {
      found = found || (finding["kind"].toString() == damage.kind &&
                        finding["section"].toString().startsWith(damage.section) &&
                        !finding["message"].toString().isEmpty());
    }
    EXPECT_TRUE(found) << run.out.toStdString();
  }
  // What the chart refuses, it really refuses: the whole picture fails.
  writtenFile(header("1") + item(0, "CPcount=1\r\nCP0time=8:00\r\n"));
  EXPECT_EQ(runCommand({"--ini", path(), "chart", folder.filePath("c.png")}).exitStatus, 2);
}

TEST_F(ScheduleCommandTest, CheckSaysATimeListedTwicePollsTwiceAndMissingKeysOnceAtMidnight) {
  const struct {
    const char* kind;
    const char* timeKeys;
    const char* says;
  } cases[] = {
      {"time-duplicate", "CPcount=2\r\nCP0time=08:00\r\nCP1time=08:00\r\n",
       "опрашивается в эту минуту столько раз, сколько оно указано"},
      {"time-missing", "CPcount=3\r\nCP0time=08:00\r\n", "вместе один автозапрос в полночь"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.kind);
    const CommandRun run =
        runCommand({"--ini", writtenFile(header("1") + item(0, test.timeKeys)), "--json", "check"});
    QStringList messages;
    for (const QJsonValue finding : run.json()["findings"].toArray()) {
      if (finding["kind"].toString() == test.kind) messages << finding["message"].toString();
    }
    ASSERT_EQ(messages.size(), 1) << run.out.toStdString();
    EXPECT_TRUE(messages[0].contains(QString::fromUtf8(test.says))) << messages[0].toStdString();
  }
}

// Files real offices produce that no plug-in wrote: each must turn a monitoring check red.
TEST_F(ScheduleCommandTest, CheckFindsFilesWrittenBrokenOrByOtherPrograms) {
  std::string randomBytes(1 << 20, '\0');
  std::mt19937 generator(25);
  for (char& byte : randomBytes) byte = static_cast<char>(generator() & 0xFF);
  const std::string utf8Name = QString::fromUtf8(u8"АЗС Юг").toStdString();
  const struct {
    const char* name;
    std::string file;
    std::set<QString> kinds;
  } files[] = {
      {"saved as UTF-8 by an editor",
       header("1") + item(0, "CPcount=1\r\nCP0time=08:00\r\n", utf8Name),
       {"text-utf8"}},
      {"NUL bytes of a write cut short",
       std::string(4096, '\0'),
       {"content-nul", "count-missing", "nothing-polled"}},
      {"a megabyte of random bytes",
       randomBytes,
       {"content-nul", "content-binary", "count-missing", "nothing-polled"}},
      {"empty", "", {"count-missing", "nothing-polled"}},
      {"CPcount far above the day without times",
       header("1") + item(0, "CPcount=99999999\r\n"),
       {"cpcount-above-limit", "nothing-polled"}},
  };
  for (const auto& test : files) {
    SCOPED_TRACE(test.name);
    const CommandRun run = runCommand({"--ini", writtenFile(test.file), "--json", "check"});
    EXPECT_EQ(run.exitStatus, 1) << run.out.toStdString();
    std::set<QString> kinds;
    for (const QJsonValue finding : run.json()["findings"].toArray()) {
      if (!finding["message"].toString().isEmpty()) kinds.insert(finding["kind"].toString());
    }
    EXPECT_EQ(kinds, test.kinds) << run.out.toStdString();
  }
  // The garbled name is shown beside the name its writer meant.
  const CommandRun utf8 = runCommand({"--ini", writtenFile(files[0].file), "check"});
  EXPECT_TRUE(utf8.out.contains(QString::fromUtf8(u8"АЗС Юг"))) << utf8.out.toStdString();
}

TEST_F(ScheduleCommandTest, CheckFindsNothingInAFileThePlugInWrote) {
  // The same chain without its one time listed twice, which check reports.
  std::vector<Schedule> chain = mixedChain();
  chain[0].CP.pop_back();
  const CommandRun run = runCommand({"--ini", savedFile(chain), "check"});
  EXPECT_EQ(run.exitStatus, 0) << run.out.toStdString();
  EXPECT_EQ(run.out, QString::fromUtf8(u8"Замечаний нет.\n"));
}

TEST_F(ScheduleCommandTest, EveryCommandGivesOneJsonDocumentWithNamesInUtf8) {
  const QString file = savedFile(mixedChain());
  for (const QStringList& command :
       {QStringList{"list"}, QStringList{"next"}, QStringList{"collisions"}, QStringList{"check"},
        QStringList{"chart", folder.filePath("j.png")}}) {
    SCOPED_TRACE(command.join(' ').toStdString());
    const CommandRun run =
        runCommand(QStringList{"--ini", file, "--at", "2026-12-07 07:00", "--json"} + command);
    EXPECT_LE(run.exitStatus, 1);
    EXPECT_FALSE(run.json().isEmpty());
  }
  const QJsonObject listed = runCommand({"--ini", file, "--json", "list"}).json();
  EXPECT_EQ(listed["items"][0]["name"].toString(), QString::fromUtf8(u8"АЗС №1 Центральная"));
  EXPECT_EQ(listed["items"][2]["slots"].toArray().size(), 7);
}

TEST_F(ScheduleCommandTest, ErrorsAreOneRussianLineAndStatusTwo) {
  const QString file = savedFile(mixedChain());
  for (const QStringList& arguments : {
           QStringList{"--ini", folder.filePath("missing.INI"), "list"},
           QStringList{"--ini", folder.path(), "list"},
           QStringList{"--ini", file},
           QStringList{"--ini", file, "lists"},
           QStringList{"--ini", file, "list", "--hours", "2"},
           QStringList{"--ini", file, "collisions", "--zoom", "6"},
           QStringList{"--ini", file, "next", "--hours"},
           QStringList{"--ini", file, "--at", "07.12.2026 08:00", "next"},
           QStringList{"--ini", file, "--colour", "list"},
       }) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CommandRun run = runCommand(arguments);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.count('\n'), 1);
    EXPECT_TRUE(run.err.contains(QRegularExpression("[а-я]"))) << run.err.toStdString();
  }
}

// Errors that come from below the command line: the clock's years and reading the file.
TEST_F(ScheduleCommandTest, ErrorsOfTheClockAndOfReadingAreRussianToo) {
  const QString file = savedFile(mixedChain());
  const QString huge = folder.filePath("huge.INI");
  QFile tooLarge(huge);
  ASSERT_TRUE(tooLarge.open(QIODevice::WriteOnly) && tooLarge.resize(qint64{1} << 32));
  for (const QStringList& arguments : {
           QStringList{"--ini", file, "--at", "9999-12-31 23:00", "next", "--hours", "24"},
           QStringList{"--ini", huge, "list"},
       }) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CommandRun run = runCommand(arguments);
    EXPECT_EQ(run.exitStatus, 2);
    const QString said = QString(run.err).remove("tarvel-schedule").remove(arguments[1]);
    EXPECT_TRUE(said.contains(QRegularExpression("[а-я]"))) << run.err.toStdString();
    EXPECT_FALSE(said.contains(QRegularExpression("[A-Za-z]"))) << run.err.toStdString();
  }
}

TEST_F(ScheduleCommandTest, ErrorsUnderJsonAreAJsonObjectToo) {
  const QString file = savedFile(mixedChain());
  for (const QStringList& arguments : {
           QStringList{"--json", "--ini", file, "lists"},
           QStringList{"--json", "--ini", folder.filePath("missing.INI"), "list"},
           QStringList{"--ini", file, "--at", "9999-12-31 23:00", "next", "--json"},
       }) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    const CommandRun run = runCommand(arguments);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ("tarvel-schedule: " + run.json()["error"].toString() + '\n', run.err);
  }
}

TEST_F(ScheduleCommandTest, ControlCharactersOfTheFileAreShownEscaped) {
  // An ESC that would retitle the terminal, a bell, and a C1 control (0x98 in Windows-1251).
  const std::string name =
      "A\x1B]0;x\x07"
      "B\x98";
  writtenFile(header("1") + item(0,
                                 "CPcount=2\r\nCP0time=08:00\r\nCP1time=08\x1B"
                                 "00\r\n",
                                 name));
  for (const char* command : {"list", "next", "check"}) {
    SCOPED_TRACE(command);
    const CommandRun run = runCommand({"--ini", path(), "--at", "2026-12-07 07:00", command});
    EXPECT_LE(run.exitStatus, 1) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains(QRegularExpression("[\\x00-\\x09\\x0B-\\x1F\\x7F-\\x9F]")))
        << run.out.toStdString();
    EXPECT_TRUE(
        run.out.contains(command == std::string("check") ? "08\\x1B00" : "A\\x1B]0;x\\x07B\\u0098"))
        << run.out.toStdString();
  }
  // The escapes keep the table's columns in line.
  const QStringList listed = runCommand({"--ini", path(), "list"}).out.split('\n');
  ASSERT_GE(listed.size(), 2);
  EXPECT_EQ(listed[0].indexOf(QString::fromUtf8(u8"Автозапрос")),
            listed[1].indexOf(QString::fromUtf8(u8"включен")));
  // JSON escapes by its own rules and gives the name back as it is.
  const QJsonObject json = runCommand({"--ini", path(), "--json", "list"}).json();
  EXPECT_EQ(json["items"][0]["name"].toString(), platform::toUnicode(name));
}

TEST_F(ScheduleCommandTest, ReadingLeavesTheFileAndItsFolderAsTheyWere) {
  // A copy of an interrupted write in place: the plug-in's readers would put it back.
  const QString file = writtenFile(header("1") + item(0, "CPcount=1\r\nCP0time=08:00\r\n"));
  std::ofstream((file + ".write-backup").toStdString(), std::ios::binary) << header("0");
  const QStringList before = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
  const CommandRun run = runCommand({"--ini", file, "--json", "list"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(run.json()["items"].toArray().isEmpty());                       // what the copy holds
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), before);  // no lock file
  std::ifstream stream(file.toStdString(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), {}),
            header("1") + item(0, "CPcount=1\r\nCP0time=08:00\r\n"));
}

TEST_F(ScheduleCommandTest, OldChartNameStillDrawsTheDemoChainOrAFile) {
  const QString link = QFileInfo(TARVEL_SCHEDULE_COMMAND).dir().filePath("tarvel-chart-png");
  const CommandRun demo = runCommand({folder.filePath("demo.png"), "--forecast", "1"}, link);
  EXPECT_EQ(demo.exitStatus, 0) << demo.err.toStdString();
  EXPECT_EQ(QImage(folder.filePath("demo.png")).height(), 7 * 40 + 20);
  const CommandRun file =
      runCommand({folder.filePath("file.png"), "--registry", savedFile(mixedChain())}, link);
  EXPECT_EQ(file.exitStatus, 0) << file.err.toStdString();
  EXPECT_EQ(QImage(folder.filePath("file.png")).height(), 5 * 40 + 20);
}

}  // namespace
}  // namespace tarvel::autoquery::schedule
