// The stations' schedules as the chart needs them, read once per redraw: for every row whether
// it is enabled and the offsets of its session boxes, with the weekdays each is drawn on. From
// these follow the boxes themselves and so the columns where a row shows session green, without
// any picture being painted.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "autoquery/chart/chart_geometry.h"

namespace tarvel::autoquery {
class TAzsItem;
}

namespace tarvel::autoquery::chart {

inline constexpr uint8_t kEveryWeekday = 0x7F;

// Bit of an ISO weekday (1 Monday .. 7 Sunday) in a weekday set.
constexpr uint8_t weekdayBit(int isoWeekday) {
  return static_cast<uint8_t>(1u << (isoWeekday - 1));
}

struct RowSession {
  int offset = 0;        // v(t) from the start of the day
  uint8_t weekdays = 0;  // the set of ISO weekdays it is drawn on
  uint8_t hours = 0;     // the time as read
  uint8_t minutes = 0;
};

// A box of a row: the session and the day g (0 today) it is drawn on.
struct RowBox {
  RowSession session;
  int day = 0;
};

class ChartRows {
 public:
  // Reads the items for a chart of this geometry whose days 0 .. S + 1 fall on the given ISO
  // weekdays (dayWeekdays[g]). Only what the chart draws is read: enabled stations, daily times
  // and weekday times of at least four characters. Throws std::runtime_error, naming the text and
  // the station, when such a time cannot be read.
  ChartRows(std::span<const TAzsItem* const> items, const ChartGeometry& geometry,
            std::vector<int> dayWeekdays);
  // The same rows for the same chart in the pixels of another geometry (another scale): every
  // offset computed afresh from the times as they were read.
  ChartRows(const ChartRows& rows, const ChartGeometry& geometry);

  int count() const { return static_cast<int>(rows_.size()); }
  bool enabled(int row) const { return rows_[row].enabled; }
  std::span<const RowSession> sessions(int row) const {
    return {sessions_.data() + rows_[row].begin, sessions_.data() + rows_[row].end};
  }
  // ISO weekday of day g, 0 .. S + 1.
  int dayWeekday(int day) const { return dayWeekdays_[day]; }

  // Calls visit(start, end) for each stretch [start, end) of columns within [from, to) where the
  // row shows session green, in ascending order, stretches that touch or overlap joined.
  template <typename Visit>
  void forEachGreenStretch(int row, int from, int to, Visit&& visit) const;

  // The row's boxes that cover column x (several when its own sessions overlap).
  std::vector<RowBox> boxesAt(int row, int x) const;

  // For each column 0 .. W - 1, how many rows show session green there: what the overlap pass
  // counts at y = 40 r + 26.
  std::vector<int32_t> greenRowCounts() const;

 private:
  struct Row {
    uint32_t begin = 0, end = 0;  // its sessions, ascending offset
    int reach = 0;                // the largest offset + w: how far past its day a box reaches
    bool enabled = false;
    bool inDayOrder = true;  // day by day, its boxes come in ascending order
  };

  // v(t) of every hour and minute value at this geometry.
  void fillOffsetTables();
  void appendRow(const TAzsItem& item);
  // Sorts the row's sessions by offset and notes how far its boxes reach.
  void orderSessions(Row& row);
  void addDayStretches(int row, uint8_t weekdays, std::vector<int32_t>& dayPattern) const;
  void greenStretchesUnordered(int row, int from, int to,
                               std::vector<std::pair<int, int>>& out) const;

  ChartGeometry geometry_;
  // v(t) in two terms, each for every two-digit value: a time's offset is one look-up in each.
  std::array<int, 100> hourOffsets_{}, minuteOffsets_{};
  std::vector<int> dayWeekdays_;
  std::vector<uint8_t> dayBits_;
  std::vector<Row> rows_;
  std::vector<RowSession> sessions_;
};

template <typename Visit>
void ChartRows::forEachGreenStretch(int row, int from, int to, Visit&& visit) const {
  const Row& info = rows_[row];
  if (info.begin == info.end || from >= to) return;
  const RowSession* first = sessions_.data() + info.begin;
  const RowSession* last = sessions_.data() + info.end;
  const int w = geometry_.w;
  bool open = false;
  int stretchStart = 0, stretchEnd = 0;
  auto flush = [&] {
    const int start = stretchStart < from ? from : stretchStart;
    const int end = stretchEnd > to ? to : stretchEnd;
    if (start < end) visit(start, end);
  };
  if (!info.inDayOrder) {
    std::vector<std::pair<int, int>> stretches;
    greenStretchesUnordered(row, from, to, stretches);
    for (const auto& [start, end] : stretches) visit(start, end);
    return;
  }
  const int lastDay = static_cast<int>(dayBits_.size()) - 1;
  for (int day = 0; day <= lastDay; ++day) {
    const int dayStart = geometry_.X(day);
    if (dayStart + info.reach <= from) continue;
    if (dayStart + first->offset >= to) break;
    const uint8_t bit = dayBits_[day];
    for (const RowSession* session = first; session != last; ++session) {
      if ((session->weekdays & bit) == 0) continue;
      const int start = dayStart + session->offset;
      const int end = start + w;
      if (open && start <= stretchEnd) {
        if (end > stretchEnd) stretchEnd = end;
      } else {
        if (open) flush();
        stretchStart = start;
        stretchEnd = end;
        open = true;
      }
    }
  }
  if (open) flush();
}

}  // namespace tarvel::autoquery::chart
