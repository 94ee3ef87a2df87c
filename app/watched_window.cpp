#include "app/watched_window.h"

#include "core/layout.h"
#include "shell/module1.h"

WatchedWindow::WatchedWindow(platform::Window& real, replay::FrameObserver afterFrame)
    : real_(real), afterFrame_(std::move(afterFrame)) {}

// A present while paused is the banner over the last frame; any other ends a
// frame, as a replay counts them.
void WatchedWindow::Present(const platform::Surface& backImage) {
  real_.Present(backImage);
  if (module1::Paused != False) {
    clock_.PauseShown();
    return;
  }
  clock_.FrameDrawn();
  ++frames_;
  if (afterFrame_) afterFrame_(frames_, module1::NextFrameTick - layout::FrameMs, deaths_);
}

void WatchedWindow::MessageBox(const std::string& prompt, const std::string& title) {
  ++deaths_;  // the game shows no other message
  ShowMessage(prompt, title);
}
