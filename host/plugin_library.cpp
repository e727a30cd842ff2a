#include "host/plugin_library.h"

#include <dlfcn.h>

#include <exception>

namespace tarvel::host {
namespace {

template <typename Export>
Export bind(void* module, const char* name) {
  return reinterpret_cast<Export>(dlsym(module, name));
}

std::string describeCurrentException() {
  try {
    throw;
  } catch (const std::exception& exception) {
    return exception.what();
  } catch (...) {
    return "unknown exception";
  }
}

}  // namespace

PluginLibrary::~PluginLibrary() { close(); }

bool PluginLibrary::open(const std::string& path, std::string& error) {
  close();
  // Local binding: the plug-in's Load must not stand in for a sibling's Load.
  module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module_ == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "cannot open " + path;
    return false;
  }
  load_ = bind<LoadExport>(module_, "Load");
  unLoad_ = bind<UnLoadExport>(module_, "UnLoad");
  addMenus_ = bind<AddMenusExport>(module_, "AddMenus");
  getAutoSend_ = bind<GetAutoSendExport>(module_, "getAutoSend");
  if (load_ == nullptr || unLoad_ == nullptr) {
    error = path + " lacks the export " + (load_ == nullptr ? "Load" : "UnLoad");
    close();
    return false;
  }
  return true;
}

int32_t PluginLibrary::load(intptr_t hostContext, uint8_t mode, HostCallback* callback,
                            std::string& error) {
  if (!isOpen()) {
    error = "the plug-in is not open";
    return 1;
  }
  try {
    return load_(hostContext, mode, callback);
  } catch (...) {
    error = describeCurrentException();
    return 1;
  }
}

int32_t PluginLibrary::unload(std::string& error) {
  if (!isOpen()) {
    error = "the plug-in is not open";
    return 1;
  }
  int32_t result = 1;
  try {
    result = unLoad_();
  } catch (...) {
    error = describeCurrentException();
  }
  unloadFailed_ = result != 0;
  return result;
}

int32_t PluginLibrary::autoSend() const { return getAutoSend_ != nullptr ? getAutoSend_() : 0; }

void PluginLibrary::close() {
  if (module_ != nullptr && !unloadFailed_) dlclose(module_);
  unloadFailed_ = false;
  module_ = nullptr;
  load_ = nullptr;
  unLoad_ = nullptr;
  addMenus_ = nullptr;
  getAutoSend_ = nullptr;
}

}  // namespace tarvel::host
