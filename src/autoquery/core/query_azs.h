// The start of one station query: through the host's StartExchange, or over direct IP on a
// newer host through the IP transport's AutoSendInetFromOffice.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "tarvel/contract.h"

namespace tarvel::autoquery {

// The host version from which a station query may be started at all, and from which a direct-IP
// query goes through the IP transport.
inline constexpr int32_t kQueryMinimumVersion = 5;
inline constexpr int32_t kTransportQueryMinimumVersion = 7;

// The IP transport's AutoSendInetFromOffice (station name, value from the host's station record,
// the parameter by reference); empty when the library or its entry is missing.
using AutoSendInetFromOfficeCall = std::function<void(
    const std::string& stationName, int32_t stationValue, HostVariant& parameter)>;

// The 32-bit value at byte offset 28 of a record FindStation gave.
int32_t stationRecordValue(const void* record);

// Where a station query goes.
enum class QueryRoute { Host, IpTransport };

// Direct IP (3) goes to the IP transport when its entry is present and the host is of version 7
// or more; everything else to the host's StartExchange.
QueryRoute queryRoute(int32_t ConnType, bool transportEntryPresent, int32_t hostVersion);

// One station query whose way is settled: for the IP transport with the value of the host's
// record of the station, looked up before the poll is announced.
struct StationQuery {
  std::string AZSName;
  int32_t ConnType = 0;
  QueryRoute route = QueryRoute::Host;
  int32_t stationValue = 0;  // the IP transport's: the value of the host's record
};

// Settles the way of a query (queryRoute, asking the host's version only for direct IP with the
// transport entry present). For the IP transport the host's record of the station is looked up;
// when the host does not know the station, or the name was read from a file saved as UTF-8
// (isCyrillicUtf8), no query can be made: the host is told so (kind 2, with the name) and the
// answer is std::nullopt. What the host raises goes on to the caller.
std::optional<StationQuery> prepareQuery(HostCallback& host, bool transportEntryPresent,
                                         const std::string& AZSName, int32_t ConnType);

// Starts a prepared query: through the IP transport with the value of the host's record, or
// through the host's StartExchange. Results are not examined; what the host or the transport
// raises goes on to the caller.
void QueryAZS(HostCallback& host, const AutoSendInetFromOfficeCall& autoSendInetFromOffice,
              const StationQuery& query, HostVariant Param);

}  // namespace tarvel::autoquery
