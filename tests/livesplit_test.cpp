#include "app/livesplit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/run_options.h"
#include "livesplit_server.h"

namespace {

TEST(LiveSplitAddress, IsAPortWithAHostOrWithout) {
  const struct {
    const char* text;
    LiveSplitAddress address;
  } good[] = {
      {"16834", {"127.0.0.1", 16834}},
      {"1", {"127.0.0.1", 1}},
      {"65535", {"127.0.0.1", 65535}},
      {"localhost:16834", {"localhost", 16834}},
      {"livesplit-pc.local:9000", {"livesplit-pc.local", 9000}},
      {"192.168.1.20:16834", {"192.168.1.20", 16834}},
      {"0.0.0.0:5", {"0.0.0.0", 5}},
      {"[::1]:16834", {"::1", 16834}},
      {"[2001:db8::8a2e:370:7334]:80", {"2001:db8::8a2e:370:7334", 80}},
      {"[1:2:3:4:5:6:7:8]:80", {"1:2:3:4:5:6:7:8", 80}},
      {"[::ffff:192.0.2.1]:80", {"::ffff:192.0.2.1", 80}},
      {"[::]:80", {"::", 80}},
  };
  for (const auto& c : good) EXPECT_EQ(ParseLiveSplitAddress(c.text), c.address) << c.text;
  EXPECT_EQ(LiveSplitAddress{}, (LiveSplitAddress{"127.0.0.1", 16834}));

  for (const char* bad : {"",
                          "0",
                          "65536",
                          "123456",
                          "-1",
                          "+1",
                          "16834x",
                          " 16834",
                          "16834 ",
                          "0x10",
                          "localhost",
                          "host:",
                          ":16834",
                          "host:port",
                          "::1:16834",
                          "::1",
                          "[::1]",
                          "[::1]16834",
                          "[::1:16834",
                          "[]:1",
                          "[localhost]:1",
                          "[1::2::3]:1",
                          "[1:2:3:4:5:6:7:8:9]:1",
                          "[1:2:3:4:5:6:7]:1",
                          "[12345::]:1",
                          "[::g]:1",
                          "[:1]:1",
                          "[1:::2]:1",
                          "[1.2.3.4::]:1",
                          "256.1.1.1:1",
                          "1.2.3:1",
                          "01.2.3.4:1",
                          "1.2.3.4.5:1",
                          "1.2.3.:1",
                          "-host:1",
                          "host-:1",
                          "ho_st:1",
                          "a..b:1",
                          "host.:1",
                          ".host:1",
                          "h\xc3\xb6st:1",
                          "a:b:1",
                          "[::1]:0"}) {
    EXPECT_EQ(ParseLiveSplitAddress(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(ParseLiveSplitAddress(std::string(63, 'a') + ".b:1")->host.size(), 65u);
  EXPECT_EQ(ParseLiveSplitAddress(std::string(64, 'a') + ".b:1"), std::nullopt);

  EXPECT_EQ(ToString({"::1", 16834}), "[::1]:16834");
  EXPECT_EQ(ToString({"localhost", 1}), "localhost:1");
}

TEST(LiveSplitGameTime, IsHoursMinutesSecondsAndHundredths) {
  EXPECT_EQ(LiveSplitGameTime(0), "0:00:00.00");
  EXPECT_EQ(LiveSplitGameTime(1), "0:00:00.01");
  EXPECT_EQ(LiveSplitGameTime(1740), "0:00:17.40");
  EXPECT_EQ(LiveSplitGameTime(5999), "0:00:59.99");
  EXPECT_EQ(LiveSplitGameTime(6000), "0:01:00.00");
  EXPECT_EQ(LiveSplitGameTime(359999), "0:59:59.99");
  EXPECT_EQ(LiveSplitGameTime(360000), "1:00:00.00");
  EXPECT_EQ(LiveSplitGameTime(36000000 + 6100 + 1), "100:01:01.01");
  EXPECT_EQ(LiveSplitGameTime(-5), "0:00:00.00");  // never before the start
}

// A port on 127.0.0.1 that nobody listens on: one the system gave out, and took back.
int UnusedPort() {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  EXPECT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size), 0);
  ::close(listener);
  return ntohs(address.sin_port);
}

TEST(LiveSplit, SendsEachCommandAsOneLineEndingInCrLf) {
  // "localhost" may be IPv6's ::1 first, where this server is not: the next address is tried.
  for (const char* host : {"127.0.0.1", "localhost"}) {
    LiveSplitTestServer server;
    std::string error;
    std::unique_ptr<LiveSplit> link = LiveSplit::Connect({host, server.Port()}, error);
    ASSERT_NE(link, nullptr) << error;
    ::testing::internal::CaptureStderr();
    link->StartTimer();
    link->Split(1740);
    link->SkipSplit();
    link->Pause();
    link->Resume();
    link->Split(360000);
    link.reset();
    EXPECT_EQ(server.Received(),
              "starttimer\r\n"
              "setgametime 0:00:17.40\r\nsplit\r\n"
              "skipsplit\r\n"
              "pause\r\n"
              "resume\r\n"
              "setgametime 1:00:00.00\r\nsplit\r\n")
        << host;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << host;
  }
}

TEST(LiveSplit, AServerGoneMidwayIsSaidOnceAndTheGameGoesOn) {
  const struct {
    const char* server;
    const char* why;
  } cases[] = {
      // A close may be seen as the close, or, when the next line is sent
      // before the close arrives, as the reset that line gets.
      {"--close-after 3", "(closed|reset) by the server"},
      {"--reset-after 3", "reset by the server"},
  };
  for (const auto& c : cases) {
    LiveSplitTestServer server(c.server);
    std::string error;
    std::unique_ptr<LiveSplit> link = LiveSplit::Connect({"127.0.0.1", server.Port()}, error);
    ASSERT_NE(link, nullptr) << error;
    link->StartTimer();
    link->Split(1740);
    EXPECT_EQ(server.Received(), "starttimer\r\nsetgametime 0:00:17.40\r\nsplit\r\n");
    // The server has ended. Every call after returns at once; one line says so.
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 100; ++i) {
      link->Pause();
      link->Resume();
      link->Split(4000 + i);
    }
    EXPECT_THAT(::testing::internal::GetCapturedStderr(),
                ::testing::MatchesRegex("plinkard: LiveSplit at 127\\.0\\.0\\.1:" + std::to_string(server.Port()) +
                                        ": " + c.why + "; the game plays on without it\n"))
        << c.server;
  }
}

TEST(LiveSplit, APortNobodyListensOnIsOneLineAtOnce) {
  const int port = UnusedPort();
  RunOptions options;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ConnectLiveSplit(options), nullptr);  // without --livesplit: no link, and nothing said
  options.livesplit = LiveSplitAddress{"127.0.0.1", port};
  EXPECT_EQ(ConnectLiveSplit(options), nullptr);
  // Refused, not given up on after the wait.
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "plinkard: LiveSplit at 127.0.0.1:" + std::to_string(port) + ": connection refused\n");

  std::string error;

  // A name that no host has: refused by the look-up, or given up on at the deadline.
  EXPECT_EQ(LiveSplit::Connect({"no-such-host.invalid", 16834}, error), nullptr);
  EXPECT_THAT(error, ::testing::MatchesRegex("plinkard: LiveSplit at no-such-host\\.invalid:16834: [^\n]+"));
}

}  // namespace
