#include "autoquery/database/office_database_name.h"

#include <stdexcept>

#include "autoquery/database/office_database_texts.h"
#include "platform/install_root.h"

namespace tarvel::autoquery {

namespace {

constexpr std::string_view kDriveC = "C:\\";

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Where the first drive path of a text begins: a letter in either case, a colon, a backslash.
std::size_t firstDrivePath(std::string_view text) {
  for (std::size_t position = 0; position + 2 < text.size(); ++position) {
    if (isAsciiLetter(text[position]) && text[position + 1] == ':' && text[position + 2] == '\\') {
      return position;
    }
  }
  return std::string_view::npos;
}

}  // namespace

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
  const std::size_t drive = firstDrivePath(hostDatabaseText);
  // An answer without a drive path names no server: the office database is the local one.
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
