// The time-line chart's geometry in whole pixels, computed with integers only: every position is
// the nearest integer of an exact quotient, an exact half going to the even neighbour. Floating
// point would move pixels at the halves (12.5 must give 12, 37.5 must give 38).
#pragma once

#include <cstdint>

namespace tarvel::autoquery::chart {

// The largest integer not above numerator / denominator (denominator > 0).
constexpr int64_t floorQuotient(int64_t numerator, int64_t denominator) {
  const int64_t quotient = numerator / denominator;
  return numerator % denominator < 0 ? quotient - 1 : quotient;
}

// Nearest integer of numerator / denominator (denominator > 0); an exact half goes to the even
// neighbour (25/2 -> 12, 75/2 -> 38, -5/2 -> -2).
constexpr int64_t roundQuotientHalfToEven(int64_t numerator, int64_t denominator) {
  int64_t quotient = floorQuotient(numerator, denominator);
  const int64_t remainder = numerator - quotient * denominator;
  const int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
  return quotient;
}

inline constexpr int kRowHeight = 40;        // one station's strip
inline constexpr int kDateStripHeight = 20;  // the date labels below the last band
inline constexpr int kMinZoom = 1, kMaxZoom = 5;
inline constexpr int kMinSpan = 1, kMaxSpan = 31;
inline constexpr int64_t kMillisecondsPerDay = 86'400'000;

// Vertical places inside station row i, counted from its top y = 40 * i.
namespace row_offset {
inline constexpr int kDayDot = 13;        // the dot above the band at midnight and midday
inline constexpr int kHourMark = 14;      // the hour marks just above the band
inline constexpr int kBandTop = 15;       // the band's outline, top edge
inline constexpr int kBoxTop = 16;        // the first line of a session box
inline constexpr int kNotch = 17;         // second pixel of the notch under the band's top edge
inline constexpr int kTimeLabel = 17;     // the top of the "00:00" and "12:00" labels
inline constexpr int kSessionProbe = 26;  // where the overlap pass looks for session green
inline constexpr int kBoxBottom = 28;     // the last line of a session box
inline constexpr int kBandBottom = 29;    // the band's outline, bottom edge
}  // namespace row_offset

// How many device pixels stand for one pixel of the chart, as an exact fraction: 1/1 on an
// ordinary screen, 5/4 at a scale of 1.25. A chart for such a device is computed in its pixels.
struct PixelScale {
  int numerator = 1;
  int denominator = 1;

  // The scale of a device pixel ratio, to the nearest 1/120 (which holds 1.25, 1.5, 4/3 and the
  // like exactly) and within 1 .. 8: below 1 the chart is drawn as for 1.
  static PixelScale ofRatio(double ratio);
  // value device pixels of this scale per pixel, to the nearest whole pixel, halves to even.
  int apply(int64_t value) const {
    return static_cast<int>(roundQuotientHalfToEven(value * numerator, denominator));
  }
  bool operator==(const PixelScale&) const = default;
};

// Vertical places inside a station row, counted from its top, in the picture's pixels. Each one
// is the place of row_offset scaled; the band's edges keep a line's width, so the dots, the marks
// and the notch always join the band as they do at one to one.
struct RowLayout {
  int dayDot = row_offset::kDayDot;        // the dot: dayDot .. hourMark - 1
  int hourMark = row_offset::kHourMark;    // hour marks: hourMark .. bandTop - 1
  int bandTop = row_offset::kBandTop;      // the top edge: bandTop .. boxTop - 1
  int boxTop = row_offset::kBoxTop;        // session boxes: boxTop .. boxBottom
  int notchEnd = row_offset::kNotch + 1;   // the notch: boxTop .. notchEnd - 1
  int timeLabel = row_offset::kTimeLabel;  // the top of the time labels
  int boxBottom = row_offset::kBoxBottom;
  int bandBottom = row_offset::kBandBottom;  // the bottom edge: bandBottom .. + line - 1
  bool operator==(const RowLayout&) const = default;
};

struct ChartGeometry {
  int zoom = 1;      // Z, 1 .. 5
  int span = 1;      // S, days covered
  int rowCount = 0;  // N, stations
  int P = 100;       // pixels per day
  int W = 100;       // width
  int H = 20;        // height
  int x0 = 1;        // x of today's midnight, at most 1
  int w = 4;         // width of one hour and of every session box
  PixelScale scale;  // device pixels per pixel of the chart at one to one
  int line = 1;      // width of every line and mark: the whole part of the scale, at least 1
  RowLayout inRow;   // places inside every station row

  // The geometry for zoom Z, span S and N rows at a moment millisecondOfDay after midnight, in
  // pixels of a device of the given scale: every rule computed in its pixels with the same
  // rounding (so at 1/1 exactly the chart's own). Throws std::invalid_argument for a zoom outside
  // 1 .. 5, a span outside 1 .. 31, a negative row count or a time of day outside one day.
  static ChartGeometry make(int zoom, int span, int rowCount, int64_t millisecondOfDay,
                            PixelScale scale = {});

  // x of the start of day k (0 today, 1 tomorrow, -1 yesterday).
  int X(int k) const { return x0 + k * P; }
  // Offset of midday from the start of a day: the twelfth hour mark.
  int halfDay() const { return static_cast<int>(roundQuotientHalfToEven(P, 2)); }
  // Offset of a session at hours:minutes from the start of its day: both terms rounded apart.
  int v(int hours, int minutes) const {
    return static_cast<int>(roundQuotientHalfToEven(int64_t{hours} * P, 24) +
                            roundQuotientHalfToEven(int64_t{minutes} * P, 1440));
  }
  // x of hour mark h (1 .. 24) of day k.
  int hourMark(int k, int h) const {
    return X(k) + static_cast<int>(roundQuotientHalfToEven(int64_t{h} * P, 24));
  }
  // Top y of station row i.
  int rowTop(int i) const { return scale.apply(int64_t{kRowHeight} * i); }
  // The last row whose top is at or above y (-1 above the first).
  int rowAt(int y) const;
  // y of the date labels.
  int dateLabelTop() const { return rowTop(rowCount); }
};

}  // namespace tarvel::autoquery::chart
