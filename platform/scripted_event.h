// A key or close event at a given millisecond, as replay scripts, recordings
// and playbacks hold them, and its delivery to the window's handlers.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window.h"

namespace platform {

struct ScriptedEvent {
  enum class Kind { KeyDown, KeyUp, Close };
  std::int64_t time;  // milliseconds of the virtual clock
  Kind kind;
  std::int16_t keyCode;  // unused for Close
};

// When the headless clock delivers a scripted event: at its time, but never
// before the first pump, where the clock reads 1.
inline std::int64_t DueTime(const ScriptedEvent& e) { return e.time > 1 ? e.time : 1; }
// Delivers one event to the handlers, as a key with no modifiers held.
void Deliver(const ScriptedEvent& event, const WindowHandlers& handlers);
// Puts the events in the order they are delivered: by due time, events due
// together in the order given.
void SortForDelivery(std::vector<ScriptedEvent>& events);

}  // namespace platform
