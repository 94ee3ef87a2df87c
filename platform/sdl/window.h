// The real desktop window, on SDL2: X11 or Wayland, in a window or
// fullscreen, played with the keyboard or a game pad.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop_view.h"
#include "platform/key_router.h"
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

  void SetHandlers(WindowHandlers handlers) override { router_.SetHandlers(std::move(handlers)); }
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
  void SetFullscreen(bool on);
  bool EventPending();
  bool ConnectionLost() const;
  bool OnWayland() const { return waylandDisplay_ != nullptr; }
  void SleepUntil(Clock::time_point deadline, bool hasDeadline);

  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlPresenter> presenter_;
  std::unique_ptr<SdlPads> pads_;
  KeyRouter router_;
  DesktopView view_;
  ScreenDamage damage_;  // what of the picture the screen lacks
  std::string caption_;
  wl_display* waylandDisplay_ = nullptr;  // when SDL's video driver is Wayland's
  int connectionFd_ = -1;                 // the display connection, when it can be waited on directly
  bool repaintAll_ = true;                // the whole client area needs painting, not just the game area
  Clock::duration clockOffset_{};
};

}  // namespace platform
