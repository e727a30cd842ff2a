// Pictures of the process's windows, clicks on their widgets and closing the modal ones, for
// unattended runs: a command that opens a modal dialog blocks in it until it is closed, so all of
// these are done from timers that fire while the dialog's own event loop runs.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

#include "host/widget_reference.h"

class QWidget;

namespace tarvel::host {

// Saves every visible top-level window of the application as a PNG into folder (created when
// missing), named after its objectName, or its class name when it has none, made safe for a
// file name; a second window of the same name gets "-2", "-3" and so on. Returns the paths
// written, sorted. Throws std::runtime_error when the folder cannot be made or a file cannot be
// written.
QStringList saveWindowScreenshots(const QString& folder);

// Closes the modal windows that are open, the innermost first; stops at one that refuses to
// close. Returns how many were closed.
int closeModalWindows();

// The visible widget the reference names, searched in the top-most modal window (itself
// included) or, when none is modal, in every visible window; nullptr when there is none.
QWidget* findWidget(const WidgetReference& reference);

// A left click at the widget's centre, scrolled into sight in the scroll areas around it first,
// delivered to its window as the platform delivers one, so whatever is on top at that point (a
// child label) gets it first and passes it on as in a real click. It returns when the click's
// handlers do: after any modal dialog they opened closed.
void clickWidget(QWidget& widget);
// The same click at position, in the widget's own coordinates.
void clickWidgetAt(QWidget& widget, QPoint position);

// A visible top-level window whose objectName or class name (with or without its namespace) is
// name; nullptr when there is none.
QWidget* findVisibleWindow(const QString& name);

}  // namespace tarvel::host
