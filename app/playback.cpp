#include "app/playback.h"

#include <algorithm>

PlaybackWindow::PlaybackWindow(platform::Window& real, const Game& game, std::vector<platform::ScriptedEvent> events,
                               replay::FrameObserver afterFrame)
    : WatchedWindow(real, game, std::move(afterFrame)), events_(std::move(events)) {
  platform::SortForDelivery(events_);
}

void PlaybackWindow::Present(const platform::Surface& backImage) {
  const bool wasHolding = clock_.Holding();
  WatchedWindow::Present(backImage);
  if (!wasHolding && clock_.Holding()) pauseAnchor_ = real_.GetTickCount();
}

void PlaybackWindow::DeliverUntil(std::int64_t time) {
  while (next_ < events_.size() && platform::DueTime(events_[next_]) <= time) {
    platform::Deliver(events_[next_++], gameHandlers_);
  }
}

// In a pause the replay's clock runs as fast as real time and no faster: the
// next pump that delivers comes as many milliseconds after the last as on the
// replay's clock.
std::int64_t PlaybackWindow::PauseDeadline() const {
  const std::int64_t due = std::max(clock_.FrameClock() + 1, platform::DueTime(events_[next_]));
  return pauseAnchor_ + (due - clock_.FrameClock());
}

// Between frames the first pump delivers everything up to the next frame's
// start: which pump it is makes no difference to the game. In the pause loop a
// pump delivers what one pump of the replay delivers, once its time has come.
// The viewer's own events follow.
void PlaybackWindow::PumpEvents() {
  if (Playing()) {
    if (!clock_.Holding()) {
      DeliverUntil(clock_.NextFrameStart());
    } else if (real_.GetTickCount() >= PauseDeadline()) {
      DeliverUntil(clock_.PausePump(platform::DueTime(events_[next_])));
      pauseAnchor_ = real_.GetTickCount();
    }
  }
  real_.PumpEvents();
}

void PlaybackWindow::WaitForEvent(std::int64_t tick) {
  // Only the pause loop waits without a deadline.
  if (tick == platform::kNever && clock_.Holding() && Playing()) tick = PauseDeadline();
  real_.WaitForEvent(tick);
}

platform::WindowHandlers PlaybackWindow::Intercept(platform::WindowHandlers game) {
  gameHandlers_ = std::move(game);
  return {
      .KeyDown =
          [this](std::int16_t keyCode, std::int16_t shift) {
            if (keyCode == vk::P) ViewerPressedP(shift);
          },
      .KeyUp = [](std::int16_t, std::int16_t) {},
      .QueryUnload = [this] { gameHandlers_.QueryUnload(); },
  };
}

// The viewer's P holds the playback: no event is delivered and the replay's
// clock stands still, so the game goes on afterwards as if nothing happened.
// The game pauses with it, unless the script had already paused it; then the
// script's own P resumes the game later. Once the script has nothing left to
// deliver, P is the game's own again.
void PlaybackWindow::ViewerPressedP(std::int16_t shift) {
  if (!viewerPaused_ && next_ == events_.size()) {
    gameHandlers_.KeyDown(vk::P, shift);
    return;
  }
  viewerPaused_ = !viewerPaused_;
  if (viewerPaused_) viewerOwnsPause_ = game_.Paused == False;
  if (viewerOwnsPause_) gameHandlers_.KeyDown(vk::P, shift);
  pauseAnchor_ = real_.GetTickCount();
}
