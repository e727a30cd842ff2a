#include "autoquery/tools/schedule/collisions_command.h"

#include <QJsonArray>
#include <algorithm>
#include <array>
#include <unordered_map>

#include "autoquery/tools/schedule/aligned_columns.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/clock.h"

namespace tarvel::autoquery::schedule {
namespace {

using chart::ChartGeometry;

platform::DateTime dateTimeOf(const QDateTime& moment) {
  return platform::encodeDateTime(moment.date().year(), moment.date().month(), moment.date().day(),
                                  moment.time().hour(), moment.time().minute(),
                                  moment.time().second());
}

// The ISO weekdays of the chart's days 0 .. S + 1.
std::vector<int> dayWeekdays(const QDateTime& now, int span) {
  const platform::DateTime moment = dateTimeOf(now);
  std::vector<int> weekdays;
  for (int day = 0; day <= span + 1; ++day) weekdays.push_back(platform::isoWeekday(moment + day));
  return weekdays;
}

// The moment at the left edge of column x: today's midnight lies at x0, a day is P columns.
QDateTime columnMoment(const QDateTime& now, const ChartGeometry& geometry, int x) {
  const int64_t minutes =
      chart::roundQuotientHalfToEven(int64_t{x - geometry.x0} * 1440, geometry.P);
  return QDateTime(now.date(), QTime(0, 0)).addSecs(minutes * 60);
}

}  // namespace

SessionCollisions::SessionCollisions(std::span<const TAzsItem* const> items, int zoom, int days,
                                     const QDateTime& now)
    : geometry_(ChartGeometry::make(zoom, days + 1, static_cast<int>(items.size()),
                                    int64_t{now.time().msecsSinceStartOfDay()})),
      rows_(items, geometry_, dayWeekdays(now, days + 1)) {
  for (int day = 0; day <= geometry_.span + 1; ++day) {
    dayStarts_.push_back(QDateTime(now.date().addDays(day), QTime(0, 0)).toMSecsSinceEpoch());
  }
  const std::vector<int32_t> counts = rows_.greenRowCounts();
  for (int x = 0; x < geometry_.W;) {
    if (counts[x] < 2) {
      ++x;
      continue;
    }
    Collision collision;
    collision.firstColumn = x;
    while (x < geometry_.W && counts[x] >= 2) ++x;
    collision.endColumn = x;
    collision.start = columnMoment(now, geometry_, collision.firstColumn);
    collision.end = columnMoment(now, geometry_, collision.endColumn);
    collisions_.push_back(std::move(collision));
  }
  // Each row's green stretches, once, against the stretches of red columns (sorted, apart).
  for (int row = 0; row < rows_.count(); ++row) {
    rows_.forEachGreenStretch(row, 0, geometry_.W, [&](int start, int end) {
      auto found = std::upper_bound(
          collisions_.begin(), collisions_.end(), start,
          [](int column, const Collision& collision) { return column < collision.firstColumn; });
      if (found != collisions_.begin()) --found;
      for (; found != collisions_.end() && found->firstColumn < end; ++found) {
        if (found->endColumn <= start) continue;
        if (found->stations.empty() || found->stations.back() != row) {
          found->stations.push_back(row);
        }
      }
    });
  }
}

std::vector<qint64> SessionCollisions::sessionStarts(const Collision& collision,
                                                     int32_t station) const {
  std::vector<qint64> starts;
  const std::span<const chart::RowSession> sessions = rows_.sessions(station);
  if (sessions.empty()) return starts;
  // The sessions come by ascending offset: a day whose last box ends before the stretch has none
  // in it, nor has a day whose first box starts after it, nor any later day.
  const int firstOffset = sessions.front().offset;
  const int reach = sessions.back().offset + geometry_.w;
  const int lastDay = static_cast<int>(dayStarts_.size()) - 1;
  int day = static_cast<int>(std::max<int64_t>(
      0, chart::floorQuotient(collision.firstColumn - reach - geometry_.x0, geometry_.P)));
  for (; day <= lastDay && geometry_.X(day) + firstOffset < collision.endColumn; ++day) {
    if (geometry_.X(day) + reach <= collision.firstColumn) continue;
    const uint8_t dayBit = chart::weekdayBit(rows_.dayWeekday(day));
    for (const chart::RowSession& session : sessions) {
      const int boxStart = geometry_.X(day) + session.offset;
      if ((session.weekdays & dayBit) == 0 || boxStart >= collision.endColumn ||
          boxStart + geometry_.w <= collision.firstColumn) {
        continue;
      }
      starts.push_back(dayStarts_[static_cast<std::size_t>(day)] +
                       (int64_t{session.hours} * 60 + session.minutes) * 60'000);
    }
  }
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  return starts;
}

namespace {

QString scaleText(int zoom, int days) {
  return unicode(text::kAtZoom) + QString::number(zoom) + ", " + QString::number(days) +
         unicode(text::kDays);
}

// The texts of session starts in one format, each made once: a chain's sessions share a few
// thousand minutes.
class StartTexts {
 public:
  explicit StartTexts(QString format) : format_(std::move(format)) {}
  const QString& operator()(qint64 start) {
    QString& shown = texts_[start];
    if (shown.isNull()) shown = QDateTime::fromMSecsSinceEpoch(start).toString(format_);
    return shown;
  }

 private:
  QString format_;
  std::unordered_map<qint64, QString> texts_;
};

}  // namespace

void writeCollisionsText(QTextStream& out, const SessionCollisions& found,
                         std::span<const TAzsItem* const> items, int zoom, int days) {
  const std::vector<Collision>& collisions = found.collisions();
  if (collisions.empty()) {
    out << unicode(text::kNoCollisions) + " (" + scaleText(zoom, days) + ").\n";
    return;
  }
  out << unicode(text::kCollisionsFound) + QString::number(collisions.size()) + " (" +
             scaleText(zoom, days) + ")\n";
  // A stretch within one day names times alone; a longer one, dates too.
  const auto withinOneDay = [](const Collision& collision) {
    return collision.start.date() == collision.end.date();
  };
  std::vector<QString> stretches;
  AlignedColumns columns;
  for (const Collision& collision : collisions) {
    stretches.push_back(
        momentText(collision.start) + " - " +
        (withinOneDay(collision) ? collision.end.toString("hh:mm") : momentText(collision.end)));
    // The stations' column is the last of every line: it is never padded.
    columns.fit(std::array{QStringView(stretches.back())});
  }
  StartTexts times("hh:mm"), datedTimes("dd.MM hh:mm");
  std::vector<QString> names(items.size());
  QString stations;
  for (std::size_t index = 0; index < collisions.size(); ++index) {
    const Collision& collision = collisions[index];
    StartTexts& startText = withinOneDay(collision) ? times : datedTimes;
    stations.resize(0);
    bool firstStation = true;
    for (const int32_t station : collision.stations) {
      QString& name = names[static_cast<std::size_t>(station)];
      if (name.isNull()) name = unicode(items[static_cast<std::size_t>(station)]->AZSName);
      if (!firstStation) stations += u"; ";
      firstStation = false;
      stations += name;
      stations += u" (";
      bool firstStart = true;
      for (const qint64 start : found.sessionStarts(collision, station)) {
        if (!firstStart) stations += u", ";
        stations += startText(start);
        firstStart = false;
      }
      stations += u')';
    }
    columns.write(out, std::array{QStringView(stretches[index]), QStringView(stations)});
  }
}

QJsonObject collisionsJson(const SessionCollisions& found, std::span<const TAzsItem* const> items,
                           int zoom, int days, const QDateTime& now) {
  QJsonArray entries;
  for (const Collision& collision : found.collisions()) {
    QJsonArray stations;
    for (const int32_t station : collision.stations) {
      QJsonArray sessions;
      for (const qint64 start : found.sessionStarts(collision, station)) {
        sessions.append(momentJson(QDateTime::fromMSecsSinceEpoch(start)));
      }
      stations.append(
          QJsonObject{{"index", station},
                      {"name", unicode(items[static_cast<std::size_t>(station)]->AZSName)},
                      {"sessions", sessions}});
    }
    entries.append(QJsonObject{{"firstColumn", collision.firstColumn},
                               {"endColumn", collision.endColumn},
                               {"start", momentJson(collision.start)},
                               {"end", momentJson(collision.end)},
                               {"stations", stations}});
  }
  return {{"zoom", zoom}, {"days", days}, {"now", momentJson(now)}, {"collisions", entries}};
}

}  // namespace tarvel::autoquery::schedule
