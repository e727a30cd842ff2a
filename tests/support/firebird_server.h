// A real Firebird server on this machine's loopback, for tests that need the office database on
// a server: Debian's firebird3.0-server package, fetched with apt-get and unpacked into the build
// folder once (never installed, so no system service starts), run as a child process with a
// configuration of its own in a temporary folder. The office database's Windows name is an
// alias of a file there, so the plug-in asks the server for "C:\FSYS\OFFICEDB\OFFICE.FDB" as at
// a real office.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace tarvel::testing {

class FirebirdServer {
 public:
  // Fetches and unpacks the package when the build folder has none yet (updating the package
  // lists when the download fails), makes the security database (SYSDBA with the office's
  // password) and starts the server on a free port. Raises std::runtime_error saying what
  // failed, with the output of the step that failed.
  FirebirdServer();
  // Kills the server and removes its folder.
  ~FirebirdServer();
  FirebirdServer(const FirebirdServer&) = delete;
  FirebirdServer& operator=(const FirebirdServer&) = delete;

  // The file behind the alias "C:\FSYS\OFFICEDB\OFFICE.FDB"; the test creates it.
  std::filesystem::path officeFile() const { return folder_ / "office.fdb"; }
  // What the host answers to HostCommand::DatabaseConnection when its own database is on this
  // server.
  std::string hostDatabaseText() const;

  // The server process, for faults made from outside (kill -STOP).
  pid_t pid() const { return pid_; }

  // Faults: the process stopped (SIGSTOP) and resumed (SIGCONT); killed (SIGKILL) and started
  // again on the same port.
  void stop();
  void resume();
  void kill();
  void start();

 private:
  std::filesystem::path folder_;
  int port_ = 0;
  pid_t pid_ = -1;
  bool stopped_ = false;
};

}  // namespace tarvel::testing
