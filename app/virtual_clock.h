// The live game seen on a replay's clock.
//
// A replay delivers each event at the millisecond its line says, by the
// headless clock: every pump adds 1 ms, a wait jumps to the next event or the
// next frame's start, and a frame starts 10 ms after the last one started, or
// at the first pump after its pause ended if that is later. What a replay must
// reproduce is only where each event falls among the frames: after which
// frame's drawing, before which frame's movement, and in which pump of a pause.
// This follows the live game frame by frame and tells, for each such place, the
// millisecond at which the replay's clock is there.
#pragma once

#include <cstdint>

class VirtualClock {
 public:
  // A frame has been drawn.
  void FrameDrawn();
  // The pause banner is shown: the next frame has started, and holds paused.
  void PauseShown();
  // A pump of the pause loop that delivers something: the clock moves on one
  // millisecond, or to `due` if that is later, and reads the new time.
  std::int64_t PausePump(std::int64_t due = 0);

  std::int64_t FramesDrawn() const { return frames_; }
  // While the frame holds paused.
  bool Holding() const { return holding_; }
  // When the replay delivers what comes after the last frame drawn: the next
  // frame's start (0 before the first frame, which nothing can come before).
  std::int64_t NextFrameStart() const;
  // The clock inside the frame being drawn: where its pause ended, or its start.
  std::int64_t FrameClock() const { return holding_ ? clock_ : NextFrameStart(); }

 private:
  std::int64_t frames_ = 0;  // frames drawn
  std::int64_t start_ = 0;   // when the last frame drawn started, or the frame holding
  std::int64_t clock_ = 0;   // the clock when that frame ended, or now in its pause
  bool holding_ = false;
};
