// Painting one rectangle of the chart. Every step of the picture runs in its order, each cut to
// the rectangle, and every pattern is tied to the picture's own coordinates: so the pixels of a
// rectangle never depend on where the rectangle lies.
#include <algorithm>
#include <optional>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/text_stamp.h"
#include "autoquery/chart/timeline_chart.h"

namespace tarvel::autoquery::chart {
namespace {

constexpr int kDotPeriod = 2;   // dotted: one on, one off
constexpr int kDashPeriod = 6;  // dashed: four on, two off
constexpr int kDashLength = 4;

int floorDivide(int numerator, int denominator) {
  return static_cast<int>(floorQuotient(numerator, denominator));
}

// The target image seen in the picture's coordinates, writing only inside the area.
class Canvas {
 public:
  Canvas(QImage& target, const QRect& area)
      : bits_(target.bits()), bytesPerLine_(target.bytesPerLine()), area_(area) {}

  const QRect& area() const { return area_; }

  QRgb* line(int y) const {
    return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y - area_.top()) * bytesPerLine_);
  }

  void fill(const QRect& rect, QRgb colour) const {
    const QRect part = rect & area_;
    if (part.isEmpty()) return;
    for (int y = part.top(); y <= part.bottom(); ++y) {
      std::fill_n(line(y) + (part.left() - area_.left()), part.width(), colour);
    }
  }

  void pixel(int x, int y, QRgb colour) const {
    if (area_.contains(x, y)) line(y)[x - area_.left()] = colour;
  }

  // A vertical line at x over y = top .. bottom - 1 in a pattern of `on` pixels out of every
  // `period`, counted from top.
  void patternedColumn(int x, int top, int bottom, int on, int period, QRgb colour) const {
    if (x < area_.left() || x > area_.right()) return;
    const int first = std::max(top, area_.top());
    const int last = std::min(bottom - 1, area_.bottom());
    for (int y = first; y <= last; ++y) {
      if ((y - top) % period < on) line(y)[x - area_.left()] = colour;
    }
  }

  void stamp(const TextStamp& text, QPoint at, QRgb colour,
             std::optional<QRgb> background = std::nullopt) const {
    if (!text.extent().translated(at).intersects(area_)) return;
    if (background) fill(text.cell().translated(at), *background);
    for (const QPoint& offset : text.pixels())
      pixel(at.x() + offset.x(), at.y() + offset.y(), colour);
  }

 private:
  uchar* bits_;
  qsizetype bytesPerLine_;
  QRect area_;
};

}  // namespace

