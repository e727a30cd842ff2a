// The plug-in's commands in the host's main menu.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/ui/menu_proc.h"
#include "tarvel/contract.h"

namespace tarvel::plugin {

// Adds the plug-in's menu entries for the module's Mode (nothing for Mode 2 or more, nor
// before Load or after UnLoad). An error
// ends the adding (the entries added so far stay) and is written to the exchange log; only a
// failure of that writing leaves this function with an error.
void addMenus();

// The first child of parent whose caption, with the "&" markers removed, equals caption
// (also without its markers) without regard to case; nullptr when there is none.
HostMenuItem* findMenuChild(const HostMenuItem& parent, const std::string& caption);

// A new child of parent filled in, in this order, with the caption, the hint, the help context,
// the short-cut and, when command is not null, its click handler.
HostMenuItem* AddMenuItem(const std::string& caption, const std::string& hint, int32_t helpContext,
                          int32_t shortCut, CMenuProc::Command command, HostMenuItem* parent,
                          int32_t position);

}  // namespace tarvel::plugin
