#include "autoquery/chart/ui/chart_widget.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include "autoquery/chart/timeline_chart.h"
#include "autoquery/chart/timeline_hints.h"
#include "platform/clock.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"

namespace tarvel::autoquery::chart {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(0, 0);
}

ChartWidget::~ChartWidget() = default;

void ChartWidget::redraw(std::span<const TAzsItem* const> items, int zoom, int span) {
  auto prepared = std::make_unique<TimelineChart>(items, zoom, span, platform::now(),
                                                  palette().color(QPalette::Button).rgb());
  chart_ = std::move(prepared);
  setFixedSize(chart_->size());
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
  });
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
