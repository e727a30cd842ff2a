// What every stand-in sibling library shares: the call log and the switches that make an entry
// slow or failing, read from the environment so that a test or a person can steer a library the
// plug-in loads by name.
//
// The call log is ROOT/FSYS/Siblings.log (the Windows path "C:\FSYS\Siblings.log" below the
// installation root, $TARVEL_ROOT). Every entry appends one line per call, Windows-1251, ending
// in CR LF; the send entries append a second line when they have finished:
//
//   Orvaly.dll Load(<hostContext>,<mode>,<callback>)      <callback> is "callback" or "null"
//   Zumbra.dll PrepareDataZumbra(<hostContext>,<mode>,<callback>)
//   Kestrin.dll UnLoad()
//   Dravik.dll AutoSendModem()                             then "Dravik.dll AutoSendModem()
//   finished" Pellow.dll AutoSendMail()                              then "... AutoSendMail()
//   finished" Kestrin.dll AutoSendInet()                             then "... AutoSendInet()
//   finished" Kestrin.dll AutoSendInetFromOffice(<name>,<value>,<parameter>)   then the same line +
//   " finished"
//
// <hostContext>, <mode> and <value> are decimal; <name> is the station name's bytes unchanged;
// <parameter> is "Null", "Empty", a decimal integer, the text in double quotes, or "nullptr".
//
// Switches (each a list of library file names separated by commas, compared without regard to
// case, or "*" for every library):
//   TARVEL_FAIL_LOAD    Load and PrepareDataZumbra log their line, then throw std::runtime_error.
//   TARVEL_FAIL_SEND    a send entry logs its first line, then throws std::runtime_error.
//   TARVEL_FAIL_UNLOAD  UnLoad logs its line, then throws std::runtime_error.
// The time a send takes, as a modem or mail exchange would: TARVEL_SEND_MILLISECONDS, or
// TARVEL_SEND_SECONDS when that is not set (default 0). The library blocks for that long.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "tarvel/contract.h"

namespace tarvel::siblings {

// The Windows path of the call log below the installation root.
inline constexpr const char* kCallLogWindowsPath = "C:\\FSYS\\Siblings.log";

// Appends one line (without its CR LF) to the call log, creating FSYS when missing. A log that
// cannot be written is reported on standard error; the call itself goes on.
void appendCallLogLine(std::string_view line);

// True when the switch variable names this library (or "*").
bool switchNamesLibrary(const char* variable, std::string_view libraryFileName);

// The time a send entry takes, from TARVEL_SEND_MILLISECONDS or TARVEL_SEND_SECONDS.
std::chrono::milliseconds sendDuration();

// "<hostContext>,<mode>,<callback>" for the Load-shaped entries.
std::string describeLoadArguments(intptr_t hostContext, uint8_t mode,
                                  const HostCallback* hostCallback);

// "Null", "Empty", the integer, the text in double quotes, or "nullptr".
std::string describeVariant(const HostVariant* parameter);

// The body of a Load-shaped entry: logs "<library> <entry>(<arguments>)", throws when
// TARVEL_FAIL_LOAD names the library, returns 0 otherwise.
int32_t recordLoadCall(std::string_view libraryFileName, std::string_view entryName,
                       intptr_t hostContext, uint8_t mode, const HostCallback* hostCallback);

// The body of UnLoad: logs "<library> UnLoad()", throws when TARVEL_FAIL_UNLOAD names the
// library, returns 0 otherwise.
int32_t recordUnLoadCall(std::string_view libraryFileName);

// The body of a send entry: logs "<library> <call>", throws when TARVEL_FAIL_SEND names the
// library, waits sendDuration(), logs "<library> <call> finished", returns 0.
int32_t recordSendCall(std::string_view libraryFileName, std::string_view call);

}  // namespace tarvel::siblings
