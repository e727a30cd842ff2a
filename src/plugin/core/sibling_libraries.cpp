#include "plugin/core/sibling_libraries.h"

#include "plugin/core/plugin_texts.h"

namespace tarvel::plugin {

platform::LibraryHandle loadSibling(const std::string& fileName, HostCallback& host) {
  platform::LibraryHandle library = platform::loadLibrary(fileName);
  if (library == nullptr)
    host.ReportMessage(MessageKind::MissingLibrary, text::kLibraryNotFound + fileName);
  return library;
}

void callSiblingLoadEntry(platform::LibraryHandle library, const char* entryName,
                          const SiblingLoadArguments& arguments) {
  if (const auto entry = bindSiblingEntry<sibling::LoadEntry>(library, entryName)) {
    entry(arguments.hostContext, arguments.mode, arguments.hostCallback);
  }
}

void unloadSibling(platform::LibraryHandle& library) {
  if (library == nullptr) return;
  if (const auto entry = bindSiblingEntry<sibling::UnLoadEntry>(library, "UnLoad")) entry();
  platform::releaseLibrary(library);
  library = nullptr;
}

void callTransport(const SiblingLibraries& siblings, int32_t viaSend) {
  sibling::AutoSendEntry entry = nullptr;
  switch (viaSend) {
    case 1:
      entry = siblings.AutoSendModem;
      break;
    case 2:
      entry = siblings.AutoSendMail;
      break;
    case 3:
      entry = siblings.AutoSendInet;
      break;
    default:
      break;
  }
  if (entry != nullptr) entry();
}

}  // namespace tarvel::plugin
