#include "platform/sdl/keys.h"

#include "platform/window.h"

namespace platform {

vk::Code KeyCodeOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return vk::Letter(char('A' + (key - SDLK_a)));
  if (key >= SDLK_0 && key <= SDLK_9) return vk::Digit(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return std::int16_t(vk::F1 + (key - SDLK_F1));
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return std::int16_t(vk::Numpad0 + 1 + (key - SDLK_KP_1));
  switch (key) {
    case SDLK_LEFT: return vk::Left;
    case SDLK_UP: return vk::Up;
    case SDLK_RIGHT: return vk::Right;
    case SDLK_DOWN: return vk::Down;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return vk::Ctrl;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return vk::Shift;
    case SDLK_LALT:
    case SDLK_RALT: return vk::Alt;
    case SDLK_SPACE: return vk::Space;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vk::Enter;
    case SDLK_ESCAPE: return vk::Escape;
    case SDLK_TAB: return vk::Tab;
    case SDLK_BACKSPACE: return vk::Backspace;
    case SDLK_HOME: return vk::Home;
    case SDLK_KP_0: return vk::Numpad0;
    default: return -1;
  }
}

std::int16_t ShiftStateOf(std::uint16_t mod) {
  std::int16_t state = 0;
  if (mod & KMOD_SHIFT) state |= ShiftMask;
  if (mod & KMOD_CTRL) state |= CtrlMask;
  if (mod & KMOD_ALT) state |= AltMask;
  return state;
}

}  // namespace platform
