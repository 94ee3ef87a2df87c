// Racing the level: the window a racing player sees the game through. Over
// the picture the game presents (never in the game's own picture) it draws
// the timer with the splits and the ghost of a run; it takes the keys for
// them, for the speed and for one frame on while paused; and it tells a
// split timer (LiveSplit) of the run as it goes. The keys it takes never
// reach the game or its recording.
//   I  the timer on and off
//   J  the ghost of the best on and off
//   O  the speed: 100%, 50%, 25%, and round again
//   K  while paused: one frame on
// It serves the game played (recorded, between the recorder and the real
// window) and a run watched (between the viewer and the real window).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/best.h"
#include "app/ghost.h"
#include "app/run_options.h"
#include "app/split_timer.h"
#include "app/splits.h"
#include "app/timer_panel.h"
#include "platform/keys.h"
#include "platform/window.h"

// What the keys act on: the game played, or the run watched.
struct RaceDriver {
  std::function<const Game&()> shown;  // the game whose picture is on the screen
  std::function<bool()> paused;
  std::function<void(int percent)> setSpeed;
  // Watching, one frame on is the viewer's Right; playing, a P now that
  // resumes and another once the frame is drawn.
  bool watching = false;
  // Playing: the recording so far, offered to the best once the door opens.
  std::function<std::string()> runText;
};

// The events of a ghost recording, or nullopt after one line to `say` of why
// there is none: a file that can't be read, is no run, or is cut short.
std::optional<std::vector<platform::ScriptedEvent>> GhostEvents(const std::string& name, BestStore* best,
                                                                const std::function<void(const std::string&)>& say);

class RaceWindow final : public platform::Window {
 public:
  // The speed in `options` is the driver's to set from the start.
  RaceWindow(platform::Window& real, RaceDriver driver, const RaceOptions& options, BestStore* best,
             SplitTimer* splitTimer, std::function<void(const std::string&)> say);

  // Every frame of the run, in order, as it is drawn: where the splits come from.
  void See(const Game& game);

  void SetHandlers(platform::WindowHandlers handlers) override;
  void ShowMaximized() override { real_.ShowMaximized(); }
  void SetCaption(const std::string& caption) override { real_.SetCaption(caption); }
  void Present(const platform::Surface& backImage) override;
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override { real_.WaitForEvent(tick); }
  void MessageBox(const std::string& prompt, const std::string& title) override { real_.MessageBox(prompt, title); }
  std::int64_t GetTickCount() override { return real_.GetTickCount(); }

  // The keys it takes.
  static constexpr vk::Code kTimerKey = vk::Letter('I'), kGhostKey = vk::Letter('J'), kSpeedKey = vk::Letter('O'),
                            kStepKey = vk::Letter('K');

 private:
  // One of its own keys, pressed.
  void Key(std::int16_t code);
  void Tap(std::int16_t code);
  void TellSplitTimer(const Game& shown);
  void Repaint();

  platform::Window& real_;
  RaceDriver driver_;
  BestStore* best_;
  SplitTimer* splitTimer_;
  std::function<void(const std::string&)> say_;
  platform::WindowHandlers inner_;  // the handlers of the game or the viewer
  bool timer_;
  int speed_;
  std::optional<Splits> comparedWith_;  // the best's splits as the run began
  std::unique_ptr<Ghost> ghost_;
  bool ghostOfBest_ = false;
  Splits splits_;
  TimerPanel panel_;
  std::optional<platform::Surface> composed_;  // the game's picture with the timer and the ghost over it
  const platform::Surface* lastPicture_ = nullptr;
  std::optional<std::int64_t> stepUntil_;  // playing: the frame one frame on stops after
  // What the split timer has been told.
  bool started_ = false, pauseTold_ = false, bestOffered_ = false;
  int splitsTold_ = 0;
};
