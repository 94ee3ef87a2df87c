#include "platform/key_router.h"

namespace platform {
namespace {

constexpr vk::Code kF11 = vk::F1 + 10;

bool SwitchesFullscreen(vk::Code code, bool alt) { return code == kF11 || (code == vk::Enter && alt); }

}  // namespace

void KeyRouter::Key(vk::Code code, bool down, std::int16_t shift, bool repeat, std::optional<bool> alt) {
  if (!Known(code)) return;
  Holders& key = HoldersOf(code);
  if (down) {
    if (switchFullscreen_ && !repeat && SwitchesFullscreen(code, alt.value_or((shift & AltMask) != 0))) {
      Push(Event(Event::Kind::SwitchFullscreen));
    }
    key.keyboard = true;
    Push(Event(Event::Kind::KeyDown, code, shift));
  } else if (key.keyboard) {
    key.keyboard = false;
    Up(code, shift);
  }
}

void KeyRouter::KeyboardLost() {
  for (vk::Code code = 0; code < kCodes; ++code) {
    Holders& key = HoldersOf(code);
    if (!key.keyboard) continue;
    key.keyboard = false;
    Up(code, 0);
  }
}

// A pad presses a key once for each input holding it. A release whose press
// was never counted (heard or not) frees nothing twice.
void KeyRouter::PadKey(vk::Code code, bool down) {
  if (!Known(code)) return;
  Holders& key = HoldersOf(code);
  const std::int16_t shift = KeyboardModifiers();
  if (down) {
    ++key.padInputs;
    Push(Event(Event::Kind::KeyDown, code, shift));
  } else {
    if (key.padInputs > 0) --key.padInputs;
    Up(code, shift);
  }
}

void KeyRouter::Close() { Push(Event(Event::Kind::Close)); }

void KeyRouter::Queue(std::function<void()> event) { Push(Event(Event::Kind::Own, 0, 0, std::move(event))); }

void KeyRouter::Push(Event event) {
  queue_.push_back(std::move(event));
  if (queued_) queued_();
}

void KeyRouter::Up(vk::Code code, std::int16_t shift) {
  const Holders& key = HoldersOf(code);
  if (!key.keyboard && key.padInputs == 0) Push(Event(Event::Kind::KeyUp, code, shift));
}

std::int16_t KeyRouter::KeyboardModifiers() const {
  if (modifiers_) return modifiers_();
  const auto held = [this](vk::Code code) { return keys_[std::size_t(code)].keyboard; };
  return std::int16_t((held(vk::Shift) ? ShiftMask : 0) | (held(vk::Ctrl) ? CtrlMask : 0) |
                      (held(vk::Alt) ? AltMask : 0));
}

void KeyRouter::Deliver() {
  while (!queue_.empty()) {
    const Event event = std::move(queue_.front());
    queue_.pop_front();
    Run(event);
  }
}

void KeyRouter::DeliverClose() {
  for (auto event = queue_.begin(); event != queue_.end(); ++event) {
    if (event->kind != Event::Kind::Close) continue;
    queue_.erase(event);
    Run(Event(Event::Kind::Close));
    return;
  }
}

void KeyRouter::Run(const Event& event) {
  switch (event.kind) {
    case Event::Kind::KeyDown:
      if (handlers_.KeyDown) handlers_.KeyDown(event.code, event.shift);
      break;
    case Event::Kind::KeyUp:
      if (handlers_.KeyUp) handlers_.KeyUp(event.code, event.shift);
      break;
    case Event::Kind::SwitchFullscreen:
      if (switchFullscreen_) switchFullscreen_();
      break;
    case Event::Kind::Close:
      if (handlers_.QueryUnload) handlers_.QueryUnload();
      break;
    case Event::Kind::Own: event.own(); break;
  }
}

}  // namespace platform
