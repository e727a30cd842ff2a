// The database server that a remote connection string names, read as the Firebird client reads
// it, so that the plug-in can find out whether the server takes connections before the client
// tries (see ConnectionProbe).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvel::autoquery {

struct DatabaseServerAddress {
  std::string host;  // a name or an address, IPv6 without its brackets
  std::string port;  // a number or a service name
  bool operator==(const DatabaseServerAddress&) const = default;
};

// The client's port when the name gives none (its service gds_db).
inline constexpr std::string_view kDefaultDatabaseServerPort = "3050";

// The server of "host:path", "host/port:path", "[IPv6]:path", "[IPv6]/port:path" and
// "inet://host[:port]/path" (also inet4:// and inet6://). Nothing for a name that the client
// does not reach over TCP (a local file, another protocol) or that names no host.
std::optional<DatabaseServerAddress> databaseServerAddress(std::string_view connectionString);

}  // namespace tarvel::autoquery
