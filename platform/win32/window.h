// The real desktop window on Windows, with Win32 and GDI alone: maximized or
// borderless fullscreen, played with the keyboard or XInput pads.
//
// Windows calls the window procedure from inside its own code (DispatchMessage,
// a message box's loop), where no exception may pass. So the procedure only
// queues what it sees; PumpEvents delivers the queue to the game's handlers
// once DispatchMessage has returned, and a close request ends the game from
// there.
#pragma once

#include <bitset>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "platform/held_keys.h"
#include "platform/presentation.h"
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

  void SetHandlers(WindowHandlers handlers) override { handlers_ = std::move(handlers); }
  // Maximized, and then fullscreen when the view asks for it.
  void ShowMaximized() override;
  void SetCaption(const std::string& caption) override;
  void Present(const Surface& backImage) override;
  void PumpEvents() override;
  void WaitForEvent(std::int64_t tick) override;
  void MessageBox(const std::string& prompt, const std::string& title) override;
  std::int64_t GetTickCount() override;

 private:
  // What the window procedure saw, for PumpEvents to deliver.
  struct Event {
    enum class Kind { KeyDown, KeyUp, ToggleFullscreen, Close } kind;
    vk::Code code = 0;
    std::int16_t shift = 0;
    KeySource source = KeySource::Keyboard;
  };

  static std::intptr_t __stdcall Procedure(HWND__* window, unsigned message, std::uintptr_t wParam,
                                           std::intptr_t lParam) noexcept;
  std::optional<std::intptr_t> Receive(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  void Queue(Event event) { events_.push_back(event); }
  void Key(unsigned virtualKey, std::intptr_t lParam, bool down);
  void LetGoOfKeyboard();
  void Deliver(const Event& event);
  void ReadPads();
  void SetFullscreen(bool on);
  std::optional<int> LargestFactor() const;
  void DismissMessageBox();
  void SleepUntil(std::int64_t tick);
  void Close();

  HWND__* window_ = nullptr;
  std::unique_ptr<Win32Canvas> canvas_;
  std::unique_ptr<XInputPads> pads_;
  void* timer_ = nullptr;           // the waitable timer the waits sleep on
  bool timerPeriodSet_ = false;     // without a high-resolution timer: timeBeginPeriod(1)
  void* delayExecution_ = nullptr;  // under Wine: the sleep that ends each wait
  WindowHandlers handlers_;
  std::deque<Event> events_;
  std::bitset<256> keyboardHolds_;  // keys down on the keyboard, as the game heard them
  HeldKeys held_;
  std::optional<int> scale_;  // the player's --scale
  bool fullscreen_ = false;
  bool shownWindowed_ = false;  // the window has been on the screen as a window
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
