// CMenuProc: the owner of the plug-in's menu click handlers. Every handler it hands out is
// entered through the error guard, and every menu item that got one is remembered: when the
// holder is freed (the first step of UnLoad) it clears their handlers, so a click after UnLoad
// reaches nothing of a library that may be gone.
#pragma once

#include <vector>

#include "tarvel/contract.h"

namespace tarvel::plugin {

class CMenuProc {
 public:
  using Command = void (CMenuProc::*)();

  CMenuProc() = default;
  ~CMenuProc();
  CMenuProc(const CMenuProc&) = delete;
  CMenuProc& operator=(const CMenuProc&) = delete;

  // Makes item run command when clicked.
  void attach(HostMenuItem& item, Command command);

  // The click actions.
  void ShowSecurityForm();
  void RenameStation();
  void ShowAutoSendForm();
  void ShowFlashkaForm();
  void ShowAutoQueryForm();

 private:
  std::vector<HostMenuItem*> itemsWithHandlers_;
};

}  // namespace tarvel::plugin
