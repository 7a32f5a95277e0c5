// A socket on 127.0.0.1 for tests of failed connections: a port that refuses, or one that
// accepts the TCP handshake and then never answers.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

// A socket bound to a port of 127.0.0.1 that nobody else can take while it lives. Not
// listening, it refuses every connection; listening, it lets the system complete the TCP
// handshake and then never answers (it accepts nothing).
class TLoopbackSocket {
 public:
  explicit TLoopbackSocket(bool listening) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        (listening && listen(fd_, 8) != 0) || getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("loopback socket");
    }
    port_ = ntohs(address.sin_port);
  }
  ~TLoopbackSocket() { close(fd_); }
  TLoopbackSocket(const TLoopbackSocket&) = delete;
  TLoopbackSocket& operator=(const TLoopbackSocket&) = delete;
  int Port() const { return port_; }
  // True when a client has connected to the listening socket (the system completed the
  // handshake and the connection waits to be accepted).
  bool HasPendingConnection() const {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};
