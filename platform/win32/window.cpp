#include "platform/win32/window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/canvas.h"
#include "platform/win32/keys.h"
#include "platform/win32/pads.h"
#include "platform/win32/windows_system.h"

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"Plinkard";
constexpr DWORD kWindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kFullscreenStyle = WS_POPUP;
// The longest single sleep while waiting for an event alone.
constexpr std::int64_t kLongestSleepMs = 1000;
// Under Wine, the end of a wait slept without watching for messages.
constexpr std::int64_t kLastStretch100ns = 20000;
// ntdll's NtDelayExecution: a sleep of the process itself.
using DelayExecution = LONG(__stdcall*)(BOOLEAN alertable, LARGE_INTEGER* interval);
// The icon in the program's resources (packaging/windows/).
constexpr int kIconResource = 1;

// Not in every MinGW-w64's headers (Windows 10 1803 and later).
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif

std::runtime_error Failure(const char* what) {
  return std::runtime_error(std::string(what) + " failed (Windows error " + std::to_string(GetLastError()) + ")");
}

void RegisterWindowClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(kIconResource));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0) throw Failure("RegisterClassExW");
  registered = true;
}

// keys.h numbers the keys as winuser.h does.
static_assert(winvk::Back == VK_BACK && winvk::Tab == VK_TAB && winvk::Return == VK_RETURN && winvk::Shift == VK_SHIFT &&
              winvk::Control == VK_CONTROL && winvk::Menu == VK_MENU && winvk::Escape == VK_ESCAPE &&
              winvk::Space == VK_SPACE && winvk::Home == VK_HOME && winvk::Left == VK_LEFT && winvk::Up == VK_UP &&
              winvk::Right == VK_RIGHT && winvk::Down == VK_DOWN && winvk::Numpad0 == VK_NUMPAD0 &&
              winvk::Numpad9 == VK_NUMPAD9 && winvk::F1 == VK_F1 && winvk::F4 == VK_F4 && winvk::F12 == VK_F12 &&
              winvk::LShift == VK_LSHIFT && winvk::RShift == VK_RSHIFT && winvk::LControl == VK_LCONTROL &&
              winvk::RControl == VK_RCONTROL && winvk::LMenu == VK_LMENU && winvk::RMenu == VK_RMENU);

// The modifier bits (ShiftMask, CtrlMask, AltMask) held now, as the message
// being handled saw them.
std::int16_t ShiftState() {
  const auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  std::int16_t state = 0;
  if (held(VK_SHIFT)) state |= ShiftMask;
  if (held(VK_CONTROL)) state |= CtrlMask;
  if (held(VK_MENU)) state |= AltMask;
  return state;
}

// The monitor's whole area, for the window that is on it.
RECT MonitorArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcMonitor;
}

}  // namespace

Win32Window::Win32Window(const char* title, int clientWidth, int clientHeight, const ViewOptions& view)
    : view_(view) {
  router_.WhenFullscreenSwitched([this] { SetFullscreen(!view_.Fullscreen()); });
  router_.ModifiersFrom(ShiftState);
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  ticksPerSecond_ = frequency.QuadPart;

  RegisterWindowClass(&Procedure);
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, kWindowedStyle, FALSE, 0);
  window_ = CreateWindowExW(0, kClassName, Widen(title).c_str(), kWindowedStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) throw Failure("CreateWindowExW");
  canvas_ = std::make_unique<Win32Canvas>(window_);
  pads_ = std::make_unique<XInputPads>();

  // Waits wake to the microsecond where Windows has high-resolution timers
  // (10 from 1803), and else to the millisecond the timer period allows.
  timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (timer_ == nullptr) {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    timerPeriodSet_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  }
  if (timer_ == nullptr) {
    Close();
    throw Failure("CreateWaitableTimerExW");
  }
  if (const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
      ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr) {
    delayExecution_ = reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution"));
  }
}

Win32Window::~Win32Window() { Close(); }

void Win32Window::Close() {
  canvas_.reset();
  pads_.reset();
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // nothing reaches this object any more
    DestroyWindow(window_);
  }
  window_ = nullptr;
  if (timer_ != nullptr) CloseHandle(timer_);
  timer_ = nullptr;
  if (timerPeriodSet_) timeEndPeriod(1);
  timerPeriodSet_ = false;
}

