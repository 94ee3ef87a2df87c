#include "platform/sdl_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl_keys.h"

namespace platform {
namespace {

// The client area around the game picture.
constexpr Uint8 kSurroundR = 24, kSurroundG = 24, kSurroundB = 28;

// The largest single sleep while waiting for an event alone; waking now and
// then costs nothing and keeps the wait robust against a missed wake-up.
constexpr auto kLongestSleep = std::chrono::milliseconds(250);

}  // namespace

SdlWindow::SdlWindow(const char* title, int clientWidth, int clientHeight) {
  // The native shared-memory path presents a frame for about 1% of a core; the
  // default accelerated framebuffer goes through software OpenGL for far more.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
  window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth, clientHeight,
                             SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) {
    const std::string error = SDL_GetError();
    SDL_Quit();
    throw std::runtime_error("SDL: " + error);
  }
  SDL_StopTextInput();  // plain key events only, no input method in between

  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    connectionFd_ = ConnectionNumber(info.info.x11.display);
  }
}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(window_);
  SDL_Quit();
}

void SdlWindow::ShowMaximized() {
  SDL_MaximizeWindow(window_);
  SDL_ShowWindow(window_);
  repaintAll_ = true;
}

void SdlWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  SDL_SetWindowTitle(window_, caption.c_str());
}

void SdlWindow::Present(const Surface& backImage) {
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  const Region damage = backImage.TakeDamage();
  if (screen == nullptr) return;
  const bool fits = backImage.Width() <= screen->w && backImage.Height() <= screen->h;
  if (fits && !repaintAll_ && screen->format->format == SDL_PIXELFORMAT_XRGB8888 && !SDL_MUSTLOCK(screen)) {
    PresentChanges(backImage, damage, *screen);
  } else {
    PresentWhole(backImage, *screen);
  }
}

// The window keeps what it showed last: only the parts of the picture that
// changed since are copied and sent to the screen.
void SdlWindow::PresentChanges(const Surface& backImage, const Region& damage, SDL_Surface& screen) {
  std::vector<SDL_Rect> rects;
  for (const Rect& r : damage.Rects()) {
    for (int row = r.y; row < r.y + r.h; ++row) {
      auto* to = static_cast<Pixel*>(screen.pixels) + std::size_t(row) * std::size_t(screen.pitch / 4) + r.x;
      std::memcpy(to, backImage.Row(row) + r.x, std::size_t(r.w) * sizeof(Pixel));
    }
    rects.push_back(SDL_Rect{r.x, r.y, r.w, r.h});
  }
  if (!rects.empty()) SDL_UpdateWindowSurfaceRects(window_, rects.data(), int(rects.size()));
}

void SdlWindow::PresentWhole(const Surface& backImage, SDL_Surface& screen) {
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<Pixel*>(backImage.Row(0)), backImage.Width(), backImage.Height(), 32,
      backImage.Width() * int(sizeof(Pixel)), SDL_PIXELFORMAT_XRGB8888);
  if (picture == nullptr) return;

  // 1:1 at the top left when the picture fits, else scaled down to fit.
  SDL_Rect game{0, 0, backImage.Width(), backImage.Height()};
  if (game.w > screen.w || game.h > screen.h) {
    const double scale = std::min(double(screen.w) / game.w, double(screen.h) / game.h);
    game.w = std::max(1, int(game.w * scale));
    game.h = std::max(1, int(game.h * scale));
    if (SDL_SoftStretchLinear(picture, nullptr, &screen, &game) != 0) SDL_BlitScaled(picture, nullptr, &screen, &game);
  } else {
    SDL_BlitSurface(picture, nullptr, &screen, &game);
  }
  SDL_FreeSurface(picture);

  const Uint32 surround = SDL_MapRGB(screen.format, kSurroundR, kSurroundG, kSurroundB);
  const SDL_Rect right{game.w, 0, screen.w - game.w, screen.h};
  const SDL_Rect below{0, game.h, game.w, screen.h - game.h};
  SDL_FillRect(&screen, &right, surround);
  SDL_FillRect(&screen, &below, surround);
  if (SDL_UpdateWindowSurface(window_) == 0) repaintAll_ = false;
}

void SdlWindow::PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) Dispatch(event);
}

void SdlWindow::Dispatch(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      if (handlers_.QueryUnload) handlers_.QueryUnload();
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          if (handlers_.QueryUnload) handlers_.QueryUnload();
          break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
          repaintAll_ = true;
          break;
        default:
          break;
      }
      break;
    // When the window loses the keyboard, SDL sends the key-up of every key
    // still held, so no key stays pressed for the game.
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const std::int16_t code = KeyCodeOf(event.key.keysym.sym);
      if (code < 0) break;
      const auto& handler = event.type == SDL_KEYDOWN ? handlers_.KeyDown : handlers_.KeyUp;
      if (handler) handler(code, ShiftStateOf(event.key.keysym.mod));
      break;
    }
    default:
      break;
  }
}

bool SdlWindow::EventPending() {
  SDL_PumpEvents();
  return SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE;
}

void SdlWindow::WaitForEvent(std::int64_t tick) {
  const bool hasDeadline = tick != kNever;
  const Clock::time_point deadline =
      hasDeadline ? Clock::time_point(std::chrono::milliseconds(tick)) - clockOffset_ : Clock::time_point::max();
  while (!EventPending()) {
    if (hasDeadline && Clock::now() >= deadline) return;
    SleepUntil(deadline, hasDeadline);
  }
}

// Sleeps until the deadline or until the display connection has something to
// read. Waiting on the connection itself wakes to the microsecond, where SDL's
// own wait rounds to whole milliseconds and would start frames late.
void SdlWindow::SleepUntil(Clock::time_point deadline, bool hasDeadline) {
  const Clock::time_point now = Clock::now();
  const Clock::duration wait = hasDeadline ? std::min<Clock::duration>(deadline - now, kLongestSleep) : kLongestSleep;
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
  const SDL_MessageBoxButtonData ok{
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
  const SDL_MessageBoxData box{0, window_, title.c_str(), prompt.c_str(), 1, &ok, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) == 0) return;

  // No message box on this display (an X server without fonts has none): the
  // game window itself holds the message, in its caption, until it is answered.
  SDL_SetWindowTitle(window_, (title + ": " + prompt + " - press Enter").c_str());
  for (bool answered = false; !answered;) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, int(kLongestSleep.count())) == 0) continue;
    switch (event.type) {
      case SDL_KEYDOWN:
        answered = event.key.keysym.sym == SDLK_RETURN || event.key.keysym.sym == SDLK_KP_ENTER ||
                   event.key.keysym.sym == SDLK_ESCAPE || event.key.keysym.sym == SDLK_SPACE;
        break;
      case SDL_QUIT:
        Dispatch(event);  // a close request ends the program from here too
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) Dispatch(event);
        break;
      default:
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
