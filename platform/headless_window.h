// The window without a screen: a virtual clock that advances only when events
// are pumped, and a fixed list of scripted events delivered by that clock.
// Replays and tests run the game on it. A copy goes on from where this one
// is, with the same events.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/scripted_event.h"
#include "platform/window.h"

namespace platform {

// Thrown from WaitForEvent when the game waits for an event that can never
// come: nothing is left to deliver.
struct RunCannotEnd {};

class HeadlessWindow final : public Window {
 public:
  // Events with equal times are delivered in the order given.
  explicit HeadlessWindow(std::vector<ScriptedEvent> events = {});

  void SetHandlers(WindowHandlers handlers) override { handlers_ = std::move(handlers); }
  void ShowMaximized() override { shown_ = true; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  void Present(const Surface& backImage) override;
  // Every pump first adds 1 ms to the clock, then delivers, in order, every
  // event whose time has come.
  void PumpEvents() override;
  // Nothing observes the clock between pumps, so waiting moves it straight to
  // the millisecond before the next event or the deadline.
  void WaitForEvent(std::int64_t tick) override;
  void MessageBox(const std::string& prompt, const std::string& title) override;
  std::int64_t GetTickCount() override { return clock_; }

  // A close request delivered first thing in the next pump.
  void RequestClose() { closeRequested_ = true; }
  // Called after every present, with the back image.
  std::function<void(const Surface&)> OnPresent;

  bool Shown() const { return shown_; }
  const std::string& Caption() const { return caption_; }
  int MessageBoxes() const { return messageBoxes_; }
  const std::string& LastMessage() const { return lastMessage_; }
  const std::string& LastMessageTitle() const { return lastMessageTitle_; }
  std::size_t EventsLeft() const { return events_->size() - next_; }
  // The events in the order they are delivered, and how many of them have been.
  const std::vector<ScriptedEvent>& Events() const { return *events_; }
  std::size_t EventsDelivered() const { return next_; }
  void SetClock(std::int64_t tick) { clock_ = tick; }

 private:
  WindowHandlers handlers_;
  std::shared_ptr<const std::vector<ScriptedEvent>> events_;  // in delivery order
  std::size_t next_ = 0;
  std::int64_t clock_ = 0;
  bool closeRequested_ = false;
  bool shown_ = false;
  std::string caption_;
  int messageBoxes_ = 0;
  std::string lastMessage_;
  std::string lastMessageTitle_;
};

}  // namespace platform
