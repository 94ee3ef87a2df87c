#include "platform/sdl/pads.h"

#include <algorithm>

namespace platform {
namespace {

// SDL's axes run from -32768 to 32767.
double Axis(SDL_GameController* controller, SDL_GameControllerAxis axis) {
  return SDL_GameControllerGetAxis(controller, axis) / 32768.0;
}

bool Button(SDL_GameController* controller, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(controller, button) != 0;
}

// Buttons by position: SDL's A is the south face button (cross), B east
// (circle), X west (square), Y north (triangle).
PadReading Read(SDL_GameController* c) {
  PadReading r;
  r.dpadLeft = Button(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  r.dpadRight = Button(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  r.dpadUp = Button(c, SDL_CONTROLLER_BUTTON_DPAD_UP);
  r.dpadDown = Button(c, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  r.south = Button(c, SDL_CONTROLLER_BUTTON_A);
  r.east = Button(c, SDL_CONTROLLER_BUTTON_B);
  r.west = Button(c, SDL_CONTROLLER_BUTTON_X);
  r.north = Button(c, SDL_CONTROLLER_BUTTON_Y);
  r.rightShoulder = Button(c, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
  r.start = Button(c, SDL_CONTROLLER_BUTTON_START);
  r.stickX = Axis(c, SDL_CONTROLLER_AXIS_LEFTX);
  r.stickY = Axis(c, SDL_CONTROLLER_AXIS_LEFTY);  // SDL's y grows downwards too
  return r;
}

}  // namespace

SdlPads::SdlPads() {
  // Face buttons by position on every pad, also where the labels differ.
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  // Without pads the keyboard still plays: a failure here is no error.
  available_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlPads::~SdlPads() {
  for (Pad& pad : pads_) SDL_GameControllerClose(pad.controller);
  if (available_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlPads::Handle(const SDL_Event& event, const Change& change) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which, change); break;
    case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which, change); break;
    default: Update(change); break;
  }
}

void SdlPads::Open(int deviceIndex, const Change& change) {
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (std::any_of(pads_.begin(), pads_.end(), [id](const Pad& pad) { return pad.id == id; })) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  pads_.push_back(Pad{controller, id, {}});
  Update(change);  // whatever is held as it is plugged in
}

void SdlPads::Close(SDL_JoystickID id, const Change& change) {
  const auto pad = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  if (pad == pads_.end()) return;
  pad->keys.Release(change);
  SDL_GameControllerClose(pad->controller);
  pads_.erase(pad);
}

void SdlPads::Update(const Change& change) {
  for (Pad& pad : pads_) pad.keys.Update(Read(pad.controller), change);
}

}  // namespace platform
