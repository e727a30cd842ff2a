// Libraries by name, as the sibling transports are loaded: search the folder of the host
// program first, then the system's library search path; bind entries by exported name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvel::platform {

using LibraryHandle = void*;

// Loads the library with this bare file name (for example "Kestrin.dll"); nullptr when it can
// be found in neither place or cannot be loaded.
LibraryHandle loadLibrary(const std::string& fileName);

// The address of the exported entry, or nullptr when the library has none.
void* bindEntry(LibraryHandle library, const char* entryName);

// Releases a handle from loadLibrary; a null handle is ignored.
void releaseLibrary(LibraryHandle library);

// The folder of the running program (the host), searched first.
std::filesystem::path programFolder();

// Test seam: search this folder instead of the program's; std::nullopt restores it. The
// system's search path is still searched after it.
void setProgramFolderForTests(std::optional<std::filesystem::path> folder);

}  // namespace tarvel::platform
