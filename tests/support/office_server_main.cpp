// tarvel-office-server [OFFICE.FDB]: runs the tests' Firebird server (support/firebird_server.h)
// until interrupted, serving a copy of the given office database (by default none: the office
// window then reports that the table is missing) as "C:\FSYS\OFFICEDB\OFFICE.FDB". Prints the
// text to give the reference host as its database connection (command 69) and the server's
// process number, for stopping it by hand (kill -STOP / kill -CONT).
#include <signal.h>

#include <cstdio>
#include <exception>
#include <filesystem>

#include "support/firebird_server.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: %s [OFFICE.FDB]\n", argv[0]);
    return 2;
  }
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);
  try {
    tarvel::testing::FirebirdServer server;
    if (argc == 2) std::filesystem::copy_file(argv[1], server.officeFile());
    std::printf("Database connection (command 69): %s\nServer process: %d\nCtrl-C ends it.\n",
                server.hostDatabaseText().c_str(), static_cast<int>(server.pid()));
    std::fflush(stdout);
    int signal = 0;
    sigwait(&ending, &signal);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
