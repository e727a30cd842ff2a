// How the command line names a widget to click, type into or check: its objectName, which of the
// visible widgets of that name when several share it (the office window's station frames all
// do), and a row when the widget is a list, tree or table.
#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace tarvel::host {

struct WidgetReference {
  QString objectName;
  int index = 0;           // among the visible widgets of that name, from 0, in the object tree's order
  std::optional<int> row = std::nullopt;  // a row of an item view, from 0; the whole widget when absent

  bool operator==(const WidgetReference&) const = default;
};

// "NAME" is the first visible widget of that name, "NAME#N" the one at N, and either followed by
// "@ROW" a row of it (N and ROW decimals from 0); std::nullopt for an empty name or an N or ROW
// that is not such a number.
std::optional<WidgetReference> parseWidgetReference(const QString& text);

// "REFERENCE=TEXT" of --type and --expect: the reference before the first "=", the text after it
// (which may be empty or hold "=" itself); std::nullopt without "=" or for a bad reference.
std::optional<std::pair<WidgetReference, QString>> parseWidgetText(const QString& text);

// The reference as the command line writes it, for the run's lines.
QString referenceText(const WidgetReference& reference);

}  // namespace tarvel::host
