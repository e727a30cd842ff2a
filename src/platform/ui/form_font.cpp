#include "platform/ui/form_font.h"

#include <QFontDatabase>
#include <QStringList>
#include <QWidget>

namespace tarvel::platform {

QFont formFont() {
  // Tahoma 8 pt is 11 pixels high at the 96 dpi the layouts were drawn for.
  static const QFont font = [] {
    const QStringList preferred = {"Tahoma", "Liberation Sans", "DejaVu Sans", "Noto Sans"};
    const QStringList available = QFontDatabase::families();
    QFont chosen;
    for (const QString& family : preferred) {
      if (available.contains(family)) {
        chosen.setFamily(family);
        break;
      }
    }
    chosen.setPixelSize(11);
    return chosen;
  }();
  return font;
}

void applyFormFont(QWidget* window) { window->setFont(formFont()); }

void widenToFitCaption(QWidget* widget) {
  const int wanted = widget->sizeHint().width();
  if (wanted > widget->width()) widget->resize(wanted, widget->height());
}

}  // namespace tarvel::platform
