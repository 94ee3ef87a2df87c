// The real desktop window on Windows, with Win32 and GDI alone: maximized or
// borderless fullscreen, played with the keyboard or XInput pads.
//
// Windows calls the window procedure from inside its own code (DispatchMessage,
// a message box's loop), where no exception may pass. So the procedure only
// tells the key router what it sees, which queues it; PumpEvents delivers the
// queue to the game's handlers once DispatchMessage has returned, and a close
// request ends the game from there.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop_view.h"
#include "platform/key_router.h"
#include "platform/window.h"

struct HWND__;

namespace platform {

class Win32Canvas;
class XInputPads;

class Win32Window final : public Window {
 public:
  // Opens the (still hidden) window; throws std::runtime_error when Windows can't.
  Win32Window(const char* title, int clientWidth, int clientHeight, const ViewOptions& view = {});
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void SetHandlers(WindowHandlers handlers) override { router_.SetHandlers(std::move(handlers)); }
  // Maximized, and then fullscreen when the view asks for it.
  void ShowMaximized() override;
  void SetCaption(const std::string& caption) override;
  void Present(const Surface& backImage) override;
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override;
  void MessageBox(const std::string& prompt, const std::string& title) override;
  std::int64_t GetTickCount() override;

 private:
  static std::intptr_t __stdcall Procedure(HWND__* window, unsigned message, std::uintptr_t wParam,
                                           std::intptr_t lParam) noexcept;
  std::optional<std::intptr_t> Receive(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  void ReadPads();
  void SetFullscreen(bool on);
  void DismissMessageBox();
  void SleepUntil(std::int64_t tick);
  void Close();

  HWND__* window_ = nullptr;
  std::unique_ptr<Win32Canvas> canvas_;
  std::unique_ptr<XInputPads> pads_;
  void* timer_ = nullptr;           // the waitable timer the waits sleep on
  bool timerPeriodSet_ = false;     // without a high-resolution timer: timeBeginPeriod(1)
  void* delayExecution_ = nullptr;  // under Wine: the sleep that ends each wait
  KeyRouter router_;
  DesktopView view_;
  ScreenDamage damage_;  // what of the picture the screen lacks
  // Where the window was before it went fullscreen, to come back to; none
  // when it started fullscreen (it comes back maximized).
  struct Placement {
    Rect restored;
    bool maximized;
  };
  std::optional<Placement> windowed_;
  bool repaintAll_ = true;    // the whole client area needs painting, not just the game area
  bool sizeChanged_ = false;  // the client area changed size since the last wait
  bool inMessageBox_ = false;
  std::int64_t ticksPerSecond_ = 1;
};

}  // namespace platform
