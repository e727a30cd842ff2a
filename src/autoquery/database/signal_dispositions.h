// The process's signal dispositions kept across calls into the database client. The client's
// first attachment installs handlers of its own for SIGINT and SIGTERM (to shut its connections
// down), so a host that ends at those signals, or handles them itself, would no longer see them.
// Signals belong to the host program; the plug-in leaves them as the host set them.
#pragma once

#include <csignal>
#include <vector>

namespace tarvel::autoquery {

class SignalDispositionsKept {
 public:
  // Notes every signal's disposition.
  SignalDispositionsKept();
  // Puts back each disposition that changed meanwhile.
  ~SignalDispositionsKept();
  SignalDispositionsKept(const SignalDispositionsKept&) = delete;
  SignalDispositionsKept& operator=(const SignalDispositionsKept&) = delete;

 private:
  std::vector<struct sigaction> saved_;  // by signal number; 0 unused
};

}  // namespace tarvel::autoquery
