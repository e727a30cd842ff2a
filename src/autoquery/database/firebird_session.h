// The Firebird client's entry points for this library: the master interface, the dispatcher
// that chooses the provider, and the turning of a failed call into an OfficeDatabaseError. Only
// this library, the demo tool and the test fixtures that make databases include it.
#pragma once

#include <firebird/Interface.h>

#include <functional>
#include <string>

#include "autoquery/database/office_database_error.h"

namespace tarvel::autoquery {

// The office's fixed credentials.
inline constexpr const char* kOfficeUserName = "SYSDBA";
inline constexpr const char* kOfficePassword = "tessellor";

// A server that takes the connection but does not answer is given up after this many seconds.
inline constexpr int kConnectTimeoutSeconds = 5;

// The client's master interface. The first call also makes sure the embedded engine can keep
// its lock files: when $FIREBIRD_LOCK is not set and the shared lock folder belongs to someone
// else, a private per-user folder is used, so an ordinary user needs no running server.
Firebird::IMaster* firebirdMaster();

// The client's text of a failed call's status vector, lines joined by "\n".
std::string firebirdErrorText(const Firebird::IStatus* status);

// Runs one step against the client with a throwing status wrapper; a Firebird error becomes an
// OfficeDatabaseError with the client's text.
void callFirebird(const std::function<void(Firebird::ThrowStatusWrapper&)>& step);

// The database parameter block: the office's fixed credentials, the connection's character set, a
// connect timeout so that a server that does not answer gives up after a few seconds, and, for a
// local file, the embedded engine as the only provider.
struct DatabaseParameters {
  bool embedded = false;
  bool createWithWin1251 = false;  // only when creating a database
  std::string configuration;       // more of the engine's settings, one per line
  // The texts' character set on the connection. The office reads with NONE: every text comes in
  // its column's own character set, or as UTF-8 where asked for, and the plug-in makes it
  // Windows-1251 itself; a WIN1251 connection fails the whole fetch at the first character
  // that Windows-1251 cannot hold.
  const char* connectionCharacterSet = "NONE";
};
std::string databaseParameterBlock(Firebird::ThrowStatusWrapper& status,
                                   const DatabaseParameters& parameters);

}  // namespace tarvel::autoquery
