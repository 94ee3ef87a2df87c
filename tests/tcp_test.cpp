#include "platform/tcp.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace {

using std::chrono::milliseconds;

// A server's socket listening on 127.0.0.1, which the test accepts from, or not.
class Listener {
 public:
  explicit Listener(int backlog = 4) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    EXPECT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(socket_, backlog), 0);
    EXPECT_EQ(::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size), 0);
    port_ = ntohs(address.sin_port);
  }
  ~Listener() { ::close(socket_); }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  int Port() const { return port_; }
  int Accept() const { return ::accept(socket_, nullptr, nullptr); }

 private:
  int socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
  int port_ = 0;
};

std::unique_ptr<platform::TcpConnection> Connect(const Listener& server, milliseconds within = milliseconds(10000)) {
  std::string why;
  auto connection = platform::ConnectTcp("127.0.0.1", server.Port(), within, why);
  EXPECT_NE(connection, nullptr) << why;
  return connection;
}

TEST(TcpConnection, AServerThatStopsReadingEndsItRatherThanStallIt) {
  Listener server;  // never accepts, never reads: the system's buffers take what they can
  const auto connection = Connect(server);
  ASSERT_NE(connection, nullptr);
  const std::string megabyte(1 << 20, 'x');
  int sent = 0;
  while (sent < 256 && connection->Send(megabyte)) ++sent;
  EXPECT_LT(sent, 256) << "the buffers took 256 MiB";
  EXPECT_EQ(connection->Lost(), "the server takes nothing more (it has stopped reading)");
  EXPECT_FALSE(connection->Open());
  EXPECT_FALSE(connection->Send("pause\r\n"));
}

TEST(TcpConnection, AServerThatTalksKeepsItAndOneThatClosesOrResetsEndsIt) {
  Listener server;
  for (const bool reset : {false, true}) {
    const auto connection = Connect(server);
    ASSERT_NE(connection, nullptr);
    const int client = server.Accept();
    ASSERT_GE(client, 0);
    // What the server says is read and dropped.
    ASSERT_EQ(::send(client, "hello\r\n", 7, 0), 7);
    EXPECT_TRUE(connection->Send("starttimer\r\n"));
    char line[12];
    ASSERT_EQ(::recv(client, line, sizeof line, MSG_WAITALL), ssize_t(sizeof line));
    EXPECT_EQ(std::string(line, sizeof line), "starttimer\r\n");
    if (reset) {
      const linger now{1, 0};
      ::setsockopt(client, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    }
    ::close(client);
    // The close or reset reaches the client before close() returns on
    // 127.0.0.1, but a system may take its time: only its being noticed at
    // once matters, not how it is noticed.
    while (connection->Open()) {
    }
    EXPECT_EQ(connection->Lost(), reset ? "reset by the server" : "closed by the server");
    EXPECT_FALSE(connection->Send("pause\r\n"));
  }
}

TEST(TcpConnection, ConnectingStopsAtARefusalOrTheDeadline) {
  std::string why;
  int port = 0;
  {
    const Listener gone;
    port = gone.Port();
  }
  EXPECT_EQ(platform::ConnectTcp("127.0.0.1", port, milliseconds(10000), why), nullptr);
  EXPECT_EQ(why, "connection refused");

  // A server whose queue of connections to accept is full lets the next
  // one's request go unanswered.
  const Listener full(0);
  const auto first = Connect(full);
  EXPECT_EQ(platform::ConnectTcp("127.0.0.1", full.Port(), milliseconds(300), why), nullptr);
  EXPECT_EQ(why, "no answer within 300 ms");
}

}  // namespace
