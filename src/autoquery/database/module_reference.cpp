#include "autoquery/database/module_reference.h"

#include <dlfcn.h>

namespace tarvel::autoquery {

namespace {
// Any function of ours: its address names the module that holds it.
void markerInThisModule() {}
}  // namespace

ModuleReference::ModuleReference() {
  Dl_info information{};
  if (dladdr(reinterpret_cast<void*>(&markerInThisModule), &information) == 0 ||
      information.dli_fname == nullptr) {
    return;
  }
  // RTLD_NOLOAD: only a module that is loaded already gains a reference; the program itself
  // (when it links this code) is never unloaded and yields nothing.
  void* handle = dlopen(information.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
  void* self = dlopen(nullptr, RTLD_LAZY);
  if (handle != nullptr && handle == self) {
    dlclose(handle);
    handle = nullptr;
  }
  if (self != nullptr) dlclose(self);
  handle_ = handle;
}

ModuleReference::~ModuleReference() {
  if (handle_ != nullptr) dlclose(handle_);
}

}  // namespace tarvel::autoquery
