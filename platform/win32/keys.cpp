#include "platform/win32/keys.h"

#include "platform/win32/windows_system.h"
#include "platform/window.h"

namespace platform {

vk::Code KeyCodeOf(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return vk::Code(key);
  if (key >= VK_F1 && key <= VK_F12) return vk::Code(key);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return vk::Code(key);
  switch (key) {
    case VK_LEFT: return vk::Left;
    case VK_UP: return vk::Up;
    case VK_RIGHT: return vk::Right;
    case VK_DOWN: return vk::Down;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: return vk::Ctrl;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: return vk::Shift;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: return vk::Alt;
    case VK_SPACE: return vk::Space;
    case VK_RETURN: return vk::Enter;
    case VK_ESCAPE: return vk::Escape;
    case VK_TAB: return vk::Tab;
    case VK_BACK: return vk::Backspace;
    case VK_HOME: return vk::Home;
    default: return -1;
  }
}

std::int16_t ShiftState() {
  const auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  std::int16_t state = 0;
  if (held(VK_SHIFT)) state |= ShiftMask;
  if (held(VK_CONTROL)) state |= CtrlMask;
  if (held(VK_MENU)) state |= AltMask;
  return state;
}

}  // namespace platform
