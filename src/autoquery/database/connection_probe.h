// Whether a database server takes a TCP connection, found out before the client connects. The
// client's own connect has no bound of its own (its connect timeout starts once the connection
// is made): a server whose queue is full, or a firewall that drops packets, holds it for the
// kernel's whole retrying, about two minutes, and the client's exit waits for every thread inside
// it. This check is bounded and can be cancelled, so the client only connects once the server
// is known to take connections.
#pragma once

#include <atomic>
#include <chrono>

#include "autoquery/database/database_server_address.h"

namespace tarvel::autoquery {

class ConnectionProbe {
 public:
  enum class Outcome {
    Accepted,     // an address took the connection (closed again at once)
    NotAccepted,  // refused, unreachable or unknown: the client will say which
    TimedOut,     // an address neither took nor refused it within the bound
    Cancelled,
  };

  ConnectionProbe();
  ~ConnectionProbe();
  ConnectionProbe(const ConnectionProbe&) = delete;
  ConnectionProbe& operator=(const ConnectionProbe&) = delete;

  // Connects to the server's addresses in the order the client tries them, until one takes the
  // connection or refuses it, within `bound` in all. Sends nothing.
  Outcome check(const DatabaseServerAddress& server, std::chrono::milliseconds bound);

  // From another thread: a check under way ends at once, and every later one is cancelled too.
  void cancel() noexcept;

 private:
  int wake_ = -1;  // an eventfd, readable once cancelled
  std::atomic<bool> cancelled_{false};
};

}  // namespace tarvel::autoquery
