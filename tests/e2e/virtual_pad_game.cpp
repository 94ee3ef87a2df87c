// The game with a game pad that is not there: plinkard-virtual-pad COMMANDS
// [plinkard options] starts the game with a virtual pad plugged in, and reads
// commands for the pad from the file COMMANDS (a FIFO), one a line:
//   press NAME, release NAME   a button, by its name in SDL's mappings (a, x, start, dpright, ...)
//   axis NAME VALUE            leftx or lefty, -32768 to 32767
//   unplug, plug
// Once the window is closed it prints the keys the game still holds and the
// player's speed limit, for the test to check; with --record, --trace or
// --play it records, traces or watches as plinkard does instead.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/command_line.h"
#include "app/play.h"
#include "app/watched_run.h"
#include "platform/sdl/virtual_pad.h"

namespace {

void Follow(const std::string& path, platform::VirtualPad& pad) {
  std::ifstream commands(path);
  for (std::string line; std::getline(commands, line);) {
    std::istringstream words(line);
    std::string command, name;
    int value = 0;
    words >> command >> name >> value;
    bool done = false;
    if (command == "press" || command == "release") done = pad.SetButton(name, command == "press");
    if (command == "axis") done = pad.SetAxis(name, value);
    if (command == "unplug") {
      pad.Unplug();
      done = true;
    }
    if (command == "plug") done = pad.Plug();
    if (!done) std::fprintf(stderr, "virtual pad: cannot \"%s\"\n", line.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string commands = argv[1];
  // The options after COMMANDS, read as the game reads its own.
  const CommandLine line = ParseCommandLine(argc - 1, argv + 1);
  if (!line.error.empty()) return 2;

  static platform::VirtualPad pad;  // SDL lets go of it when the window closes
  const auto plugIn = [&commands](platform::DesktopWindow&) {
    if (!pad.Plug()) std::fprintf(stderr, "virtual pad: cannot plug in\n");
    std::thread(Follow, commands, std::ref(pad)).detach();
  };
  const RunOptions& run = line.options.run;
  if (run.record || run.trace || run.play) return PlayWatchedRun(run, line.options.race, line.options.view, plugIn);
  return PlayInWindow(line.options.view, plugIn, {}, [](const Game& game) {
    std::printf("held:");
    for (std::size_t code = 0; code < game.KeyState.size(); ++code) {
      if (game.KeyState[code] != False) std::printf(" %zu", code);
    }
    std::printf("\nspeed limit: %g\n", double(game.Player.XVelMax));
  });
}
