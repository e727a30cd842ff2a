#include "plugin/ui/lifecycle.h"

#include <QCheckBox>
#include <exception>
#include <stdexcept>

#include "autosend/ui/auto_send_form.h"
#include "media/ui/flashka_form.h"
#include "plugin/core/host_variant.h"
#include "plugin/ui/host_menu.h"
#include "plugin/ui/menu_proc.h"
#include "plugin/ui/office_auto_query.h"
#include "security/ui/security_form.h"
#include "settings/installation_kind.h"
#include "settings/settings_file.h"

namespace tarvel::plugin {
namespace {

constexpr uint8_t kStationMode = 0;
constexpr uint8_t kOfficeMode = 1;

void readSettings(ModuleState& module) {
  // Both readers swallow their errors: Load goes on with what was read. Saves killed before
  // their rename are cleared away first, where the file is in use at all.
  if (module.Mode == kStationMode || module.Mode == kOfficeMode) settings::removeInterruptedSaves();
  if (module.Mode == kStationMode) {
    settings::readStationSettings(module.inet, module.security);
  } else if (module.Mode == kOfficeMode) {
    settings::readOfficeSettings(module.security);
  }
}

void loadTransports(ModuleState& module, const SiblingLoadArguments& arguments) {
  HostCallback& host = *module.HostCallback;
  SiblingLibraries& siblings = module.siblings;

  siblings.Kestrin = loadSibling(kKestrin, host);
  siblings.AutoSendInet =
      bindSiblingEntry<sibling::AutoSendEntry>(siblings.Kestrin, "AutoSendInet");
  siblings.AutoSendInetFromOffice = bindSiblingEntry<sibling::AutoSendInetFromOfficeEntry>(
      siblings.Kestrin, "AutoSendInetFromOffice");
  callSiblingLoadEntry(siblings.Kestrin, "Load", arguments);

  siblings.Pellow = loadSibling(kPellow, host);
  siblings.AutoSendMail = bindSiblingEntry<sibling::AutoSendEntry>(siblings.Pellow, "AutoSendMail");
  callSiblingLoadEntry(siblings.Pellow, "Load", arguments);

  siblings.Dravik = loadSibling(kDravik, host);
  siblings.AutoSendModem =
      bindSiblingEntry<sibling::AutoSendEntry>(siblings.Dravik, "AutoSendModem");
  callSiblingLoadEntry(siblings.Dravik, "Load", arguments);
}

// The data-preparation library is held only for its one call; whatever goes wrong in this step
// is ignored.
void prepareData(HostCallback& host, const SiblingLoadArguments& arguments) noexcept {
  platform::LibraryHandle zumbra = nullptr;
  try {
    zumbra = loadSibling(kZumbra, host);
    callSiblingLoadEntry(zumbra, "PrepareDataZumbra", arguments);
  } catch (...) {
  }
  platform::releaseLibrary(zumbra);
}

}  // namespace

std::unique_ptr<autosend::TAutoSendForm> createAutoSendForm(ModuleState& module) {
  autosend::AutoSendLinks links;
  links.askShiftNumber = [&module] {
    return module.HostCallback->Command(HostCommand::ShiftNumber, 0);
  };
  links.callTransport = [&module](int32_t viaSend) { callTransport(module.siblings, viaSend); };
  return std::make_unique<autosend::TAutoSendForm>(module.inet, std::move(links));
}

int32_t load(intptr_t hostContext, uint8_t mode, HostCallback* hostCallback) {
  ModuleState& module = moduleState();
  try {
    if (hostCallback == nullptr) throw std::invalid_argument("Load without a host call-back");
    module.Mode = mode;
    module.HostCallback = hostCallback;
    // The settings in memory start as a freshly loaded library has them, also when a host loads
    // the plug-in again after UnLoad.
    module.inet = {};
    module.security = {};
    module.menuProc = std::make_unique<CMenuProc>();
    readSettings(module);
    module.autoSendForm = createAutoSendForm(module);
    module.flashkaForm = std::make_unique<media::TFlashkaForm>(module.Mode);

    const SiblingLoadArguments arguments{hostContext, mode, hostCallback};
    module.siblings.Orvaly = loadSibling(kOrvaly, *hostCallback);
    callSiblingLoadEntry(module.siblings.Orvaly, "Load", arguments);

    addMenus();
    loadTransports(module, arguments);
    prepareData(*hostCallback, arguments);

    // The host's installation kind decides whether this is an office with auto-query (kind 3).
    module.officeWithAutoQuery =
        variantEqualsNumber(hostCallback->Command(HostCommand::InstallationKind, 0),
                            settings::InstallationKind::OfficeWithAutoQuery);
    if (module.officeWithAutoQuery) createOfficeAutoQuery(module);
    return 0;
  } catch (...) {
    return 1;
  }
}

int32_t unload() {
  ModuleState& module = moduleState();
  try {
    // A confirmation open in the host's event loop closes before anything is taken down.
    stopOfficePolling(module);
    module.menuProc.reset();

    SiblingLibraries& siblings = module.siblings;
    unloadSibling(siblings.Kestrin);
    siblings.AutoSendInet = nullptr;
    siblings.AutoSendInetFromOffice = nullptr;
    unloadSibling(siblings.Pellow);
    siblings.AutoSendMail = nullptr;
    unloadSibling(siblings.Dravik);
    siblings.AutoSendModem = nullptr;
    unloadSibling(siblings.Orvaly);

    module.autoSendForm.reset();
    module.securityForm.reset();
    module.flashkaForm.reset();
    freeOfficeAutoQuery(module);
    module.officeWithAutoQuery = false;
    return 0;
  } catch (...) {
    return 1;
  }
}

int32_t getAutoSend() {
  const autosend::TAutoSendForm* form = moduleState().autoSendForm.get();
  return form != nullptr && form->cb_AutoSend->isChecked() ? -1 : 0;
}

}  // namespace tarvel::plugin
