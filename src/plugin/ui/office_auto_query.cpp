#include "plugin/ui/office_auto_query.h"

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/polling_engine.h"
#include "autoquery/core/settings_code_page.h"
#include "autoquery/ui/confirmation/query_form.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "platform/profile_file.h"
#include "settings/settings_file.h"

namespace tarvel::plugin {
namespace {

autoquery::PollingEngine::Links pollingLinks(ModuleState& module) {
  autoquery::PollingEngine::Links links;
  // The one registry, which lives until UnLoad; the window reloads it in place.
  links.registry = module.AutoAZS.get();
  links.confirm = [](const std::string& stationName) {
    switch (autoquery::AskAutoQuery(stationName, autoquery::kConfirmationSeconds)) {
      case autoquery::AutoQueryAnswer::Proceed:
        return autoquery::Confirmation::Proceed;
      case autoquery::AutoQueryAnswer::Declined:
        return autoquery::Confirmation::Declined;
      case autoquery::AutoQueryAnswer::Unanswered:
        break;
    }
    return autoquery::Confirmation::Unanswered;
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

// What the registry's loading found wrong with the file, told to the host as a warning.
void reportAtLoad(const ModuleState& module, const std::string& message) {
  if (!message.empty() && module.HostCallback != nullptr) {
    module.HostCallback->ReportMessage(MessageKind::ErrorOrWarning, message);
  }
}

}  // namespace

void createOfficeAutoQuery(ModuleState& module) {
  // The registry is plain data: made empty here so that the window and the engine are given
  // it once, and filled from cnf.INI after the window, as before. It makes no widgets.
  module.AutoAZS = std::make_unique<autoquery::tAutoAZS>();
  module.AutoZaprosOfficeForm =
      std::make_unique<autoquery::TAutoZaprosOfficeForm>(*module.AutoAZS, module.HostCallback);
  module.pollingEngine =
      std::make_unique<autoquery::PollingEngine>(pollingLinks(module), TimerLock());
  module.AutoZaprosOfficeForm->setTickAction([&module] {
    if (module.pollingEngine) module.pollingEngine->tick();
  });
  const auto settingsFile = platform::ProfileFile::openForReading(settings::SettingsFilePath());
  module.AutoAZS->LoadFromIni(settingsFile);
  // Told once, here: the window's reloads after a cancel read the same file again.
  reportAtLoad(module, autoquery::unreadSlotsReport(module.AutoAZS->unreadSlots()));
  if (autoquery::isSettingsFileInUtf8(settingsFile.bytesAsRead())) {
    reportAtLoad(module, autoquery::settingsFileInUtf8Message(*module.AutoAZS));
  }
}

void stopOfficePolling(ModuleState& module) {
  if (module.pollingEngine) module.pollingEngine->stop();
}

void freeOfficeAutoQuery(ModuleState& module) {
  // No tick may walk the registry once it is freed.
  if (module.AutoZaprosOfficeForm) module.AutoZaprosOfficeForm->setTickAction({});
  module.AutoAZS.reset();
  module.AutoZaprosOfficeForm.reset();
  module.pollingEngine.reset();
}

}  // namespace tarvel::plugin
