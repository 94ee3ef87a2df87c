#include "platform/headless_window.h"

#include <algorithm>

namespace platform {

void SortForDelivery(std::vector<ScriptedEvent>& events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptedEvent& a, const ScriptedEvent& b) { return DueTime(a) < DueTime(b); });
}

HeadlessWindow::HeadlessWindow(std::vector<ScriptedEvent> events) : events_(std::move(events)) {
  SortForDelivery(events_);
}

void HeadlessWindow::Present(const Surface& backImage) {
  if (OnPresent) OnPresent(backImage);
}

void HeadlessWindow::PumpEvents() {
  ++clock_;
  if (closeRequested_) {
    closeRequested_ = false;
    if (handlers_.QueryUnload) handlers_.QueryUnload();
  }
  while (next_ < events_.size() && DueTime(events_[next_]) <= clock_) {
    const ScriptedEvent& e = events_[next_++];
    switch (e.kind) {
      case ScriptedEvent::Kind::KeyDown:
        if (handlers_.KeyDown) handlers_.KeyDown(e.keyCode, 0);
        break;
      case ScriptedEvent::Kind::KeyUp:
        if (handlers_.KeyUp) handlers_.KeyUp(e.keyCode, 0);
        break;
      case ScriptedEvent::Kind::Close:
        if (handlers_.QueryUnload) handlers_.QueryUnload();
        break;
    }
  }
}

void HeadlessWindow::WaitForEvent(std::int64_t tick) {
  if (closeRequested_) return;
  const std::int64_t nextEvent = next_ < events_.size() ? DueTime(events_[next_]) : kNever;
  const std::int64_t until = std::min(tick, nextEvent);
  if (until == kNever) throw RunCannotEnd{};
  clock_ = std::max(clock_, until - 1);
}

void HeadlessWindow::MessageBox(const std::string& prompt, const std::string& title) {
  ++messageBoxes_;
  lastMessage_ = prompt;
  lastMessageTitle_ = title;
}

}  // namespace platform
