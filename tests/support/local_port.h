// A port of this machine that a socket holds: listening (it takes connections but never answers,
// a database server that has stopped answering as the client meets it) or closed (nothing
// listens there).
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace tarvel::testing {

class LocalPort {
 public:
  explicit LocalPort(bool listening) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    if (listening) ::listen(socket_, kBacklog);
  }
  ~LocalPort() { ::close(socket_); }
  LocalPort(const LocalPort&) = delete;
  LocalPort& operator=(const LocalPort&) = delete;

  // The server prefix of a database name on this port.
  std::string serverPrefix() const { return "127.0.0.1/" + std::to_string(port_) + ":"; }
  // The host's database connection text of a database on this "server".
  std::string hostDatabaseText() const { return serverPrefix() + "C:\\FSYS\\DB\\MAIN.FDB"; }

 private:
  // Room for every connection a test makes: beyond it, a connection is not even taken.
  static constexpr int kBacklog = 128;
  int socket_;
  int port_ = 0;
};

}  // namespace tarvel::testing
