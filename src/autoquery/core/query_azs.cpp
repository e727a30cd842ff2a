#include "autoquery/core/query_azs.h"

#include <cstring>

#include "settings/connection_type.h"

namespace tarvel::autoquery {

int32_t stationRecordValue(const void* record) {
  int32_t value = 0;
  // The host's record has a layout of its own; only these four bytes are ours to read.
  std::memcpy(&value, static_cast<const unsigned char*>(record) + kStationRecordValueOffset,
              sizeof value);
  return value;
}

QueryRoute queryRoute(int32_t ConnType, bool transportEntryPresent, int32_t hostVersion) {
  return ConnType == settings::ConnectionType::DirectIp && transportEntryPresent &&
                 hostVersion >= kTransportQueryMinimumVersion
             ? QueryRoute::IpTransport
             : QueryRoute::Host;
}

void QueryAZS(HostCallback& host, const AutoSendInetFromOfficeCall& autoSendInetFromOffice,
              const std::string& AZSName, int32_t ConnType, HostVariant Param) {
  // The version is asked only where it decides something, as the host has always seen it.
  if (ConnType == settings::ConnectionType::DirectIp && autoSendInetFromOffice &&
      queryRoute(ConnType, true, host.GetVersion()) == QueryRoute::IpTransport) {
    const void* record = host.FindStation(AZSName);
    // A station the host does not know is passed over without a word.
    if (record != nullptr) autoSendInetFromOffice(AZSName, stationRecordValue(record), Param);
    return;
  }
  host.StartExchange(AZSName, ConnType, std::move(Param));
}

}  // namespace tarvel::autoquery
