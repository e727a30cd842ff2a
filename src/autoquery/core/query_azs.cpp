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

void QueryAZS(HostCallback& host, const AutoSendInetFromOfficeCall& autoSendInetFromOffice,
              const std::string& AZSName, int32_t ConnType, HostVariant Param) {
  if (ConnType == settings::ConnectionType::DirectIp && autoSendInetFromOffice &&
      host.GetVersion() >= kTransportQueryMinimumVersion) {
    const void* record = host.FindStation(AZSName);
    // A station the host does not know is passed over without a word.
    if (record != nullptr) autoSendInetFromOffice(AZSName, stationRecordValue(record), Param);
    return;
  }
  host.StartExchange(AZSName, ConnType, std::move(Param));
}

}  // namespace tarvel::autoquery
