// The buttons every settings dialog of the plug-in has: "Применить" (apply) and "Отменить"
// (cancel) with conventional pictures, and the action that closes a dialog on Esc.
#pragma once

#include <QRect>

class QAction;
class QPushButton;
class QWidget;

namespace tarvel::platform {

// An apply button with its picture, named objectName, placed at geometry inside parent.
QPushButton* makeApplyButton(QWidget* parent, const char* objectName, const QRect& geometry);

// A cancel button with its picture, named objectName, placed at geometry inside parent.
QPushButton* makeCancelButton(QWidget* parent, const char* objectName, const QRect& geometry);

// An action of the window bound to the Esc key, named objectName; the caller connects it.
QAction* makeEscapeAction(QWidget* window, const char* objectName);

}  // namespace tarvel::platform
