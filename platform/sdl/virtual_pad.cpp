#include "platform/sdl/virtual_pad.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace platform {
namespace {

// Far longer than any game takes to pump its events.
constexpr auto kCeiling = std::chrono::seconds(30);

// Waits until `done` holds, or the ceiling passes; answers whether it held.
template <class Done>
bool WaitFor(Done done) {
  const auto end = std::chrono::steady_clock::now() + kCeiling;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace

VirtualPad::~VirtualPad() {
  if (watching_) SDL_DelEventWatch(&VirtualPad::Watch, this);
}

// Counts the controller events of this pad as SDL queues them for the game,
// which sees them only when it has the pad open.
int VirtualPad::Watch(void* self, SDL_Event* event) {
  auto& pad = *static_cast<VirtualPad*>(self);
  SDL_JoystickID which = -1;
  if (event->type == SDL_CONTROLLERBUTTONDOWN || event->type == SDL_CONTROLLERBUTTONUP) which = event->cbutton.which;
  if (event->type == SDL_CONTROLLERAXISMOTION) which = event->caxis.which;
  if (which >= 0 && which == pad.instance_) ++pad.seen_;
  return 1;
}

bool VirtualPad::Plug() {
  if (instance_ >= 0) return true;
  if (!watching_) SDL_AddEventWatch(&VirtualPad::Watch, this);
  watching_ = true;
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
  const SDL_JoystickID instance = instance_.exchange(-1);
  if (instance < 0) return;
  SDL_JoystickClose(SDL_JoystickFromInstanceID(instance));
  for (int device = 0; device < SDL_NumJoysticks(); ++device) {
    if (SDL_JoystickGetDeviceInstanceID(device) == instance) SDL_JoystickDetachVirtual(device);
  }
}

template <class Change>
bool VirtualPad::MadeAndSeen(Change change) {
  const SDL_JoystickID instance = instance_;
  if (instance < 0 || !WaitFor([instance] { return SDL_GameControllerFromInstanceID(instance) != nullptr; })) {
    return false;
  }
  const std::uint64_t before = seen_;
  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(instance);
  return joystick != nullptr && change(joystick) == 0 && WaitFor([&] { return seen_ > before; });
}

bool VirtualPad::SetButton(const std::string& name, bool down) {
  const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
  return button != SDL_CONTROLLER_BUTTON_INVALID && MadeAndSeen([&](SDL_Joystick* joystick) {
           return SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
         });
}

bool VirtualPad::SetAxis(const std::string& name, int value) {
  const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str());
  return axis != SDL_CONTROLLER_AXIS_INVALID && MadeAndSeen([&](SDL_Joystick* joystick) {
           return SDL_JoystickSetVirtualAxis(joystick, axis, Sint16(std::clamp(value, -32768, 32767)));
         });
}

}  // namespace platform
