// TCP connections with POSIX sockets (Linux): non-blocking from the start,
// sends that never raise SIGPIPE.
#include "platform/tcp.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/tcp_shared.h"

#ifndef MSG_NOSIGNAL  // where SO_NOSIGPIPE does its work instead
#define MSG_NOSIGNAL 0
#endif

namespace platform {
namespace {

using tcp::Clock;

std::string Words(int error) {
  switch (error) {
    case ECONNREFUSED:
      return tcp::kRefused;
    case ECONNRESET:
      return tcp::kReset;
    case EPIPE:
      return tcp::kClosed;
    case ENETUNREACH:
      return tcp::kNetworkUnreachable;
    case EHOSTUNREACH:
      return tcp::kHostUnreachable;
    case ETIMEDOUT:
      return tcp::kTimedOut;
    default:
      std::string text = std::strerror(error);
      if (!text.empty()) text[0] = char(std::tolower(static_cast<unsigned char>(text[0])));
      return text;
  }
}

class PosixConnection final : public TcpConnection {
 public:
  explicit PosixConnection(int socket) : socket_(socket) {}
  ~PosixConnection() override {
    if (socket_ >= 0) ::close(socket_);
  }
  PosixConnection(const PosixConnection&) = delete;
  PosixConnection& operator=(const PosixConnection&) = delete;

  bool Send(std::string_view bytes) override {
    if (!Open()) return false;
    ssize_t sent = 0;
    do {
      sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (sent < 0 && errno == EINTR);
    if (sent == ssize_t(bytes.size())) return true;
    // A part taken, or none: the buffers are full, and waiting is not allowed.
    Drop(sent >= 0 || errno == EAGAIN || errno == EWOULDBLOCK ? tcp::kNotReading : Words(errno));
    return false;
  }

  bool Open() override {
    if (socket_ < 0) return false;
    // A server that talks without end is read a bounded amount at a time.
    char dropped[4096];
    for (int reads = 0; reads < 16; ++reads) {
      const ssize_t got = ::recv(socket_, dropped, sizeof dropped, MSG_DONTWAIT);
      if (got > 0 || (got < 0 && errno == EINTR)) continue;
      if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
      Drop(got == 0 ? tcp::kClosed : Words(errno));
      return false;
    }
    return true;
  }

  std::string Lost() const override { return lost_; }

 private:
  void Drop(std::string why) {
    ::close(socket_);
    socket_ = -1;
    lost_ = std::move(why);
  }

  int socket_;
  std::string lost_;
};

// Waits, until the deadline, for the connection under way on `socket`; says
// why it failed in `why`.
bool Connected(int socket, Clock::time_point deadline, std::chrono::milliseconds within, std::string& why) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd watched{socket, POLLOUT, 0};
    const int ready = left.count() > 0 ? ::poll(&watched, 1, int(left.count())) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) {
      why = Words(errno);
      return false;
    }
    if (ready == 0) {
      why = tcp::NoAnswerWithin(within);
      return false;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
    if (error == 0) return true;
    why = Words(error);
    return false;
  }
}

}  // namespace

std::unique_ptr<TcpConnection> ConnectTcp(const std::string& host, int port, std::chrono::milliseconds within,
                                          std::string& why) {
  const Clock::time_point deadline = Clock::now() + within;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;  // IPv4 or IPv6
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  const auto lookup = tcp::LookUp(host, port, hints, deadline, ::getaddrinfo, ::freeaddrinfo);
  if (!lookup) {
    why = tcp::NoAnswerWithin(within);
    return nullptr;
  }
  if (lookup->error == EAI_NONAME || lookup->error == EAI_NODATA) {
    why = tcp::kNoSuchHost;
    return nullptr;
  }
  if (lookup->error != 0) {
    why = std::string("can't look the host up: ") + ::gai_strerror(lookup->error);
    return nullptr;
  }
  why = tcp::kNoAddress;
  for (const addrinfo* address = lookup->list.get(); address != nullptr; address = address->ai_next) {
    const int socket = ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol);
    if (socket < 0) {
      why = Words(errno);
      continue;
    }
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);  // each line goes as it is sent
#ifdef SO_NOSIGPIPE
    ::setsockopt(socket, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    bool connected = ::connect(socket, address->ai_addr, address->ai_addrlen) == 0;
    if (!connected && errno == EINPROGRESS) {
      connected = Connected(socket, deadline, within, why);
    } else if (!connected) {
      why = Words(errno);
    }
    if (connected) return std::make_unique<PosixConnection>(socket);
    ::close(socket);
    if (Clock::now() >= deadline) break;
  }
  return nullptr;
}

}  // namespace platform
