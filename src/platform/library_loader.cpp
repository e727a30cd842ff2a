#include "platform/library_loader.h"

#include <dlfcn.h>

#include <system_error>

namespace tarvel::platform {
namespace {

std::optional<std::filesystem::path>& folderOverride() {
  static std::optional<std::filesystem::path> folder;
  return folder;
}

LibraryHandle open(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }

}  // namespace

std::filesystem::path programFolder() {
  if (folderOverride()) return *folderOverride();
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

LibraryHandle loadLibrary(const std::string& fileName) {
  if (fileName.empty()) return nullptr;
  if (const auto folder = programFolder(); !folder.empty()) {
    const auto besideProgram = folder / fileName;
    if (std::filesystem::exists(besideProgram)) {
      if (LibraryHandle library = open(besideProgram.c_str())) return library;
    }
  }
  // A bare name (no slash) makes the dynamic loader search LD_LIBRARY_PATH, the cache and the
  // system folders.
  if (fileName.find('/') != std::string::npos) return nullptr;
  return open(fileName.c_str());
}

void* bindEntry(LibraryHandle library, const char* entryName) {
  return library != nullptr ? dlsym(library, entryName) : nullptr;
}

void releaseLibrary(LibraryHandle library) {
  if (library != nullptr) dlclose(library);
}

void setProgramFolderForTests(std::optional<std::filesystem::path> folder) {
  folderOverride() = std::move(folder);
}

}  // namespace tarvel::platform
