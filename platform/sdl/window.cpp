#include "platform/sdl/window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "platform/sdl/environment.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/pads.h"
#include "platform/sdl/presenter.h"

namespace platform {
namespace {

// The largest single sleep while waiting for an event alone; waking now and
// then costs nothing and keeps the wait robust against a missed wake-up.
constexpr auto kLongestSleep = std::chrono::milliseconds(250);
// Pads are read when events are pumped, and a held-back picture waits for the
// compositor: either keeps the sleeps as short as a frame.
constexpr auto kPollPeriod = std::chrono::milliseconds(10);

// The events that concern game pads.
bool IsPadEvent(const SDL_Event& event) {
  const Uint32 t = event.type;
  return t == SDL_CONTROLLERDEVICEADDED || t == SDL_CONTROLLERDEVICEREMOVED || t == SDL_CONTROLLERBUTTONDOWN ||
         t == SDL_CONTROLLERBUTTONUP || t == SDL_CONTROLLERAXISMOTION;
}

// DISPLAY=":1" or DISPLAY unset.
std::string Describe(const char* variable) {
  return std::string(variable) + (IsSet(variable) ? "=\"" + std::string(std::getenv(variable)) + "\"" : " unset");
}

// Before SDL looks for a display: without DISPLAY or WAYLAND_DISPLAY it would
// settle for a window nobody sees. A video driver named outright is the
// player's choice.
void RequireDisplay() {
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("SDL_VIDEODRIVER")) {
    throw std::runtime_error(
        "no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set "
        "(start it from a desktop session)");
  }
}

// After: SDL's drivers that show nothing are no display either.
void RequireVisibleDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string name = driver != nullptr ? driver : "";
  if (name == "offscreen" || name == "dummy") {
    throw std::runtime_error("no display to open the window on: SDL could open none (" + Describe("DISPLAY") + ", " +
                             Describe("WAYLAND_DISPLAY") + ") and chose its \"" + name +
                             "\" driver, which shows nothing");
  }
}

}  // namespace

SdlWindow::SdlWindow(const char* title, int clientWidth, int clientHeight, const ViewOptions& view)
    : view_(view) {
  RequireDisplay();
  // Where the window has a surface of its own (X11), the native shared-memory
  // path presents a frame for about 1% of a core; the default accelerated
  // framebuffer goes through software OpenGL for far more.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
  try {
    RequireVisibleDriver();
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth, clientHeight,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (window_ == nullptr) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
    std::optional<WaylandWindow> wayland;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE) {
      if (info.subsystem == SDL_SYSWM_X11) connectionFd_ = ConnectionNumber(info.info.x11.display);
      if (info.subsystem == SDL_SYSWM_WAYLAND) {
        wayland = WaylandWindow{info.info.wl.display, info.info.wl.surface};
        waylandDisplay_ = wayland->display;
        connectionFd_ = wl_display_get_fd(waylandDisplay_);
      }
    }
    presenter_ = MakePresenter(window_, wayland);
    pads_ = std::make_unique<SdlPads>();
  } catch (...) {
    Close();
    throw;
  }
  SDL_StopTextInput();  // plain key events only, no input method in between
  router_.WhenFullscreenSwitched([this] { SetFullscreen(!view_.Fullscreen()); });
  router_.ModifiersFrom([] { return ShiftStateOf(SDL_GetModState()); });
}

SdlWindow::~SdlWindow() { Close(); }

void SdlWindow::Close() {
  pads_.reset();
  presenter_.reset();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  window_ = nullptr;
  SDL_Quit();
}

// SDL 2.26 on Wayland mishandles the maximized state in two places, and the
// compositor ends the connection for either: asked for before the window is
// shown, and coming back to it from fullscreen (the title bar counted twice).
// There the window is maximized once shown, goes fullscreen from its plain
// state and is maximized again on its way back.
void SdlWindow::ShowMaximized() {
  const bool fullscreen = view_.Fullscreen();
  if (!OnWayland()) SDL_MaximizeWindow(window_);
  if (fullscreen) SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  SDL_ShowWindow(window_);
  if (OnWayland() && !fullscreen) SDL_MaximizeWindow(window_);
  view_.Shown(fullscreen);
  repaintAll_ = true;
}

void SdlWindow::SetFullscreen(bool on) {
  if (on && OnWayland()) SDL_RestoreWindow(window_);
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
  const bool firstTimeWindowed = !on && !view_.ShownWindowed();
  view_.Shown(on);
  repaintAll_ = true;
  // Started fullscreen, the window comes back at its small restored size:
  // it is maximized as a window started without is.
  if (!on && (OnWayland() || firstTimeWindowed)) SDL_MaximizeWindow(window_);
}

void SdlWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  SDL_SetWindowTitle(window_, caption.c_str());
}

void SdlWindow::Present(const Surface& backImage) {
  const Region changed = damage_.Take(backImage);
  if (presenter_->Present(backImage, changed, repaintAll_, view_)) repaintAll_ = false;
}

