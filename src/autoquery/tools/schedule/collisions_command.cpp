#include "autoquery/tools/schedule/collisions_command.h"

#include <QJsonArray>
#include <algorithm>

#include "autoquery/chart/chart_geometry.h"
#include "autoquery/chart/chart_rows.h"
#include "autoquery/core/auto_azs.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/clock.h"

namespace tarvel::autoquery::schedule {
namespace {

using chart::ChartGeometry;
using chart::ChartRows;

platform::DateTime dateTimeOf(const QDateTime& moment) {
  return platform::encodeDateTime(moment.date().year(), moment.date().month(), moment.date().day(),
                                  moment.time().hour(), moment.time().minute(),
                                  moment.time().second());
}

// The moment at the left edge of column x: today's midnight lies at x0, a day is P columns.
QDateTime columnMoment(const QDateTime& now, const ChartGeometry& geometry, int x) {
  const int64_t minutes =
      chart::roundQuotientHalfToEven(int64_t{x - geometry.x0} * 1440, geometry.P);
  return QDateTime(now.date(), QTime(0, 0)).addSecs(minutes * 60);
}

}  // namespace

std::vector<Collision> sessionCollisions(std::span<const TAzsItem* const> items, int zoom, int days,
                                         const QDateTime& now) {
  const int span = days + 1;
  const platform::DateTime moment = dateTimeOf(now);
  const int64_t millisecondOfDay = int64_t{now.time().msecsSinceStartOfDay()};
  const ChartGeometry geometry =
      ChartGeometry::make(zoom, span, static_cast<int>(items.size()), millisecondOfDay);
  std::vector<int> dayWeekdays;
  for (int day = 0; day <= span + 1; ++day) dayWeekdays.push_back(platform::isoWeekday(moment + day));
  const ChartRows rows(items, geometry, std::move(dayWeekdays));
  const std::vector<int32_t> counts = rows.greenRowCounts();

  std::vector<Collision> collisions;
  for (int x = 0; x < geometry.W;) {
    if (counts[x] < 2) {
      ++x;
      continue;
    }
    Collision collision;
    collision.firstColumn = x;
    while (x < geometry.W && counts[x] >= 2) ++x;
    collision.endColumn = x;
    collision.start = columnMoment(now, geometry, collision.firstColumn);
    collision.end = columnMoment(now, geometry, collision.endColumn);
    collisions.push_back(std::move(collision));
  }
  // Each row's green stretches, once, against the stretches of red columns (sorted, apart).
  for (int row = 0; row < rows.count(); ++row) {
    rows.forEachGreenStretch(row, 0, geometry.W, [&](int start, int end) {
      auto found = std::upper_bound(
          collisions.begin(), collisions.end(), start,
          [](int column, const Collision& collision) { return column < collision.firstColumn; });
      if (found != collisions.begin()) --found;
      for (; found != collisions.end() && found->firstColumn < end; ++found) {
        if (found->endColumn <= start) continue;
        if (found->stations.empty() || found->stations.back().index != row) {
          found->stations.push_back({row, items[row]->AZSName, {}});
        }
      }
    });
  }
  // The sessions whose boxes reach into the stretch, day by day as the chart draws them.
  for (Collision& collision : collisions) {
    for (CollidingStation& station : collision.stations) {
      for (int day = 0; day <= span + 1; ++day) {
        const uint8_t dayBit = chart::weekdayBit(rows.dayWeekday(day));
        for (const chart::RowSession& session : rows.sessions(station.index)) {
          const int boxStart = geometry.X(day) + session.offset;
          if ((session.weekdays & dayBit) == 0 || boxStart >= collision.endColumn ||
              boxStart + geometry.w <= collision.firstColumn) {
            continue;
          }
          station.sessions.push_back(QDateTime(now.date().addDays(day), QTime(0, 0))
                                         .addSecs((session.hours * 60 + session.minutes) * 60));
        }
      }
      std::sort(station.sessions.begin(), station.sessions.end());
      station.sessions.erase(std::unique(station.sessions.begin(), station.sessions.end()),
                             station.sessions.end());
    }
  }
  return collisions;
}

namespace {

QString scaleText(int zoom, int days) {
  return unicode(text::kAtZoom) + QString::number(zoom) + ", " + QString::number(days) +
         unicode(text::kDays);
}

}  // namespace

QString collisionsText(const std::vector<Collision>& collisions, int zoom, int days) {
  if (collisions.empty())
    return unicode(text::kNoCollisions) + " (" + scaleText(zoom, days) + ").\n";
  QString result = unicode(text::kCollisionsFound) + QString::number(collisions.size()) + " (" +
                   scaleText(zoom, days) + ")\n";
  QList<QStringList> rows;
  for (const Collision& collision : collisions) {
    // A stretch within one day names times alone; a longer one, dates too.
    const bool oneDay = collision.start.date() == collision.end.date();
    const QString sessionFormat = oneDay ? "hh:mm" : "dd.MM hh:mm";
    QStringList stations;
    for (const CollidingStation& station : collision.stations) {
      QStringList sessions;
      for (const QDateTime& session : station.sessions) sessions << session.toString(sessionFormat);
      stations << unicode(station.name) + " (" + sessions.join(", ") + ")";
    }
    rows << QStringList{momentText(collision.start) + " - " +
                            (oneDay ? collision.end.toString("hh:mm") : momentText(collision.end)),
                        stations.join("; ")};
  }
  return result + alignedColumns(rows);
}

QJsonObject collisionsJson(const std::vector<Collision>& collisions, int zoom, int days,
                           const QDateTime& now) {
  QJsonArray entries;
  for (const Collision& collision : collisions) {
    QJsonArray stations;
    for (const CollidingStation& station : collision.stations) {
      QJsonArray sessions;
      for (const QDateTime& session : station.sessions) sessions.append(momentJson(session));
      stations.append(QJsonObject{
          {"index", station.index}, {"name", unicode(station.name)}, {"sessions", sessions}});
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
