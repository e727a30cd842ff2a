#include "autoquery/ui/component_looks.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

#include "platform/cp1251.h"

namespace tarvel::autoquery {

QLabel* makeLabel(QWidget* parent, const char* objectName, const char* cp1251Text, QRect place) {
  auto* label = makeComponent<QLabel>(parent, objectName);
  label->setText(platform::toUnicode(cp1251Text));
  if (place.size().isEmpty()) {
    label->move(place.topLeft());
    label->adjustSize();
  } else {
    label->setGeometry(place);
  }
  return label;
}

QFont serifFont(int pixelSize, QFont::Weight weight) {
  static const QString family = [] {
    const QStringList preferred = {"Times New Roman", "Liberation Serif", "DejaVu Serif"};
    const QStringList available = QFontDatabase::families();
    for (const QString& candidate : preferred) {
      if (available.contains(candidate)) return candidate;
    }
    return QString("serif");
  }();
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setWeight(weight);
  return font;
}

void setTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  // A caption on a panel of button colour is drawn in the button's text colour.
  palette.setColor(QPalette::ButtonText, color);
  widget->setPalette(palette);
}

void setCaptionWithin(QLabel* label, const QString& caption, int room) {
  const QFontMetrics metrics(label->font());
  const bool fits = metrics.horizontalAdvance(caption) <= room;
  label->setText(fits ? caption : metrics.elidedText(caption, Qt::ElideRight, room));
  label->setToolTip(fits ? QString() : caption);
  label->adjustSize();
}

}  // namespace tarvel::autoquery
