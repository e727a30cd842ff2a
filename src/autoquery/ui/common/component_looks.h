// Small helpers the office windows share to make their named components with the looks they
// were drawn with: labels, fonts and the colours of the office's captions.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "platform/ui/components.h"

class QLabel;
class QWidget;

namespace tarvel::autoquery {

inline const QColor kGreen(0, 128, 0);
inline const QColor kMaroon(128, 0, 0);
inline const QColor kNavy(0, 0, 128);

// A widget of class Widget named objectName inside parent.
template <typename Widget>
Widget* makeComponent(QWidget* parent, const char* objectName) {
  auto* widget = new Widget(parent);
  widget->setObjectName(QString::fromLatin1(objectName));
  return widget;
}

// A label with a Windows-1251 caption at the form's place (grown with formScale); an empty place
// size makes it size itself to its caption, as an auto-sized label does.
QLabel* makeLabel(QWidget* parent, const char* objectName, const char* cp1251Text, QRect place);

// The serif face the captions were drawn with (Times New Roman), of the form's pixelSize grown
// with formScale, or the closest this platform has.
QFont serifFont(int pixelSize, QFont::Weight weight);

// The colour a widget's caption was drawn with, followed on a dark palette by a readable one.
using platform::setTextColor;

// Gives an auto-sized label its caption; a caption wider than room pixels is shortened with "…"
// and shown whole in the label's tooltip, so it never runs under what lies beside the label.
void setCaptionWithin(QLabel* label, const QString& caption, int room);

}  // namespace tarvel::autoquery
