#include "plugin/ui/host_menu.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "platform/cp1251.h"
#include "plugin/core/exchange_log.h"
#include "plugin/core/host_variant.h"
#include "plugin/core/plugin_texts.h"
#include "plugin/ui/module_state.h"
#include "settings/installation_kind.h"

namespace tarvel::plugin {
namespace {

constexpr int32_t kSettingsHelpContext = 78;
constexpr int32_t kAppend = -1;

// A menu or menu item the host handed back; a null one fails like any other error of AddMenus.
HostMenuItem* required(HostMenuItem* item, const char* missing) {
  if (item == nullptr) throw std::runtime_error(missing);
  return item;
}

std::string withoutAccelerators(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  return caption;
}

HostMenuItem* addItem(const char* caption, int32_t helpContext, CMenuProc::Command command,
                      HostMenuItem* parent) {
  return AddMenuItem(caption, "", helpContext, 0, command, parent, kAppend);
}

void addStationCommands(HostMenuItem* settingsMenu, HostCallback& host) {
  addItem(text::kConnectionSecurity, 0, &CMenuProc::ShowSecurityForm, settingsMenu);
  if (variantEqualsNumber(host.Command(HostCommand::InstallationKind, 0),
                          settings::InstallationKind::RenamableStation)) {
    addItem(text::kRenameStation, 0, &CMenuProc::RenameStation, settingsMenu);
  }
  addItem(text::kSeparator, 0, nullptr, settingsMenu);
  addItem(text::kAutomaticSending, kSettingsHelpContext, &CMenuProc::ShowAutoSendForm,
          settingsMenu);
  addItem(text::kSeparator, 0, nullptr, settingsMenu);
  addItem(text::kRemovableMedium, kSettingsHelpContext, &CMenuProc::ShowFlashkaForm, settingsMenu);
}

void addOfficeCommands(HostMenuItem* settingsMenu) {
  addItem(text::kConnectionSecurity, 0, &CMenuProc::ShowSecurityForm, settingsMenu);
  addItem(text::kAutomaticQuery, 0, &CMenuProc::ShowAutoQueryForm, settingsMenu);
  addItem(text::kSeparator, 0, nullptr, settingsMenu);
  addItem(text::kRemovableMedium, kSettingsHelpContext, &CMenuProc::ShowFlashkaForm, settingsMenu);
}

void addMenusUnguarded(ModuleState& module) {
  HostCallback& host = *module.HostCallback;
  HostMenuItem* root = required(host.GetMainMenu(), text::kNoMainMenu);
  const char* topCaption = module.Mode == 0 ? text::kStationTopMenu : text::kOfficeTopMenu;
  HostMenuItem* topMenu = findMenuChild(*root, topCaption);
  if (topMenu == nullptr) topMenu = addItem(topCaption, kSettingsHelpContext, nullptr, root);
  HostMenuItem* settingsMenu = findMenuChild(*topMenu, text::kSettingsMenu);
  if (settingsMenu == nullptr) {
    settingsMenu = addItem(text::kSettingsMenu, kSettingsHelpContext, nullptr, topMenu);
    addItem(text::kSeparator, 0, nullptr, topMenu);
  }
  if (module.Mode == 0) {
    addStationCommands(settingsMenu, host);
  } else {
    addOfficeCommands(settingsMenu);
  }
}

}  // namespace

HostMenuItem* findMenuChild(const HostMenuItem& parent, const std::string& caption) {
  const std::string searched = withoutAccelerators(caption);
  for (int32_t index = 0; index < parent.count(); ++index) {
    HostMenuItem* child = required(parent.item(index), text::kNoMenuChild);
    if (platform::equalsIgnoringCase(withoutAccelerators(child->caption()), searched)) {
      return child;
    }
  }
  return nullptr;
}

HostMenuItem* AddMenuItem(const std::string& caption, const std::string& hint, int32_t helpContext,
                          int32_t shortCut, CMenuProc::Command command, HostMenuItem* parent,
                          int32_t position) {
  ModuleState& module = moduleState();
  HostMenuItem* item =
      required(module.HostCallback->NewMenuItem(parent, position), text::kNoNewMenuItem);
  item->setCaption(caption);
  item->setHint(hint);
  item->setHelpContext(helpContext);
  item->setShortCut(shortCut);
  if (command != nullptr) module.menuProc->attach(*item, command);
  return item;
}

void addMenus() {
  ModuleState& module = moduleState();
  // Outside Load .. UnLoad there is no host to ask and no holder for the click handlers.
  if (module.HostCallback == nullptr || module.menuProc == nullptr) return;
  if (module.Mode >= 2) return;
  try {
    addMenusUnguarded(module);
  } catch (const std::exception& error) {
    WriteExchangeLog(text::kMenuLoadFailed + std::string(error.what()));
  }
}

}  // namespace tarvel::plugin
