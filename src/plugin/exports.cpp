// The plug-in's four exports. Nothing may be thrown across them into the host: Load and UnLoad
// turn errors into their result, AddMenus hands an error to the application-level handler.
#include "platform/ui/error_guard.h"
#include "plugin/ui/host_menu.h"
#include "plugin/ui/lifecycle.h"
#include "tarvel/contract.h"

extern "C" {

TARVEL_EXPORT int32_t Load(intptr_t hostContext, uint8_t mode, tarvel::HostCallback* hostCallback) {
  return tarvel::plugin::load(hostContext, mode, hostCallback);
}

TARVEL_EXPORT int32_t UnLoad() { return tarvel::plugin::unload(); }

TARVEL_EXPORT void AddMenus() {
  tarvel::platform::guarded([] { tarvel::plugin::addMenus(); });
}

TARVEL_EXPORT int32_t getAutoSend() { return tarvel::plugin::getAutoSend(); }
}
