#include "app/watched_window.h"

#include <optional>

WatchedWindow::WatchedWindow(platform::Window& real, replay::FrameObserver afterFrame)
    : real_(real), afterFrame_(std::move(afterFrame)) {}

// A present while paused is the banner over the last frame; any other ends a
// frame, as a replay counts them.
void WatchedWindow::Present(const platform::Surface& backImage) {
  real_.Present(backImage);
  const std::optional<std::int64_t> tick = replay::FrameJustDrawn();
  if (!tick) {
    clock_.PauseShown();
    return;
  }
  clock_.FrameDrawn();
  if (afterFrame_) afterFrame_(clock_.FramesDrawn(), *tick, deaths_);
}

void WatchedWindow::MessageBox(const std::string& prompt, const std::string& title) {
  ++deaths_;  // the game shows no other message
  ShowMessage(prompt, title);
}
