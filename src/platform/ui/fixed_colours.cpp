#include "platform/ui/fixed_colours.h"

#include <QImage>
#include <QRegion>
#include <QTabWidget>
#include <QWidget>

namespace tarvel::platform {

namespace {

// The colour of the pane a tab widget's style draws for its pages, which no palette role names:
// the tab widget drawn without its pages, read in its middle.
QColor tabPaneColour(const QTabWidget& tabs) {
  QImage point(1, 1, QImage::Format_RGB32);
  const QPoint middle = tabs.rect().center();
  // Rendering reads the widget and changes nothing of it.
  const_cast<QTabWidget&>(tabs).render(&point, QPoint(), QRegion(middle.x(), middle.y(), 1, 1),
                                       QWidget::DrawWindowBackground);

  return point.pixelColor(0, 0);
}

bool fillsItsBackground(const QWidget& widget) {
  return widget.autoFillBackground() || widget.isWindow();
}

}  // namespace

QColor backgroundBehind(const QWidget& widget) {
  // An edit box draws its field in the base colour itself.
  if (fillsItsBackground(widget) || widget.backgroundRole() == QPalette::Base) {
    return widget.palette().color(widget.backgroundRole());
  }
  for (const QWidget* parent = widget.parentWidget(); parent != nullptr;
       parent = parent->parentWidget()) {
    if (const auto* tabs = qobject_cast<const QTabWidget*>(parent)) return tabPaneColour(*tabs);
    if (fillsItsBackground(*parent)) return parent->palette().color(parent->backgroundRole());
  }
  return widget.palette().color(widget.backgroundRole());
}

}  // namespace tarvel::platform
