#include "platform/ui/components.h"

#include <QPalette>
#include <QWidget>

namespace tarvel::platform {

void setTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

}  // namespace tarvel::platform
