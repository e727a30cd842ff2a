// Which window a window of the plug-in belongs to. The plug-in shares the host's QApplication but
// is told nothing of the host's windows, so it finds the one the operator works in when its own
// window is shown. The window system keeps a window above the one it belongs to and, where a
// modal window blocks that one, hands the keys to it: on Wayland, which has no window groups,
// this is the only way it knows whose dialog it is.
#pragma once

class QWidget;

namespace tarvel::platform {

// The window the operator works in, for window (not itself, nor one that belongs to it): the
// top-most modal window, else the active window, else the host's main window (a shown
// QMainWindow, or a shown plain top-level window that belongs to none); nullptr when the host
// shows no window.
QWidget* operatorWindow(const QWidget* window);

// Makes the top-level window belong to owner (without owner: to the operatorWindow), for its
// next showing; call it before the window is shown, as from its showEvent. Belonging is no
// ownership: owner never deletes window, and window outlives owner unharmed.
void belongToOwner(QWidget& window, QWidget* owner = nullptr);

}  // namespace tarvel::platform
