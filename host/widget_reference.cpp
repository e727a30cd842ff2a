#include "host/widget_reference.h"

#include <algorithm>

namespace tarvel::host {

std::optional<WidgetReference> parseWidgetReference(const QString& text) {
  const qsizetype hash = text.lastIndexOf('#');
  WidgetReference reference{hash < 0 ? text : text.left(hash), 0};
  if (reference.objectName.isEmpty()) return std::nullopt;
  if (hash < 0) return reference;
  const QString number = text.mid(hash + 1);
  bool isNumber = false;
  reference.index = number.toInt(&isNumber);
  // toInt accepts a sign and blanks; an index is digits only.
  const bool digitsOnly =
      !number.isEmpty() && std::all_of(number.begin(), number.end(),
                                       [](QChar character) { return character.isDigit(); });
  if (!isNumber || !digitsOnly) return std::nullopt;
  return reference;
}

}  // namespace tarvel::host
