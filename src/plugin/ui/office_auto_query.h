// The office auto-query's part of the plug-in's life: at an office with installation kind 3,
// Load makes the office window (whose TimerSend drives the polling engine from then on) and the
// schedule registry loaded from cnf.INI; UnLoad frees the registry, then the window.
#pragma once

#include "plugin/ui/module_state.h"

namespace tarvel::plugin {

// The registry AutoAZS, the window (hidden) and the engine its timer runs, both given that one
// registry, which is then filled from cnf.INI. What fails goes on to Load, which then reports
// failure; what was made stays.
void createOfficeAutoQuery(ModuleState& module);

// The first step of UnLoad: the engine stops, an open confirmation closes, and the tick waiting
// on it reports nothing more and starts no exchange.
void stopOfficePolling(ModuleState& module);

// Stops the ticks reaching the engine, frees the registry with its items, then the window with
// its timer and frames, then the engine. Nothing happens for what does not exist.
void freeOfficeAutoQuery(ModuleState& module);

}  // namespace tarvel::plugin
