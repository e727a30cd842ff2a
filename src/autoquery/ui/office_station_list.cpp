#include "autoquery/ui/office_station_list.h"

#include <stdexcept>

#include "autoquery/core/auto_azs.h"
#include "autoquery/database/office_database.h"
#include "autoquery/ui/office_window_texts.h"

namespace tarvel::autoquery {

std::string hostDatabaseText(const HostVariant& answer) {
  switch (answer.kind) {
    case HostVariant::Kind::Empty:
      return {};
    case HostVariant::Kind::Integer:
      return std::to_string(answer.integer);
    case HostVariant::Kind::Text:
      return answer.text;
    case HostVariant::Kind::Null:
      break;
  }
  throw std::runtime_error(text::kNullHostAnswer);
}

void synchroniseWithOfficeDatabase(tAutoAZS& registry, OfficeDatabase& database,
                                   const std::string& databaseName) {
  database.connect(databaseName);
  database.startTransaction();
  for (int32_t position = 0; position < registry.Count(); ++position) {
    registry.Items(position).RefreshFrame();
  }
  int32_t row = 0;
  database.forEachStationName([&](const std::string& AZSNAME) {
    if (row < registry.Count()) {
      TAzsItem& item = registry.Items(row);
      item.AZSName = AZSNAME;
      item.RefreshFrame();
    } else {
      TAzsItem& item = registry.Add();
      item.AZSName = AZSNAME;
      item.RefreshFrame();
      if (item.Frame) {
        item.Frame->setVisible(true);
        item.Frame->setAZSIndex(registry.Count() - 1);
      }
    }
    ++row;
  });
  for (int32_t position = registry.Count() - 1; position >= row; --position) {
    registry.Delete(position);
  }
}

}  // namespace tarvel::autoquery
