// plinkard --play FILE: a recorded run watched in the window, frame by frame.
//   P            pause and resume
//   Left, Right  while paused: the frame before or after (held: on and on)
//   Up, Down     twice or half as fast, from 1/8 to 8 times
//   0 to 9       jump to that many tenths of the run (5: half-way), paused
//                or not as before
//   Home         back to the first frame
// The run plays at its own pace, its own pauses included (the banner shows
// over the frame before, as the game showed it). The caption reports how
// many frames a second are shown ("Plinkard running at 50FPS." at half
// speed), and "PAUSED" while paused. Playing on to the run's close ends the
// program, as the recorded game ended, where the viewer is the program; a
// run without one, or a viewer on a page, stays paused at its last frame.
// Closing the window ends it at any time. The first
// frame shown with the door open says so, with the run's finish line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window.h"
#include "replay/seekable_run.h"

class Viewer {
 public:
  // `door` hears the finish line ("Door opened at frame 1740: ..."). The
  // run's close ends the viewer where `endsWithRun`.
  Viewer(platform::Window& window, replay::SeekableRun& run, std::function<void(const std::string&)> door = {},
         bool endsWithRun = true);

  // Shows the run until the window is closed or the run has played to its close.
  void Run();

  // The game as it stands at the frame shown.
  const Game& Shown() const { return *shown_; }
  bool Paused() const { return paused_; }
  // Plays at 100, 50 or 25 percent (or any power of two from 1/8 to 8 times).
  void SetSpeed(int percent);

 private:
  void Key(std::int16_t code);
  void Show(std::int64_t frame);
  void Present();
  void ShowBanner();
  void SetPaused(bool paused);
  void PlayFrom(std::int64_t now);
  void Advance(std::int64_t now);
  void ReportRate(std::int64_t now);
  std::int64_t Last();
  // Whether the frame is in the run, scanning as far as it must to know.
  bool Known(std::int64_t frame);
  double Speed() const;
  // The run's milliseconds from frame `frame` to the next, at the speed shown.
  double Gap(std::int64_t frame) const;

  platform::Window& window_;
  replay::SeekableRun& run_;
  std::function<void(const std::string&)> door_;  // told once, then emptied
  bool endsWithRun_;
  Game* shown_ = nullptr;
  std::int64_t frame_ = 0;
  bool paused_ = false;
  bool closed_ = false;
  bool ended_ = false;          // played to the run's close
  int speedPower_ = 0;          // the speed is 2 to this power, from -3 to 3
  double shownAt_ = 0;          // the real tick at which the frame shown was due
  bool recordedPause_ = false;  // the banner shows for a pause of the run
  std::int64_t framesSinceReport_ = 0;
  double lastReport_ = 0;
};
