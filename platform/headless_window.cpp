#include "platform/headless_window.h"

#include <algorithm>

namespace platform {

HeadlessWindow::HeadlessWindow(std::vector<ScriptedEvent> events) {
  SortForDelivery(events);
  events_ = std::make_shared<const std::vector<ScriptedEvent>>(std::move(events));
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
  const std::vector<ScriptedEvent>& events = *events_;
  while (next_ < events.size() && DueTime(events[next_]) <= clock_) Deliver(events[next_++], handlers_);
}

void HeadlessWindow::WaitForEvent(std::int64_t tick) {
  if (closeRequested_) return;
  const std::int64_t nextEvent = next_ < events_->size() ? DueTime((*events_)[next_]) : kNever;
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
