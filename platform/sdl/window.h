// The real desktop window, on SDL2: X11 or Wayland, in a window or
// fullscreen, played with the keyboard or a game pad.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/held_keys.h"
#include "platform/presentation.h"
#include "platform/window.h"

struct SDL_Window;
union SDL_Event;
struct wl_display;

namespace platform {

class SdlPads;
class SdlPresenter;

class SdlWindow final : public Window {
 public:
  // Opens the (still hidden) window; throws std::runtime_error when SDL can't,
  // and when there is no display to show it on.
  SdlWindow(const char* title, int clientWidth, int clientHeight, const ViewOptions& view = {});
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  void SetHandlers(WindowHandlers handlers) override { handlers_ = std::move(handlers); }
  // Maximized, and then fullscreen when the view asks for it.
  void ShowMaximized() override;
  void SetCaption(const std::string& caption) override;
  void Present(const Surface& backImage) override;
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override;
  void MessageBox(const std::string& prompt, const std::string& title) override;
  std::int64_t GetTickCount() override;

  // Moves the tick by `offsetMs`: lets tests run the game near any tick value.
  void ShiftClock(std::int64_t offsetMs) { clockOffset_ = std::chrono::milliseconds(offsetMs); }

 private:
  using Clock = std::chrono::steady_clock;

  void Close();
  void Dispatch(const SDL_Event& event);
  void KeyEvent(std::int16_t code, bool down, KeySource source, std::int16_t shift);
  void PadChanged(std::int16_t code, bool down);
  void SetFullscreen(bool on);
  std::optional<int> LargestFactor() const;
  bool EventPending();
  bool ConnectionLost() const;
  bool OnWayland() const { return waylandDisplay_ != nullptr; }
  void SleepUntil(Clock::time_point deadline, bool hasDeadline);

  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlPresenter> presenter_;
  std::unique_ptr<SdlPads> pads_;
  WindowHandlers handlers_;
  HeldKeys held_;
  std::optional<int> scale_;  // the player's --scale
  bool fullscreen_ = false;
  bool shownWindowed_ = false;  // the window has been on the screen as a window
  std::string caption_;
  wl_display* waylandDisplay_ = nullptr;  // when SDL's video driver is Wayland's
  int connectionFd_ = -1;                 // the display connection, when it can be waited on directly
  bool repaintAll_ = true;                // the whole client area needs painting, not just the game area
  Clock::duration clockOffset_{};
};

}  // namespace platform
