// The options that record, trace and play back a run (app/command_line.cpp
// reads them):
//   --record FILE  write the player's keys as a replay script
//   --trace FILE   write the replay's CSV trace, one row per frame
//   --play FILE    play a script back instead of listening to the keyboard
// --record and --play exclude each other; --trace goes with either or alone.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

struct RunOptions {
  std::optional<std::string> record, trace, play;
};

// A command line the program can't run with; what() is the one line to print.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws UsageError for options that exclude each other, or two naming one file.
void CheckRunOptions(const RunOptions& options);
