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

// The layouts were drawn for Tahoma; where this platform's font runs a little wider, a one-line
// caption (check box, radio button, label) gets the few pixels it needs rather than being cut
// off. Its left and top stay.
void widenToFitCaption(QWidget* widget);

}  // namespace tarvel::platform
