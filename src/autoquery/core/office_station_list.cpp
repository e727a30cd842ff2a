#include "autoquery/core/office_station_list.h"

#include <algorithm>

#include "autoquery/core/auto_azs.h"

namespace tarvel::autoquery {

int32_t synchroniseWithOfficeDatabase(tAutoAZS& registry, const std::vector<std::string>& AZSNAMEs,
                                      bool wholeList) {
  const auto rows = static_cast<int32_t>(std::min<size_t>(AZSNAMEs.size(), kMaxItemCount));
  for (int32_t row = 0; row < rows; ++row) {
    TAzsItem& item = row < registry.Count() ? registry.Items(row) : registry.Add();
    item.AZSName = AZSNAMEs[static_cast<size_t>(row)];
  }
  if (wholeList) {
    for (int32_t position = registry.Count() - 1; position >= rows; --position) {
      registry.Delete(position);
    }
  }
  return static_cast<int32_t>(AZSNAMEs.size()) - rows;
}

}  // namespace tarvel::autoquery
