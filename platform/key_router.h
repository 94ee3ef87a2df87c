// The one road from the keyboard and the game pads to the game's handlers,
// which every window backend takes. A backend tells the router what its
// system reported, in the game's key codes: a key going down or up, the
// window losing the keyboard, a pad's input holding its key or letting go, a
// close request. The router decides what the game hears:
//
// - Every press reaches KeyDown, auto-repeat too; KeyUp hears a key only once
//   neither the keyboard nor any pad input holds it: letting go of the pad's
//   Right while the keyboard's Right is still down keeps the player walking,
//   and the other way round.
// - A key-up from the keyboard for a key it never pressed (the key went down
//   before the window had the keyboard) means nothing.
// - When the window loses the keyboard, every key the keyboard held goes up.
// - A pad's keys come with the modifiers the keyboard holds: as the system
//   says, where it keeps the keyboard's state (SDL, Windows), else as the
//   keyboard's keys have come.
// - On the desktop, F11 and Alt+Enter switch fullscreen (not on auto-repeat)
//   and reach the game as the keys they are.
//
// What the game is to hear waits in one queue, in the order it happened,
// until the backend's pump delivers it: no handler runs inside the system's
// own code (Windows' window procedure, the page's listeners), and a close
// ends the game from whichever pump delivers it.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "platform/keys.h"
#include "platform/pads.h"
#include "platform/window.h"

namespace platform {

class KeyRouter {
 public:
  void SetHandlers(WindowHandlers handlers) { handlers_ = std::move(handlers); }
  const WindowHandlers& Handlers() const { return handlers_; }
  // On the desktop: switches fullscreen on or off, in its turn among the keys.
  void WhenFullscreenSwitched(std::function<void()> switchFullscreen) { switchFullscreen_ = std::move(switchFullscreen); }
  // Called each time something is queued (the page wakes its sleeping loop).
  void WhenQueued(std::function<void()> queued) { queued_ = std::move(queued); }
  // Where the system keeps the keyboard's state: the modifiers it holds now,
  // for a pad's keys.
  void ModifiersFrom(std::function<std::int16_t()> held) { modifiers_ = std::move(held); }

  // The keyboard: a key going down (`repeat`: the keyboard's auto-repeat) or
  // up, with the modifiers held (ShiftMask, CtrlMask, AltMask). `alt`: whether
  // Alt with Enter switches fullscreen, where the system says so otherwise than
  // by the modifiers (on Windows only a system key's message does); by default
  // the modifiers' Alt. A negative code, a key the game does not know, is not
  // heard.
  void Key(vk::Code code, bool down, std::int16_t shift, bool repeat = false, std::optional<bool> alt = {});
  // The window lost the keyboard.
  void KeyboardLost();
  // A pad's input starting (down) or stopping to hold the key it stands for.
  void PadKey(vk::Code code, bool down);
  PadKeys::Change PadChange() {
    return [this](vk::Code code, bool down) { PadKey(code, down); };
  }
  // The window is asked to close.
  void Close();
  // A backend's own event (the page hidden, say), in its turn among the keys.
  void Queue(std::function<void()> event);

  bool Pending() const { return !queue_.empty(); }
  // Delivers to the handlers everything queued, in order. Whatever a handler
  // throws (the close's ProgramEnded) leaves the rest queued.
  void Deliver();
  // Delivers the first close queued, if any, at once, and leaves the rest for
  // the next pump: a close asked for while a message box was up.
  void DeliverClose();

 private:
  struct Event {
    enum class Kind { KeyDown, KeyUp, SwitchFullscreen, Close, Own };
    explicit Event(Kind kind, vk::Code code = 0, std::int16_t shift = 0, std::function<void()> own = {})
        : kind(kind), code(code), shift(shift), own(std::move(own)) {}
    Kind kind;
    vk::Code code;
    std::int16_t shift;
    std::function<void()> own;
  };
  // Who holds a key: the keyboard, or any number of pad inputs.
  struct Holders {
    bool keyboard = false;
    int padInputs = 0;
  };
  static constexpr int kCodes = 256;  // every code a key or a pad input can have

  static bool Known(vk::Code code) { return code >= 0 && code < kCodes; }
  Holders& HoldersOf(vk::Code code) { return keys_[std::size_t(code)]; }
  void Push(Event event);
  void Up(vk::Code code, std::int16_t shift);
  // The modifiers the keyboard holds now, as the system or the keys say.
  std::int16_t KeyboardModifiers() const;
  void Run(const Event& event);

  WindowHandlers handlers_;
  std::function<void()> switchFullscreen_;
  std::function<void()> queued_;
  std::function<std::int16_t()> modifiers_;
  std::array<Holders, kCodes> keys_{};
  std::deque<Event> queue_;
};

}  // namespace platform
