// A stand-in for LiveSplit's server, for the tests: listens on 127.0.0.1 on a
// free port, prints the port on its first line, takes one client, and writes
// to standard output every byte it gets, as it came (each command's CR LF
// included), a line at a time as they come; it ends with status 0 when the
// client goes away.
//
//   livesplit-test-server [--close-after N | --reset-after N] [--wait SECONDS]
//
// --close-after N closes the connection after the Nth line, as a server that
// is stopped does; --reset-after N resets it (TCP RST). With no client within
// SECONDS (60), it ends with status 1, so that a test gone wrong leaves
// nothing behind.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "livesplit-test-server: %s\n", why.c_str());
  std::exit(1);
}

int Count(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < 0 || value > 1000000) Fail(std::string("not a count: ") + text);
  return int(value);
}

}  // namespace

int main(int argc, char** argv) {
  enum class After { Nothing, Close, Reset } after = After::Nothing;
  int lines = 0;
  int waitSeconds = 60;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--close-after" && hasValue) {
      after = After::Close;
      lines = Count(argv[++i]);
    } else if (arg == "--reset-after" && hasValue) {
      after = After::Reset;
      lines = Count(argv[++i]);
    } else if (arg == "--wait" && hasValue) {
      waitSeconds = Count(argv[++i]);
    } else {
      Fail("usage: livesplit-test-server [--close-after N | --reset-after N] [--wait SECONDS]");
    }
  }

  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;  // a free one
  socklen_t size = sizeof address;
  if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 1) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    Fail(std::string("can't listen: ") + std::strerror(errno));
  }
  std::printf("%d\n", ntohs(address.sin_port));
  std::fflush(stdout);

  pollfd waiting{listener, POLLIN, 0};
  if (::poll(&waiting, 1, waitSeconds * 1000) != 1) Fail("no client came");
  const int client = ::accept(listener, nullptr, nullptr);
  if (client < 0) Fail(std::string("can't accept: ") + std::strerror(errno));
  ::close(listener);

  int seen = 0;
  char byte = 0;
  std::string line;
  while (after == After::Nothing || seen < lines) {
    const ssize_t got = ::recv(client, &byte, 1, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    line += byte;
    if (byte != '\n') continue;
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
    line.clear();
    ++seen;
  }
  if (after == After::Reset) {
    const linger now{1, 0};  // closing with a linger time of 0 resets the connection
    ::setsockopt(client, SOL_SOCKET, SO_LINGER, &now, sizeof now);
  }
  std::fwrite(line.data(), 1, line.size(), stdout);  // a last line without its end
  ::close(client);
  return 0;
}
