// A stand-in for the real window, for the windows that wrap it (recording,
// playing back): the game runs on it as on the desktop, with a clock of its
// own that the loop's waits move in steps and some frames' drawing holds up
// (so that the next frame comes late, with no wait before it), and the player's
// events placed by frame and pump: "in the n-th pump after frame k was drawn"
// (pause-loop pumps count on from the pumps between the frames), or "while the
// death message after frame k is up", where only a close gets through.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/scripted_event.h"
#include "shell/game.h"

// The player's events; their times are not used.
inline platform::ScriptedEvent Press(std::int16_t key) { return {0, platform::ScriptedEvent::Kind::KeyDown, key}; }
inline platform::ScriptedEvent Release(std::int16_t key) { return {0, platform::ScriptedEvent::Kind::KeyUp, key}; }
inline platform::ScriptedEvent CloseWindow() { return {0, platform::ScriptedEvent::Kind::Close, 0}; }

inline constexpr int kInMessage = 0;  // as a pump number: while the death message is up

struct LiveMoment {
  std::int64_t frame;  // frames drawn before it
  int pump;            // 1, 2, … after that frame's drawing, or kInMessage
  std::vector<platform::ScriptedEvent> events;
};

class LiveWindow final : public platform::Window {
 public:
  // Each wait moves the clock `step` ms at most; every `lateEvery`-th frame
  // takes `lateMs` to draw.
  explicit LiveWindow(std::vector<LiveMoment> moments, int step = 3, int lateEvery = 7, int lateMs = 25)
      : moments_(std::move(moments)), step_(step), lateEvery_(lateEvery), lateMs_(lateMs) {}

  // The game whose frames it counts.
  void Follow(const Game& game) { game_ = &game; }

  void SetHandlers(platform::WindowHandlers handlers) override { handlers_ = std::move(handlers); }
  void ShowMaximized() override {}
  void SetCaption(const std::string&) override {}
  void Present(const platform::Surface&) override {
    if (game_->Paused != False) return;
    ++frames_;
    pumps_ = 0;
    if (lateEvery_ > 0 && frames_ % lateEvery_ == 0) tick_ += lateMs_;
  }
  void PumpEvents() override {
    ++tick_;
    ++pumps_;
    Deliver(pumps_);
    if (pumps_ > 100000 || frames_ > 100000) {  // a case that never ends: ended, and counted as undelivered
      stuck_ = true;
      handlers_.QueryUnload();
    }
  }
  void WaitForEvent(std::int64_t deadline) override {
    if (deadline == platform::kNever) {
      tick_ += 7;
      return;
    }
    tick_ = std::max(tick_, std::min(deadline, tick_ + step_));
  }
  void MessageBox(const std::string&, const std::string&) override {
    ++messages_;
    Deliver(kInMessage);
  }
  std::int64_t GetTickCount() override { return tick_; }

  // Moments whose frame and pump never came, and so never delivered.
  int Undelivered() const {
    int left = stuck_ ? 1 : 0;
    for (const LiveMoment& m : moments_) left += m.frame >= 0 ? 1 : 0;
    return left;
  }
  int Messages() const { return messages_; }

 private:
  void Deliver(int pump) {
    for (LiveMoment& m : moments_) {
      if (m.frame != frames_ || m.pump != pump) continue;
      m.frame = -1;  // delivered
      for (const platform::ScriptedEvent& e : m.events) platform::Deliver(e, handlers_);
    }
  }

  const Game* game_ = nullptr;
  std::vector<LiveMoment> moments_;
  int step_, lateEvery_, lateMs_;
  platform::WindowHandlers handlers_;
  std::int64_t tick_ = 5000;
  std::int64_t frames_ = 0;
  int pumps_ = 0;
  int messages_ = 0;
  bool stuck_ = false;
};
