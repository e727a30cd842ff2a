// One way to build a dialog: every component is made as a child of its parent, carries its
// name as objectName and stands at the place the form was drawn with, grown with a larger
// desktop font (formScale). Captions are Windows-1251 and converted here.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <string_view>

#include "platform/cp1251.h"
#include "platform/ui/form_font.h"

class QColor;
class QWidget;

namespace tarvel::platform {

// A named component owned by owner: a widget, or a timer or action of the window.
template <typename Component, typename Owner>
Component* makeComponent(Owner* owner, const char* name) {
  auto* component = new Component(owner);
  component->setObjectName(QString::fromLatin1(name));
  return component;
}

// A widget named name inside parent at the form's geometry (left, top, width, height).
template <typename Widget>
Widget* placeComponent(QWidget* parent, const char* name, const QRect& geometry) {
  auto* widget = makeComponent<Widget>(parent, name);
  widget->setGeometry(scaled(geometry));
  return widget;
}

// The same with its caption.
template <typename Widget>
Widget* placeComponent(QWidget* parent, const char* name, const QRect& geometry,
                       std::string_view caption) {
  auto* widget = placeComponent<Widget>(parent, name, geometry);
  widget->setText(toUnicode(caption));
  return widget;
}

// An auto-sized label: its top left corner at topLeft, its size that of its caption.
template <typename Label>
Label* placeLabel(QWidget* parent, const char* name, QPoint topLeft, std::string_view caption) {
  auto* label = makeComponent<Label>(parent, name);
  label->setText(toUnicode(caption));
  label->move(scaled(topLeft));
  label->adjustSize();
  return label;
}

// The colour a component's caption was drawn with: shown as it is on a light palette; on a dark
// one, replaced by its counterpart of the same hue that reads on the component's background,
// worked out again whenever the palette changes (readableOn).
void setTextColor(QWidget* widget, const QColor& color);

}  // namespace tarvel::platform