std::intptr_t __stdcall Win32Window::Procedure(HWND window, unsigned message, std::uintptr_t wParam,
                                               std::intptr_t lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && self->window_ == window) {
    if (const std::optional<std::intptr_t> handled = self->Receive(message, wParam, lParam)) return *handled;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// What the window procedure does with a message: tells the router what the
// game must hear, and answers those it handles itself.
std::optional<std::intptr_t> Win32Window::Receive(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_CLOSE:  // the close button, Alt+F4, the taskbar
      router_.Close();
      if (inMessageBox_) DismissMessageBox();
      return 0;
    // Alt and F10 come as system keys. Windows would open the system menu
    // with them and hold the game in the menu's loop: they go to the game
    // instead, and nothing else.
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      RouteKeyMessage(router_, unsigned(wParam), lParam, message == WM_KEYDOWN || message == WM_SYSKEYDOWN,
                      ShiftState());
      return 0;
    case WM_SYSCHAR: return 0;  // no beep for Alt with a letter
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
      return std::nullopt;
    // The keyboard went to another window.
    case WM_KILLFOCUS: router_.KeyboardLost(); return 0;
    case WM_PAINT: canvas_->Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // every pixel is painted
    case WM_SIZE:
      repaintAll_ = true;
      sizeChanged_ = true;
      return 0;
    // Moved to a monitor of another DPI: a window takes the size Windows
    // suggests; a maximized or fullscreen one is placed by Windows or by us.
    case WM_DPICHANGED:
      if (!view_.Fullscreen() && !IsZoomed(window_)) {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    default: return std::nullopt;
  }
}

void Win32Window::ShowMaximized() {
  if (view_.Fullscreen()) {
    SetFullscreen(true);
  } else {
    ShowWindow(window_, SW_SHOWMAXIMIZED);
    view_.Shown(false);
  }
  SetForegroundWindow(window_);
  repaintAll_ = true;
}

// Borderless over the whole monitor the window is on, and back to where the
// window was (maximized when it started fullscreen).
void Win32Window::SetFullscreen(bool on) {
  if (on == view_.Fullscreen() && view_.ShownWindowed()) return;
  if (on) {
    if (view_.ShownWindowed()) {
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      GetWindowPlacement(window_, &placement);
      const RECT& r = placement.rcNormalPosition;
      windowed_ = Placement{{int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)},
                            placement.showCmd == SW_SHOWMAXIMIZED};
    }
    const RECT monitor = MonitorArea(window_);
    SetWindowLongPtrW(window_, GWL_STYLE, kFullscreenStyle | WS_VISIBLE);
    SetWindowPos(window_, HWND_TOP, monitor.left, monitor.top, monitor.right - monitor.left,
                 monitor.bottom - monitor.top, SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
  } else {
    SetWindowLongPtrW(window_, GWL_STYLE, kWindowedStyle | WS_VISIBLE);
    if (windowed_) {
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      const Rect& r = windowed_->restored;
      placement.rcNormalPosition = RECT{r.x, r.y, r.x + r.w, r.y + r.h};
      placement.showCmd = windowed_->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
      SetWindowPlacement(window_, &placement);
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    } else {
      SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
      ShowWindow(window_, SW_SHOWMAXIMIZED);
    }
  }
  view_.Shown(on);
  repaintAll_ = true;
}

void Win32Window::SetCaption(const std::string& caption) { SetWindowTextW(window_, Widen(caption).c_str()); }

void Win32Window::Present(const Surface& backImage) {
  const Region changed = damage_.Take(backImage);
  if (canvas_->Present(backImage, changed, repaintAll_, view_)) repaintAll_ = false;
}

void Win32Window::PumpEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) DispatchMessageW(&message);
  ReadPads();
  router_.Deliver();
}

// What the pads changed, queued as the keyboard's keys are.
void Win32Window::ReadPads() { pads_->Update(GetTickCount(), router_.PadChange()); }

// Sleeps until the tick, or until a message comes.
void Win32Window::WaitForEvent(std::int64_t tick) {
  for (;;) {
    if (router_.Pending() || sizeChanged_) break;
    const std::int64_t now = GetTickCount();
    if (tick != kNever && now >= tick) break;
    const std::int64_t padsDue = pads_->NextLook();
    if (padsDue <= now) {
      ReadPads();  // a change is an event to pump
      continue;
    }
    SleepUntil(std::min({tick, padsDue, now + kLongestSleepMs}));
    if (GetQueueStatus(QS_ALLINPUT) != 0) break;
  }
  sizeChanged_ = false;
}

// On the timer, waking for messages too. Wine serves such waits through its
// server, up to a millisecond late, and a frame that starts a millisecond late
// delays every later one: there the last two milliseconds are slept in the
// process itself, which Wine serves to the microsecond, and a message that
// comes meanwhile waits for the frame.
void Win32Window::SleepUntil(std::int64_t tick) {
  // The tick in the performance counter's units.
  const std::int64_t due = tick / 1000 * ticksPerSecond_ + tick % 1000 * ticksPerSecond_ / 1000;
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const std::int64_t ahead = due - now.QuadPart;  // in the performance counter's units
  if (ahead <= 0) return;
  // In 100 ns units, negative for "from now", as timers and delays take it.
  LARGE_INTEGER wait;
  wait.QuadPart = -(ahead / ticksPerSecond_ * 10000000 + ahead % ticksPerSecond_ * 10000000 / ticksPerSecond_);
  if (delayExecution_ != nullptr) {
    if (-wait.QuadPart <= kLastStretch100ns) {
      reinterpret_cast<DelayExecution>(delayExecution_)(FALSE, &wait);
      return;
    }
    wait.QuadPart += kLastStretch100ns;
  }
  if (SetWaitableTimer(timer_, &wait, 0, nullptr, nullptr, FALSE) == 0) return;
  MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Window::MessageBox(const std::string& prompt, const std::string& title) {
  inMessageBox_ = true;
  MessageBoxW(window_, Widen(prompt).c_str(), Widen(title).c_str(), MB_OK);
  inMessageBox_ = false;
  // A close asked for while the box was up ends the game now, from here.
  router_.DeliverClose();
}

// The message box is the window's last active popup; OK answers it.
void Win32Window::DismissMessageBox() {
  const HWND box = GetLastActivePopup(window_);
  if (box != nullptr && box != window_) PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

std::int64_t Win32Window::GetTickCount() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const std::int64_t c = counter.QuadPart;
  return c / ticksPerSecond_ * 1000 + c % ticksPerSecond_ * 1000 / ticksPerSecond_;
}

}  // namespace platform
