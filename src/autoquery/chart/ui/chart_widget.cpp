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
  overlaps_ = overlapStretches(*chart_);
  focusedOverlap_ = -1;
  setFixedSize(chart_->size());
  describe();
  update();
}

void ChartWidget::paintEvent(QPaintEvent* event) {
  platform::guarded([&] {
    if (!chart_) return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& exposed : event->region()) {
      const QRect area = exposed & chart_->rect();
      if (area.isEmpty()) continue;
      if (buffer_.width() < area.width() || buffer_.height() < area.height()) {
        buffer_ = QImage(area.size().expandedTo(buffer_.size()), QImage::Format_RGB32);
      }
      chart_->paint(buffer_, area);
      painter.drawImage(area.topLeft(), buffer_, QRect(QPoint(0, 0), area.size()));
    }
    if (hasFocus() && focusedOverlap_ >= 0) {
      // A dotted frame in the text colour, as a focused item is marked.
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
      painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(focusedRect().adjusted(0, 0, -1, -1));
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
  if (focusedOverlap_ >= 0) update(focusedRect());
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
  if (focusedOverlap_ >= 0) update(focusedRect());
}

void ChartWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (focusedOverlap_ >= 0) update(focusedRect());
  QToolTip::hideText();
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