void TimelineChart::paint(QImage& target, const QRect& wanted) const {
  const QRect area = wanted & rect();
  if (area.isEmpty()) return;
  const Canvas canvas(target, area);
  const ChartGeometry& g = geometry_;
  const int halfDay = g.P / 2;

  // The background.
  canvas.fill(area, buttonFace_);

  // Day labels, each on a cell of the background colour.
  canvas.stamp(*dayLabels_[0].weekday, {0, 0}, colour::kLabelBlue, buttonFace_);
  canvas.stamp(*dayLabels_[0].date, {0, g.dateLabelTop()}, colour::kLabelBlue, buttonFace_);
  for (int day = 1; day <= g.span + 1; ++day) {
    const int middle = g.X(day) + halfDay;
    canvas.stamp(*dayLabels_[day].weekday, {middle - 6, 0}, colour::kLabelBlue, buttonFace_);
    canvas.stamp(*dayLabels_[day].date, {middle - 16, g.dateLabelTop()}, colour::kLabelBlue,
                 buttonFace_);
  }

  // Day lines, through every band down to just above the date labels.
  for (int day = 0; day <= g.span; ++day) {
    canvas.patternedColumn(g.X(day), 0, g.dateLabelTop(), 1, kDotPeriod, colour::kLabelBlue);
  }

  // The rows that reach into the area, with everything a row draws (the time labels included).
  const QRect labelExtent =
      (midnightLabel_->extent() | middayLabel_->extent()).translated(0, row_offset::kTimeLabel);
  const int rowReachTop = std::min(row_offset::kDayDot, labelExtent.top());
  const int rowReachBottom = std::max(row_offset::kBandBottom, labelExtent.bottom());
  const int firstRow = std::max(0, -floorDivide(rowReachBottom - area.top(), kRowHeight));
  const int lastRow =
      std::min(g.rowCount - 1, floorDivide(area.bottom() - rowReachTop, kRowHeight));
  // Days -1 .. S whose marks and labels may reach into the area.
  const int firstDay = std::max(-1, floorDivide(area.left() - g.x0, g.P) - 1);
  const int lastDay = std::min(g.span, floorDivide(area.right() - g.x0, g.P) + 1);

  for (int row = firstRow; row <= lastRow; ++row) {
    const int y = ChartGeometry::rowTop(row);
    // The band: an outline, cross-hatched inside when the station is switched off.
    const int bandTop = y + row_offset::kBandTop, bandBottom = y + row_offset::kBandBottom;
    canvas.fill(QRect(QPoint(0, bandTop), QPoint(g.W - 1, bandTop)), colour::kBlack);
    canvas.fill(QRect(QPoint(0, bandBottom), QPoint(g.W - 1, bandBottom)), colour::kBlack);
    canvas.fill(QRect(QPoint(0, bandTop), QPoint(0, bandBottom)), colour::kBlack);
    canvas.fill(QRect(QPoint(g.W - 1, bandTop), QPoint(g.W - 1, bandBottom)), colour::kBlack);
    if (!rows_.enabled(row)) {
      const QRect inside = QRect(QPoint(1, bandTop + 1), QPoint(g.W - 2, bandBottom - 1)) & area;
      for (int yy = inside.top(); yy <= inside.bottom(); ++yy) {
        QRgb* pixels = canvas.line(yy);
        for (int x = inside.left(); x <= inside.right(); ++x) {
          if (((x - yy) & 7) == 0 || ((x + yy) & 7) == 7) {
            pixels[x - area.left()] = colour::kHatchSilver;
          }
        }
      }
    }
    // Midnight and midday dots and notches, hour marks.
    for (int day = firstDay; day <= lastDay; ++day) {
      for (const int x : {g.X(day), g.X(day) + halfDay}) {
        canvas.pixel(x, y + row_offset::kDayDot, colour::kBlack);
        canvas.pixel(x, y + row_offset::kBoxTop, colour::kBlack);
        canvas.pixel(x, y + row_offset::kNotch, colour::kBlack);
      }
      for (int hour = 1; hour <= 24; ++hour) {
        canvas.pixel(g.hourMark(day, hour), y + row_offset::kHourMark, colour::kBlack);
      }
    }
    // Time labels, without a background.
    for (int day = firstDay; day <= lastDay; ++day) {
      canvas.stamp(*midnightLabel_, {g.X(day) - 11, y + row_offset::kTimeLabel},
                   colour::kTimeMaroon);
      canvas.stamp(*middayLabel_, {g.X(day) + halfDay - 10, y + row_offset::kTimeLabel},
                   colour::kTimeMaroon);
    }
  }

  // Session boxes over the inside of the bands.
  for (int row = firstRow; row <= lastRow; ++row) {
    const int y = ChartGeometry::rowTop(row);
    rows_.forEachGreenStretch(row, area.left(), area.right() + 1, [&](int start, int end) {
      canvas.fill(QRect(QPoint(start, y + row_offset::kBoxTop),
                        QPoint(end - 1, y + row_offset::kBoxBottom)),
                  colour::kSessionGreen);
    });
  }

  // Overlaps: where two or more rows show green in a column, dashed red over each of their boxes.
  for (int row = firstRow; row <= lastRow; ++row) {
    const int y = ChartGeometry::rowTop(row);
    rows_.forEachGreenStretch(row, area.left(), area.right() + 1, [&](int start, int end) {
      for (int x = start; x < end; ++x) {
        if (greenRowCount_[x] < 2) continue;
        canvas.patternedColumn(x, y + row_offset::kBoxTop, y + row_offset::kBoxBottom + 1,
                               kDashLength, kDashPeriod, colour::kOverlapRed);
      }
    });
  }
}

}  // namespace tarvel::autoquery::chart
