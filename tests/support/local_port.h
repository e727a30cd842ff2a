// A port of this machine that a socket holds: closed (nothing listens there), silent (it takes
// connections but never answers, a database server that has stopped answering as the client
// meets it) or full (a listener whose queue of connections not yet taken is full: the kernel
// drops further connection requests, as a firewall that drops packets would, and a connect waits
// through the kernel's retries, about two minutes).
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace tarvel::testing {

class LocalPort {
 public:
  enum class Kind { Closed, Silent, Full };

  explicit LocalPort(Kind kind) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    if (kind == Kind::Silent) ::listen(socket_, kRoomForEveryConnection);
    if (kind == Kind::Full) {
      ::listen(socket_, 0);
      fillQueue();
    }
  }
  ~LocalPort() {
    for (const int filler : fillers_) ::close(filler);
    ::close(socket_);
  }
  LocalPort(const LocalPort&) = delete;
  LocalPort& operator=(const LocalPort&) = delete;

  // The server prefix of a database name on this port.
  std::string serverPrefix() const { return "127.0.0.1/" + std::to_string(port_) + ":"; }
  // The host's database connection text of a database on this "server".
  std::string hostDatabaseText() const { return serverPrefix() + "C:\\FSYS\\DB\\MAIN.FDB"; }

 private:
  // Room for every connection a test makes: beyond it, a connection is not even taken.
  static constexpr int kRoomForEveryConnection = 128;
  // A loopback connection the kernel takes completes at once; one still waiting after this is
  // one it dropped.
  static constexpr int kDroppedAfterMilliseconds = 500;
  static constexpr int kMostFillers = 16;

  static sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
  }

  // Connections that are never taken, until the kernel drops one: the queue is full then.
  void fillQueue() {
    const sockaddr_in address = loopback(port_);
    for (int count = 0; count < kMostFillers; ++count) {
      const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      fillers_.push_back(filler);
      ::connect(filler, reinterpret_cast<const sockaddr*>(&address), sizeof address);
      pollfd connecting{.fd = filler, .events = POLLOUT, .revents = 0};
      if (::poll(&connecting, 1, kDroppedAfterMilliseconds) == 0) return;
    }
  }

  int socket_;
  int port_ = 0;
  std::vector<int> fillers_;
};

}  // namespace tarvel::testing
