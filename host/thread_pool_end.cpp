#include "host/thread_pool_end.h"

#include <QThreadPool>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace tarvel::host {

namespace {

// The name Qt gives its pool's threads, as the system lists them.
constexpr const char* kPoolThreadName = "Thread (pooled)";

bool poolThreadLeft() {
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name == kPoolThreadName) return true;
  }
  return false;
}

}  // namespace

void endGlobalThreadPool(std::chrono::milliseconds bound) {
  // waitForDone() returns once each pool thread has finished its work, while the system thread
  // may still be ending: its last step frees the thread's Qt data. A process that exits before
  // that step leaves the data to no one, and the sanitized build's leak check then reports it.
  QThreadPool::globalInstance()->waitForDone();
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (poolThreadLeft() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace tarvel::host
