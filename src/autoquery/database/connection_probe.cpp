#include "autoquery/database/connection_probe.h"

#include <netdb.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <memory>

namespace tarvel::autoquery {

namespace {

struct DescriptorClosed {
  int descriptor;
  ~DescriptorClosed() { ::close(descriptor); }
};

// One address: connected without blocking, waited for until the deadline or a wake on `wake`.
ConnectionProbe::Outcome tryAddress(const addrinfo& address,
                                    std::chrono::steady_clock::time_point deadline, int wake,
                                    const std::atomic<bool>& cancelled) {
  using Outcome = ConnectionProbe::Outcome;
  const int connection = ::socket(
      address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
  if (connection < 0) return Outcome::NotAccepted;
  const DescriptorClosed closed{connection};
  if (::connect(connection, address.ai_addr, address.ai_addrlen) == 0) return Outcome::Accepted;
  if (errno != EINPROGRESS) return Outcome::NotAccepted;
  for (;;) {
    if (cancelled) return Outcome::Cancelled;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return Outcome::TimedOut;
    pollfd watched[2] = {{.fd = connection, .events = POLLOUT, .revents = 0},
                         {.fd = wake, .events = POLLIN, .revents = 0}};
    const int ready = ::poll(watched, 2, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) return Outcome::NotAccepted;
    if (ready <= 0) continue;
    if (watched[1].revents != 0) return Outcome::Cancelled;
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(connection, SOL_SOCKET, SO_ERROR, &error, &length);
    return error == 0 ? Outcome::Accepted : Outcome::NotAccepted;
  }
}

}  // namespace

ConnectionProbe::ConnectionProbe() : wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ConnectionProbe::~ConnectionProbe() {
  if (wake_ >= 0) ::close(wake_);
}

void ConnectionProbe::cancel() noexcept {
  cancelled_ = true;
  const std::uint64_t one = 1;
  // The count stays above zero: every poll on it from now on returns at once.
  if (wake_ >= 0 && ::write(wake_, &one, sizeof one) < 0) {
    // Full already (cancelled before), or no descriptor: the flag stands all the same.
  }
}

ConnectionProbe::Outcome ConnectionProbe::check(const DatabaseServerAddress& server,
                                                std::chrono::milliseconds bound) {
  if (cancelled_) return Outcome::Cancelled;
  const auto deadline = std::chrono::steady_clock::now() + bound;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(server.host.c_str(), server.port.c_str(), &hints, &found) != 0) {
    return Outcome::NotAccepted;
  }
  const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> addresses(found, &::freeaddrinfo);
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    const Outcome outcome = tryAddress(*address, deadline, wake_, cancelled_);
    if (outcome != Outcome::NotAccepted) return outcome;
  }
  return Outcome::NotAccepted;
}

}  // namespace tarvel::autoquery
