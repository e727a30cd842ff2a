// tarvel-schedule list: every item in registry order with its settings and times.
#pragma once

#include <QJsonObject>
#include <QTextStream>

#include "autoquery/core/auto_azs.h"

namespace tarvel::autoquery::schedule {

// One line per item: index, name, polling on or off, asked or not, connection type, kind and
// times, in the words of the office window.
void writeListText(QTextStream& out, const tAutoAZS& registry);
// {"items": [{"index", "name", "enabled", "asks", "connectionType", "connectionTypeText",
// "kind", "kindText", "slots", "timesText"}]}
QJsonObject listJson(const tAutoAZS& registry);

}  // namespace tarvel::autoquery::schedule
