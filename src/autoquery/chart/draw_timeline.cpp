#include "autoquery/chart/draw_timeline.h"

#include <new>
#include <stdexcept>
#include <string>

#include "autoquery/chart/chart_texts.h"
#include "autoquery/chart/timeline_chart.h"

namespace tarvel::autoquery::chart {

void DrawTimeline(std::span<const TAzsItem* const> items, QImage& picture, int zoom, int span,
                  QRgb buttonFace) {
  drawTimelineAt(items, picture, zoom, span, buttonFace, platform::now());
}

void drawTimelineAt(std::span<const TAzsItem* const> items, QImage& picture, int zoom, int span,
                    QRgb buttonFace, platform::DateTime now) {
  const ChartGeometry size = ChartGeometry::make(zoom, span, static_cast<int>(items.size()), 0);
  if (int64_t{size.W} * size.H * 4 > kMaxPictureBytes) {
    throw std::runtime_error(text::kPictureTooLarge + std::to_string(size.W) + " x " +
                             std::to_string(size.H) + text::kPixels);
  }
  const TimelineChart chart(items, zoom, span, now, buttonFace);
  QImage drawn(chart.size(), QImage::Format_RGB32);
  if (drawn.isNull()) throw std::bad_alloc();
  chart.paint(drawn, chart.rect());
  picture = std::move(drawn);
}

}  // namespace tarvel::autoquery::chart
