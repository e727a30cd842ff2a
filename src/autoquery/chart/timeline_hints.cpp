#include "autoquery/chart/timeline_hints.h"

#include <cstdio>
#include <vector>

#include "autoquery/chart/chart_texts.h"
#include "autoquery/chart/timeline_chart.h"

namespace tarvel::autoquery::chart {
namespace {

// "dd.mm.yyyy hh:nn" of each box, joined with ", ".
std::string sessionMoments(const TimelineChart& chart, const std::vector<RowBox>& boxes) {
  std::string moments;
  for (const RowBox& box : boxes) {
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", box.session.hours, box.session.minutes);
    if (!moments.empty()) moments += ", ";
    moments += chartDayDate(chart, box.day) + " " + time;
  }
  return moments;
}

}  // namespace

std::string timelineHint(const TimelineChart& chart, QPoint point) {
  if (!chart.rect().contains(point)) return {};
  const int row = point.y() / kRowHeight;
  const int inRow = point.y() % kRowHeight;
  if (row >= chart.rows().count() || inRow < row_offset::kBoxTop ||
      inRow > row_offset::kBoxBottom) {
    return {};
  }
  const std::vector<RowBox> boxes = chart.rows().boxesAt(row, point.x());
  if (!chart.rows().enabled(row) || boxes.empty()) return {};
  if (chart.greenRowCount(point.x()) < 2) {
    return chart.stationName(row) + "\n" + sessionMoments(chart, boxes);
  }
  return overlapHint(chart, point.x());
}

std::string overlapHint(const TimelineChart& chart, int x) {
  if (chart.greenRowCount(x) < 2) return {};
  std::string hint = text::kOverlapHeader;
  const std::vector<int> meeting = chart.greenRowsAt(x);
  for (size_t index = 0; index < meeting.size(); ++index) {
    if (index == kMaxHintStations) {
      hint += "\n" + (text::kAndMore + std::to_string(meeting.size() - index));
      break;
    }
    hint += "\n" + chart.stationName(meeting[index]) + "  " +
            sessionMoments(chart, chart.rows().boxesAt(meeting[index], x));
  }
  return hint;
}

std::vector<OverlapStretch> overlapStretches(const TimelineChart& chart) {
  std::vector<OverlapStretch> stretches;
  int previousCount = 0;
  for (int x = 0; x < chart.size().width(); ++x) {
    const int count = chart.greenRowCount(x);
    if (count >= 2 && count == previousCount) {
      stretches.back().end = x + 1;
    } else if (count >= 2) {
      stretches.push_back({x, x + 1});
    }
    previousCount = count;
  }
  return stretches;
}

}  // namespace tarvel::autoquery::chart
