// Plinkard: the game in its desktop window. The command line is read before
// anything looks for a display, so --help, --version and mistakes need none.
#include <cstdio>

#include "app/command_line.h"
#include "app/import_best.h"
#include "app/watched_run.h"
#include "generated/version.h"
#include "platform/program.h"

int main(int argc, char** argv) {
  platform::Program program(argc, argv, "Plinkard");
  const CommandLine line = ParseCommandLine(program.Argc(), program.Argv());
  if (!line.error.empty()) {
    std::fprintf(stderr, "plinkard: %s\n%s", line.error.c_str(), Usage().c_str());
    return 2;
  }
  const Options& options = line.options;
  if (options.help) {
    std::fputs(Help().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("plinkard %s\n", PLINKARD_VERSION);
    return 0;
  }
  if (options.importBest) return ImportBest(*options.importBest);
  return PlayWatchedRun(options.run, options.race, options.view);
}
