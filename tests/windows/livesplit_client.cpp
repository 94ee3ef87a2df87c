// The game's link to LiveSplit, built for Windows, driven from standard input
// for the Wine test: connects to LiveSplit's server at [HOST:]PORT, then for
// each line it reads makes the call it names ("start", "split FRAME", "skip",
// "pause", "resume"), and ends at the input's end with status 0. When it
// can't connect, it says the link's one line and ends with status 1.
// usage: livesplit_client [HOST:]PORT
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/livesplit.h"

int main(int argc, char** argv) {
  const std::optional<LiveSplitAddress> address = argc == 2 ? ParseLiveSplitAddress(argv[1]) : std::nullopt;
  if (!address) {
    std::fputs("usage: livesplit_client [HOST:]PORT\n", stderr);
    return 2;
  }
  std::string error;
  const std::unique_ptr<LiveSplit> link = LiveSplit::Connect(*address, error);
  if (link == nullptr) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    line[std::strcspn(line, "\r\n")] = '\0';
    const std::string call = line;
    if (call == "start") {
      link->StartTimer();
    } else if (call.starts_with("split ")) {
      link->Split(std::strtoll(line + 6, nullptr, 10));
    } else if (call == "skip") {
      link->SkipSplit();
    } else if (call == "pause") {
      link->Pause();
    } else if (call == "resume") {
      link->Resume();
    } else {
      std::fprintf(stderr, "livesplit_client: no call \"%s\"\n", line);
      return 2;
    }
  }
  return 0;
}
