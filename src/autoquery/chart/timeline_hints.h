// What the chart says about a point when the operator hovers it, so nobody has to count rows to
// find out who collides with whom.
#pragma once

#include <QPoint>
#include <string>

namespace tarvel::autoquery::chart {

class TimelineChart;

// At most this many stations are listed for one overlap; the rest are counted.
inline constexpr int kMaxHintStations = 20;

// The hint for a point of the picture, Windows-1251 lines: over a session box the station's
// name, then the date and time "dd.mm.yyyy hh:nn" of each of its sessions there; over a column
// where boxes of two or more stations meet, a header and one line per such station with its
// sessions there. Empty anywhere else.
std::string timelineHint(const TimelineChart& chart, QPoint point);

}  // namespace tarvel::autoquery::chart
