#include "autoquery/tools/schedule/list_command.h"

#include <QJsonArray>

#include "autoquery/tools/schedule/aligned_columns.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"

namespace tarvel::autoquery::schedule {

void writeListText(QTextStream& out, const tAutoAZS& registry) {
  if (registry.Count() == 0) {
    out << unicode(text::kEmptyRegistry) + '\n';
    return;
  }
  QList<QStringList> rows{unicode(text::kListHeader).split('\t')};
  for (int32_t position = 0; position < registry.Count(); ++position) {
    const TAzsItem& item = registry.Items(position);
    rows << QStringList{QString::number(position),
                        unicode(item.AZSName),
                        unicode(item.Enable ? text::kPollingOn : text::kPollingOff),
                        unicode(item.HasUserQuery ? text::kAsks : text::kDoesNotAsk),
                        connectionCaption(item.ConnType),
                        kindCaption(item.ConnTimeTipe),
                        timesText(item)};
  }
  writeAlignedColumns(out, rows);
}

QJsonObject listJson(const tAutoAZS& registry) {
  QJsonArray items;
  for (int32_t position = 0; position < registry.Count(); ++position) {
    const TAzsItem& item = registry.Items(position);
    items.append(QJsonObject{{"index", position},
                             {"name", unicode(item.AZSName)},
                             {"enabled", item.Enable},
                             {"asks", item.HasUserQuery},
                             {"connectionType", item.ConnType},
                             {"connectionTypeText", connectionCaption(item.ConnType)},
                             {"kind", item.ConnTimeTipe},
                             {"kindText", kindCaption(item.ConnTimeTipe)},
                             {"slots", slotsJson(item)},
                             {"timesText", timesText(item)}});
  }
  return {{"items", items}};
}

}  // namespace tarvel::autoquery::schedule
