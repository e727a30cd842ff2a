// Pictures of the process's windows, and closing the modal ones, for unattended runs: a command
// that opens a modal dialog blocks in it until it is closed, so both are done from a timer that
// fires while the dialog's own event loop runs.
#pragma once

#include <QString>
#include <QStringList>

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

}  // namespace tarvel::host
