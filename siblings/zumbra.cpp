// Zumbra.dll, the data preparation: one entry, called once while the plug-in loads.
#include <type_traits>

#include "call_log.h"

extern "C" {

TARVEL_EXPORT int32_t PrepareDataZumbra(intptr_t hostContext, uint8_t mode,
                                        tarvel::HostCallback* hostCallback) {
  return tarvel::siblings::recordLoadCall("Zumbra.dll", "PrepareDataZumbra", hostContext, mode,
                                          hostCallback);
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&PrepareDataZumbra), tarvel::sibling::LoadEntry>);
