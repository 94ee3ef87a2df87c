// What hears of a run's times as they come: the link to LiveSplit
// (app/livesplit.h), told by the racing window (app/race_window.h).
#pragma once

#include <cstdint>

class SplitTimer {
 public:
  virtual ~SplitTimer() = default;
  virtual void StartTimer() = 0;
  // The point reached on `frame`, the game's own time (frame / 100 s).
  virtual void Split(std::int64_t frame) = 0;
  virtual void SkipSplit() = 0;  // a point passed without being reached
  virtual void Pause() = 0;
  virtual void Resume() = 0;
};
