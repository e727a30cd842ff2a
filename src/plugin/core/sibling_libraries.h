// The five sibling libraries, loaded by bare file name, and the entries bound in them. Every
// entry may be missing; callers test it before calling.
#pragma once

#include <cstdint>
#include <string>

#include "platform/library_loader.h"
#include "tarvel/contract.h"

namespace tarvel::plugin {

inline constexpr char kOrvaly[] = "Orvaly.dll";    // direct IP connection service
inline constexpr char kKestrin[] = "Kestrin.dll";  // IP transport
inline constexpr char kPellow[] = "Pellow.dll";    // e-mail transport
inline constexpr char kDravik[] = "Dravik.dll";    // modem transport
inline constexpr char kZumbra[] = "Zumbra.dll";    // data preparation

struct SiblingLibraries {
  platform::LibraryHandle Orvaly = nullptr;
  platform::LibraryHandle Kestrin = nullptr;
  platform::LibraryHandle Pellow = nullptr;
  platform::LibraryHandle Dravik = nullptr;

  sibling::AutoSendEntry AutoSendInet = nullptr;
  sibling::AutoSendInetFromOfficeEntry AutoSendInetFromOffice = nullptr;
  sibling::AutoSendEntry AutoSendMail = nullptr;
  sibling::AutoSendEntry AutoSendModem = nullptr;
};

// What every sibling's Load (and PrepareDataZumbra) is handed: the host's own three values.
struct SiblingLoadArguments {
  intptr_t hostContext;
  uint8_t mode;
  HostCallback* hostCallback;
};

// Loads a sibling by file name. A library that is not found is reported to the host (kind 4,
// "Ненайдена библиотека " + the file name) and gives nullptr.
platform::LibraryHandle loadSibling(const std::string& fileName, HostCallback& host);

// Binds an entry of the library's; nullptr when either is missing.
template <typename Entry>
Entry bindSiblingEntry(platform::LibraryHandle library, const char* entryName) {
  return reinterpret_cast<Entry>(platform::bindEntry(library, entryName));
}

// Calls the library's entry of that name with the Load arguments when it has one. What the
// entry throws goes on to the caller.
void callSiblingLoadEntry(platform::LibraryHandle library, const char* entryName,
                          const SiblingLoadArguments& arguments);

// Calls the library's UnLoad when it has one, then releases it; a null handle is ignored.
void unloadSibling(platform::LibraryHandle& library);

// Runs the send entry of the transport for ViaSend 1 (modem), 2 (e-mail) or 3 (direct IP) when
// it is bound; any other value, or an entry that is missing, does nothing.
void callTransport(const SiblingLibraries& siblings, int32_t viaSend);

}  // namespace tarvel::plugin
