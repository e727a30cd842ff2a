#include "autoquery/chart/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace tarvel::autoquery::chart {

PixelScale PixelScale::ofRatio(double ratio) {
  constexpr int kSteps = 120, kMaxScale = 8;
  const int numerator = std::clamp(static_cast<int>(std::lround(ratio * kSteps)), kSteps,
                                   kMaxScale * kSteps);
  const int common = std::gcd(numerator, kSteps);
  return {numerator / common, kSteps / common};
}

ChartGeometry ChartGeometry::make(int zoom, int span, int rowCount, int64_t millisecondOfDay,
                                  PixelScale scale) {
  if (zoom < kMinZoom || zoom > kMaxZoom) throw std::invalid_argument("chart zoom outside 1 .. 5");
  if (span < kMinSpan || span > kMaxSpan) throw std::invalid_argument("chart span outside 1 .. 31");
  if (rowCount < 0) throw std::invalid_argument("negative chart row count");
  if (millisecondOfDay < 0 || millisecondOfDay >= kMillisecondsPerDay) {
    throw std::invalid_argument("chart time of day outside one day");
  }
  ChartGeometry geometry;
  geometry.zoom = zoom;
  geometry.span = span;
  geometry.rowCount = rowCount;
  geometry.scale = scale;
  geometry.P = scale.apply(100 * zoom);
  geometry.W = geometry.P * span;
  geometry.H = scale.apply(int64_t{kRowHeight} * rowCount + kDateStripHeight);
  // x0 = round(s - f * P) with f = millisecondOfDay / day and s the scale (the present stands
  // at the chart's x = 1), as one exact quotient.
  geometry.x0 = static_cast<int>(
      roundQuotientHalfToEven(scale.numerator * kMillisecondsPerDay -
                                  int64_t{scale.denominator} * millisecondOfDay * geometry.P,
                              int64_t{scale.denominator} * kMillisecondsPerDay));
  geometry.w = static_cast<int>(roundQuotientHalfToEven(geometry.P, 24));
  geometry.line = std::max(1, scale.numerator / scale.denominator);
  RowLayout& row = geometry.inRow;
  row.dayDot = scale.apply(row_offset::kDayDot);
  row.hourMark = scale.apply(row_offset::kHourMark);
  row.bandTop = scale.apply(row_offset::kBandTop);
  row.boxTop = row.bandTop + geometry.line;
  row.notchEnd = std::max(scale.apply(row_offset::kNotch + 1), row.boxTop + geometry.line);
  row.timeLabel = scale.apply(row_offset::kTimeLabel);
  row.bandBottom = scale.apply(row_offset::kBandBottom);
  row.boxBottom = row.bandBottom - 1;
  return geometry;
}

int ChartGeometry::rowAt(int y) const {
  // Row tops lie 40 scaled pixels apart, each rounded on its own: start from the exact quotient
  // and step over the rounding.
  int found = static_cast<int>(floorQuotient(int64_t{y} * scale.denominator,
                                             int64_t{kRowHeight} * scale.numerator));
  while (rowTop(found + 1) <= y) ++found;
  while (rowTop(found) > y) --found;
  return found;
}

}  // namespace tarvel::autoquery::chart
