// The windowing services the game uses: one top-level window with a caption, a
// back image presented to the screen, keyboard and close events delivered to the
// window's handlers, a modal message box, and the millisecond tick. The
// headless window (here) runs tests and replays; each real window is a backend
// in a folder of its own: platform/sdl/ for the Linux desktop, platform/web/
// for the web page.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "platform/keys.h"
#include "platform/surface.h"

namespace platform {

// Modifier bits of the key events' shift argument.
inline constexpr std::int16_t ShiftMask = 1, CtrlMask = 2, AltMask = 4;

// Where the window's events go: the stage window's handlers.
struct WindowHandlers {
  std::function<void(std::int16_t keyCode, std::int16_t shift)> KeyDown;
  std::function<void(std::int16_t keyCode, std::int16_t shift)> KeyUp;
  std::function<void()> QueryUnload;
};

// A tick far enough ahead to mean "no deadline".
inline constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

class Window {
 public:
  virtual ~Window() = default;

  virtual void SetHandlers(WindowHandlers handlers) = 0;
  // Shows the window maximized (its restored client area is 625 × 308).
  virtual void ShowMaximized() = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Copies the back image to the screen.
  virtual void Present(const Surface& backImage) = 0;
  // Delivers every pending event to the handlers, then returns.
  virtual void PumpEvents() = 0;
  // Returns when an event is pending or the tick has reached `tick`, whichever
  // comes first, without spinning. kNever waits for an event alone.
  virtual void WaitForEvent(std::int64_t tick) = 0;
  // A modal box with the prompt and one OK button; returns once dismissed.
  virtual void MessageBox(const std::string& prompt, const std::string& title) = 0;
  // Milliseconds of the platform's clock, never wrapping.
  virtual std::int64_t GetTickCount() = 0;
};

// Ending the program from inside an event handler: unwinds everything up to
// whoever started the game, which then shuts down. Nothing else runs on the way.
struct ProgramEnded {};
[[noreturn]] void EndProgram();

}  // namespace platform
