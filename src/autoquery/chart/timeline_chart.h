// One picture of the schedule time-line chart, prepared once per redraw: the geometry at one
// moment, each station's boxes, and per pixel column how many rows show session green there.
// With that, any rectangle of the picture can be painted alone, with exactly the pixels the
// whole picture has there, so a window shows a chain of any size by painting what is exposed.
//
// The picture, later steps painting over earlier ones:
//  1. the button-face background;
//  2. day labels in blue bold on their own button-face cell: today's weekday at (0, 0) and date
//     "dd.mm" at (0, H - 20); for day i = 1 .. S + 1 the weekday at (X(i) + P/2 - 6, 0) and the
//     date at (X(i) + P/2 - 16, H - 20);
//  3. blue dotted day lines at X(k), k = 0 .. S, from y = 0 to just above the date labels;
//  4. per station row, from y = 40 i: the band outline (0, y + 15) .. (W - 1, y + 29), silver
//     cross-hatched inside when the station is disabled; black dots at y + 13, y + 16, y + 17 on
//     every midnight and midday of days -1 .. S and hour marks at y + 14; the maroon "00:00" and
//     "12:00" labels at (X(k) - 11, y + 17) and (X(k) + P/2 - 10, y + 17);
//  5. green session boxes, one hour wide, y + 16 .. y + 28, of enabled stations on days
//     0 .. S + 1;
//  6. red dashed lines over the boxes in every column where two or more rows show green at
//     y + 26 (rows, not sessions: a station's own overlapping boxes stay green).
//
// Patterns chosen here: dotted lines are one pixel on, one off, starting with a dot at the
// line's first pixel; dashed lines are four on, two off, from the first pixel; the gaps of both
// and of the cross-hatch leave the pixels under them as they were. The cross-hatch is the 8 x 8
// diagonal cross tied to the picture's origin: (x - y) mod 8 = 0 or (x + y) mod 8 = 7.
// Nothing is anti-aliased or blended: every pixel is one of the colours of chart_colours.h, the
// button face, or a label's colour. On a dark button face the colours of texts, lines and marks
// are their readable counterparts (chartColoursOn).
//
// For a screen of a fractional scale (1.25, 1.5) the same chart is drawn in the device's own
// pixels rather than stretched: the geometry is computed at that scale with the same rounding,
// so hour marks stay evenly spaced and every line is one device pixel wide (the whole part of
// the scale from 2 on), and the labels are drawn at the scaled size.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <span>
#include <string>
#include <vector>

#include "autoquery/chart/chart_colours.h"
#include "autoquery/chart/chart_geometry.h"
#include "autoquery/chart/chart_rows.h"
#include "platform/clock.h"

namespace tarvel::autoquery {
class TAzsItem;
}

namespace tarvel::autoquery::chart {

class TextStamp;

class TimelineChart {
 public:
  // The chart of the items (row i shows items[i]) at a zoom (1 .. 5) over span days (1 .. 31) as
  // it stands at the moment now, on a background of the button-face colour. Reads the items
  // once; later changes to them do not reach this chart. Throws std::runtime_error when a time
  // text that the chart uses cannot be read, std::invalid_argument for a zoom or span out of range.
  // Needs a QGuiApplication for its label fonts.
  TimelineChart(std::span<const TAzsItem* const> items, int zoom, int span, platform::DateTime now,
                QRgb buttonFace);
  // The same chart in the pixels of a device of the given scale.
  TimelineChart(const TimelineChart& chart, PixelScale scale);
  ~TimelineChart();

  // Paints on another button face from now on, the colours chosen for it afresh.
  void setBackground(QRgb buttonFace);
  const ChartColours& colours() const { return colours_; }

  const ChartGeometry& geometry() const { return geometry_; }
  QSize size() const { return {geometry_.W, geometry_.H}; }
  QRect rect() const { return {0, 0, geometry_.W, geometry_.H}; }
  platform::DateTime now() const { return now_; }
  const ChartRows& rows() const { return rows_; }
  std::string stationName(int row) const {
    const size_t begin = row == 0 ? 0 : nameEnds_[row - 1];
    return names_.substr(begin, nameEnds_[row] - begin);
  }

  // Paints the part of the picture inside area into target, whose pixel (0, 0) shows the
  // picture's pixel area.topLeft(). target is Format_RGB32 and at least area.size(); pixels for
  // places outside the picture are left as they were.
  void paint(QImage& target, const QRect& area) const;
  // The part of the picture inside area (clipped to the picture) as a new image.
  QImage render(const QRect& area) const;

  // How many rows show session green at column x (0 outside the picture).
  int greenRowCount(int x) const;
  // The rows showing session green at column x, in order.
  std::vector<int> greenRowsAt(int x) const;

 private:
  // Paints the lines of strip (inside the picture) into target, whose pixel (0, 0) shows the
  // picture's pixel origin.
  void paintStrip(QImage& target, QPoint origin, const QRect& strip) const;

  struct DayLabels {
    const TextStamp* weekday;
    const TextStamp* date;
  };

  // The stamps of the day and time labels at the geometry's scale.
  void makeLabels();

  ChartGeometry geometry_;
  platform::DateTime now_;
  ChartColours colours_;
  // The stations' names one after another, row i ending at nameEnds_[i]: one block instead of a
  // string each, as a redraw of a large chain copies them all.
  std::string names_;
  std::vector<size_t> nameEnds_;
  std::vector<DayLabels> dayLabels_;  // days 0 .. S + 1
  const TextStamp* midnightLabel_ = nullptr;
  const TextStamp* middayLabel_ = nullptr;
  ChartRows rows_;
  std::vector<int32_t> greenRowCount_;  // per column 0 .. W - 1
};

// "dd.mm.yyyy" of day g of the chart (0 today).
std::string chartDayDate(const TimelineChart& chart, int day);

}  // namespace tarvel::autoquery::chart
