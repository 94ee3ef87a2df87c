#include "platform/win32/keys.h"

namespace platform {

vk::Code KeyCodeOf(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return vk::Code(key);
  if (key >= winvk::F1 && key <= winvk::F12) return vk::Code(key);
  if (key >= winvk::Numpad0 && key <= winvk::Numpad9) return vk::Code(key);
  switch (key) {
    case winvk::Left: return vk::Left;
    case winvk::Up: return vk::Up;
    case winvk::Right: return vk::Right;
    case winvk::Down: return vk::Down;
    case winvk::Control:
    case winvk::LControl:
    case winvk::RControl: return vk::Ctrl;
    case winvk::Shift:
    case winvk::LShift:
    case winvk::RShift: return vk::Shift;
    case winvk::Menu:
    case winvk::LMenu:
    case winvk::RMenu: return vk::Alt;
    case winvk::Space: return vk::Space;
    case winvk::Return: return vk::Enter;
    case winvk::Escape: return vk::Escape;
    case winvk::Tab: return vk::Tab;
    case winvk::Back: return vk::Backspace;
    case winvk::Home: return vk::Home;
    default: return -1;
  }
}

void RouteKeyMessage(KeyRouter& router, unsigned virtualKey, std::intptr_t lParam, bool down, std::int16_t shift) {
  const bool altHeld = (lParam & (1 << 29)) != 0;
  const bool repeat = (lParam & (1 << 30)) != 0;
  if (down && altHeld && virtualKey == winvk::F4) {
    router.Close();
    return;
  }
  router.Key(KeyCodeOf(virtualKey), down, shift, repeat, altHeld);
}

}  // namespace platform
