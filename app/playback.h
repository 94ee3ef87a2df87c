// Playing a script back in the real window, in real time: the script's events
// reach the game at the same places among the frames as in a replay, so the
// window shows what the replay computes even when frames come late. The
// viewer's own keys are ignored but P, which holds the playback and the game
// together; closing the window still ends it. The death message is answered at
// once, as in a replay.
#pragma once

#include <cstddef>
#include <vector>

#include "app/watched_window.h"
#include "platform/scripted_event.h"

class PlaybackWindow final : public WatchedWindow {
 public:
  PlaybackWindow(platform::Window& real, const Game& game, std::vector<platform::ScriptedEvent> events,
                 replay::FrameObserver afterFrame);

  void Present(const platform::Surface& backImage) override;
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override;

 protected:
  platform::WindowHandlers Intercept(platform::WindowHandlers game) override;
  void ShowMessage(const std::string&, const std::string&) override {}

 private:
  bool Playing() const { return !viewerPaused_ && next_ < events_.size(); }
  void DeliverUntil(std::int64_t time);
  std::int64_t PauseDeadline() const;
  void ViewerPressedP(std::int16_t shift);

  std::vector<platform::ScriptedEvent> events_;  // in delivery order
  std::size_t next_ = 0;
  platform::WindowHandlers gameHandlers_;
  bool viewerPaused_ = false;     // the viewer holds the playback
  bool viewerOwnsPause_ = false;  // and paused the game to do it
  std::int64_t pauseAnchor_ = 0;  // the real tick at which the clock last moved in a pause
};
