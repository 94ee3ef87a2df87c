// The real window with the run followed frame by frame: every call goes
// through to the window it wraps, while this keeps the replay's clock
// alongside (VirtualClock) and reports each frame after its drawing.
// Recording and playing back build on it.
#pragma once

#include <cstdint>
#include <string>

#include "app/virtual_clock.h"
#include "platform/window.h"
#include "replay/replay.h"

class WatchedWindow : public platform::Window {
 public:
  // `afterFrame` hears of each frame of `game` after its drawing.
  WatchedWindow(platform::Window& real, const Game& game, replay::FrameObserver afterFrame);

  void SetHandlers(platform::WindowHandlers handlers) override { real_.SetHandlers(Intercept(std::move(handlers))); }
  void ShowMaximized() override { real_.ShowMaximized(); }
  void SetCaption(const std::string& caption) override { real_.SetCaption(caption); }
  void Present(const platform::Surface& backImage) override;
  void PumpEvents() override { real_.PumpEvents(); }
  void WaitForEvent(std::int64_t tick) override { real_.WaitForEvent(tick); }
  void MessageBox(const std::string& prompt, const std::string& title) override { ShowMessage(prompt, title); }
  std::int64_t GetTickCount() override { return real_.GetTickCount(); }

 protected:
  // The handlers the real window calls, given the game's own.
  virtual platform::WindowHandlers Intercept(platform::WindowHandlers game) { return game; }
  // Shows a message and waits for its answer: the real window's box.
  virtual void ShowMessage(const std::string& prompt, const std::string& title) { real_.MessageBox(prompt, title); }

  platform::Window& real_;
  const Game& game_;
  VirtualClock clock_;

 private:
  replay::FrameObserver afterFrame_;
};
