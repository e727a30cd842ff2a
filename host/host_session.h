// One run of the reference host: the window, the plug-in's Load, the event loop (with the
// unattended script of unattended_script.h, when the options ask for one), and the orderly end
// (UnLoad while the application and the windows still exist, the plug-in's click handlers dropped,
// then the module released).
#pragma once

#include <QString>

#include "host/host_options.h"

namespace tarvel::host {

// libtarvel.so in the host program's folder.
QString defaultPluginPath();

// Runs the host inside the existing QApplication; returns the process's exit code: 0, or 1 when
// the plug-in cannot be opened, an --open path names no item, a --click no visible widget, the
// window of --screenshot-when does not show in time, or screenshots cannot be saved.
// With echoMessages every message-pane line goes to standard output too.
int runHost(const HostOptions& options, bool echoMessages);

}  // namespace tarvel::host
