// Plinkard: the game in its desktop window.
#include <cstdio>
#include <exception>

#include "platform/sdl_window.h"
#include "shell/stage1.h"

int main() {
  try {
    platform::SdlWindow window("Form1", Stage1Window::kRestoredWidth, Stage1Window::kRestoredHeight);
    platform::UseWindow(&window);
    try {
      CreateStage1();
    } catch (const platform::ProgramEnded&) {
      // the window was closed
    }
    platform::UseWindow(nullptr);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plinkard: %s\n", error.what());
    return 1;
  }
}
