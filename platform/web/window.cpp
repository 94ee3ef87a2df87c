#include "platform/web/window.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "platform/key_names.h"

// The page's side, in platform/web/window.js.
extern "C" {
void plinkard_page_show();
void plinkard_page_set_title(const char* text);
// Draws the listed rectangles (x, y, w, h each) of the width × height picture.
void plinkard_page_present(const std::uint32_t* pixels, int width, int height, const int* rects, int count);
// Returns after `ms` milliseconds, or at the next plinkard_page_wake; 0 only
// lets the page run, and a negative `ms` waits for the wake alone.
void plinkard_page_sleep(int ms);
void plinkard_page_wake();
// Calls `key` with `window` when a touch button goes down or up, with its
// key's name ("Left", written into `name`) and the shift bits of the buttons
// held with it.
void plinkard_page_listen(void (*key)(void* window, int down, const char* name, int shift), void* window, char* name,
                          int nameSize);
// Fills `pads` with up to `most` pads in the standard layout, four numbers
// each: the pad's index, its buttons pressed (bit N for button N) and its left
// stick's x and y; answers how many. A pad in another layout is left out, and
// the page says so once.
int plinkard_page_read_pads(double* pads, int most);
// The modal dialog: opened, answered on the page or closed from here.
void plinkard_page_open_dialog(const char* prompt, const char* title);
int plinkard_page_dialog_open();
void plinkard_page_close_dialog();
}

namespace platform {
namespace {

// A frame is on time when it starts within the millisecond it is due in. The
// browser's timers wait whole milliseconds and fire a little late: one set to
// end half a millisecond early mostly ends inside that millisecond.
constexpr double kTimerSlackMs = 0.5;

// With a pad plugged in, a wait for an event alone (paused, or in the dialog)
// looks at the pads this often: they say nothing of themselves.
constexpr int kPadPollMs = 16;
constexpr int kMostPads = 8;

// The standard layout's buttons by number: the W3C's "standard" gamepad mapping.
constexpr int kSouth = 0, kEast = 1, kWest = 2, kNorth = 3, kRightShoulder = 5, kStart = 9, kDpadUp = 12,
              kDpadDown = 13, kDpadLeft = 14, kDpadRight = 15;

PadReading StandardReading(unsigned buttons, double stickX, double stickY) {
  const auto pressed = [buttons](int button) { return ((buttons >> button) & 1u) != 0; };
  PadReading r;
  r.dpadLeft = pressed(kDpadLeft);
  r.dpadRight = pressed(kDpadRight);
  r.dpadUp = pressed(kDpadUp);
  r.dpadDown = pressed(kDpadDown);
  r.south = pressed(kSouth);
  r.east = pressed(kEast);
  r.west = pressed(kWest);
  r.north = pressed(kNorth);
  r.rightShoulder = pressed(kRightShoulder);
  r.start = pressed(kStart);
  r.stickX = stickX;
  r.stickY = stickY;  // the standard layout's y grows downwards too
  return r;
}

// The browser's keyCode of every key the desktop window reports is that key's
// code in the game: letters, digits, F1 to F12, the keypad's digits, the
// arrows, the modifiers, Space, Enter, Escape, Tab, Backspace and Home.
vk::Code KeyCodeOf(int keyCode) {
  const auto in = [keyCode](int first, int last) { return keyCode >= first && keyCode <= last; };
  const bool known = in(vk::Letter('A'), vk::Letter('Z')) || in(vk::Digit(0), vk::Digit(9)) ||
                     in(vk::F1, vk::F1 + 11) || in(vk::Numpad0, vk::Numpad0 + 9) || in(vk::Left, vk::Down) ||
                     in(vk::Shift, vk::Alt) || keyCode == vk::Space || keyCode == vk::Enter || keyCode == vk::Escape ||
                     keyCode == vk::Tab || keyCode == vk::Backspace || keyCode == vk::Home;
  return known ? vk::Code(keyCode) : vk::Code(-1);
}

bool IsGameKey(vk::Code code) {
  return std::find(std::begin(vk::kGameKeys), std::end(vk::kGameKeys), code) != std::end(vk::kGameKeys);
}

EM_BOOL OnKey(int eventType, const EmscriptenKeyboardEvent* event, void* window) {
  const std::int16_t shift =
      std::int16_t((event->shiftKey ? ShiftMask : 0) | (event->ctrlKey ? CtrlMask : 0) | (event->altKey ? AltMask : 0));
  return static_cast<WebWindow*>(window)->Key(eventType == EMSCRIPTEN_EVENT_KEYDOWN, int(event->keyCode), shift);
}

void OnTouchKey(void* window, int down, const char* name, int shift) {
  static_cast<WebWindow*>(window)->TouchKey(down != 0, name, std::int16_t(shift));
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* window) {
  static_cast<WebWindow*>(window)->ReleaseHeldKeys();
  return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* window) {
  if (event->hidden) static_cast<WebWindow*>(window)->Hidden();
  return EM_FALSE;
}

// Opaque R, G, B, A bytes in memory, from a 0x00RRGGBB pixel.
std::uint32_t CanvasPixel(Pixel p) { return 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu); }

}  // namespace

WebWindow::WebWindow() {
  router_.WhenQueued(plinkard_page_wake);
  const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(page, this, EM_FALSE, OnKey);
  emscripten_set_keyup_callback(page, this, EM_FALSE, OnKey);
  emscripten_set_blur_callback(page, this, EM_FALSE, OnBlur);
  emscripten_set_visibilitychange_callback(this, EM_FALSE, OnVisibility);
  plinkard_page_listen(OnTouchKey, this, touchName_.data(), int(touchName_.size()));
}

