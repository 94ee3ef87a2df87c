// Which of the game's key codes an SDL key stands for.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/keys.h"

namespace platform {

// The virtual-key code of an SDL key, or -1 for keys the game does not know.
vk::Code KeyCodeOf(SDL_Keycode key);

// The modifier bits (ShiftMask, CtrlMask, AltMask) of SDL's modifier state.
std::int16_t ShiftStateOf(std::uint16_t mod);

}  // namespace platform
