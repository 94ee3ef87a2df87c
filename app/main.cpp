// Plinkard: the game in its desktop window.
// usage: plinkard [--record FILE | --play FILE] [--trace FILE]
#include <cstdio>
#include <string>

#include "app/play.h"
#include "app/run_options.h"
#include "app/watched_run.h"

int main(int argc, char** argv) {
  RunOptions options;
  try {
    for (int i = 1; i < argc; ++i) {
      if (!TakeRunOption(argc, argv, i, options)) throw UsageError(std::string("unknown argument ") + argv[i]);
    }
    CheckRunOptions(options);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "plinkard: %s\nusage: plinkard [--record FILE | --play FILE] [--trace FILE]\n", error.what());
    return 2;
  }
  if (!options.record && !options.trace && !options.play) return PlayInWindow();
  return PlayWatchedRun(options);
}
