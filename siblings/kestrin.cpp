// Kestrin.dll, the IP transport: the station's send and the office's query of one station.
#include <type_traits>

#include "call_log.h"

namespace {
constexpr const char* kLibrary = "Kestrin.dll";
}

extern "C" {

TARVEL_EXPORT int32_t Load(intptr_t hostContext, uint8_t mode, tarvel::HostCallback* hostCallback) {
  return tarvel::siblings::recordLoadCall(kLibrary, "Load", hostContext, mode, hostCallback);
}

TARVEL_EXPORT int32_t AutoSendInet() {
  return tarvel::siblings::recordSendCall(kLibrary, "AutoSendInet()");
}

TARVEL_EXPORT int32_t AutoSendInetFromOffice(const char* stationName, int32_t stationValue,
                                             tarvel::HostVariant* parameter) {
  const std::string call =
      std::string("AutoSendInetFromOffice(") + (stationName != nullptr ? stationName : "") + "," +
      std::to_string(stationValue) + "," + tarvel::siblings::describeVariant(parameter) + ")";
  return tarvel::siblings::recordSendCall(kLibrary, call);
}

TARVEL_EXPORT int32_t UnLoad() { return tarvel::siblings::recordUnLoadCall(kLibrary); }

}  // extern "C"

static_assert(std::is_same_v<decltype(&Load), tarvel::sibling::LoadEntry>);
static_assert(std::is_same_v<decltype(&AutoSendInet), tarvel::sibling::AutoSendEntry>);
static_assert(std::is_same_v<decltype(&AutoSendInetFromOffice),
                             tarvel::sibling::AutoSendInetFromOfficeEntry>);
static_assert(std::is_same_v<decltype(&UnLoad), tarvel::sibling::UnLoadEntry>);