void SdlWindow::PumpEvents() {
  if (ConnectionLost()) {
    router_.Close();
  } else {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) Dispatch(event);
  }
  router_.Deliver();
}

// A Wayland connection the compositor has closed (it went away, or ended it
// for a fault) shows nothing any more, and must not be pumped again: libdecor
// 0.1 then loops for ever. The game ends as if its window were closed.
bool SdlWindow::ConnectionLost() const {
  return waylandDisplay_ != nullptr && wl_display_get_error(waylandDisplay_) != 0;
}

void SdlWindow::Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: router_.Close(); break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: router_.Close(); break;
        // SDL has sent the key-up of every key still held already.
        case SDL_WINDOWEVENT_FOCUS_LOST: router_.KeyboardLost(); break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: repaintAll_ = true; break;
        default: break;
      }
      break;
    case SDL_RENDER_DEVICE_RESET:
      presenter_->RendererReset();
      repaintAll_ = true;
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      router_.Key(KeyCodeOf(event.key.keysym.sym), event.type == SDL_KEYDOWN, ShiftStateOf(event.key.keysym.mod),
                  event.key.repeat != 0);
      break;
    default:
      if (IsPadEvent(event)) pads_->Handle(event, router_.PadChange());
      break;
  }
}

bool SdlWindow::EventPending() {
  if (ConnectionLost() || router_.Pending()) return true;
  SDL_PumpEvents();
  return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}

// A picture held back for the compositor goes out as soon as it may. Showing
// it may read the connection, so SDL looks at what came before any sleep.
void SdlWindow::WaitForEvent(std::int64_t tick) {
  const bool hasDeadline = tick != kNever;
  const Clock::time_point deadline =
      hasDeadline ? Clock::time_point(std::chrono::milliseconds(tick)) - clockOffset_ : Clock::time_point::max();
  for (;;) {
    if (EventPending()) return;
    if (presenter_->ShowHeldBack()) continue;
    if (hasDeadline && Clock::now() >= deadline) return;
    SleepUntil(deadline, hasDeadline);
  }
}

// Sleeps until the deadline or until the display connection has something to
// read. Waiting on the connection itself wakes to the microsecond, where SDL's
// own wait rounds to whole milliseconds and would start frames late.
void SdlWindow::SleepUntil(Clock::time_point deadline, bool hasDeadline) {
  const Clock::time_point now = Clock::now();
  const Clock::duration longest = pads_->Any() || presenter_->HoldsBack() ? kPollPeriod : kLongestSleep;
  const Clock::duration wait = hasDeadline ? std::min<Clock::duration>(deadline - now, longest) : longest;
  if (connectionFd_ >= 0) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait).count();
    const timespec timeout{time_t(ns / 1000000000), long(ns % 1000000000)};
    pollfd connection{connectionFd_, POLLIN, 0};
    ppoll(&connection, 1, &timeout, nullptr);
    return;
  }
  if (wait > std::chrono::milliseconds(2)) {
    SDL_WaitEventTimeout(nullptr, int(std::chrono::duration_cast<std::chrono::milliseconds>(wait).count()) - 1);
  } else {
    std::this_thread::sleep_until(now + wait);
  }
}

void SdlWindow::MessageBox(const std::string& prompt, const std::string& title) {
  const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                    0, "OK"};
  const SDL_MessageBoxData box{0, window_, title.c_str(), prompt.c_str(), 1, &ok, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) == 0) return;

  // No message box on this display (an X server without fonts has none): the
  // game window itself holds the message, in its caption, until it is answered.
  // Keys and pad buttons pressed meanwhile are lost, but not their release:
  // the game must not be left holding a key that is up. A close request ends
  // the program from here too.
  SDL_SetWindowTitle(window_, (title + ": " + prompt + " - press Enter").c_str());
  for (bool answered = false; !answered; router_.Deliver()) {
    if (ConnectionLost()) PumpEvents();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, int(kLongestSleep.count())) == 0) continue;
    switch (event.type) {
      case SDL_KEYDOWN:
        answered = event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER ||
                   event.key.keysym.sym == SDLK_ESCAPE || event.key.keysym.sym == SDLK_SPACE;
        break;
      case SDL_KEYUP:
      case SDL_QUIT: Dispatch(event); break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) Dispatch(event);
        break;
      default:
        if (IsPadEvent(event)) {
          pads_->Handle(event, [this](vk::Code code, bool down) {
            if (!down) router_.PadKey(code, false);
          });
        }
        break;
    }
  }
  SDL_SetWindowTitle(window_, caption_.c_str());
}

std::int64_t SdlWindow::GetTickCount() {
  return std::chrono::duration_cast<std::chrono::milliseconds>((Clock::now() + clockOffset_).time_since_epoch())
      .count();
}

}  // namespace platform
