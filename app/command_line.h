// The plinkard program's command line. Each option is one entry of a table
// (its name, its value, its line of help and how it is taken), from which the
// usage and the help are written too.
#pragma once

#include <optional>
#include <string>

#include "app/run_options.h"
#include "platform/presentation.h"

struct Options {
  platform::ViewOptions view;
  RunOptions run;
  RaceOptions race;
  std::optional<std::string> importBest;  // --import-best FILE: that alone, no window
  bool help = false;
  bool version = false;
};

// What a command line says: the options, or what is wrong with it.
struct CommandLine {
  Options options;
  std::string error;  // one line; empty for a good command line
};

CommandLine ParseCommandLine(int argc, const char* const* argv);

// "usage: plinkard [--fullscreen | --window] ...", wrapped at 79 columns.
std::string Usage();
// The usage, what each option does, and the keys and pad buttons.
std::string Help();
