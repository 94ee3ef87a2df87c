// The real desktop window, on SDL2.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/window.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

namespace platform {

class SdlWindow final : public Window {
 public:
  // Opens the (still hidden) window; throws std::runtime_error when SDL can't.
  SdlWindow(const char* title, int clientWidth, int clientHeight);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  void SetHandlers(WindowHandlers handlers) override { handlers_ = std::move(handlers); }
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

  void PresentChanges(const Surface& backImage, const Region& damage, SDL_Surface& screen);
  void PresentWhole(const Surface& backImage, SDL_Surface& screen);
  void Dispatch(const SDL_Event& event);
  bool EventPending();
  void SleepUntil(Clock::time_point deadline, bool hasDeadline);

  SDL_Window* window_ = nullptr;
  WindowHandlers handlers_;
  std::string caption_;
  int connectionFd_ = -1;       // the display connection, when it can be waited on directly
  bool repaintAll_ = true;      // the whole client area needs painting, not just the game area
  Clock::duration clockOffset_{};
};

}  // namespace platform
