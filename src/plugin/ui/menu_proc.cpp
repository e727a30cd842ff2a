#include "plugin/ui/menu_proc.h"

#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autosend/ui/auto_send_form.h"
#include "media/ui/flashka_form.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/operator_dialogs.h"
#include "plugin/core/plugin_texts.h"
#include "plugin/ui/lifecycle.h"
#include "plugin/ui/module_state.h"
#include "security/ui/security_form.h"
#include "settings/settings_file.h"

namespace tarvel::plugin {
namespace {

void showModeless(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

// Runs the office window modally, unless it is open already (its own event loop runs: brought
// to the front instead). Opened while its database still closes, it reads after the closing.
void openAutoQueryWindow() {
  ModuleState& module = moduleState();
  if (module.AutoZaprosOfficeForm == nullptr) return;  // unloaded meanwhile
  autoquery::TAutoZaprosOfficeForm& form = *module.AutoZaprosOfficeForm;
  if (form.isVisible()) {
    showModeless(&form);
    return;
  }
  platform::operatorDialogs().runModal(form);
}

}  // namespace

CMenuProc::~CMenuProc() {
  for (HostMenuItem* item : itemsWithHandlers_) item->setOnClick({});
}

void CMenuProc::attach(HostMenuItem& item, Command command) {
  item.setOnClick([this, command] { platform::guarded([&] { (this->*command)(); }); });
  itemsWithHandlers_.push_back(&item);
}

void CMenuProc::ShowSecurityForm() {
  ModuleState& module = moduleState();
  if (module.securityForm == nullptr) {
    module.securityForm = std::make_unique<security::TSecurityForm>(module.security);
  }
  showModeless(module.securityForm.get());
}

void CMenuProc::RenameStation() {
  ModuleState& module = moduleState();
  const std::string currentName = module.HostCallback->GetStationName();
  const auto newName =
      platform::operatorDialogs().inputBox(text::kRenameTitle, text::kRenamePrompt, currentName);
  if (newName) settings::writeStationName(*newName);
}

void CMenuProc::ShowAutoSendForm() {
  ModuleState& module = moduleState();
  if (module.autoSendForm == nullptr) module.autoSendForm = createAutoSendForm(module);
  showModeless(module.autoSendForm.get());
}

void CMenuProc::ShowFlashkaForm() {
  ModuleState& module = moduleState();
  if (module.flashkaForm == nullptr) {
    module.flashkaForm = std::make_unique<media::TFlashkaForm>(module.Mode);
  }
  module.flashkaForm->exec();
}

void CMenuProc::ShowAutoQueryForm() {
  ModuleState& module = moduleState();
  if (module.AutoZaprosOfficeForm == nullptr) {
    // Only an office whose host answers installation kind 3 has the window; elsewhere the
    // operator is told why instead of the command silently doing nothing.
    platform::operatorDialogs().showMessage(nullptr, text::kNoAutoQueryTitle, text::kNoAutoQuery);
    return;
  }
  openAutoQueryWindow();
}

}  // namespace tarvel::plugin
