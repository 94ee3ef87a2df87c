// A TCP connection to a server the game only talks to, such as a split timer.
// Connecting waits, but never past its deadline; after that nothing waits:
// what is sent goes at once or not at all, a server that stops reading, closes
// or resets the connection only ends it, and no signal is ever raised. Each
// desktop system has its own: POSIX sockets (platform/posix/) and Winsock
// (platform/win32/); the web page has none, as browsers open no TCP sockets.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class TcpConnection {
 public:
  virtual ~TcpConnection() = default;

  // Hands all of `bytes` to the system to send, without waiting. False when
  // the connection is gone, then or before: closed or reset by the server,
  // or too far behind to take them (the server has stopped reading and the
  // buffers are full). A connection gone stays gone, closed, and Lost() says why.
  virtual bool Send(std::string_view bytes) = 0;

  // Whether the connection is still there, looked at without waiting;
  // whatever the server sent is read and dropped.
  virtual bool Open() = 0;

  // Why the connection is gone ("closed by the server"), or "" while it is open.
  virtual std::string Lost() const = 0;
};

// Connects to `host` (a name, or an IPv4 or IPv6 address) and `port`, trying
// each address the name has, and waiting at most `within` in all, the name's
// look-up included. Null when it can't, with `why` saying so in a few words
// ("connection refused", "no answer within 2 s").
std::unique_ptr<TcpConnection> ConnectTcp(const std::string& host, int port, std::chrono::milliseconds within,
                                          std::string& why);

}  // namespace platform
