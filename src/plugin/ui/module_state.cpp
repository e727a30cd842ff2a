#include "plugin/ui/module_state.h"

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/polling_engine.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autosend/ui/auto_send_form.h"
#include "media/ui/flashka_form.h"
#include "plugin/ui/menu_proc.h"
#include "security/ui/security_form.h"

namespace tarvel::plugin {
namespace {

// Constructed when the library is loaded into the process, destroyed when it is unloaded.
std::recursive_mutex timerLock;

}  // namespace

ModuleState::ModuleState() = default;
ModuleState::~ModuleState() = default;

ModuleState& moduleState() {
  static ModuleState state;
  return state;
}

std::recursive_mutex& TimerLock() { return timerLock; }

}  // namespace tarvel::plugin
