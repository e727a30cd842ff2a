#include "autoquery/chart/chart_rows.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "autoquery/chart/chart_texts.h"
#include "autoquery/core/azs_item.h"
#include "autoquery/core/time_text.h"

namespace tarvel::autoquery::chart {
namespace {

// Weekday slots beyond Sunday mean nothing.
constexpr size_t kWeekdaySlots = 7;

}  // namespace

ChartRows::ChartRows(std::span<const TAzsItem* const> items, const ChartGeometry& geometry,
                     std::vector<int> dayWeekdays)
    : geometry_(geometry), dayWeekdays_(std::move(dayWeekdays)) {
  if (dayWeekdays_.size() != static_cast<size_t>(geometry_.span) + 2) {
    throw std::invalid_argument("chart rows need the weekdays of days 0 .. S + 1");
  }
  for (const int weekday : dayWeekdays_) dayBits_.push_back(weekdayBit(weekday));
  fillOffsetTables();
  rows_.reserve(items.size());
  sessions_.reserve(3 * items.size());  // two or three sessions a day are usual
  for (const TAzsItem* item : items) appendRow(*item);
}

ChartRows::ChartRows(const ChartRows& rows, const ChartGeometry& geometry) : ChartRows(rows) {
  geometry_ = geometry;
  fillOffsetTables();
  for (RowSession& session : sessions_) {
    session.offset = hourOffsets_[session.hours] + minuteOffsets_[session.minutes];
  }
  for (Row& row : rows_) orderSessions(row);
}

void ChartRows::fillOffsetTables() {
  for (int value = 0; value < 100; ++value) {
    hourOffsets_[value] = geometry_.v(value, 0);
    minuteOffsets_[value] = geometry_.v(0, value);
  }
}

void ChartRows::appendRow(const TAzsItem& item) {
  Row row;
  row.enabled = item.Enable;
  row.begin = row.end = static_cast<uint32_t>(sessions_.size());
  const auto add = [&](const std::string& timeText, uint8_t weekdays) {
    const std::optional<TimeText> time = readTimeText(timeText);
    if (!time) {
      throw std::runtime_error(text::kUnreadableTimeBefore + timeText + text::kUnreadableTimeAfter +
                               item.AZSName);
    }
    sessions_.push_back(RowSession{hourOffsets_[time->hours] + minuteOffsets_[time->minutes],
                                   weekdays, static_cast<uint8_t>(time->hours),
                                   static_cast<uint8_t>(time->minutes)});
  };
  // Disabled stations get no boxes, so their times are not even read.
  if (item.Enable && item.CP) {
    const std::vector<ConnectionPoint>& weekdaySlots = *item.CP;
    if (item.ConnTimeTipe == ScheduleKind::Daily) {
      for (const ConnectionPoint& slot : weekdaySlots) {
        if (slot) add(*slot, kEveryWeekday);
      }
    } else if (item.ConnTimeTipe == ScheduleKind::Weekdays) {
      // An empty text (or one shorter than four characters) marks a weekday without a session.
      for (size_t j = 0; j < std::min(weekdaySlots.size(), kWeekdaySlots); ++j) {
        const ConnectionPoint& slot = weekdaySlots[j];
        if (slot && slot->size() >= 4) add(*slot, weekdayBit(static_cast<int>(j) + 1));
      }
    }
  }
  row.end = static_cast<uint32_t>(sessions_.size());
  orderSessions(row);
  rows_.push_back(row);
}

void ChartRows::orderSessions(Row& row) {
  const auto first = sessions_.begin() + row.begin;
  const auto last = sessions_.begin() + row.end;
  std::sort(first, last,
            [](const RowSession& a, const RowSession& b) { return a.offset < b.offset; });
  if (first != last) {
    row.reach = (last - 1)->offset + geometry_.w;
    // Days follow each other in order unless a time reaches more than a day past another.
    row.inDayOrder = (last - 1)->offset - first->offset <= geometry_.P;
  }
}

void ChartRows::greenStretchesUnordered(int row, int from, int to,
                                        std::vector<std::pair<int, int>>& out) const {
  std::vector<std::pair<int, int>> boxes;
  for (size_t day = 0; day < dayBits_.size(); ++day) {
    for (const RowSession& session : sessions(row)) {
      if ((session.weekdays & dayBits_[day]) == 0) continue;
      const int start = geometry_.X(static_cast<int>(day)) + session.offset;
      boxes.emplace_back(start, start + geometry_.w);
    }
  }
  std::sort(boxes.begin(), boxes.end());
  std::vector<std::pair<int, int>> merged;
  for (const auto& [start, end] : boxes) {
    if (!merged.empty() && start <= merged.back().second) {
      merged.back().second = std::max(merged.back().second, end);
    } else {
      merged.emplace_back(start, end);
    }
  }
  for (const auto& [start, end] : merged) {
    if (std::max(start, from) < std::min(end, to)) {
      out.emplace_back(std::max(start, from), std::min(end, to));
    }
  }
}

std::vector<RowBox> ChartRows::boxesAt(int row, int x) const {
  std::vector<RowBox> found;
  for (size_t day = 0; day < dayBits_.size(); ++day) {
    for (const RowSession& session : sessions(row)) {
      if ((session.weekdays & dayBits_[day]) == 0) continue;
      const int start = geometry_.X(static_cast<int>(day)) + session.offset;
      if (x >= start && x < start + geometry_.w) found.push_back({session, static_cast<int>(day)});
    }
  }
  return found;
}

std::vector<int32_t> ChartRows::greenRowCounts() const {
  const int W = geometry_.W, P = geometry_.P;
  // Steps of the count: +1 where a row's green begins, -1 where it ends; a step left of the
  // picture counts from column 0 on.
  std::vector<int32_t> steps(static_cast<size_t>(W) + 1, 0);
  const auto addStep = [&](int x, int32_t value) { steps[std::clamp(x, 0, W)] += value; };
  // A row whose boxes all end within their own day shows the same stretches on every day of a
  // weekday. Such rows are summed once per day of the week (index 0: every day alike) and the
  // sums laid onto the days, so the work grows with the stations' sessions, not with sessions
  // times days.
  std::vector<std::vector<int32_t>> dayPatterns(8);
  for (int row = 0; row < count(); ++row) {
    const std::span<const RowSession> rowSessions = sessions(row);
    if (rowSessions.empty()) continue;
    if (rows_[row].reach > P) {
      forEachGreenStretch(row, 0, W, [&](int start, int end) {
        ++steps[start];
        --steps[end];
      });
      continue;
    }
    const bool everyDay = std::all_of(rowSessions.begin(), rowSessions.end(),
                                      [](const auto& s) { return s.weekdays == kEveryWeekday; });
    for (int weekday = everyDay ? 0 : 1; weekday <= (everyDay ? 0 : 7); ++weekday) {
      std::vector<int32_t>& pattern = dayPatterns[weekday];
      if (pattern.empty()) pattern.assign(static_cast<size_t>(P) + 1, 0);
      addDayStretches(row, weekday == 0 ? kEveryWeekday : weekdayBit(weekday), pattern);
    }
  }
  for (size_t day = 0; day < dayWeekdays_.size(); ++day) {
    const int dayStart = geometry_.X(static_cast<int>(day));
    for (const int weekday : {0, dayWeekdays_[day]}) {
      const std::vector<int32_t>& pattern = dayPatterns[weekday];
      for (size_t x = 0; x < pattern.size(); ++x) {
        if (pattern[x] != 0) addStep(dayStart + static_cast<int>(x), pattern[x]);
      }
    }
  }
  std::vector<int32_t> counts(static_cast<size_t>(W));
  int32_t running = 0;
  for (int x = 0; x < W; ++x) counts[x] = running += steps[x];
  return counts;
}

void ChartRows::addDayStretches(int row, uint8_t weekdays, std::vector<int32_t>& dayPattern) const {
  bool open = false;
  int stretchStart = 0, stretchEnd = 0;
  for (const RowSession& session : sessions(row)) {
    if ((session.weekdays & weekdays) != weekdays) continue;
    const int start = session.offset, end = session.offset + geometry_.w;
    if (open && start <= stretchEnd) {
      stretchEnd = std::max(stretchEnd, end);
      continue;
    }
    if (open) {
      ++dayPattern[stretchStart];
      --dayPattern[stretchEnd];
    }
    stretchStart = start;
    stretchEnd = end;
    open = true;
  }
  if (open) {
    ++dayPattern[stretchStart];
    --dayPattern[stretchEnd];
  }
}

}  // namespace tarvel::autoquery::chart
