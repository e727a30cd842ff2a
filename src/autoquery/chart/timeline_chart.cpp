#include "autoquery/chart/timeline_chart.h"

#include <QDate>
#include <new>

#include "autoquery/chart/text_stamp.h"
#include "autoquery/core/auto_azs.h"
#include "autoquery/core/azs_item.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery::chart {
namespace {

int64_t millisecondOfDay(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  return ((int64_t{parts.hour} * 60 + parts.minute) * 60 + parts.second) * 1000 + parts.millisecond;
}

QDate dateOf(platform::DateTime moment) {
  const platform::DateTimeParts parts = platform::decodeDateTime(moment);
  return QDate(parts.year, parts.month, parts.day);
}

// ISO weekdays of days 0 .. S + 1.
std::vector<int> dayWeekdays(platform::DateTime now, int span) {
  std::vector<int> weekdays;
  for (int day = 0; day <= span + 1; ++day) weekdays.push_back(platform::isoWeekday(now + day));
  return weekdays;
}

}  // namespace

TimelineChart::TimelineChart(std::span<const TAzsItem* const> items, int zoom, int span,
                             platform::DateTime now, QRgb buttonFace)
    : geometry_(
          ChartGeometry::make(zoom, span, static_cast<int>(items.size()), millisecondOfDay(now))),
      now_(now),
      colours_(chartColoursOn(buttonFace)),
      rows_(items, geometry_, dayWeekdays(now, span)) {
  nameEnds_.reserve(items.size());
  for (const TAzsItem* item : items) {
    names_ += item->AZSName;
    nameEnds_.push_back(names_.size());
  }
  makeLabels();
  // The overlap pass counts, per column, the rows whose pixel at y + 26 is session green; that
  // pixel is green exactly where one of the row's boxes lies.
  greenRowCount_ = rows_.greenRowCounts();
}

TimelineChart::TimelineChart(const TimelineChart& chart, PixelScale scale)
    : geometry_(ChartGeometry::make(chart.geometry_.zoom, chart.geometry_.span,
                                    chart.geometry_.rowCount, millisecondOfDay(chart.now_), scale)),
      now_(chart.now_),
      colours_(chart.colours_),
      names_(chart.names_),
      nameEnds_(chart.nameEnds_),
      rows_(chart.rows_, geometry_),
      greenRowCount_(rows_.greenRowCounts()) {
  makeLabels();
}

void TimelineChart::makeLabels() {
  const PixelScale scale = geometry_.scale;
  midnightLabel_ = &stampOf(QStringLiteral("00:00"), LabelFont::Time, scale);
  middayLabel_ = &stampOf(QStringLiteral("12:00"), LabelFont::Time, scale);
  const QDate today = dateOf(now_);
  for (int day = 0; day <= geometry_.span + 1; ++day) {
    const QString weekday = platform::toUnicode(WeekDayName(now_ + day));
    const QString date = today.addDays(day).toString(QStringLiteral("dd.MM"));
    dayLabels_.push_back(
        {&stampOf(weekday, LabelFont::Day, scale), &stampOf(date, LabelFont::Day, scale)});
  }
}

void TimelineChart::setBackground(QRgb buttonFace) { colours_ = chartColoursOn(buttonFace); }

TimelineChart::~TimelineChart() = default;

int TimelineChart::greenRowCount(int x) const {
  return x >= 0 && x < geometry_.W ? greenRowCount_[x] : 0;
}

std::vector<int> TimelineChart::greenRowsAt(int x) const {
  std::vector<int> found;
  if (greenRowCount(x) == 0) return found;
  for (int row = 0; row < rows_.count(); ++row) {
    rows_.forEachGreenStretch(row, x, x + 1, [&](int, int) { found.push_back(row); });
  }
  return found;
}

QImage TimelineChart::render(const QRect& area) const {
  const QRect clipped = area & rect();
  QImage image(clipped.size(), QImage::Format_RGB32);
  if (clipped.isEmpty()) return image;
  if (image.isNull()) throw std::bad_alloc();
  paint(image, clipped);
  return image;
}

std::string chartDayDate(const TimelineChart& chart, int day) {
  return dateOf(chart.now()).addDays(day).toString(QStringLiteral("dd.MM.yyyy")).toStdString();
}

}  // namespace tarvel::autoquery::chart
