// The keyboard as Windows reports it, to the game: which of the game's key
// codes a key message stands for, and how the window procedure's key messages
// reach the key router. Windows' virtual-key codes are the game's own, for the
// keys the game knows; the rest it does not hear, as on Linux.
//
// Nothing here needs Windows' headers, so that these rules are tested on
// Linux too: the virtual-key codes are spelled out as winuser.h numbers them,
// and window.cpp checks them against it.
#pragma once

#include <cstdint>

#include "platform/key_router.h"
#include "platform/keys.h"

namespace platform {

// Windows' virtual-key codes of the keys the game knows, and of F4.
namespace winvk {
inline constexpr unsigned Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
                          Escape = 0x1B, Space = 0x20, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28,
                          Numpad0 = 0x60, Numpad9 = 0x69, F1 = 0x70, F4 = 0x73, F12 = 0x7B, LShift = 0xA0,
                          RShift = 0xA1, LControl = 0xA2, RControl = 0xA3, LMenu = 0xA4, RMenu = 0xA5;
}  // namespace winvk

// The game's code for a WM_KEYDOWN or WM_KEYUP (or WM_SYS...) virtual key, or
// -1 for keys the game does not know.
vk::Code KeyCodeOf(unsigned virtualKey);

// A WM_KEYDOWN or WM_SYSKEYDOWN (`down`), or WM_KEYUP or WM_SYSKEYUP, told to
// the router, with the modifiers held as the message saw them (`shift`).
// Alt+F4 asks to close, and is no key. The message's own bits say whether
// the key repeats (the previous key state) and whether Alt counts with Enter
// (the context code, which only system keys have: AltGr, that is Ctrl+Alt,
// with Enter is only keys).
void RouteKeyMessage(KeyRouter& router, unsigned virtualKey, std::intptr_t lParam, bool down, std::int16_t shift);

}  // namespace platform
