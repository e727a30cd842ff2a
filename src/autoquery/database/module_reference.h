// A reference of our own to the shared object that holds this code (the plug-in's module), so
// that a thread of ours can still be running our code after the host has let the module go.
#pragma once

namespace tarvel::autoquery {

class ModuleReference {
 public:
  // Opens the module again by its own path; in a program that links this code itself there is
  // nothing to hold and the reference stays empty.
  ModuleReference();
  // Lets the reference go, unless keepForever was called.
  ~ModuleReference();
  ModuleReference(const ModuleReference&) = delete;
  ModuleReference& operator=(const ModuleReference&) = delete;

  // The module then stays in the process until it ends. For a thread that may still run our
  // code when nobody is left to wait for it: the reference can only be let go by code outside
  // the module, and once the host has unloaded it, there is none.
  void keepForever() { handle_ = nullptr; }

 private:
  void* handle_ = nullptr;
};

}  // namespace tarvel::autoquery
