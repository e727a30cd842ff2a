// How the office window lines its schedules up with the office database: by position only, the
// schedule at position r being the one of the r-th station in AZSNUMBER order.
#pragma once

#include <string>

#include "tarvel/contract.h"

namespace tarvel::autoquery {

class OfficeDatabase;
class tAutoAZS;

// The host's answer to Command(69, 0) as text: a text as it is, Empty as "", an integer in
// decimal. Null is no usable answer and raises std::runtime_error.
std::string hostDatabaseText(const HostVariant& answer);

// Connects (unless connected) to the named database, starts the read-only transaction, then
// walks the station list: row r renames the item at r (or appends a fresh one); items beyond
// the last row are deleted from the end. Raises on the first failure; what was done before it
// stays done. The window refreshes its frames afterwards.
void synchroniseWithOfficeDatabase(tAutoAZS& registry, OfficeDatabase& database,
                                   const std::string& databaseName);

}  // namespace tarvel::autoquery
