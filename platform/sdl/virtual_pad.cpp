#include "platform/sdl/virtual_pad.h"

#include <SDL.h>

#include <algorithm>

namespace platform {

bool VirtualPad::Plug() {
  if (instance_ >= 0) return true;
  SDL_VirtualJoystickDesc pad;
  SDL_zero(pad);
  pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  pad.naxes = SDL_CONTROLLER_AXIS_MAX;
  pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  // Every button and axis, in SDL's order: the joystick's button i is the
  // controller's button i, and SDL maps it so.
  pad.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  pad.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  pad.name = "Plinkard test pad";
  const int device = SDL_JoystickAttachVirtualEx(&pad);
  if (device < 0) return false;
  SDL_Joystick* joystick = SDL_JoystickOpen(device);
  if (joystick == nullptr) {
    SDL_JoystickDetachVirtual(device);
    return false;
  }
  instance_ = SDL_JoystickInstanceID(joystick);
  return true;
}

void VirtualPad::Unplug() {
  if (instance_ < 0) return;
  SDL_JoystickClose(SDL_JoystickFromInstanceID(instance_));
  for (int device = 0; device < SDL_NumJoysticks(); ++device) {
    if (SDL_JoystickGetDeviceInstanceID(device) == instance_) SDL_JoystickDetachVirtual(device);
  }
  instance_ = -1;
}

bool VirtualPad::SetButton(const std::string& name, bool down) {
  const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(instance_);
  return button != SDL_CONTROLLER_BUTTON_INVALID && joystick != nullptr &&
         SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

bool VirtualPad::SetAxis(const std::string& name, int value) {
  const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str());
  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(instance_);
  return axis != SDL_CONTROLLER_AXIS_INVALID && joystick != nullptr &&
         SDL_JoystickSetVirtualAxis(joystick, axis, Sint16(std::clamp(value, -32768, 32767))) == 0;
}

}  // namespace platform
