// TCP connections with Winsock: non-blocking from the start (Windows raises
// no signal for a connection gone).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>

#include "platform/tcp.h"
#include "platform/tcp_shared.h"

namespace platform {
namespace {

using tcp::Clock;

std::string Words(int error) {
  switch (error) {
    case WSAECONNREFUSED:
      return tcp::kRefused;
    case WSAECONNRESET:
    case WSAECONNABORTED:
      return tcp::kReset;
    case WSAESHUTDOWN:
      return tcp::kClosed;
    case WSAENETUNREACH:
      return tcp::kNetworkUnreachable;
    case WSAEHOSTUNREACH:
      return tcp::kHostUnreachable;
    case WSAETIMEDOUT:
      return tcp::kTimedOut;
    default:
      return "Windows sockets error " + std::to_string(error);
  }
}

// Winsock starts once, for the rest of the program.
bool WinsockStarted(std::string& why) {
  static const int error = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data);
  }();
  if (error != 0) why = "Windows sockets won't start: " + Words(error);
  return error == 0;
}

class WinsockConnection final : public TcpConnection {
 public:
  explicit WinsockConnection(SOCKET socket) : socket_(socket) {}
  ~WinsockConnection() override {
    if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  }
  WinsockConnection(const WinsockConnection&) = delete;
  WinsockConnection& operator=(const WinsockConnection&) = delete;

  bool Send(std::string_view bytes) override {
    if (!Open()) return false;
    const int size = int(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int sent = ::send(socket_, bytes.data(), size, 0);
    if (sent >= 0 && std::size_t(sent) == bytes.size()) return true;
    // A part taken, or none: the buffers are full, and waiting is not allowed.
    const int error = ::WSAGetLastError();
    Drop(sent >= 0 || error == WSAEWOULDBLOCK ? tcp::kNotReading : Words(error));
    return false;
  }

  bool Open() override {
    if (socket_ == INVALID_SOCKET) return false;
    // A server that talks without end is read a bounded amount at a time.
    char dropped[4096];
    for (int reads = 0; reads < 16; ++reads) {
      const int got = ::recv(socket_, dropped, sizeof dropped, 0);
      if (got > 0) continue;
      const int error = ::WSAGetLastError();
      if (got < 0 && error == WSAEWOULDBLOCK) break;
      Drop(got == 0 ? tcp::kClosed : Words(error));
      return false;
    }
    return true;
  }

  std::string Lost() const override { return lost_; }

 private:
  void Drop(std::string why) {
    ::closesocket(socket_);
    socket_ = INVALID_SOCKET;
    lost_ = std::move(why);
  }

  SOCKET socket_;
  std::string lost_;
};

// Waits, until the deadline, for the connection under way on `socket`; says
// why it failed in `why`.
bool Connected(SOCKET socket, Clock::time_point deadline, std::chrono::milliseconds within, std::string& why) {
  const auto left = std::max(std::chrono::ceil<std::chrono::microseconds>(deadline - Clock::now()),
                             std::chrono::microseconds(0));
  timeval wait{long(left.count() / 1000000), long(left.count() % 1000000)};
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(socket, &writable);
  FD_SET(socket, &failed);
  const int ready = ::select(0, nullptr, &writable, &failed, &wait);
  if (ready == SOCKET_ERROR) {
    why = Words(::WSAGetLastError());
    return false;
  }
  if (ready == 0) {
    why = tcp::NoAnswerWithin(within);
    return false;
  }
  int error = 0;
  int size = sizeof error;
  if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) {
    error = ::WSAGetLastError();
  }
  if (error == 0 && FD_ISSET(socket, &writable)) return true;
  why = Words(error);
  return false;
}

}  // namespace

std::unique_ptr<TcpConnection> ConnectTcp(const std::string& host, int port, std::chrono::milliseconds within,
                                          std::string& why) {
  const Clock::time_point deadline = Clock::now() + within;
  if (!WinsockStarted(why)) return nullptr;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;  // IPv4 or IPv6
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  const auto lookup = tcp::LookUp(host, port, hints, deadline, ::getaddrinfo, ::freeaddrinfo);
  if (!lookup) {
    why = tcp::NoAnswerWithin(within);
    return nullptr;
  }
  if (lookup->error == WSAHOST_NOT_FOUND || lookup->error == WSANO_DATA) {
    why = tcp::kNoSuchHost;
    return nullptr;
  }
  if (lookup->error != 0) {
    why = "can't look the host up: " + Words(lookup->error);
    return nullptr;
  }
  why = tcp::kNoAddress;
  for (const addrinfo* address = lookup->list.get(); address != nullptr; address = address->ai_next) {
    const SOCKET socket = ::socket(address->ai_family, address->ai_socktype, address->ai_protocol);
    if (socket == INVALID_SOCKET) {
      why = Words(::WSAGetLastError());
      continue;
    }
    const BOOL on = TRUE;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    u_long nonBlocking = 1;
    ::ioctlsocket(socket, FIONBIO, &nonBlocking);
    bool connected = ::connect(socket, address->ai_addr, int(address->ai_addrlen)) == 0;
    if (!connected) {
      const int error = ::WSAGetLastError();
      if (error == WSAEWOULDBLOCK) {
        connected = Connected(socket, deadline, within, why);
      } else {
        why = Words(error);
      }
    }
    if (connected) return std::make_unique<WinsockConnection>(socket);
    ::closesocket(socket);
    if (Clock::now() >= deadline) break;
  }
  return nullptr;
}

}  // namespace platform
