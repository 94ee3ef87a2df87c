// The options that record, trace and play back a run (app/command_line.cpp
// reads them):
//   --record FILE  write the player's keys as a replay script
//   --trace FILE   write the replay's CSV trace, one row per frame
//   --play FILE    play a script back instead of listening to the keyboard
//   --livesplit [HOST:]PORT  tell LiveSplit's server of the run (app/livesplit.h)
// --record and --play exclude each other; --trace goes with either or alone.
// A FILE written may be - for standard output, and --play - reads standard input.
#pragma once

#include <optional>
#include <string>

#include "app/livesplit.h"

struct RunOptions {
  std::optional<std::string> record, trace, play;
  std::optional<LiveSplitAddress> livesplit;  // where LiveSplit's server listens
};

// The options for racing the level (app/race_window.h):
//   --timer          the timer and the splits over the picture
//   --ghost FILE     the ghost of the run in FILE, or of the best with "best"
//   --speed PERCENT  practice at 100, 50 or 25 percent of the game's speed
inline constexpr int kSpeeds[] = {100, 50, 25};

struct RaceOptions {
  bool timer = false;
  std::optional<std::string> ghost;
  int speed = 100;  // one of kSpeeds
};

// What is wrong with options that exclude each other, or two naming one file,
// in one line; "" when nothing is.
std::string CheckRunOptions(const RunOptions& options);
