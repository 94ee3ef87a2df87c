#include "platform/scripted_event.h"

#include <algorithm>

namespace platform {

void Deliver(const ScriptedEvent& event, const WindowHandlers& handlers) {
  switch (event.kind) {
    case ScriptedEvent::Kind::KeyDown:
      if (handlers.KeyDown) handlers.KeyDown(event.keyCode, 0);
      break;
    case ScriptedEvent::Kind::KeyUp:
      if (handlers.KeyUp) handlers.KeyUp(event.keyCode, 0);
      break;
    case ScriptedEvent::Kind::Close:
      if (handlers.QueryUnload) handlers.QueryUnload();
      break;
  }
}

void SortForDelivery(std::vector<ScriptedEvent>& events) {
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptedEvent& a, const ScriptedEvent& b) { return DueTime(a) < DueTime(b); });
}

}  // namespace platform
