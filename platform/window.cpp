#include "platform/window.h"

#include <cstdlib>

namespace platform {
namespace {
Window* current = nullptr;
}

void UseWindow(Window* window) { current = window; }

Window& CurrentWindow() {
  if (current == nullptr) std::abort();  // the game was started without a window
  return *current;
}

void EndProgram() { throw ProgramEnded{}; }

}  // namespace platform
