// The plug-in's module state: one instance, owned by the module, living from Load to UnLoad.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "plugin/core/sibling_libraries.h"
#include "settings/inet_settings.h"
#include "tarvel/contract.h"

namespace tarvel::autoquery {
class PollingEngine;
class TAutoZaprosOfficeForm;
class tAutoAZS;
}  // namespace tarvel::autoquery
namespace tarvel::autosend {
class TAutoSendForm;
}
namespace tarvel::media {
class TFlashkaForm;
}
namespace tarvel::security {
class TSecurityForm;
}

namespace tarvel::plugin {

class CMenuProc;

struct ModuleState {
  ModuleState();
  ~ModuleState();

  uint8_t Mode = 0;  // 0 station, 1 office, other: no settings, no menus
  tarvel::HostCallback* HostCallback = nullptr;  // the host's; never freed here
  std::unique_ptr<CMenuProc> menuProc;           // owner of the menu click handlers

  // Windows without an owner window; UnLoad releases them in this order.
  std::unique_ptr<autosend::TAutoSendForm> autoSendForm;
  std::unique_ptr<security::TSecurityForm> securityForm;
  std::unique_ptr<media::TFlashkaForm> flashkaForm;

  SiblingLibraries siblings;

  // Made only at an office whose host answers installation kind 3: the schedule registry, plain
  // data that the window and the engine are given once; the office window, whose TimerSend
  // runs the polling engine and which makes the station frames when it shows them. UnLoad frees
  // the registry first, then the window.
  std::unique_ptr<autoquery::TAutoZaprosOfficeForm> AutoZaprosOfficeForm;
  std::unique_ptr<autoquery::PollingEngine> pollingEngine;
  std::unique_ptr<autoquery::tAutoAZS> AutoAZS;
  // The host answered installation kind 3: an office that polls its stations.
  bool officeWithAutoQuery = false;

  // The connection settings in memory.
  settings::InetSettings inet;
  settings::ConnectionSecurity security;
};

// The one module state.
ModuleState& moduleState();

// The office polling engine's lock, held for the whole of each polling tick. Re-entrant, and
// created when the library is loaded into the process, before Load.
std::recursive_mutex& TimerLock();

}  // namespace tarvel::plugin
