// Making an office database: a Firebird file with the table OFFICE (AZSNUMBER, AZSNAME in
// Windows-1251) and the given rows. For tests, benchmarks and the demo installation; the plug-in
// itself only reads the office program's database.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvel::autoquery {

struct OfficeStation {
  int32_t AZSNUMBER = 0;
  std::string AZSNAME;  // Windows-1251 bytes, at most 60 (a longer name is an error)
};

// Creates a new database file at a local path through the embedded engine (the folder must
// exist, the file must not), without any table. Raises OfficeDatabaseError on failure.
void createEmptyOfficeDatabase(const std::filesystem::path& file);

// Creates the database with the table OFFICE holding these rows, inserted in the given order.
void createOfficeDatabase(const std::filesystem::path& file,
                          const std::vector<OfficeStation>& stations);

}  // namespace tarvel::autoquery
