#include "autoquery/database/firebird_session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "autoquery/database/signal_dispositions.h"

namespace tarvel::autoquery {

namespace {

constexpr const char* kDatabaseCharacterSet = "WIN1251";
constexpr const char* kEmbeddedOnly = "Providers=Engine12";
constexpr const char* kSharedLockFolder = "/tmp/firebird";

bool usableFolder(const char* folder) {
  struct stat information {};
  if (stat(folder, &information) != 0) {
    return true;  // the engine creates it
  }
  return S_ISDIR(information.st_mode) && access(folder, R_OK | W_OK | X_OK) == 0;
}

// The engine keeps its lock files in one folder per machine; a folder made by the system's
// service (or another user) shuts everyone else out, so such a user gets a folder of its own.
void choosePrivateLockFolderWhenNeeded() {
  const char* configured = std::getenv("FIREBIRD_LOCK");
  if ((configured != nullptr && *configured != '\0') || usableFolder(kSharedLockFolder)) {
    return;
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tarvel-firebird-" + std::to_string(getuid()));
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
  setenv("FIREBIRD_LOCK", folder.c_str(), 0);
}

// The client's codes of a connection that is no more: shut down by the server or by the client
// itself, or lost with the network or the server's process.
constexpr std::array<ISC_STATUS, 7> kConnectionGoneCodes = {
    isc_att_shutdown,  isc_shutdown,  isc_network_error,     isc_net_read_err,
    isc_net_write_err, isc_conn_lost, isc_lost_db_connection};

bool connectionGone(const Firebird::IStatus* status) {
  const ISC_STATUS* vector = const_cast<Firebird::IStatus*>(status)->getErrors();
  // The vector is pairs of an argument's kind and its value, ended by isc_arg_end.
  for (const ISC_STATUS* item = vector; item != nullptr && *item != isc_arg_end; item += 2) {
    if (item[0] == isc_arg_gds &&
        std::find(kConnectionGoneCodes.begin(), kConnectionGoneCodes.end(), item[1]) !=
            kConnectionGoneCodes.end()) {
      return true;
    }
    // A string of the kind that carries its length takes one more place.
    if (item[0] == isc_arg_cstring) ++item;
  }
  return false;
}

}  // namespace

Firebird::IMaster* firebirdMaster() {
  static std::once_flag prepared;
  std::call_once(prepared, choosePrivateLockFolderWhenNeeded);
  const SignalDispositionsKept hostsSignals;
  return Firebird::fb_get_master_interface();
}

std::string firebirdErrorText(const Firebird::IStatus* status) {
  char text[2048] = {};
  firebirdMaster()->getUtilInterface()->formatStatus(text, sizeof text - 1,
                                                     const_cast<Firebird::IStatus*>(status));
  std::string result(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == ' ')) {
    result.pop_back();
  }
  return result;
}

void callFirebird(const std::function<void(Firebird::ThrowStatusWrapper&)>& step) {
  Firebird::IStatus* rawStatus = firebirdMaster()->getStatus();
  Firebird::ThrowStatusWrapper status(rawStatus);
  try {
    step(status);
  } catch (const Firebird::FbException& error) {
    const std::string text = firebirdErrorText(error.getStatus());
    const auto connection = connectionGone(error.getStatus())
                                ? OfficeDatabaseError::Connection::Gone
                                : OfficeDatabaseError::Connection::Usable;
    status.dispose();
    throw OfficeDatabaseError(text, connection);
  } catch (...) {
    status.dispose();
    throw;
  }
  status.dispose();
}

std::string databaseParameterBlock(Firebird::ThrowStatusWrapper& status,
                                   const DatabaseParameters& parameters) {
  Firebird::IXpbBuilder* builder = firebirdMaster()->getUtilInterface()->getXpbBuilder(
      &status, Firebird::IXpbBuilder::DPB, nullptr, 0);
  std::string block;
  try {
    builder->insertString(&status, isc_dpb_user_name, kOfficeUserName);
    builder->insertString(&status, isc_dpb_password, kOfficePassword);
    builder->insertString(&status, isc_dpb_lc_ctype, parameters.connectionCharacterSet);
    builder->insertInt(&status, isc_dpb_connect_timeout, kConnectTimeoutSeconds);
    std::string configuration = parameters.configuration;
    if (parameters.embedded) {
      configuration = std::string(kEmbeddedOnly) + "\n" + configuration;
    }
    if (!configuration.empty()) {
      builder->insertString(&status, isc_dpb_config, configuration.c_str());
    }
    if (parameters.createWithWin1251) {
      builder->insertString(&status, isc_dpb_set_db_charset, kDatabaseCharacterSet);
    }
    block.assign(reinterpret_cast<const char*>(builder->getBuffer(&status)),
                 builder->getBufferLength(&status));
  } catch (...) {
    builder->dispose();
    throw;
  }
  builder->dispose();
  return block;
}

}  // namespace tarvel::autoquery
