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
  throw std::runtime_error(texts::kNullHostAnswer);
}

void synchroniseWithOfficeDatabase(tAutoAZS& registry, OfficeDatabase& database,
                                   const std::string& databaseName) {
  database.connect(databaseName);
  database.startTransaction();
  int32_t row = 0;
  database.forEachStationName([&](const std::string& AZSNAME) {
    if (row < registry.Count()) {
      registry.Items(row).AZSName = AZSNAME;
    } else {
      registry.Add().AZSName = AZSNAME;
    }
    ++row;
  });
  for (int32_t position = registry.Count() - 1; position >= row; --position) {
    registry.Delete(position);
  }
}

}  // namespace tarvel::autoquery
