#include "host/thread_pool_end.h"

#include <QThreadPool>
#include <thread>

#include "platform/thread_names.h"

namespace tarvel::host {

// The name Qt gives its pool's threads, as the system lists them.
constexpr const char* kPoolThreadName = "Thread (pooled)";

void endGlobalThreadPool(std::chrono::milliseconds bound) {
  // waitForDone() returns once each pool thread has finished its work, while the system thread
  // may still be ending: its last step frees the thread's Qt data. A process that exits before
  // that step leaves the data to no one, and the sanitized build's leak check then reports it.
  QThreadPool::globalInstance()->waitForDone();
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (platform::threadNamedRuns(kPoolThreadName) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace tarvel::host
