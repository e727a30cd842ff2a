#include "autoquery/ui/schedule_editor/toggle_switch.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace tarvel::autoquery {
namespace {

const QColor kOnTrack(40, 170, 60);
const QColor kOffTrack(170, 170, 170);
const QColor kKnob(250, 250, 250);
const QColor kOutline(90, 90, 90);

}  // namespace

ToggleSwitch::ToggleSwitch(QWidget* parent) : QAbstractButton(parent) {
  setCheckable(true);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // The track: a rounded slot in the middle of the control, twice as high as it is wide.
  const int trackWidth = qMin(width() - 8, height() / 2);
  const int trackHeight = qMin(height() - 6, trackWidth * 2);
  const QRectF track((width() - trackWidth) / 2.0, (height() - trackHeight) / 2.0, trackWidth,
                     trackHeight);
  painter.setPen(QPen(kOutline, 1));
  painter.setBrush(isChecked() ? kOnTrack : kOffTrack);
  painter.drawRoundedRect(track, trackWidth / 2.0, trackWidth / 2.0);
  // The knob: at the top when on, at the bottom when off.
  const qreal knobSize = trackWidth - 6;
  const qreal knobTop = isChecked() ? track.top() + 3 : track.bottom() - 3 - knobSize;
  painter.setBrush(isEnabled() ? kKnob : kOffTrack.lighter(130));
  painter.drawEllipse(QRectF(track.left() + 3, knobTop, knobSize, knobSize));
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(track.adjusted(-2, -2, 2, 2), trackWidth / 2.0 + 2,
                            trackWidth / 2.0 + 2);
  }
}

void ToggleSwitch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressPoint_ = event->position().toPoint();
    dragging_ = false;
  }
  QAbstractButton::mousePressEvent(event);
}

void ToggleSwitch::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) &&
      (event->position().toPoint() - pressPoint_).manhattanLength() >=
          QApplication::startDragDistance()) {
    dragging_ = true;
  }
  QAbstractButton::mouseMoveEvent(event);
}

void ToggleSwitch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) {
    QAbstractButton::mouseReleaseEvent(event);
    return;
  }
  // A drag is no plain click: the knob stays in the half it was let go in, also past the ends,
  // so dragging it towards the side it already stands on changes nothing.
  dragging_ = false;
  setDown(false);  // so that the button's own release ends the press without a click
  QAbstractButton::mouseReleaseEvent(event);
  event->accept();
  const bool letGoInUpperHalf = event->position().y() < height() / 2.0;
  if (letGoInUpperHalf != isChecked()) click();
}

}  // namespace tarvel::autoquery
