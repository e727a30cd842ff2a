#include "autoquery/database/office_database_name.h"

#include <stdexcept>

#include "autoquery/database/office_database_texts.h"
#include "platform/install_root.h"

namespace tarvel::autoquery {

namespace {
constexpr std::string_view kDriveC = "C:\\";
}

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

std::string officeDatabaseName(std::string_view hostDatabaseText) {
  const size_t drive = hostDatabaseText.find(kDriveC);
  // An answer without "C:\" names no server: the office database is the local one.
  const std::string_view prefix =
      drive == std::string_view::npos ? std::string_view{} : hostDatabaseText.substr(0, drive);
  return std::string(prefix) + std::string(kOfficeDatabasePath);
}

AttachmentTarget attachmentTarget(std::string_view databaseName) {
  if (databaseName.find(kDriveC) != 0) {
    return {.connectionString = std::string(databaseName), .embedded = false};
  }
  return {.connectionString = platform::mapWindowsPath(databaseName).string(), .embedded = true};
}

}  // namespace tarvel::autoquery
