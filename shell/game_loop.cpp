#include <cmath>
#include <cstdio>

#include "core/layout.h"
#include "shell/game.h"

namespace {

constexpr double kRatePeriodMs = 1000;  // the caption's rate is reported once a second
// The background is requested far larger than it is; the blit copies the whole picture.
constexpr int kBackgroundRequestWidth = 11520, kBackgroundRequestHeight = 7980;

}  // namespace

void Game::ReportFrameRate() {
  const double t = double(window->GetTickCount());
  const double rate = 1000 / ((t - LastRateTick + 0.00001) / FrameCount);
  SetCaption(RateCaption(rate));
  FrameCount = 0;
  LastRateTick = double(window->GetTickCount());
}

// While paused the frame waits here, before it counts itself or moves
// anything, showing the banner over the last frame drawn.
void Game::HoldWhilePaused() {
  while (Paused != False) {
    constexpr platform::Rect banner = layout::Banner;
    platform::BitBlt(Stage1.hDC(), banner.x, banner.y, banner.w, banner.h, Stage1.pausedpic.hDC(), 0, 0,
                     platform::SRCCOPY);
    Refresh();
    window->WaitForEvent(platform::kNever);
    window->PumpEvents();
  }
}

void Game::Frame() {
  NextFrameTick = window->GetTickCount() + FramePeriod;
  HoldWhilePaused();

  ++FrameCount;
  if (LastRateTick + kRatePeriodMs <= double(window->GetTickCount())) ReportFrameRate();

  MoveMeasure();
  Player.Movement();

  DrawFrame();
  ++FramesDrawn;
  Refresh();
}

std::int64_t Game::FrameTick() const { return NextFrameTick - FramePeriod; }

// Everything over a fresh copy of the level: the player in front of the flags,
// the flags in front of the door.
void Game::DrawFrame() {
  platform::BitBlt(Player.CurrentForm, 0, 0, kBackgroundRequestWidth, kBackgroundRequestHeight, Stage1.background.hDC(),
                   0, 0, platform::SRCCOPY);
  Door1.Draw();
  Flag1.Draw();
  Flag2.Draw();
  Player.Draw();
}

std::string RateCaption(double rate) {
  char number[32];
  std::snprintf(number, sizeof number, "%.0f", std::nearbyint(rate));
  return std::string("Plinkard running at ") + number + "FPS.";
}

// One pass of the main loop: a frame if one is due (else a wait for it), then
// the window's events.
void Game::LoopPass() {
  if (window->GetTickCount() < NextFrameTick) {
    window->WaitForEvent(NextFrameTick);
  } else {
    Frame();
  }
  window->PumpEvents();
}

// The main loop: a frame whenever one is due, the window's events between
// frames, and between those nothing but waiting.
void Game::GameLoop() {
  Listen();
  while (Running != False) LoopPass();
}

bool Game::RunUntilFrame(std::int64_t frame) {
  Listen();
  try {
    while (Running != False && FramesDrawn < frame) LoopPass();
  } catch (const platform::ProgramEnded&) {
    // its window was closed
  }
  return Running != False;
}
