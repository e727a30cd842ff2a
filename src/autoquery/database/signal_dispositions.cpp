#include "autoquery/database/signal_dispositions.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <type_traits>

namespace tarvel::autoquery {
namespace {

// The signals the client takes for itself.
constexpr std::array<int, 2> kClientsSignals = {SIGINT, SIGTERM};

// The signals whose disposition can be read and set: the standard and the real-time ones.
int signalCount() { return std::min(SIGRTMAX + 1, NSIG); }

bool settable(int signal) { return signal != SIGKILL && signal != SIGSTOP; }

bool sameDisposition(const struct sigaction& a, const struct sigaction& b) {
  // The handler (or the action, which shares its place) and the flags say what the signal does.
  return a.sa_handler == b.sa_handler && a.sa_flags == b.sa_flags;
}

// The keepings under way in the process: the dispositions the first one found stand for the
// host's until the last one ends, so that neither a nested keeping nor one on another thread
// takes the client's handlers for the host's. Nothing in it needs destroying, so a database
// thread may still keep while the process exits, and no heap block is left behind that only
// the plug-in's unloaded memory pointed to.
struct Keepings {
  std::mutex mutex;
  int count = 0;
  std::array<struct sigaction, NSIG> saved{};  // by signal number; 0 unused
};
static_assert(std::is_trivially_destructible_v<Keepings>);

Keepings& keepings() {
  static Keepings instance;
  return instance;
}

// The host's own dispositions of the client's signals, read by the forwarder. Written before
// the forwarder is put in place, so it only ever reads them.
std::array<struct sigaction, kClientsSignals.size()> hostsDispositions{};

// Stands for SIGINT and SIGTERM while the client may be called: the host's disposition is put
// back for the signal, which is sent to the process again, so that the host's disposition takes
// it now (a default one ends the process). The client's handler, once installed, calls this one
// as the handler it found. Only async-signal-safe calls.
void handToTheHost(int signal) {
  const int savedErrno = errno;
  for (std::size_t index = 0; index < kClientsSignals.size(); ++index) {
    if (kClientsSignals[index] == signal) sigaction(signal, &hostsDispositions[index], nullptr);
  }
  kill(getpid(), signal);
  errno = savedErrno;
}

}  // namespace

SignalDispositionsKept::SignalDispositionsKept() {
  Keepings& state = keepings();
  const std::lock_guard lock(state.mutex);
  if (state.count++ > 0) return;
  for (int signal = 1; signal < signalCount(); ++signal) {
    struct sigaction& saved = state.saved[static_cast<size_t>(signal)];
    std::memset(&saved, 0, sizeof saved);
    if (settable(signal)) sigaction(signal, nullptr, &saved);
  }
  struct sigaction forwarder {};
  forwarder.sa_handler = handToTheHost;
  forwarder.sa_flags = SA_RESTART;
  sigemptyset(&forwarder.sa_mask);
  for (std::size_t index = 0; index < kClientsSignals.size(); ++index) {
    hostsDispositions[index] = state.saved[static_cast<size_t>(kClientsSignals[index])];
    sigaction(kClientsSignals[index], &forwarder, nullptr);
  }
}

SignalDispositionsKept::~SignalDispositionsKept() {
  Keepings& state = keepings();
  const std::lock_guard lock(state.mutex);
  if (--state.count > 0) return;
  for (int signal = 1; signal < signalCount(); ++signal) {
    if (!settable(signal)) continue;
    struct sigaction now {};
    if (sigaction(signal, nullptr, &now) != 0) continue;
    const struct sigaction& saved = state.saved[static_cast<size_t>(signal)];
    if (!sameDisposition(now, saved)) sigaction(signal, &saved, nullptr);
  }
}

}  // namespace tarvel::autoquery
