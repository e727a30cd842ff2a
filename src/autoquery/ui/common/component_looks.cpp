#include "autoquery/ui/common/component_looks.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

#include "platform/cp1251.h"
#include "platform/ui/form_font.h"

namespace tarvel::autoquery {

QLabel* makeLabel(QWidget* parent, const char* objectName, const char* cp1251Text, QRect place) {
  auto* label = makeComponent<QLabel>(parent, objectName);
  label->setText(platform::toUnicode(cp1251Text));
  if (place.size().isEmpty()) {
    label->move(platform::scaled(place.topLeft()));
    label->adjustSize();
  } else {
    label->setGeometry(platform::scaled(place));
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
  font.setPixelSize(platform::scaled(pixelSize));
  font.setWeight(weight);
  return font;
}

void setCaptionWithin(QLabel* label, const QString& caption, int room) {
  const QFontMetrics metrics(label->font());
  const bool fits = metrics.horizontalAdvance(caption) <= room;
  label->setText(fits ? caption : metrics.elidedText(caption, Qt::ElideRight, room));
  label->setToolTip(fits ? QString() : caption);
  label->adjustSize();
}

}  // namespace tarvel::autoquery
