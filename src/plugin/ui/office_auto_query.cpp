#include "plugin/ui/office_auto_query.h"

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/polling_engine.h"
#include "autoquery/ui/auto_zapros_office_form.h"
#include "autoquery/ui/query_form.h"
#include "settings/settings_file.h"

namespace tarvel::plugin {
namespace {

autoquery::PollingEngine::Links pollingLinks(ModuleState& module) {
  autoquery::PollingEngine::Links links;
  // Asked at every tick: the office window replaces the registry when it drops unsaved changes.
  links.registry = [&module] { return module.AutoAZS.get(); };
  links.confirm = [](const std::string& stationName) {
    return autoquery::ConfirmAutoQuery(stationName, autoquery::kConfirmationSeconds);
  };
  links.closeConfirmation = [] { autoquery::closeOpenConfirmations(); };
  links.host = module.HostCallback;
  // The IP transport was bound before the office part is made; without its entry every query
  // goes to the host.
  if (module.siblings.AutoSendInetFromOffice != nullptr) {
    links.autoSendInetFromOffice = [&module](const std::string& stationName, int32_t stationValue,
                                             HostVariant& parameter) {
      // Read at the call: UnLoad clears the entry when it releases the library.
      if (const auto entry = module.siblings.AutoSendInetFromOffice) {
        entry(stationName.c_str(), stationValue, &parameter);
      }
    };
  }
  return links;
}

}  // namespace

void createOfficeAutoQuery(ModuleState& module) {
  module.AutoZaprosOfficeForm = std::make_unique<autoquery::TAutoZaprosOfficeForm>();
  module.pollingEngine =
      std::make_unique<autoquery::PollingEngine>(pollingLinks(module), TimerLock());
  module.AutoZaprosOfficeForm->setTickAction([&module] {
    if (module.pollingEngine) module.pollingEngine->tick();
  });
  module.AutoAZS =
      std::make_unique<autoquery::tAutoAZS>(module.AutoZaprosOfficeForm->viewFactory());
  module.AutoAZS->LoadFromIni(settings::SettingsFilePath());
}

void stopOfficePolling(ModuleState& module) {
  if (module.pollingEngine) module.pollingEngine->stop();
}

void freeOfficeAutoQuery(ModuleState& module) {
  module.AutoAZS.reset();
  if (module.AutoZaprosOfficeForm) module.AutoZaprosOfficeForm->setTickAction({});
  module.AutoZaprosOfficeForm.reset();
  module.pollingEngine.reset();
}

}  // namespace tarvel::plugin
