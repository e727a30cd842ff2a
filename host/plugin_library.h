// The plug-in module as the host loads it: opened by path, its exports bound by name. Load and
// UnLoad are required; AddMenus and getAutoSend may be missing.
#pragma once

#include <cstdint>
#include <string>

#include "tarvel/contract.h"

namespace tarvel::host {

class PluginLibrary {
 public:
  PluginLibrary() = default;
  // Releases the module if it is still open (UnLoad is not called here: the host calls it while
  // its application and windows still exist).
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Opens the module and binds its exports; false with the reason in error when it cannot be
  // opened or lacks Load or UnLoad (the module is then released again).
  bool open(const std::string& path, std::string& error);
  bool isOpen() const { return module_ != nullptr; }

  // The exports. An exception the plug-in lets out is reported as the result 1 with its
  // message in error.
  int32_t load(intptr_t hostContext, uint8_t mode, HostCallback* callback, std::string& error);
  int32_t unload(std::string& error);
  // getAutoSend's answer; 0 when the plug-in has no such export.
  int32_t autoSend() const;
  bool hasAddMenus() const { return addMenus_ != nullptr; }

  // Releases the module; its code is gone afterwards. A module whose UnLoad failed is never
  // released: it may still own windows and objects that Qt destroys later, and their code must
  // stay (the handle is given up, the module stays mapped until the process ends).
  void close();

 private:
  using LoadExport = int32_t (*)(intptr_t, uint8_t, HostCallback*);
  using UnLoadExport = int32_t (*)();
  using AddMenusExport = void (*)();
  using GetAutoSendExport = int32_t (*)();

  void* module_ = nullptr;
  bool unloadFailed_ = false;
  LoadExport load_ = nullptr;
  UnLoadExport unLoad_ = nullptr;
  AddMenusExport addMenus_ = nullptr;
  GetAutoSendExport getAutoSend_ = nullptr;
};

}  // namespace tarvel::host
