// A run that can be shown at any of its frames, forwards or back, at once:
// what the viewer of plinkard --play shows. The run is gone through once
// (Scan), a few frames at a time, keeping a copy of the game every 500
// frames; showing a frame runs a game on from the nearest copy before it.
// The copies and the scan need no picture, so a long run costs little.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "replay/headless_game.h"
#include "replay/replay.h"

namespace replay {

class SeekableRun {
 public:
  static constexpr std::int64_t kFramesBetweenCopies = 500;

  // `scanned` hears of each frame of the run as the scan draws it, once and
  // in order.
  SeekableRun(std::vector<platform::ScriptedEvent> events, FrameObserver scanned);

  // Goes through up to `frames` more frames of the run; false once its end
  // is known.
  bool Scan(std::int64_t frames);
  bool Scanned() const { return scanned_; }
  // Once scanned: the frames the run draws, to its close or to the frame
  // after its last event; and whether it ends with a close.
  std::int64_t Frames() const { return frames_; }
  bool Closes() const { return closes_; }
  // How many frames have been scanned, and the run's clock as each of them
  // was shown.
  std::int64_t FramesScanned() const { return std::int64_t(presentTicks_.size()); }
  std::int64_t PresentTick(std::int64_t frame) const { return presentTicks_[std::size_t(frame - 1)]; }

  // Where the scan found the door opened: the frame, and the deaths by then.
  struct Door {
    std::int64_t frame;
    int deaths;
  };
  const std::optional<Door>& DoorOpened() const { return door_; }

  // The game just after it drew `frame`, from 1 to the last frame (scanning
  // as far as it must first).
  Game& Show(std::int64_t frame);

 private:
  void Keep();

  HeadlessGame scan_;
  FrameObserver scanned_observer_;
  std::vector<HeadlessGame> kept_;  // the game after frames 0, 500, 1000, ...
  std::vector<std::int64_t> presentTicks_;
  HeadlessGame shown_;
  bool scanned_ = false;
  bool closes_ = false;
  std::int64_t frames_ = 0;
  std::int64_t lastEvent_ = -1;
  std::optional<Door> door_;  // the first frame drawn with every event delivered
};

}  // namespace replay
