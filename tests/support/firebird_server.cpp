#include "support/firebird_server.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <iterator>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

#include "autoquery/database/tools/office_database_creation.h"

extern char** environ;

namespace tarvel::testing {
namespace {

namespace fs = std::filesystem;

// Where the package is unpacked, once for the build folder.
const fs::path kPackageFolder = TARVEL_FIREBIRD_SERVER_FOLDER;
constexpr const char* kPackage = "firebird3.0-server";
// The client's own files that the server needs beside its configuration (Debian's layout).
constexpr const char* kSystemFirebirdFolders[] = {"/usr/lib/x86_64-linux-gnu/firebird/3.0",
                                                  "/usr/lib/aarch64-linux-gnu/firebird/3.0",
                                                  "/usr/lib/firebird/3.0"};
constexpr auto kStartBound = std::chrono::seconds(20);

fs::path serverProgram() { return kPackageFolder / "root" / "usr" / "sbin" / "firebird"; }

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::string tail(const std::string& text) {
  constexpr size_t kShown = 2000;
  return text.size() > kShown ? text.substr(text.size() - kShown) : text;
}

// Runs a shell command; its output goes to the log file.
int runLogged(const std::string& command, const fs::path& log) {
  const std::string line = "(" + command + ") >>'" + log.string() + "' 2>&1";
  return std::system(line.c_str());
}

// Fetches and unpacks the package unless an earlier test did; one process at a time.
void unpackPackageOnce() {
  fs::create_directories(kPackageFolder);
  const fs::path lockPath = kPackageFolder / "unpack.lock";
  const int lock = ::open(lockPath.c_str(), O_CREAT | O_RDWR, 0644);
  if (lock < 0 || ::flock(lock, LOCK_EX) != 0) {
    throw std::runtime_error("cannot lock " + lockPath.string());
  }
  struct Unlock {
    int descriptor;
    ~Unlock() { ::close(descriptor); }
  } unlock{lock};
  if (fs::exists(serverProgram())) return;

  const fs::path log = kPackageFolder / "download.log";
  const std::string folder = "'" + kPackageFolder.string() + "'";
  const std::string download =
      "cd " + folder + " && rm -f " + kPackage + "_*.deb && apt-get download " + kPackage;
  // Package lists that are old (the version is gone from the mirror) or absent make the
  // download fail; fresh lists mend both.
  if (runLogged(download, log) != 0 &&
      (runLogged("apt-get update", log) != 0 || runLogged(download, log) != 0)) {
    throw std::runtime_error("could not download " + std::string(kPackage) +
                             " with apt-get (no network or no package source?):\n" +
                             tail(readText(log)));
  }
  if (runLogged("cd " + folder + " && rm -rf root.new && dpkg-deb -x " + kPackage +
                    "_*.deb root.new && mv root.new root",
                log) != 0 ||
      !fs::exists(serverProgram())) {
    throw std::runtime_error("could not unpack " + std::string(kPackage) + ":\n" +
                             tail(readText(log)));
  }
}

fs::path systemFirebirdFolder() {
  for (const char* folder : kSystemFirebirdFolders) {
    if (fs::exists(fs::path(folder) / "plugins")) return folder;
  }
  throw std::runtime_error("the Firebird 3 client's folder (plugins, intl) was not found");
}

int freeLoopbackPort() {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(probe);
  return ntohs(address.sin_port);
}

bool accepts(int port) {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  const bool connected =
      ::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(probe);
  return connected;
}

}  // namespace

FirebirdServer::FirebirdServer() {
  unpackPackageOnce();
  QTemporaryDir temporary(QDir::tempPath() + "/tarvel-firebird-server-XXXXXX");
  temporary.setAutoRemove(false);
  if (!temporary.isValid()) throw std::runtime_error("no temporary folder for the server");
  folder_ = temporary.path().toStdString();
  port_ = freeLoopbackPort();

  const fs::path system = systemFirebirdFolder();
  fs::create_symlink(system / "plugins", folder_ / "plugins");
  // A linked intl folder makes the server look for its configuration beside the link's target
  // and leaves WIN1251 unknown; a copy works.
  fs::create_directories(folder_ / "intl");
  fs::copy_file(system / "intl" / "libfbintl.so", folder_ / "intl" / "libfbintl.so");
  fs::copy_file(fs::canonical(system / "intl" / "fbintl.conf"), folder_ / "intl" / "fbintl.conf");
  fs::copy_file(system / "firebird.msg", folder_ / "firebird.msg");
  fs::copy_file(fs::canonical(system / "plugins.conf"), folder_ / "plugins.conf");
  fs::create_directories(folder_ / "lock");
  writeText(folder_ / "firebird.conf", "RemoteServicePort = " + std::to_string(port_) +
                                           "\nRemoteBindAddress = 127.0.0.1\n"
                                           "SecurityDatabase = " +
                                           (folder_ / "security3.fdb").string() +
                                           "\nServerMode = Super\n");
  writeText(folder_ / "databases.conf",
            "C:\\FSYS\\OFFICEDB\\OFFICE.FDB = " + officeFile().string() + "\n");
  autoquery::createSecurityDatabase(folder_ / "security3.fdb");
  start();
}

FirebirdServer::~FirebirdServer() {
  kill();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::string FirebirdServer::hostDatabaseText() const {
  return "127.0.0.1/" + std::to_string(port_) + ":C:\\FSYS\\DB\\MAIN.FDB";
}

void FirebirdServer::start() {
  const std::string program = serverProgram().string();
  const std::string log = (folder_ / "server.log").string();
  std::vector<std::string> environment;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string entry = *variable;
    if (!entry.starts_with("FIREBIRD=") && !entry.starts_with("FIREBIRD_LOCK=")) {
      environment.push_back(entry);
    }
  }
  environment.push_back("FIREBIRD=" + folder_.string());
  environment.push_back("FIREBIRD_LOCK=" + (folder_ / "lock").string());
  std::vector<char*> environmentPointers;
  for (std::string& entry : environment) environmentPointers.push_back(entry.data());
  environmentPointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  char* arguments[] = {const_cast<char*>(program.c_str()), nullptr};
  const int spawned =
      posix_spawn(&pid_, program.c_str(), &actions, nullptr, arguments, environmentPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    pid_ = -1;
    throw std::runtime_error("could not start " + program);
  }
  const auto deadline = std::chrono::steady_clock::now() + kStartBound;
  while (!accepts(port_)) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_ || std::chrono::steady_clock::now() > deadline) {
      kill();
      throw std::runtime_error("the Firebird server did not start listening on port " +
                               std::to_string(port_) + ":\n" +
                               tail(readText(log)));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void FirebirdServer::stop() {
  ::kill(pid_, SIGSTOP);
  stopped_ = true;
}

void FirebirdServer::resume() {
  ::kill(pid_, SIGCONT);
  stopped_ = false;
}

void FirebirdServer::kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
  stopped_ = false;
}

}  // namespace tarvel::testing
