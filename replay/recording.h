// Recordings: replay scripts that say what made them and, once their run has
// ended, what it reached, with check values that find any change to them.
//
//   # Plinkard recording 2, made by Plinkard 1.2.0 on 2026-12-10 14:03:07 +0000
//   # Watch it with plinkard --play FILE; check it with plinkard-replay --verify FILE
//   10    down Right
//   ...
//   1760  close
//   # frames 1753
//   # door opened at frame 1740 (17.40 s)      (or: # door not opened)
//   # deaths 0
//   # speeds 100%                              (each speed the run was played at)
//   # check 1-100 <64 hex digits>
//   # check 101-200 <...>
//   ...
//   # check 1701-1753 <...>
//   # check all <...>
//
// The first line names the recording format (2) and the game that made it;
// recordings of format 1 (Plinkard 1.1) have "# Recorded by Plinkard 1.1.0 on
// DATE" and no result lines. Every line but the events is a comment, so a
// recording is a script that any version of the replay tool plays.
//
// What the checks hash. A replay of the recording gives each frame F the
// bytes of
//   - the events delivered since frame F - 1 was drawn (since start-up for
//     frame 1), in the order delivered, each as the recorder writes its line
//     (ScriptLine: "10    down Right\n", "1760  close\n"), then
//   - the frame's row of the trace without its tick and Caption columns:
//     "frame,X,Y,XVel,YVel,XVelMax,Jumps,Picstate,Crouched,Visible,Flag1,Flag2,
//     Door,Deaths,MeasureLeft,MeasureTop\n", numbers as the trace writes them.
// "check A-B" is the SHA-256 of the bytes of frames A to B, in order: one for
// every 100 frames (1-100, 101-200, ...; the last may be shorter). "check
// all" is the SHA-256 of the bytes of every frame, followed by the lines of
// the events left after the last frame (the close, and any that never come).
// Every event line of the script is hashed exactly once, so that changing,
// adding or removing one changes the checks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "replay/script.h"

namespace replay {

inline constexpr int kRecordingFormat = 2;
inline constexpr std::int64_t kFramesPerCheck = 100;
// The largest recording read, and the longest run checked: an hour's run is
// well under 1 MB and 360,000 frames.
inline constexpr std::size_t kMaxRecordingBytes = std::size_t(4) << 20;
inline constexpr std::int64_t kMaxRecordingFrames = 6 * 360000;

// The game time of a frame, 100 frames a second: "17.40 s".
std::string Seconds(std::int64_t frame);
// "0 deaths", "1 death".
std::string Deaths(int deaths);

// The local time, "2024-05-01 14:03:07 +0200", worded the same on every system.
std::string TimeNow();

// A recording's first two lines, for a recording made at `madeOn` (TimeNow()).
std::string RecordingHeader(const std::string& madeOn);

struct Check {
  std::int64_t first, last;  // the frames it covers
  std::string hex;
  bool operator==(const Check&) const = default;
};

// What a run reached, as its result lines say.
struct RunResult {
  std::int64_t frames = 0;
  std::optional<std::int64_t> door;  // the frame the door opened on
  int deaths = 0;
  std::vector<int> speeds;    // percentages, each once, in the order first played at
  std::vector<Check> checks;  // every 100 frames
  std::string all;            // the whole run
  // Not written: the frame of each death, to say where a claim goes wrong.
  std::vector<std::int64_t> deathFrames;
};

// Replays the events to their close, or for at most `frames` frames, and
// works out what the run reached (all but its speeds). Given the checks a
// recording claims, it ends the replay at the first check of each 100
// frames that differs from the claim.
RunResult ResultOf(const std::vector<platform::ScriptedEvent>& events, std::optional<std::int64_t> frames,
                   const std::vector<Check>& claimed = {});

// The result lines, from "# frames" to "# check all".
std::string ResultLines(const RunResult& result);

// "door opened at frame 1740 (17.40 s)", or "door not opened".
std::string DoorWords(const std::optional<std::int64_t>& door);

struct Recording {
  int format = 0;      // 0 for a script that no game recorded
  std::string madeBy;  // the game's version
  std::string madeOn;
  Script script;
  std::optional<RunResult> result;  // none without result lines
  // The result lines it has but can't read, or has twice: "LINE: what".
  std::vector<std::string> damaged;
};

// Whether a line of a recording is one of its result lines.
bool IsResultLine(std::string_view line);

// Reads a script as a recording. Throws ScriptError, as ParseScript does,
// for a text that is no script.
Recording ReadRecording(std::string_view text, const std::string& name);

// What --info says of a recording named `name`: its first line names what
// made it, the next ones what it reached. Every line ends in a newline.
std::string Description(const std::string& name, const Recording& recording);

// What --verify says of a recording.
struct Verdict {
  enum class Kind { Verified, Differs, Unfinished } kind;
  std::string words;  // "verified: door at frame 1740 (17.40 s), 0 deaths", "differs from frame 12", ...
};
Verdict Verify(const Recording& recording);

}  // namespace replay
