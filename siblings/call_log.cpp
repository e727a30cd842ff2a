#include "call_log.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <thread>

#include "platform/cp1251.h"
#include "platform/install_root.h"

namespace tarvel::siblings {
namespace {

std::string_view environmentValue(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A non-negative decimal number, or nothing when the text is not one.
std::optional<long long> parseCount(std::string_view text) {
  text = trimmed(text);
  long long count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || count < 0) {
    return std::nullopt;
  }
  return count;
}

[[noreturn]] void failAsAsked(std::string_view libraryFileName, std::string_view entryName,
                              const char* variable) {
  throw std::runtime_error(std::string(libraryFileName) + ": " + std::string(entryName) +
                           " failed as " + variable + " asks");
}

}  // namespace

void appendCallLogLine(std::string_view line) {
  const auto path = platform::mapWindowsPath(kCallLogWindowsPath);
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  std::ofstream log(path, std::ios::binary | std::ios::app);
  log << line << "\r\n";
  log.flush();
  if (!log) std::fprintf(stderr, "sibling: cannot write %s\n", path.c_str());
}

bool switchNamesLibrary(const char* variable, std::string_view libraryFileName) {
  std::string_view names = environmentValue(variable);
  while (!names.empty()) {
    const auto comma = names.find(',');
    const std::string_view name = trimmed(names.substr(0, comma));
    if (name == "*" || platform::equalsIgnoringCase(name, libraryFileName)) return true;
    if (comma == std::string_view::npos) break;
    names.remove_prefix(comma + 1);
  }
  return false;
}

std::chrono::milliseconds sendDuration() {
  if (const auto milliseconds = parseCount(environmentValue("TARVEL_SEND_MILLISECONDS"))) {
    return std::chrono::milliseconds(*milliseconds);
  }
  if (const auto seconds = parseCount(environmentValue("TARVEL_SEND_SECONDS"))) {
    return std::chrono::seconds(*seconds);
  }
  return std::chrono::milliseconds(0);
}

std::string describeLoadArguments(intptr_t hostContext, uint8_t mode,
                                  const HostCallback* hostCallback) {
  return std::to_string(hostContext) + "," + std::to_string(mode) + "," +
         (hostCallback != nullptr ? "callback" : "null");
}

std::string describeVariant(const HostVariant* parameter) {
  if (parameter == nullptr) return "nullptr";
  switch (parameter->kind) {
    case HostVariant::Kind::Empty:
      return "Empty";
    case HostVariant::Kind::Null:
      return "Null";
    case HostVariant::Kind::Integer:
      return std::to_string(parameter->integer);
    case HostVariant::Kind::Text:
      return "\"" + parameter->text + "\"";
  }
  return "?";
}

int32_t recordLoadCall(std::string_view libraryFileName, std::string_view entryName,
                       intptr_t hostContext, uint8_t mode, const HostCallback* hostCallback) {
  appendCallLogLine(std::string(libraryFileName) + " " + std::string(entryName) + "(" +
                    describeLoadArguments(hostContext, mode, hostCallback) + ")");
  if (switchNamesLibrary("TARVEL_FAIL_LOAD", libraryFileName)) {
    failAsAsked(libraryFileName, entryName, "TARVEL_FAIL_LOAD");
  }
  return 0;
}

int32_t recordUnLoadCall(std::string_view libraryFileName) {
  appendCallLogLine(std::string(libraryFileName) + " UnLoad()");
  if (switchNamesLibrary("TARVEL_FAIL_UNLOAD", libraryFileName)) {
    failAsAsked(libraryFileName, "UnLoad", "TARVEL_FAIL_UNLOAD");
  }
  return 0;
}

int32_t recordSendCall(std::string_view libraryFileName, std::string_view call) {
  const std::string line = std::string(libraryFileName) + " " + std::string(call);
  appendCallLogLine(line);
  if (switchNamesLibrary("TARVEL_FAIL_SEND", libraryFileName)) {
    failAsAsked(libraryFileName, call.substr(0, call.find('(')), "TARVEL_FAIL_SEND");
  }
  // The user interface waits while a transport works; so does this stand-in.
  std::this_thread::sleep_for(sendDuration());
  appendCallLogLine(line + " finished");
  return 0;
}

}  // namespace tarvel::siblings
