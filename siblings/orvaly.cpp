// Orvaly.dll, the direct IP connection service: Load and UnLoad only.
#include <type_traits>

#include "call_log.h"

namespace {
constexpr const char* kLibrary = "Orvaly.dll";
}

extern "C" {

TARVEL_EXPORT int32_t Load(intptr_t hostContext, uint8_t mode, tarvel::HostCallback* hostCallback) {
  return tarvel::siblings::recordLoadCall(kLibrary, "Load", hostContext, mode, hostCallback);
}

TARVEL_EXPORT int32_t UnLoad() { return tarvel::siblings::recordUnLoadCall(kLibrary); }

}  // extern "C"

static_assert(std::is_same_v<decltype(&Load), tarvel::sibling::LoadEntry>);
static_assert(std::is_same_v<decltype(&UnLoad), tarvel::sibling::UnLoadEntry>);
