#include "plugin/menu_proc.h"

#include "autosend/auto_send_form.h"
#include "media/flashka_form.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/operator_dialogs.h"
#include "plugin/lifecycle.h"
#include "plugin/module_state.h"
#include "plugin/plugin_texts.h"
#include "security/security_form.h"
#include "settings/settings_file.h"

namespace tarvel::plugin {
namespace {

void showModeless(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
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
    module.securityForm = new security::TSecurityForm(module.security);
  }
  showModeless(module.securityForm);
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
  showModeless(module.autoSendForm);
}

void CMenuProc::ShowFlashkaForm() {
  ModuleState& module = moduleState();
  if (module.flashkaForm == nullptr) module.flashkaForm = new media::TFlashkaForm(module.Mode);
  module.flashkaForm->exec();
}

void CMenuProc::ShowAutoQueryForm() {
  // The office window exists only where the host's installation kind is 3 and this build has
  // it; otherwise the operator is told which of the two is missing instead of the command
  // silently doing nothing.
  const bool officeWithAutoQuery = moduleState().officeWithAutoQuery;
  platform::operatorDialogs().showMessage(
      nullptr, text::kNoAutoQueryTitle,
      officeWithAutoQuery ? text::kAutoQueryWindowMissing : text::kNoAutoQuery);
}

}  // namespace tarvel::plugin
