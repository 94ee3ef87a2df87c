// The options that record, trace and play back a run (app/command_line.cpp
// reads them):
//   --record FILE  write the player's keys as a replay script
//   --trace FILE   write the replay's CSV trace, one row per frame
//   --play FILE    play a script back instead of listening to the keyboard
// --record and --play exclude each other; --trace goes with either or alone.
// A FILE written may be - for standard output, and --play - reads standard input.
#pragma once

#include <optional>
#include <string>

struct RunOptions {
  std::optional<std::string> record, trace, play;
};

// What is wrong with options that exclude each other, or two naming one file,
// in one line; "" when nothing is.
std::string CheckRunOptions(const RunOptions& options);
