// The font of the plug-in's windows. The windows are laid out in fixed pixel geometry for an
// 8-point Tahoma; this picks a font of the same pixel height and similar width that this
// platform has, so no caption is cut off. A desktop font larger than the default one makes the
// windows larger in the same proportion: their fonts and their geometry go through formScale.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tarvel::platform {

// The desktop font the windows were drawn for, in points: Qt's own default on this platform,
// which the host's window has when the desktop sets none.
inline constexpr double kDefaultDesktopPointSize = 9.0;

// How much larger the application's font is than kDefaultDesktopPointSize; never below 1, so a
// default or smaller desktop font keeps the windows as they were drawn.
double formScale();

// A length, place or size of the form's drawing at formScale; unchanged at scale 1.
int scaled(int designPixels);
QPoint scaled(QPoint design);
QSize scaled(QSize design);
QRect scaled(const QRect& design);

// Tahoma 8 pt is 11 pixels high at the 96 dpi the layouts were drawn for.
inline constexpr int kFormPixelSize = 11;

// The form's face with kFormPixelSize characters at formScale.
QFont formFont();

// Gives the window and all its children the form font.
void applyFormFont(QWidget* window);

// The layouts were drawn for Tahoma; where this platform's font runs a little wider, a one-line
// caption (check box, radio button, label) gets the few pixels it needs rather than being cut
// off. Its left and top stay.
void widenToFitCaption(QWidget* widget);

}  // namespace tarvel::platform
