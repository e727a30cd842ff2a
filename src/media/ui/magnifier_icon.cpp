#include "media/ui/magnifier_icon.h"

#include <QPainter>
#include <QPixmap>

#include "platform/ui/fixed_colours.h"

namespace tarvel::media {
namespace {

QPixmap drawnMagnifier(const QColor& background) {
  using platform::kLineContrast;
  using platform::readableOn;
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  // The handle, then the glass over its upper end.
  painter.setPen(QPen(readableOn(QColor(0x60, 0x40, 0x20), background, kLineContrast), 3,
                      Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(10.5, 10.5), QPointF(14, 14));
  painter.setPen(QPen(readableOn(QColor(0x30, 0x30, 0x30), background, kLineContrast), 1.5));
  painter.setBrush(QColor(0xc8, 0xe6, 0xff));
  painter.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
  // A glint on the glass.
  painter.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap));
  painter.drawArc(QRectF(3.5, 3.5, 6, 6), 100 * 16, 70 * 16);
  return picture;
}

}  // namespace

QIcon magnifierIcon(const QColor& background) {
  return QIcon::fromTheme("edit-find", QIcon(drawnMagnifier(background)));
}

}  // namespace tarvel::media
