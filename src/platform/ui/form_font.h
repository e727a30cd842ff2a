// The font of the plug-in's windows. The windows are laid out in fixed pixel geometry for an
// 8-point Tahoma; this picks a font of the same pixel height and similar width that this
// platform has, so no caption is cut off.
#pragma once

#include <QFont>

class QWidget;

namespace tarvel::platform {

QFont formFont();

// Gives the window and all its children the form font.
void applyFormFont(QWidget* window);

}  // namespace tarvel::platform
