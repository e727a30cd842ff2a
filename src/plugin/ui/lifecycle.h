// The plug-in's life: Load sets the whole module up in one pass, UnLoad takes it down again.
#pragma once

#include <cstdint>

#include "plugin/ui/module_state.h"

namespace tarvel::plugin {

// Load's steps in their order. Returns 0 when every step ran, 1 when a step failed: the steps
// after it do not run and what was made before stays. Reading the settings and preparing the
// data swallow their own errors.
int32_t load(intptr_t hostContext, uint8_t mode, HostCallback* hostCallback);

// UnLoad's steps in their order: the menu handlers, the siblings (Kestrin, Pellow, Dravik,
// Orvaly), the windows. Returns 0, or 1 when a step failed (what was not yet freed stays).
int32_t unload();

// -1 when cb_AutoSend of the auto-send window is ticked, 0 otherwise or when there is no window.
int32_t getAutoSend();

// The station's auto-send window, wired to the host's shift number and the bound transports.
std::unique_ptr<autosend::TAutoSendForm> createAutoSendForm(ModuleState& module);

}  // namespace tarvel::plugin
