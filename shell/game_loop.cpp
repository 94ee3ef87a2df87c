#include <cmath>
#include <cstdio>

#include "core/layout.h"
#include "platform/window.h"
#include "shell/module1.h"
#include "shell/stage1.h"

namespace module1 {
namespace {

constexpr double kRatePeriodMs = 1000;  // the caption's rate is reported once a second
// The background is requested far larger than it is; the blit copies the whole picture.
constexpr int kBackgroundRequestWidth = 11520, kBackgroundRequestHeight = 7980;

std::int64_t Tick() { return platform::CurrentWindow().GetTickCount(); }

void ReportFrameRate() {
  const double t = double(Tick());
  const double rate = 1000 / ((t - LastRateTick + 0.00001) / FrameCount);
  Stage1.SetCaption(RateCaption(rate));
  FrameCount = 0;
  LastRateTick = double(Tick());
}

// While paused the frame waits here, before it counts itself or moves
// anything, showing the banner over the last frame drawn.
void HoldWhilePaused() {
  platform::Window& window = platform::CurrentWindow();
  while (Paused != False) {
    constexpr platform::Rect banner = layout::Banner;
    platform::BitBlt(Stage1.hDC, banner.x, banner.y, banner.w, banner.h, Stage1.pausedpic.hDC(), 0, 0,
                     platform::SRCCOPY);
    Stage1.Refresh();
    window.WaitForEvent(platform::kNever);
    window.PumpEvents();
  }
}

void Frame() {
  NextFrameTick = Tick() + layout::FrameMs;
  HoldWhilePaused();

  ++FrameCount;
  if (LastRateTick + kRatePeriodMs <= double(Tick())) ReportFrameRate();

  MoveMeasure();
  Player->Movement();

  DrawFrame();
  Stage1.Refresh();
}

}  // namespace

// Everything over a fresh copy of the level: the player in front of the flags,
// the flags in front of the door.
void DrawFrame() {
  platform::BitBlt(Player->CurrentForm, 0, 0, kBackgroundRequestWidth, kBackgroundRequestHeight,
                   Stage1.background.hDC(), 0, 0, platform::SRCCOPY);
  Stage1.Door1->Draw();
  Stage1.Flag1->Draw();
  Stage1.Flag2->Draw();
  Player->Draw();
}

std::string RateCaption(double rate) {
  char number[32];
  std::snprintf(number, sizeof number, "%.0f", std::nearbyint(rate));
  return std::string("Plinkard running at ") + number + "FPS.";
}

// The main loop: a frame whenever one is due, the window's events between
// frames, and between those nothing but waiting.
void GameLoop() {
  platform::Window& window = platform::CurrentWindow();
  while (Running != False) {
    if (Tick() < NextFrameTick) {
      window.WaitForEvent(NextFrameTick);
    } else {
      Frame();
    }
    window.PumpEvents();
  }
}

}  // namespace module1
