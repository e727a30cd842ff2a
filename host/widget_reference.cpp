#include "host/widget_reference.h"

#include <algorithm>

namespace tarvel::host {
namespace {

// A decimal from 0 written in digits only: toInt alone would accept a sign and blanks.
std::optional<int> decimalFromZero(const QString& number) {
  bool isNumber = false;
  const int value = number.toInt(&isNumber);
  const bool digitsOnly =
      !number.isEmpty() && std::all_of(number.begin(), number.end(),
                                       [](QChar character) { return character.isDigit(); });
  if (!isNumber || !digitsOnly) return std::nullopt;
  return value;
}

}  // namespace

std::optional<WidgetReference> parseWidgetReference(const QString& text) {
  QString widget = text;
  WidgetReference reference;
  const qsizetype at = text.lastIndexOf('@');
  if (at >= 0) {
    reference.row = decimalFromZero(text.mid(at + 1));
    if (!reference.row) return std::nullopt;
    widget = text.left(at);
  }
  const qsizetype hash = widget.lastIndexOf('#');
  reference.objectName = hash < 0 ? widget : widget.left(hash);
  if (reference.objectName.isEmpty()) return std::nullopt;
  if (hash < 0) return reference;
  const auto index = decimalFromZero(widget.mid(hash + 1));
  if (!index) return std::nullopt;
  reference.index = *index;
  return reference;
}

std::optional<std::pair<WidgetReference, QString>> parseWidgetText(const QString& text) {
  const qsizetype equals = text.indexOf('=');
  if (equals < 0) return std::nullopt;
  const auto reference = parseWidgetReference(text.left(equals));
  if (!reference) return std::nullopt;
  return std::pair{*reference, text.mid(equals + 1)};
}

QString referenceText(const WidgetReference& reference) {
  QString text = reference.objectName;
  if (reference.index != 0) text += QString("#%1").arg(reference.index);
  if (reference.row) text += QString("@%1").arg(*reference.row);
  return text;
}

}  // namespace tarvel::host
