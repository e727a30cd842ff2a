// tarvel-schedule collisions: where the sessions of different stations meet, by the chart's own
// rule: a pixel column at the zoom where two or more rows show session green is red in the
// office window's chart. Each stretch of such columns is one collision.
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <span>
#include <string>
#include <vector>

#include "autoquery/core/azs_item.h"

namespace tarvel::autoquery::schedule {

struct CollidingStation {
  int32_t index = 0;
  std::string name;                 // Windows-1251
  std::vector<QDateTime> sessions;  // the starts of its boxes in the stretch
};

struct Collision {
  int firstColumn = 0;  // the stretch's pixel columns in the chart, [firstColumn, endColumn)
  int endColumn = 0;
  QDateTime start;  // the moments at the stretch's edges, to the minute
  QDateTime end;
  std::vector<CollidingStation> stations;
};

// The collisions of the chart of the items at zoom Z (1 .. 5) over D forecast days (1 .. 30,
// the picture spanning D + 1 days) as it stands at the moment now. Throws what the chart
// throws for a time it cannot read.
std::vector<Collision> sessionCollisions(std::span<const TAzsItem* const> items, int zoom, int days,
                                         const QDateTime& now);

QString collisionsText(const std::vector<Collision>& collisions, int zoom, int days);
// {"zoom", "days", "now", "collisions": [{"firstColumn", "endColumn", "start", "end",
// "stations": [{"index", "name", "sessions"}]}]}
QJsonObject collisionsJson(const std::vector<Collision>& collisions, int zoom, int days,
                           const QDateTime& now);

}  // namespace tarvel::autoquery::schedule
