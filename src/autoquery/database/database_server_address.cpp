#include "autoquery/database/database_server_address.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace tarvel::autoquery {

namespace {

constexpr std::array<std::string_view, 3> kTcpProtocols = {"inet://", "inet4://", "inet6://"};
constexpr std::string_view kProtocolMark = "://";

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

// The host at the start of `server` (an IPv6 address in brackets) and the port after
// `portMark`, when one follows.
std::optional<DatabaseServerAddress> hostAndPort(std::string_view server, char portMark) {
  std::string_view host = server;
  std::string_view port;
  std::size_t hostEnd = 0;
  if (server.starts_with('[')) {
    hostEnd = server.find(']');
    if (hostEnd == std::string_view::npos) return std::nullopt;
    host = server.substr(1, hostEnd - 1);
    ++hostEnd;
  } else {
    hostEnd = std::min(server.find(portMark), server.size());
    host = server.substr(0, hostEnd);
  }
  if (hostEnd < server.size()) {
    if (server[hostEnd] != portMark) return std::nullopt;
    port = server.substr(hostEnd + 1);
  }
  if (host.empty()) return std::nullopt;
  return DatabaseServerAddress{
      .host = std::string(host),
      .port = std::string(port.empty() ? kDefaultDatabaseServerPort : port)};
}

}  // namespace

std::optional<DatabaseServerAddress> databaseServerAddress(std::string_view connectionString) {
  for (const std::string_view protocol : kTcpProtocols) {
    if (!startsWithIgnoringCase(connectionString, protocol)) continue;
    const std::string_view rest = connectionString.substr(protocol.size());
    const std::size_t pathStart = rest.find('/');
    if (pathStart == std::string_view::npos) return std::nullopt;
    return hostAndPort(rest.substr(0, pathStart), ':');
  }
  // Other protocols, and Windows' named pipes, are not TCP.
  if (connectionString.find(kProtocolMark) != std::string_view::npos ||
      connectionString.starts_with("\\\\")) {
    return std::nullopt;
  }
  // The server ends at the first colon outside an IPv6 address's brackets.
  const std::size_t searchFrom = connectionString.starts_with('[') ? connectionString.find(']') : 0;
  if (searchFrom == std::string_view::npos) return std::nullopt;
  const std::size_t serverEnd = connectionString.find(':', searchFrom);
  if (serverEnd == std::string_view::npos) return std::nullopt;
  return hostAndPort(connectionString.substr(0, serverEnd), '/');
}

}  // namespace tarvel::autoquery
