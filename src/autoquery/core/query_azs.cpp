#include "autoquery/core/query_azs.h"

#include <cstring>

#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/settings_code_page.h"
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

std::optional<StationQuery> prepareQuery(HostCallback& host, bool transportEntryPresent,
                                         const std::string& AZSName, int32_t ConnType) {
  // A name the file holds in UTF-8 is no station's name: whatever the connection, no exchange is
  // started under it, and the host is told the poll failed (Load told why).
  if (isCyrillicUtf8(AZSName)) {
    host.ReportMessage(MessageKind::ErrorOrWarning, text::kStationUnknownToHost + AZSName);
    return std::nullopt;
  }
  StationQuery query{AZSName, ConnType};
  // The version is asked only where it decides something, as the host has always seen it.
  if (ConnType != settings::ConnectionType::DirectIp || !transportEntryPresent ||
      queryRoute(ConnType, true, host.GetVersion()) != QueryRoute::IpTransport) {
    return query;
  }
  const void* record = host.FindStation(AZSName);
  if (record == nullptr) {
    // Nothing can be asked of the transport without the host's record: a failed poll, never
    // one announced as made.
    host.ReportMessage(MessageKind::ErrorOrWarning, text::kStationUnknownToHost + AZSName);
    return std::nullopt;
  }
  query.route = QueryRoute::IpTransport;
  query.stationValue = stationRecordValue(record);
  return query;
}

void QueryAZS(HostCallback& host, const AutoSendInetFromOfficeCall& autoSendInetFromOffice,
              const StationQuery& query, HostVariant Param) {
  if (query.route == QueryRoute::IpTransport && autoSendInetFromOffice) {
    autoSendInetFromOffice(query.AZSName, query.stationValue, Param);
    return;
  }
  host.StartExchange(query.AZSName, query.ConnType, std::move(Param));
}

}  // namespace tarvel::autoquery
