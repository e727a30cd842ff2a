// tarvel-schedule collisions: where the sessions of different stations meet, by the chart's own
// rule: a pixel column at the zoom where two or more rows show session green is red in the
// office window's chart. Each stretch of such columns is one collision.
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QTextStream>
#include <span>
#include <vector>

#include "autoquery/chart/chart_geometry.h"
#include "autoquery/chart/chart_rows.h"
#include "autoquery/core/azs_item.h"

namespace tarvel::autoquery::schedule {

struct Collision {
  int firstColumn = 0;  // the stretch's pixel columns in the chart, [firstColumn, endColumn)
  int endColumn = 0;
  QDateTime start;  // the moments at the stretch's edges, to the minute
  QDateTime end;
  std::vector<int32_t> stations;  // the rows whose green reaches into it, in row order
};

// The collisions of the chart of the items at zoom Z (1 .. 5) over D forecast days (1 .. 30,
// the picture spanning D + 1 days) as it stands at the moment now, found once; the sessions of
// a station in one are found when asked, so that a chain of thousands costs no list of them all.
class SessionCollisions {
 public:
  // Throws what the chart throws for a time it cannot read.
  SessionCollisions(std::span<const TAzsItem* const> items, int zoom, int days,
                    const QDateTime& now);

  const std::vector<Collision>& collisions() const { return collisions_; }

  // The starts of the station's boxes that reach into the collision, day by day as the chart
  // draws them, in time order and each once: milliseconds since 1970 UTC, the instants by which
  // QDateTime orders and tells apart moments of the office's clock.
  std::vector<qint64> sessionStarts(const Collision& collision, int32_t station) const;

 private:
  chart::ChartGeometry geometry_;
  chart::ChartRows rows_;
  std::vector<qint64> dayStarts_;  // the instant of each chart day's midnight, days 0 .. S + 1
  std::vector<Collision> collisions_;
};

// The header line and a line per collision, or the line that there is none.
void writeCollisionsText(QTextStream& out, const SessionCollisions& found,
                         std::span<const TAzsItem* const> items, int zoom, int days);
// {"zoom", "days", "now", "collisions": [{"firstColumn", "endColumn", "start", "end",
// "stations": [{"index", "name", "sessions"}]}]}
QJsonObject collisionsJson(const SessionCollisions& found, std::span<const TAzsItem* const> items,
                           int zoom, int days, const QDateTime& now);

}  // namespace tarvel::autoquery::schedule
