#include "app/virtual_clock.h"

#include <algorithm>

#include "core/layout.h"

void VirtualClock::FrameDrawn() {
  if (!holding_) {
    start_ = NextFrameStart();
    clock_ = start_;
  }
  holding_ = false;
  ++frames_;
}

void VirtualClock::PauseShown() {
  if (holding_) return;
  start_ = NextFrameStart();
  clock_ = start_;
  holding_ = true;
}

std::int64_t VirtualClock::PausePump(std::int64_t due) {
  clock_ = std::max(clock_ + 1, due);
  return clock_;
}

std::int64_t VirtualClock::NextFrameStart() const {
  if (frames_ == 0) return 0;
  return std::max(clock_ + 1, start_ + layout::FrameMs);
}
