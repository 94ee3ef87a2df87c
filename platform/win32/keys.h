// Which of the game's key codes a Windows key message stands for. Windows'
// virtual-key codes are the game's own, for the keys the game knows; the rest
// it does not hear, as on Linux.
#pragma once

#include <cstdint>

#include "platform/keys.h"

namespace platform {

// The game's code for a WM_KEYDOWN or WM_KEYUP (or WM_SYS...) virtual key, or
// -1 for keys the game does not know.
vk::Code KeyCodeOf(unsigned virtualKey);

// The modifier bits (ShiftMask, CtrlMask, AltMask) held now, as the message
// being handled saw them.
std::int16_t ShiftState();

}  // namespace platform
