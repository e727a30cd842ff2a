#include "autoquery/chart/ui/chart_widget.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>
#include <algorithm>

#include "autoquery/chart/chart_geometry.h"
#include "autoquery/chart/chart_texts.h"
#include "autoquery/chart/timeline_chart.h"
#include "platform/clock.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"

namespace tarvel::autoquery::chart {
namespace {

// How much of the chart's first row Tab keeps in sight beside the station names.
constexpr int kBeginningWidth = 100;

// The device pixels of a scale that show a rectangle of the widget's own pixels.
QRect devicePixelsOf(const QRect& rect, PixelScale scale) {
  const auto down = [&](int value) {
    return static_cast<int>(floorQuotient(int64_t{value} * scale.numerator, scale.denominator));
  };
  const auto up = [&](int value) {
    return -static_cast<int>(floorQuotient(-int64_t{value} * scale.numerator, scale.denominator));
  };
  return QRect(QPoint(down(rect.left()), down(rect.top())),
               QPoint(up(rect.right() + 1) - 1, up(rect.bottom() + 1) - 1));
}

}  // namespace

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(0, 0);
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::redraw(std::span<const TAzsItem* const> items, int zoom, int span) {
  auto prepared = std::make_unique<TimelineChart>(items, zoom, span, platform::now(),
                                                  palette().color(QPalette::Button).rgb());
  chart_ = std::move(prepared);
  deviceChart_.reset();
  overlaps_ = overlapStretches(*chart_);
  focusedOverlap_ = -1;
  setFixedSize(chart_->size());
  describe();
  update();
}

const TimelineChart& ChartWidget::chartAt(PixelScale scale) {
  if (scale == PixelScale{}) return *chart_;
  if (!deviceChart_ || deviceChart_->geometry().scale != scale) {
    deviceChart_ = std::make_unique<TimelineChart>(*chart_, scale);
  }
  return *deviceChart_;
}

void ChartWidget::paintEvent(QPaintEvent* event) {
  platform::guarded([&] {
    if (!chart_) return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // The ratio of the device painted on: the screen's, or a grabbed picture's.
    const qreal ratio = painter.deviceTransform().m11();
    const PixelScale scale = PixelScale::ofRatio(ratio);
    const TimelineChart& drawn = chartAt(scale);
    for (const QRect& exposed : event->region()) {
      const QRect area = devicePixelsOf(exposed, scale) & drawn.rect();
      if (area.isEmpty()) continue;
      if (buffer_.width() < area.width() || buffer_.height() < area.height()) {
        buffer_ = QImage(area.size().expandedTo(buffer_.size()), QImage::Format_RGB32);
      }
      drawn.paint(buffer_, area);
      buffer_.setDevicePixelRatio(ratio);
      painter.drawImage(QRectF(QPointF(area.topLeft()) / ratio, QSizeF(area.size()) / ratio),
                        buffer_, QRectF(QPointF(0, 0), QSizeF(area.size())));
    }
    if (hasFocus()) {
      // A dotted frame in the text colour, one device pixel wide, as a focused item is marked:
      // around the reached overlap, else inside the chart's edge.
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
      painter.setPen(QPen(palette().color(QPalette::WindowText), 0, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      const QRect framed = focusedOverlap_ >= 0 ? focusedRect() : rect();
      painter.drawRect(framed.adjusted(0, 0, -1, -1));
    }
  });
}

QRect ChartWidget::focusedRect() const {
  const OverlapStretch& stretch = overlaps_[static_cast<size_t>(focusedOverlap_)];
  const std::vector<int> rows = chart_->greenRowsAt(stretch.first);
  const int top = rows.empty() ? 0 : rows.front() * kRowHeight + row_offset::kBoxTop - 2;
  const int bottom =
      rows.empty() ? height() : rows.back() * kRowHeight + row_offset::kBoxBottom + 3;
  // At least a few pixels wide, so a one-column stretch is seen.
  const int left = std::max(0, stretch.first - 2);
  return QRect(QPoint(left, top), QPoint(std::min(width() - 1, stretch.end + 1), bottom));
}

void ChartWidget::describe() {
  std::string description;
  if (chart_ && focusedOverlap_ >= 0) {
    description = overlapHint(*chart_, overlaps_[static_cast<size_t>(focusedOverlap_)].first);
  } else if (overlaps_.empty()) {
    description = text::kNoOverlaps;
  } else {
    description = text::kOverlapsCount + std::to_string(overlaps_.size()) + text::kOverlapKeys;
  }
  setAccessibleDescription(platform::toUnicode(description));
}

void ChartWidget::focusOverlap(int index) {
  if (overlaps_.empty()) return;
  index = std::clamp(index, 0, static_cast<int>(overlaps_.size()) - 1);
  update(focusFrameRegion());
  focusedOverlap_ = index;
  const QRect marked = focusedRect();
  update(marked);
  for (QWidget* ancestor = parentWidget(); ancestor != nullptr;
       ancestor = ancestor->parentWidget()) {
    if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
      const QPoint centre = mapTo(area->widget(), marked.center());
      area->ensureVisible(centre.x(), centre.y(), marked.width() / 2 + 40,
                          marked.height() / 2 + 10);
      break;
    }
  }
  describe();
}

void ChartWidget::showFocusedHint() {
  if (focusedOverlap_ < 0) return;
  const QRect marked = focusedRect();
  QToolTip::showText(mapToGlobal(QPoint(marked.right() + 4, marked.top())), accessibleDescription(),
                     this, marked);
}

void ChartWidget::keyPressEvent(QKeyEvent* event) {
  const int last = static_cast<int>(overlaps_.size()) - 1;
  int target = -1;
  switch (event->key()) {
    case Qt::Key_Right:
      target = focusedOverlap_ < 0 ? 0 : std::min(focusedOverlap_ + 1, last);
      break;
    case Qt::Key_Left:
      target = focusedOverlap_ < 0 ? last : std::max(focusedOverlap_ - 1, 0);
      break;
    case Qt::Key_Home:
      target = 0;
      break;
    case Qt::Key_End:
      target = last;
      break;
    default:
      break;
  }
  // Without overlaps (or another key) the key goes on to the scroll box, which scrolls.
  if (target < 0 || overlaps_.empty()) {
    QWidget::keyPressEvent(event);
    return;
  }
  platform::guarded([&] { focusOverlap(target); });
}

void ChartWidget::keyReleaseEvent(QKeyEvent* event) {
  // Shown when the key is let go: a tooltip goes away at any key, its release included.
  const int key = event->key();
  if (!event->isAutoRepeat() &&
      (key == Qt::Key_Right || key == Qt::Key_Left || key == Qt::Key_Home || key == Qt::Key_End)) {
    platform::guarded([this] { showFocusedHint(); });
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void ChartWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update(focusFrameRegion());
}

void ChartWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update(focusFrameRegion());
  QToolTip::hideText();
}

QRegion ChartWidget::focusFrameRegion() const {
  if (focusedOverlap_ >= 0) return focusedRect();
  // The four edges only: the chart may be far larger than the screen.
  const QRect whole = rect();
  QRegion edges = whole;
  return edges.subtracted(whole.adjusted(1, 1, -1, -1));
}

void ChartWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::PaletteChange || !chart_) return;
  // A theme switched while the window is open: the chart takes the new button face.
  const QRgb buttonFace = palette().color(QPalette::Button).rgb();
  chart_->setBackground(buttonFace);
  if (deviceChart_) deviceChart_->setBackground(buttonFace);
  update();
}

QVariant ChartWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query != Qt::ImCursorRectangle || !chart_) return QWidget::inputMethodQuery(query);
  if (focusedOverlap_ >= 0) return focusedRect();
  // From the top left corner of the parent (the column header and the station names there) to
  // the chart's first row and first hours.
  return QRect(QPoint(-x(), -y()), QPoint(std::min(width(), kBeginningWidth) - 1,
                                          std::min(height(), kRowHeight) - 1));
}

bool ChartWidget::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  platform::guarded([&] {
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::string hint = chart_ ? timelineHint(*chart_, help->pos()) : std::string();
    if (hint.empty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), platform::toUnicode(hint), this);
    }
  });
  return true;
}

}  // namespace tarvel::autoquery::chart
