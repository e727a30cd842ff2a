#include "autoquery/database/signal_dispositions.h"

#include <cstring>

namespace tarvel::autoquery {
namespace {

// The signals whose disposition can be read and set: the standard and the real-time ones.
int signalCount() { return SIGRTMAX + 1; }

bool settable(int signal) { return signal != SIGKILL && signal != SIGSTOP; }

bool sameDisposition(const struct sigaction& a, const struct sigaction& b) {
  // The handler (or the action, which shares its place) and the flags say what the signal does.
  return a.sa_handler == b.sa_handler && a.sa_flags == b.sa_flags;
}

}  // namespace

SignalDispositionsKept::SignalDispositionsKept() : saved_(static_cast<size_t>(signalCount())) {
  for (int signal = 1; signal < signalCount(); ++signal) {
    struct sigaction& saved = saved_[static_cast<size_t>(signal)];
    std::memset(&saved, 0, sizeof saved);
    if (settable(signal)) sigaction(signal, nullptr, &saved);
  }
}

SignalDispositionsKept::~SignalDispositionsKept() {
  for (int signal = 1; signal < signalCount(); ++signal) {
    if (!settable(signal)) continue;
    struct sigaction now {};
    if (sigaction(signal, nullptr, &now) != 0) continue;
    const struct sigaction& saved = saved_[static_cast<size_t>(signal)];
    if (!sameDisposition(now, saved)) sigaction(signal, &saved, nullptr);
  }
}

}  // namespace tarvel::autoquery
