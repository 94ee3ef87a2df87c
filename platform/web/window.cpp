#include "platform/web/window.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <iterator>

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
// The modal dialog; returns once it is answered.
void plinkard_page_message_box(const char* prompt, const char* title);
}

namespace platform {
namespace {

// A frame is on time when it starts within the millisecond it is due in. The
// browser's timers wait whole milliseconds and fire a little late: one set to
// end half a millisecond early mostly ends inside that millisecond.
constexpr double kTimerSlackMs = 0.5;

// The browser's keyCode of every key the desktop window reports is that key's
// code in the game: letters, digits, F1 to F12, the keypad's digits, the
// arrows, the modifiers, Space, Enter, Escape, Tab and Backspace.
vk::Code KeyCodeOf(int keyCode) {
  const auto in = [keyCode](int first, int last) { return keyCode >= first && keyCode <= last; };
  const bool known = in(vk::Letter('A'), vk::Letter('Z')) || in(vk::Digit(0), vk::Digit(9)) ||
                     in(vk::F1, vk::F1 + 11) || in(vk::Numpad0, vk::Numpad0 + 9) || in(vk::Left, vk::Down) ||
                     in(vk::Shift, vk::Alt) || keyCode == vk::Space || keyCode == vk::Enter || keyCode == vk::Escape ||
                     keyCode == vk::Tab || keyCode == vk::Backspace;
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

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* window) {
  static_cast<WebWindow*>(window)->ReleaseHeldKeys();
  return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* window) {
  if (event->hidden) static_cast<WebWindow*>(window)->ReleaseHeldKeys();
  return EM_FALSE;
}

// Opaque R, G, B, A bytes in memory, from a 0x00RRGGBB pixel.
std::uint32_t CanvasPixel(Pixel p) { return 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu); }

}  // namespace

WebWindow::WebWindow() {
  const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(page, this, EM_FALSE, OnKey);
  emscripten_set_keyup_callback(page, this, EM_FALSE, OnKey);
  emscripten_set_blur_callback(page, this, EM_FALSE, OnBlur);
  emscripten_set_visibilitychange_callback(this, EM_FALSE, OnVisibility);
}

WebWindow::~WebWindow() { emscripten_html5_remove_all_event_listeners(); }

void WebWindow::ShowMaximized() { plinkard_page_show(); }

void WebWindow::SetCaption(const std::string& caption) { plinkard_page_set_title(caption.c_str()); }

// The canvas keeps what it showed last: only the parts of the picture that
// changed since are converted, and of those only the ones that came out
// different are drawn (a player standing still is redrawn every frame the
// same). The copy starts out transparent, unlike any picture.
void WebWindow::Present(const Surface& backImage) {
  const Region damage = backImage.TakeDamage();
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
  while (!pending_.empty()) {
    const KeyEvent event = pending_.front();
    pending_.pop_front();
    const auto& handler = event.down ? handlers_.KeyDown : handlers_.KeyUp;
    if (handler) handler(event.code, event.shift);
  }
}

void WebWindow::WaitForEvent(std::int64_t tick) {
  while (pending_.empty()) {
    if (tick == kNever) {
      plinkard_page_sleep(-1);
      continue;
    }
    const double left = double(tick) - emscripten_get_now();
    if (left <= 0) return;
    // What a timer leaves goes by letting the page run, a small step at a time.
    plinkard_page_sleep(left > kTimerSlackMs ? int(std::ceil(left - kTimerSlackMs)) : 0);
  }
}

// While the dialog is up it has the keyboard, as the desktop's message box
// has: the keys held when it opened are let go, and none reaches the game.
void WebWindow::MessageBox(const std::string& prompt, const std::string& title) {
  ReleaseHeldKeys();
  inMessageBox_ = true;
  plinkard_page_message_box(prompt.c_str(), title.c_str());
  inMessageBox_ = false;
}

std::int64_t WebWindow::GetTickCount() { return std::int64_t(std::floor(emscripten_get_now())); }

bool WebWindow::Key(bool down, int keyCode, std::int16_t shift) {
  if (inMessageBox_) return false;
  const vk::Code code = KeyCodeOf(keyCode);
  if (code < 0) return false;
  bool& held = held_[std::size_t(code)];
  // A key-up without its key-down (the key went down before the page had the
  // keyboard) means nothing to the game, as on the desktop.
  if (down || held) {
    held = down;
    Queue({down, code, shift});
  }
  return IsGameKey(code);
}

void WebWindow::ReleaseHeldKeys() {
  for (std::size_t code = 0; code < held_.size(); ++code) {
    if (!held_[code]) continue;
    held_[code] = false;
    Queue({false, vk::Code(code), 0});
  }
}

void WebWindow::Queue(const KeyEvent& event) {
  pending_.push_back(event);
  plinkard_page_wake();
}

}  // namespace platform
