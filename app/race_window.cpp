#include "app/race_window.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "replay/script.h"

std::optional<std::vector<platform::ScriptedEvent>> GhostEvents(const std::string& name, BestStore* best,
                                                                const std::function<void(const std::string&)>& say) {
  if (name == "best") {
    if (best != nullptr && best->Run()) return best->Run()->recording.script.events;
    say("plinkard: no ghost: no best run is kept yet");
    return std::nullopt;
  }
  const std::optional<std::string> text = replay::ReadScriptFile(name);
  if (!text) {
    say("plinkard: " + name + ": can't read: " + std::strerror(errno) + "; no ghost");
    return std::nullopt;
  }
  try {
    replay::Recording recording = replay::ReadRecording(*text, name);
    // A run the game recorded proves itself; a script written by hand has nothing to prove.
    if (recording.format > 0) {
      const replay::Verdict verdict = replay::Verify(recording);
      if (verdict.kind != replay::Verdict::Kind::Verified) {
        say("plinkard: " + name + ": " + verdict.words + "; no ghost");
        return std::nullopt;
      }
    }
    return std::move(recording.script.events);
  } catch (const replay::ScriptError& error) {
    say("plinkard: " + std::string(error.what()) + "; no ghost");
    return std::nullopt;
  }
}

RaceWindow::RaceWindow(platform::Window& real, RaceDriver driver, const RaceOptions& options, BestStore* best,
                       SplitTimer* splitTimer, std::function<void(const std::string&)> say)
    : real_(real),
      driver_(std::move(driver)),
      best_(best),
      splitTimer_(splitTimer),
      say_(std::move(say)),
      timer_(options.timer),
      speed_(options.speed) {
  if (best_ != nullptr && best_->Run()) comparedWith_ = best_->Run()->splits;
  if (options.ghost) {
    if (auto events = GhostEvents(*options.ghost, best_, say_)) {
      ghost_ = std::make_unique<Ghost>(std::move(*events));
      ghostOfBest_ = *options.ghost == "best";
    }
  }
}

void RaceWindow::See(const Game& game) { splits_.See(game); }

void RaceWindow::SetHandlers(platform::WindowHandlers handlers) {
  inner_ = std::move(handlers);
  const auto own = [](std::int16_t code) {
    return code == kTimerKey || code == kGhostKey || code == kSpeedKey || code == kStepKey;
  };
  real_.SetHandlers({
      .KeyDown =
          [this, own](std::int16_t code, std::int16_t shift) {
            if (own(code)) {
              Key(code);
            } else if (inner_.KeyDown) {
              inner_.KeyDown(code, shift);
            }
          },
      .KeyUp =
          [this, own](std::int16_t code, std::int16_t shift) {
            if (!own(code) && inner_.KeyUp) inner_.KeyUp(code, shift);
          },
      .QueryUnload =
          [this] {
            if (inner_.QueryUnload) inner_.QueryUnload();
          },
  });
}

void RaceWindow::Tap(std::int16_t code) {
  if (inner_.KeyDown) inner_.KeyDown(code, 0);
  if (inner_.KeyUp) inner_.KeyUp(code, 0);
}

void RaceWindow::Key(std::int16_t code) {
  switch (code) {
    case kTimerKey:
      timer_ = !timer_;
      break;
    case kGhostKey:
      if (ghostOfBest_) {
        ghost_.reset();
        ghostOfBest_ = false;
      } else if (auto events = GhostEvents("best", best_, say_)) {
        ghost_ = std::make_unique<Ghost>(std::move(*events));
        ghostOfBest_ = true;
      }
      break;
    case kSpeedKey: {
      const auto at = std::find(std::begin(kSpeeds), std::end(kSpeeds), speed_);
      speed_ = at + 1 < std::end(kSpeeds) ? at[1] : kSpeeds[0];
      driver_.setSpeed(speed_);
      break;
    }
    case kStepKey:
      if (!driver_.paused()) return;
      if (driver_.watching) {
        Tap(vk::Right);
      } else if (!stepUntil_) {
        stepUntil_ = driver_.shown().FramesDrawn + 1;
        Tap(vk::P);
      }
      return;
  }
  Repaint();
}

// One frame on stops once that frame is drawn, before the next can start.
// The run is offered to the best once the frame the door opened on is
// drawn whole: the recording then ends after it.
void RaceWindow::PumpEvents() {
  real_.PumpEvents();
  if (!bestOffered_ && splits_[SplitPoint::Door] && driver_.runText && best_ != nullptr) {
    bestOffered_ = true;
    const std::string said = best_->Offer(driver_.runText(), splits_);
    if (!said.empty()) say_(said);
  }
  if (stepUntil_ && driver_.shown().FramesDrawn >= *stepUntil_) {
    stepUntil_.reset();
    Tap(vk::P);
  }
}

void RaceWindow::Repaint() {
  if (lastPicture_ != nullptr) Present(*lastPicture_);
}

void RaceWindow::TellSplitTimer(const Game& shown) {
  if (splitTimer_ == nullptr) return;
  const std::int64_t frame = shown.FramesDrawn;
  if (!started_ && frame >= 1) {
    started_ = true;
    splitTimer_->StartTimer();
  }
  const auto reached = [&](int point) {
    const auto& at = splits_.at[std::size_t(point)];
    return at && *at <= frame;
  };
  while (splitsTold_ < kSplitPoints) {
    if (reached(splitsTold_)) {
      splitTimer_->Split(*splits_.at[std::size_t(splitsTold_)]);
    } else if (std::any_of(splits_.at.begin() + splitsTold_ + 1, splits_.at.end(),
                           [&](const auto& at) { return at && *at <= frame; })) {
      splitTimer_->SkipSplit();
    } else {
      break;
    }
    ++splitsTold_;
  }
  const bool paused = driver_.paused();
  if (started_ && splitsTold_ < kSplitPoints && paused != pauseTold_) {
    pauseTold_ = paused;
    if (paused) {
      splitTimer_->Pause();
    } else {
      splitTimer_->Resume();
    }
  }
}

void RaceWindow::Present(const platform::Surface& backImage) {
  lastPicture_ = &backImage;
  const Game& shown = driver_.shown();
  if (!driver_.watching) See(shown);
  TellSplitTimer(shown);
  if (!timer_ && !ghost_) {
    real_.Present(backImage);
    return;
  }
  if (!composed_) composed_.emplace(backImage.Width(), backImage.Height());
  platform::BitBlt(composed_->hDC(), 0, 0, backImage.Width(), backImage.Height(), backImage.hDC(), 0, 0,
                   platform::SRCCOPY);
  if (ghost_) ghost_->Draw(*composed_, shown.FramesDrawn);
  if (timer_) {
    panel_.Draw(*composed_, {.frame = shown.FramesDrawn,
                             .run = splits_,
                             .best = comparedWith_,
                             .bestSplits = best_ != nullptr ? best_->BestSplits() : Splits{},
                             .speed = speed_});
  }
  real_.Present(*composed_);
}
