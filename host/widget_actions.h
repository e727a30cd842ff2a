// What the unattended script does to a widget beyond a click at its centre: click a row of a
// list, tree or table, type into a field, and read what a widget shows. Clicks and keys go to the
// widget's window as the platform delivers them, so Qt's own handling (the current row before the
// selection, focus, input masks) runs as it does for a person.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tarvel::host {

// Clicks row (from 0) of an item view on its first column's visual rectangle, scrolled into
// sight first. False when widget is no item view or has no such row.
bool clickRow(QWidget& widget, int row);

// Clicks into widget near its left edge, selects all with Ctrl+A and types text key by key, each
// character a key press and release that carry it.
void typeText(QWidget& widget, const QString& text);

// What widget shows: a field's displayed text, a label's or button's text, a combo box's current
// text, or the current row of an item view; with row, that row of an item view. A row's text is
// its columns' texts joined by a blank. std::nullopt when the widget shows no such text.
std::optional<QString> shownText(const QWidget& widget, std::optional<int> row = std::nullopt);

}  // namespace tarvel::host
