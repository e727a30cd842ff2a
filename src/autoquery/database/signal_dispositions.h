// The process's signal dispositions kept across calls into the database client. The client's
// first call installs handlers of its own for SIGINT and SIGTERM (they shut its connections down
// and leave the process running), so a host that ends at those signals, or handles them itself,
// would no longer see them. Signals belong to the host program; the plug-in leaves them as the
// host set them, and one that comes while the client's handlers stand still reaches the host.
#pragma once

namespace tarvel::autoquery {

class SignalDispositionsKept {
 public:
  // The first of nested or overlapping keepings (on any thread) notes every signal's
  // disposition and, until the last one ends, hands SIGINT and SIGTERM on to the host's own
  // disposition: the client keeps a handler it replaces and calls it from its own.
  SignalDispositionsKept();
  // The last keeping to end puts back each disposition that changed meanwhile.
  ~SignalDispositionsKept();
  SignalDispositionsKept(const SignalDispositionsKept&) = delete;
  SignalDispositionsKept& operator=(const SignalDispositionsKept&) = delete;
};

}  // namespace tarvel::autoquery