WebWindow::~WebWindow() { emscripten_html5_remove_all_event_listeners(); }

void WebWindow::ShowMaximized() { plinkard_page_show(); }

void WebWindow::SetCaption(const std::string& caption) { plinkard_page_set_title(caption.c_str()); }

// The canvas keeps what it showed last: only the parts of the picture that
// changed since are converted, and of those only the ones that came out
// different are drawn (a player standing still is redrawn every frame the
// same). The copy starts out transparent, unlike any picture.
void WebWindow::Present(const Surface& backImage) {
  const Region damage = damage_.Take(backImage);
  const int width = backImage.Width();
  canvas_.resize(std::size_t(width) * std::size_t(backImage.Height()));
  rects_.clear();
  for (const Rect& r : damage.Rects()) {
    bool changed = false;
    for (int row = r.y; row < r.y + r.h; ++row) {
      const Pixel* from = backImage.Row(row) + r.x;
      std::uint32_t* to = canvas_.data() + std::ptrdiff_t(row) * width + r.x;
      for (int x = 0; x < r.w; ++x) {
        const std::uint32_t pixel = CanvasPixel(from[x]);
        changed |= to[x] != pixel;
        to[x] = pixel;
      }
    }
    if (changed) rects_.insert(rects_.end(), {r.x, r.y, r.w, r.h});
  }
  if (!rects_.empty()) {
    plinkard_page_present(canvas_.data(), width, backImage.Height(), rects_.data(), int(rects_.size() / 4));
  }
}

void WebWindow::PumpEvents() {
  ReadPads();
  router_.Deliver();
}

void WebWindow::WaitForEvent(std::int64_t tick) {
  while (!router_.Pending()) {
    const double left = tick == kNever ? HUGE_VAL : double(tick) - emscripten_get_now();
    if (left <= 0) return;
    if (!pads_.empty() && left > kPadPollMs) {
      plinkard_page_sleep(kPadPollMs);
    } else if (tick == kNever) {
      plinkard_page_sleep(-1);  // a pad plugged in wakes it too
    } else {
      // What a timer leaves goes by letting the page run, a small step at a time.
      plinkard_page_sleep(left > kTimerSlackMs ? int(std::ceil(left - kTimerSlackMs)) : 0);
      continue;
    }
    ReadPads();
  }
}

// While the dialog is up it has the keyboard, as the desktop's message box
// has: the keys held when it opened are let go, and none reaches the game.
// A pad's buttons pressed meanwhile are not heard either, only their release.
void WebWindow::MessageBox(const std::string& prompt, const std::string& title) {
  ReleaseHeldKeys();
  inMessageBox_ = true;
  ReadPads(false);
  plinkard_page_open_dialog(prompt.c_str(), title.c_str());
  while (plinkard_page_dialog_open()) {
    plinkard_page_sleep(pads_.empty() ? -1 : kPadPollMs);
    if (ReadPads(false) && plinkard_page_dialog_open()) plinkard_page_close_dialog();
  }
  inMessageBox_ = false;
}

std::int64_t WebWindow::GetTickCount() { return std::int64_t(std::floor(emscripten_get_now())); }

bool WebWindow::Key(bool down, int keyCode, std::int16_t shift) {
  if (inMessageBox_) return false;
  const vk::Code code = KeyCodeOf(keyCode);
  if (code < 0) return false;
  router_.Key(code, down, shift);
  return IsGameKey(code);
}

// A touch button goes down and up as its key does on the keyboard.
void WebWindow::TouchKey(bool down, std::string_view name, std::int16_t shift) {
  if (const std::optional<vk::Code> code = vk::CodeNamed(name)) Key(down, *code, shift);
}

void WebWindow::ReleaseHeldKeys() { router_.KeyboardLost(); }

void WebWindow::Hidden() {
  router_.KeyboardLost();
  router_.Queue([this] {
    if (whenHidden_) whenHidden_();
  });
}

void WebWindow::Ask() {
  router_.Queue([this] {
    if (whenAsked_) whenAsked_();
  });
}

void WebWindow::Press(vk::Code code) {
  const WindowHandlers& handlers = router_.Handlers();
  if (handlers.KeyDown) handlers.KeyDown(code, 0);
  if (handlers.KeyUp) handlers.KeyUp(code, 0);
}

bool WebWindow::ReadPads(bool heard) {
  double readings[kMostPads][4];
  const int count = plinkard_page_read_pads(&readings[0][0], kMostPads);
  const auto change = [&](vk::Code code, bool down) {
    if (!down || heard) router_.PadKey(code, down);
  };
  // A pad unplugged lets go of everything it held.
  std::erase_if(pads_, [&](Pad& pad) {
    for (int i = 0; i < count; ++i) {
      if (int(readings[i][0]) == pad.index) return false;
    }
    pad.keys.Release(change);
    return true;
  });
  bool southPressed = false;
  for (int i = 0; i < count; ++i) {
    const int index = int(readings[i][0]);
    auto pad = std::find_if(pads_.begin(), pads_.end(), [index](const Pad& p) { return p.index == index; });
    if (pad == pads_.end()) pad = pads_.insert(pads_.end(), Pad{index, {}});
    const PadReading reading = StandardReading(unsigned(readings[i][1]), readings[i][2], readings[i][3]);
    southPressed |= reading.south && !pad->south;
    pad->south = reading.south;
    pad->keys.Update(reading, change);
  }
  return southPressed;
}

}  // namespace platform
