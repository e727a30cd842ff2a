// Where the office database lies: its name is built from the host's own database connection
// text (its answer to HostCommand::DatabaseConnection), and a name without a server prefix is a
// file under the installation root.
#pragma once

#include <string>
#include <string_view>

#include "tarvel/contract.h"

namespace tarvel::autoquery {

// The host's answer to HostCommand::DatabaseConnection as text: a text as it is, Empty as "", an
// integer in decimal. Null is no usable answer and raises std::runtime_error.
std::string hostDatabaseText(const HostVariant& answer);

// The office database's Windows path on the office machine.
inline constexpr std::string_view kOfficeDatabasePath = "C:\\FSYS\\OFFICEDB\\OFFICE.FDB";

// The host's answer up to its first drive path, a letter in either case, a colon and a
// backslash (the server prefix, nothing when the answer holds no drive path), followed by
// kOfficeDatabasePath. "srv:C:\DB\MAIN.FDB" and "srv:d:\DB\MAIN.FDB" give "srv:C:\FSYS\…".
std::string officeDatabaseName(std::string_view hostDatabaseText);

// What the Firebird client is asked to open: a name with a server prefix goes to that server
// unchanged; one without names a local file, mapped onto the installation root
// (ROOT/FSYS/OFFICEDB/OFFICE.FDB) and opened by the embedded engine.
struct AttachmentTarget {
  std::string connectionString;
  bool embedded = false;
};
AttachmentTarget attachmentTarget(std::string_view databaseName);

}  // namespace tarvel::autoquery
