// The fixed colours the windows were drawn with (blue station names, a maroon time, a navy
// link...) are kept as drawn on a light palette. On a dark one, where they would be unreadable,
// each gives way to its counterpart of the same hue that reads on the background it stands on.
#pragma once

#include <QColor>

#include "platform/readable_colour.h"

class QWidget;

namespace tarvel::platform {

// The colour that shows behind the widget's own drawing: its own background for an edit box or a
// widget that fills its background, else that of the nearest parent that fills its background
// (a button-coloured panel), the pane of the tab widget it stands in, or its window's.
QColor backgroundBehind(const QWidget& widget);

}  // namespace tarvel::platform
