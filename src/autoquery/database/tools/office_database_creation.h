// Making an office database: a Firebird file with the table OFFICE (AZSNUMBER, AZSNAME in
// Windows-1251, or in UTF-8 as a database of another office program may hold it) and the given
// rows; and the security database of a Firebird server that lets the office in. For the test
// fixtures, the benchmarks and the demo installation; the plug-in itself only reads the office
// program's database and does not link this.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvel::autoquery {

struct OfficeStation {
  int32_t AZSNUMBER = 0;
  std::string AZSNAME;  // in the column's character set, at most 60 bytes (more is an error)
};

// The character set of the AZSNAME column, in which the names are given.
enum class NameCharacterSet { Win1251, Utf8 };

// Creates a new database file at a local path through the embedded engine (the folder must
// exist, the file must not), without any table. Raises OfficeDatabaseError on failure.
void createEmptyOfficeDatabase(const std::filesystem::path& file);

// Creates the database with the table OFFICE holding these rows, inserted in the given order.
void createOfficeDatabase(const std::filesystem::path& file,
                          const std::vector<OfficeStation>& stations,
                          NameCharacterSet characterSet = NameCharacterSet::Win1251);

// Creates the security database of a Firebird server (Srp users) through the embedded engine,
// holding the office's user with the office's password, as the server at a real office has it.
void createSecurityDatabase(const std::filesystem::path& file);

}  // namespace tarvel::autoquery
