#include "autoquery/chart/chart_geometry.h"

#include <stdexcept>

namespace tarvel::autoquery::chart {

ChartGeometry ChartGeometry::make(int zoom, int span, int rowCount, int64_t millisecondOfDay) {
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
  geometry.P = 100 * zoom;
  geometry.W = geometry.P * span;
  geometry.H = kRowHeight * rowCount + kDateStripHeight;
  // x0 = round(1 - f * P) with f = millisecondOfDay / day, as one exact quotient.
  geometry.x0 = static_cast<int>(roundQuotientHalfToEven(
      kMillisecondsPerDay - millisecondOfDay * geometry.P, kMillisecondsPerDay));
  geometry.w = static_cast<int>(roundQuotientHalfToEven(geometry.P, 24));
  return geometry;
}

}  // namespace tarvel::autoquery::chart
