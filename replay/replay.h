// Running the game headless, on the virtual clock, driven by a script.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "platform/surface.h"
#include "replay/headless_game.h"
#include "replay/output_file.h"
#include "replay/script.h"

namespace replay {

struct Outcome {
  bool canEnd = true;  // false: paused, with nothing left to deliver
  std::int64_t frames = 0;
  int deaths = 0;
};

// Called after each frame's drawing, with the game that drew it: its
// FramesDrawn, FrameTick() and Deaths are the frame's number, its start tick
// and the deaths so far.
using FrameObserver = std::function<void(const Game& game)>;

// Whether the present that just came ends a frame: one while paused only
// shows the pause banner over the last frame.
inline bool PresentEndsFrame(const Game& game) { return game.Paused == False; }

// Runs the real game (start-up and main loop) in `run` until the first close
// request: a close line, or the one that `frames` adds after that frame. The
// game's state, the back image included, stays as the run left it.
Outcome Replay(HeadlessGame& run, std::optional<std::int64_t> frames, const FrameObserver& observe);

// The trace's header and the row of the frame the game drew last.
std::string TraceHeader();
std::string TraceRow(const Game& game);
// The row's game-state columns: every one but the tick and the Caption, which
// depend on the clock ("frame,X,Y,...,MeasureTop\n").
std::string StateRow(const Game& game);

// The line that says a run reached the door: the frame on which it opened,
// the game time (100 frames a second) and the deaths, e.g. "Door opened at
// frame 1740: 17.40 s, 0 deaths". Both programs print it, worded the same.
std::string FinishLine(std::int64_t frame, int deaths);

// Where a finish line goes: a stream, or the page's line.
using FinishLineTo = std::function<void(const std::string& line)>;
// A finish line on a stream (flushed at once).
FinishLineTo LineOn(std::FILE* stream);

// What a run writes as it goes: after every frame its trace row to `trace`
// (when given; flushed at once with `flushEachRow`, so that a killed program
// loses no frame it drew), and once the door has opened the finish line to
// `finish` (when given). A trace that can't be written ends the run, as a
// close would (throwing platform::ProgramEnded); closing it says why.
FrameObserver WriteAsItGoes(OutputFile* trace, bool flushEachRow, FinishLineTo finish);

// The game area as the bytes of an RGB PNG file.
std::string Png(const platform::Surface& image);

}  // namespace replay
