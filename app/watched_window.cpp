#include "app/watched_window.h"

WatchedWindow::WatchedWindow(platform::Window& real, const Game& game, replay::FrameObserver afterFrame)
    : real_(real), game_(game), afterFrame_(std::move(afterFrame)) {}

void WatchedWindow::Present(const platform::Surface& backImage) {
  real_.Present(backImage);
  if (!replay::PresentEndsFrame(game_)) {
    clock_.PauseShown();
    return;
  }
  clock_.FrameDrawn();
  if (afterFrame_) afterFrame_(game_);
}
