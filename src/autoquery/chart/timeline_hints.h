// What the chart says about a point when the operator hovers it, so nobody has to count rows to
// find out who collides with whom.
#pragma once

#include <QPoint>
#include <string>
#include <vector>

namespace tarvel::autoquery::chart {

class TimelineChart;

// At most this many stations are listed for one overlap; the rest are counted.
inline constexpr int kMaxHintStations = 20;

// The hint for a point of the picture, Windows-1251 lines: over a session box the station's
// name, then the date and time "dd.mm.yyyy hh:nn" of each of its sessions there; over a column
// where boxes of two or more stations meet, a header and one line per such station with its
// sessions there. Empty anywhere else.
std::string timelineHint(const TimelineChart& chart, QPoint point);

// The hint for column x where boxes of two or more stations meet: the header and one line per
// such station with its sessions there. Empty where fewer than two stations meet.
std::string overlapHint(const TimelineChart& chart, int x);

// A stretch of adjacent columns [first, end) where the same number (two or more) of stations
// meet: one stop of the keyboard's way through the chart's overlaps.
struct OverlapStretch {
  int first = 0;
  int end = 0;
  bool operator==(const OverlapStretch&) const = default;
};

// The chart's overlap stretches from left to right.
std::vector<OverlapStretch> overlapStretches(const TimelineChart& chart);

}  // namespace tarvel::autoquery::chart
