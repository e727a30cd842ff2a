// How the registry lines up with the office database's station list: by position only, the
// schedule at position r being the one of the r-th station in AZSNUMBER order. Pure data: the
// window refreshes the stations' frames afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::autoquery {

class tAutoAZS;

// Row r renames the item at r, or appends a fresh item (polling off, daily, no times) named so;
// rows beyond the registry's bound (kMaxItemCount) are not added. When the whole list was read
// (wholeList), items beyond the last row are deleted from the end; a list cut short by a
// failure deletes nothing. Gives the number of rows left out for the bound.
int32_t synchroniseWithOfficeDatabase(tAutoAZS& registry, const std::vector<std::string>& AZSNAMEs,
                                      bool wholeList);

}  // namespace tarvel::autoquery
