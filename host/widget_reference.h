// How the command line names a widget to click: its objectName, and which of the visible widgets
// of that name when several share it (the office window's station frames all do).
#pragma once

#include <QString>
#include <optional>

namespace tarvel::host {

struct WidgetReference {
  QString objectName;
  int index = 0;  // among the visible widgets of that name, from 0, in the object tree's order
};

// "NAME" is the first visible widget of that name, "NAME#N" the one at N (a decimal from 0);
// std::nullopt for an empty name or an N that is not such a number.
std::optional<WidgetReference> parseWidgetReference(const QString& text);

}  // namespace tarvel::host
