#include "app/viewer.h"

#include <algorithm>
#include <cmath>

#include "core/layout.h"

namespace {

constexpr double kRatePeriodMs = 1000;
constexpr int kSlowest = -3, kFastest = 3;
constexpr std::int64_t kScanStep = 250;  // frames gone through between two looks at the window

}  // namespace

Viewer::Viewer(platform::Window& window, replay::SeekableRun& run, std::function<void(const std::string&)> door,
               bool endsWithRun)
    : window_(window), run_(run), door_(std::move(door)), endsWithRun_(endsWithRun) {
  window_.SetHandlers({
      .KeyDown = [this](std::int16_t code, std::int16_t) { Key(code); },
      .KeyUp = [](std::int16_t, std::int16_t) {},
      .QueryUnload = [this] { closed_ = true; },
  });
}

double Viewer::Speed() const { return std::ldexp(1.0, speedPower_); }

void Viewer::SetSpeed(int percent) {
  speedPower_ = std::clamp(int(std::lround(std::log2(percent / 100.0))), kSlowest, kFastest);
  PlayFrom(window_.GetTickCount());
}

std::int64_t Viewer::Last() {
  while (run_.Scan(run_.kFramesBetweenCopies)) {
  }
  return run_.Frames();
}

double Viewer::Gap(std::int64_t frame) const {
  return double(run_.PresentTick(frame + 1) - run_.PresentTick(frame)) / Speed();
}

void Viewer::Present() { window_.Present(shown_->Stage1.BackImage); }

// The banner over the frame shown, as the game shows it while paused.
void Viewer::ShowBanner() {
  constexpr platform::Rect b = layout::Banner;
  platform::BitBlt(shown_->Stage1.hDC(), b.x, b.y, b.w, b.h, shown_->Stage1.pausedpic.hDC(), 0, 0, platform::SRCCOPY);
  Present();
  window_.SetCaption("PAUSED");
}

void Viewer::Show(std::int64_t frame) {
  shown_ = &run_.Show(frame);
  frame_ = shown_->FramesDrawn;
  recordedPause_ = false;
  const auto& door = run_.DoorOpened();
  if (door_ && door && frame_ >= door->frame) {
    door_(replay::FinishLine(door->frame, door->deaths));
    door_ = nullptr;
  }
  if (paused_) {
    ShowBanner();
  } else {
    Present();
  }
}

void Viewer::SetPaused(bool paused) {
  paused_ = paused;
  if (paused_) {
    ShowBanner();
  } else {
    PlayFrom(window_.GetTickCount());
  }
}

void Viewer::PlayFrom(std::int64_t now) {
  shownAt_ = double(now);
  framesSinceReport_ = 0;
  lastReport_ = double(now);
}

void Viewer::Key(std::int16_t code) {
  if (code == vk::P) {
    SetPaused(!paused_);
  } else if (paused_ && (code == vk::Left || code == vk::Right)) {
    Show(std::max<std::int64_t>(1, frame_ + (code == vk::Right ? 1 : -1)));
  } else if (code == vk::Up || code == vk::Down) {
    speedPower_ = std::clamp(speedPower_ + (code == vk::Up ? 1 : -1), kSlowest, kFastest);
    PlayFrom(window_.GetTickCount());
  } else if (code >= vk::Digit(0) && code <= vk::Digit(9)) {
    const std::int64_t tenths = code - vk::Digit(0);
    Show(std::max<std::int64_t>(1, std::llround(double(tenths * Last()) / 10)));
    PlayFrom(window_.GetTickCount());
  } else if (code == vk::Home) {
    Show(1);
    PlayFrom(window_.GetTickCount());
  }
}

bool Viewer::Known(std::int64_t frame) {
  while (run_.FramesScanned() < frame && run_.Scan(kScanStep)) {
  }
  return frame <= run_.FramesScanned();
}

// On to the frame due now, or to the run's end: at its close the program
// ends, and without one it waits there, paused.
void Viewer::Advance(std::int64_t now) {
  std::int64_t frame = frame_;
  double due = shownAt_;
  while (Known(frame + 1) && due + Gap(frame) <= double(now)) {
    due += Gap(frame);
    ++frame;
  }
  if (frame != frame_) {
    framesSinceReport_ += frame - frame_;
    shownAt_ = due;
    Show(frame);
  }
  if (!Known(frame_ + 1)) {
    if (run_.Closes() && endsWithRun_) {
      ended_ = true;
    } else {
      SetPaused(true);
    }
    return;
  }
  // A pause of the run: the banner over the frame before, from when the
  // next frame would have started.
  if (!recordedPause_ && Gap(frame_) > double(layout::FrameMs + 1) / Speed() &&
      double(now) >= shownAt_ + double(layout::FrameMs) / Speed()) {
    recordedPause_ = true;
    ShowBanner();
  }
}

void Viewer::ReportRate(std::int64_t now) {
  if (paused_ || double(now) < lastReport_ + kRatePeriodMs) return;
  const double rate = 1000 / ((double(now) - lastReport_ + 0.00001) / double(framesSinceReport_));
  window_.SetCaption(RateCaption(rate));
  framesSinceReport_ = 0;
  lastReport_ = double(now);
}

void Viewer::Run() {
  window_.ShowMaximized();
  Show(1);
  PlayFrom(window_.GetTickCount());
  while (!closed_ && !ended_) {
    const std::int64_t now = window_.GetTickCount();
    if (!paused_) {
      Advance(now);
      ReportRate(now);
    }
    if (ended_) break;
    // The run is gone through a little at a time between the frames shown.
    const bool scanning = run_.Scan(kScanStep);
    std::int64_t wake = platform::kNever;
    if (scanning) {
      wake = now;
    } else if (!paused_) {
      double next = std::min(shownAt_ + Gap(frame_), lastReport_ + kRatePeriodMs);
      if (!recordedPause_) next = std::min(next, shownAt_ + double(layout::FrameMs) / Speed());
      wake = std::int64_t(std::ceil(next));
    }
    window_.WaitForEvent(wake);
    window_.PumpEvents();
  }
}
